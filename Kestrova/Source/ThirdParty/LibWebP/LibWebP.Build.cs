using System.IO;
using UnrealBuildTool;

// libwebp and its demuxer, which the engine does not provide, for the platforms whose system has
// no WebP decoder of its own. On a Mac the plug-in decodes previews with ImageIO instead and does
// not use this module. Where it is used, it expects a static build of libwebp beside this file
// (include/ and lib/<platform>/, see README.md).
public class LibWebP : ModuleRules
{
	public LibWebP(ReadOnlyTargetRules Target) : base(Target)
	{
		Type = ModuleType.External;

		PublicSystemIncludePaths.Add(Path.Combine(ModuleDirectory, "include"));
		string LibraryDirectory = Path.Combine(ModuleDirectory, "lib", Target.Platform.ToString());
		// The demuxer first: it calls into the decoder.
		PublicAdditionalLibraries.Add(Path.Combine(LibraryDirectory, "libwebpdemux.a"));
		PublicAdditionalLibraries.Add(Path.Combine(LibraryDirectory, "libwebp.a"));
	}
}
