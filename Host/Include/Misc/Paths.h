#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

// Path helpers on "/"-separated paths. Directory getters end with "/".
class FPaths
{
public:
	static FString ProjectDir();
	static FString ProjectSavedDir();
	static FString ProjectContentDir();
	static FString ProjectPluginsDir();
	// Where automation checks write what they capture: the project's Saved/Automation/.
	static FString AutomationDir();

	static FString ConvertRelativePathToFull(const FString& InPath);
	static FString ConvertRelativePathToFull(const FString& BasePath, const FString& InPath);
	static bool CollapseRelativeDirectories(FString& InPath);
	static void NormalizeFilename(FString& InPath);
	static void NormalizeDirectoryName(FString& InPath);
	static bool IsRelative(const FString& InPath);

	static FString GetPath(const FString& InPath);
	static FString GetCleanFilename(const FString& InPath);
	static FString GetBaseFilename(const FString& InPath, bool bRemovePath = true);
	static FString GetExtension(const FString& InPath, bool bIncludeDot = false);

	static bool FileExists(const FString& InPath);
	static bool DirectoryExists(const FString& InPath);

	template <typename... PathTypes>
	static FString Combine(PathTypes&&... InPaths)
	{
		const FString Parts[] = {FString(InPaths)...};
		FString Result;
		for (const FString& Part : Parts)
		{
			Result /= Part;
		}
		return Result;
	}
};
