#include "Misc/Paths.h"

#include "Containers/StringConv.h"
#include "HAL/FileManager.h"
#include "Runtime/HostRuntime.h"

#include <filesystem>

FString FPaths::ProjectDir()
{
	FHostRuntime* Runtime = FHostRuntime::Get();
	check(Runtime != nullptr);
	return Runtime->GetProjectDir();
}

FString FPaths::ProjectSavedDir()
{
	return ProjectDir() + TEXT("Saved/");
}

FString FPaths::ProjectContentDir()
{
	return ProjectDir() + TEXT("Content/");
}

FString FPaths::AutomationDir()
{
	return ProjectSavedDir() + TEXT("Automation/");
}

FString FPaths::ProjectPluginsDir()
{
	return ProjectDir() + TEXT("Plugins/");
}

bool FPaths::IsRelative(const FString& InPath)
{
	return !InPath.StartsWith(TEXT("/"));
}

void FPaths::NormalizeFilename(FString& InPath)
{
	InPath.ReplaceInline(TEXT("\\"), TEXT("/"), ESearchCase::CaseSensitive);
}

void FPaths::NormalizeDirectoryName(FString& InPath)
{
	NormalizeFilename(InPath);
	if (InPath.EndsWith(TEXT("/")) && InPath.Len() > 1)
	{
		InPath.LeftChopInline(1);
	}
}

bool FPaths::CollapseRelativeDirectories(FString& InPath)
{
	// Removes "." segments and folds "name/.." pairs; a ".." that would climb above the
	// start cannot be collapsed.
	const bool bAbsolute = InPath.StartsWith(TEXT("/"));
	const bool bTrailingSlash = InPath.EndsWith(TEXT("/"));
	TArray<FString> Parts;
	InPath.ParseIntoArray(Parts, TEXT("/"), true);
	TArray<FString> Kept;
	for (const FString& Part : Parts)
	{
		if (Part.Equals(TEXT("."), ESearchCase::CaseSensitive))
		{
			continue;
		}
		if (Part.Equals(TEXT(".."), ESearchCase::CaseSensitive))
		{
			if (Kept.IsEmpty() || Kept.Last().Equals(TEXT(".."), ESearchCase::CaseSensitive))
			{
				if (bAbsolute)
				{
					return false;
				}
				Kept.Add(Part);
				continue;
			}
			Kept.Pop();
			continue;
		}
		Kept.Add(Part);
	}
	FString Result = FString::Join(Kept, TEXT("/"));
	if (bAbsolute)
	{
		Result = TEXT("/") + Result;
	}
	if (bTrailingSlash && !Result.EndsWith(TEXT("/")))
	{
		Result += TEXT("/");
	}
	InPath = Result;
	return true;
}

FString FPaths::ConvertRelativePathToFull(const FString& InPath)
{
	const std::filesystem::path Current = std::filesystem::current_path();
	return ConvertRelativePathToFull(FString(FUTF8ToTCHAR(Current.c_str()).Get()), InPath);
}

FString FPaths::ConvertRelativePathToFull(const FString& BasePath, const FString& InPath)
{
	FString Path = InPath;
	NormalizeFilename(Path);
	FString Full = IsRelative(Path) ? BasePath / Path : Path;
	NormalizeFilename(Full);
	CollapseRelativeDirectories(Full);
	return Full;
}

FString FPaths::GetPath(const FString& InPath)
{
	int32 Slash = INDEX_NONE;
	FString Path = InPath;
	NormalizeFilename(Path);
	return Path.FindLastChar(u'/', Slash) ? Path.Left(Slash) : FString();
}

FString FPaths::GetCleanFilename(const FString& InPath)
{
	int32 Slash = INDEX_NONE;
	FString Path = InPath;
	NormalizeFilename(Path);
	return Path.FindLastChar(u'/', Slash) ? Path.Mid(Slash + 1) : Path;
}

FString FPaths::GetBaseFilename(const FString& InPath, bool bRemovePath)
{
	FString Name = bRemovePath ? GetCleanFilename(InPath) : InPath;
	int32 Dot = INDEX_NONE;
	int32 Slash = INDEX_NONE;
	Name.FindLastChar(u'/', Slash);
	if (Name.FindLastChar(u'.', Dot) && Dot > Slash)
	{
		Name.LeftInline(Dot);
	}
	return Name;
}

FString FPaths::GetExtension(const FString& InPath, bool bIncludeDot)
{
	const FString Name = GetCleanFilename(InPath);
	int32 Dot = INDEX_NONE;
	if (!Name.FindLastChar(u'.', Dot))
	{
		return FString();
	}
	return Name.Mid(bIncludeDot ? Dot : Dot + 1);
}

bool FPaths::FileExists(const FString& InPath)
{
	return IFileManager::Get().FileExists(*InPath);
}

bool FPaths::DirectoryExists(const FString& InPath)
{
	return IFileManager::Get().DirectoryExists(*InPath);
}
