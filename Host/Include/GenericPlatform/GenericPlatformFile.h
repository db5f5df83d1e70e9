#pragma once

#include "CoreTypes.h"

// The low-level platform file interface (the part that the higher levels use here).
class IPlatformFile
{
public:
	virtual ~IPlatformFile() = default;
	virtual bool FileExists(const TCHAR* Filename) = 0;
	virtual bool DirectoryExists(const TCHAR* Directory) = 0;
	virtual int64 FileSize(const TCHAR* Filename) = 0;
	virtual bool CreateDirectoryTree(const TCHAR* Directory) = 0;
	virtual bool DeleteDirectoryRecursively(const TCHAR* Directory) = 0;
	virtual bool CopyFile(const TCHAR* To, const TCHAR* From) = 0;
	// Copies every file and folder below Source into DestinationDirectory (created as needed).
	// Existing files are replaced only when bOverwriteAllExisting is true.
	virtual bool CopyDirectoryTree(const TCHAR* DestinationDirectory, const TCHAR* Source, bool bOverwriteAllExisting) = 0;
};
