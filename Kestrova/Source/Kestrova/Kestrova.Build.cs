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
			// Third-party libraries that ship with the engine.
			"zlib",
			"libcurl",
			"OpenSSL",
			"ICU",
			// The plug-in's own, under Source/ThirdParty.
			"LibWebP"
		});
	}
}
