#pragma once

#include "CoreTypes.h"

// Flags for reading a file: AllowWrite lets others write it meanwhile.
enum class EPlatformFileRead : uint8
{
	None = 0x0,
	AllowWrite = 0x01,
};

// Flags for writing a file: AllowRead lets others read it meanwhile.
enum class EPlatformFileWrite : uint8
{
	None = 0x0,
	AllowRead = 0x01,
};

// The low-level platform file interface (the part that the higher levels use here). The
// primitives are for each platform to give; the tree operations have default implementations
// that a platform may replace.
class IPlatformFile
{
public:
	virtual ~IPlatformFile() = default;
	virtual bool FileExists(const TCHAR* Filename) = 0;
	virtual int64 FileSize(const TCHAR* Filename) = 0;
	virtual bool DirectoryExists(const TCHAR* Directory) = 0;

	// Creates Directory with every missing parent; true when it exists afterwards.
	virtual bool CreateDirectoryTree(const TCHAR* Directory);
	// Deletes Directory and everything below it; true when nothing is left there.
	virtual bool DeleteDirectoryRecursively(const TCHAR* Directory);
	// Copies a file; the read and write flags say what others may do with the files meanwhile.
	virtual bool CopyFile(const TCHAR* To, const TCHAR* From, EPlatformFileRead ReadFlags = EPlatformFileRead::None,
		EPlatformFileWrite WriteFlags = EPlatformFileWrite::None);
	// Copies every file and folder below Source into DestinationDirectory (created as needed),
	// through CreateDirectoryTree and CopyFile. Existing files are replaced only when
	// bOverwriteAllExisting is true.
	virtual bool CopyDirectoryTree(const TCHAR* DestinationDirectory, const TCHAR* Source, bool bOverwriteAllExisting);
};
