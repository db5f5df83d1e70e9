using System.IO;
using UnrealBuildTool;

// libwebp and its demuxer, which the engine does not provide: the plug-in ships its own static
// build of them (include/ and lib/Mac/ beside this file).
public class LibWebP : ModuleRules
{
	public LibWebP(ReadOnlyTargetRules Target) : base(Target)
	{
		Type = ModuleType.External;

		if (Target.Platform == UnrealTargetPlatform.Mac)
		{
			PublicSystemIncludePaths.Add(Path.Combine(ModuleDirectory, "include"));
			string LibraryDirectory = Path.Combine(ModuleDirectory, "lib", "Mac");
			// The demuxer first: it calls into the decoder.
			PublicAdditionalLibraries.Add(Path.Combine(LibraryDirectory, "libwebpdemux.a"));
			PublicAdditionalLibraries.Add(Path.Combine(LibraryDirectory, "libwebp.a"));
		}
	}
}
