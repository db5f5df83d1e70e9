#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/UnrealString.h"

// The engine's file manager. Paths are "/"-separated; sizes are -1 when there is no file.
class IFileManager
{
public:
	static IFileManager& Get();
	virtual ~IFileManager() = default;

	virtual int64 FileSize(const TCHAR* Filename) = 0;
	virtual bool FileExists(const TCHAR* Filename) = 0;
	virtual bool DirectoryExists(const TCHAR* InDirectory) = 0;
	virtual bool Delete(const TCHAR* Filename, bool RequireExists = false, bool EvenReadOnly = false, bool Quiet = false) = 0;
	virtual bool Move(const TCHAR* Dest, const TCHAR* Src, bool Replace = true, bool EvenIfReadOnly = false, bool Attributes = false, bool bDoNotRetryOrError = false) = 0;
	virtual bool MakeDirectory(const TCHAR* Path, bool Tree = false) = 0;
	virtual bool DeleteDirectory(const TCHAR* Path, bool RequireExists = false, bool Tree = false) = 0;
	// The files directly in Directory, by name alone (appended). FileExtension "png" or ".png"
	// keeps the files with that extension; a wildcard ("*.png", "name.*") is used as given; none
	// (null or empty) keeps every file.
	virtual void FindFiles(TArray<FString>& FoundFiles, const TCHAR* Directory, const TCHAR* FileExtension = nullptr);
	// The files and/or folders that match Filename, a path whose last part may hold the
	// wildcards "*" and "?" (matched without regard to case), by name alone (appended).
	virtual void FindFiles(TArray<FString>& FileNames, const TCHAR* Filename, bool Files, bool Directories) = 0;
	virtual void FindFilesRecursive(TArray<FString>& FileNames, const TCHAR* StartDirectory, const TCHAR* Filename, bool Files, bool Directories, bool bClearFileNames = true) = 0;
};
