using System.IO;
using UnrealBuildTool;

public class Kestrova : ModuleRules
{
	public Kestrova(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = PCHUsageMode.UseExplicitOrSharedPCHs;
		CppStandard = CppStandardVersion.Cpp20;

		PrivateIncludePaths.Add(Path.Combine(ModuleDirectory, "Private"));

		PrivateDependencyModuleNames.AddRange(new string[]
		{
			"Core",
			"CoreUObject",
			"Engine",
			"InputCore",
			"Slate",
			"SlateCore",
			"UnrealEd",
			"AssetTools",
			"ContentBrowser",
			"Projects",
			"Json",
			"JsonUtilities",
			"ToolMenus",
			"EditorFramework",
			"AssetRegistry",
			// The editor's certificate store, which every HTTPS connection trusts.
			"SSL",
			// Third-party libraries that ship with the engine.
			"zlib",
			"libcurl",
			"OpenSSL",
			"ICU"
		});

		if (Target.Platform == UnrealTargetPlatform.Mac)
		{
			// Previews are decoded by the system's own image decoder.
			PublicFrameworks.AddRange(new string[] { "CoreFoundation", "CoreGraphics", "ImageIO" });
		}
		else
		{
			// Elsewhere by libwebp, the plug-in's own module under Source/ThirdParty.
			PrivateDependencyModuleNames.Add("LibWebP");
		}
	}
}
