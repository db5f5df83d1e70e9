#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"

#include "Containers/StringConv.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	fs::path ToPath(const TCHAR* Path)
	{
		return fs::path(FTCHARToUTF8(Path).Get());
	}

	FString ToFString(const fs::path& Path)
	{
		return FString(FUTF8ToTCHAR(Path.c_str()).Get());
	}

	bool IsReadOnly(const fs::path& Path)
	{
		return access(Path.c_str(), W_OK) != 0;
	}

	bool IsRegularFile(const fs::path& Path)
	{
		std::error_code Error;
		return fs::is_regular_file(Path, Error);
	}

	bool IsDirectory(const fs::path& Path)
	{
		std::error_code Error;
		return fs::is_directory(Path, Error);
	}

	class FPlatformFilePhysical final : public IPlatformFile
	{
	public:
		bool FileExists(const TCHAR* Filename) override { return IsRegularFile(ToPath(Filename)); }
		bool DirectoryExists(const TCHAR* Directory) override { return IsDirectory(ToPath(Directory)); }
		int64 FileSize(const TCHAR* Filename) override
		{
			std::error_code Error;
			const fs::path Path = ToPath(Filename);
			if (!fs::is_regular_file(Path, Error))
			{
				return -1;
			}
			const uintmax_t Size = fs::file_size(Path, Error);
			return Error ? -1 : int64(Size);
		}
		bool CreateDirectoryTree(const TCHAR* Directory) override
		{
			std::error_code Error;
			const fs::path Path = ToPath(Directory);
			fs::create_directories(Path, Error);
			return IsDirectory(Path);
		}
		bool DeleteDirectoryRecursively(const TCHAR* Directory) override
		{
			std::error_code Error;
			const fs::path Path = ToPath(Directory);
			fs::remove_all(Path, Error);
			return !Error && !fs::exists(fs::symlink_status(Path, Error));
		}
		bool CopyFile(const TCHAR* To, const TCHAR* From) override
		{
			std::error_code Error;
			fs::copy_file(ToPath(From), ToPath(To), fs::copy_options::overwrite_existing, Error);
			return !Error;
		}
		bool CopyDirectoryTree(const TCHAR* DestinationDirectory, const TCHAR* Source, bool bOverwriteAllExisting) override
		{
			const fs::path From = ToPath(Source);
			const fs::path To = ToPath(DestinationDirectory);
			if (!IsDirectory(From))
			{
				return false;
			}
			std::error_code Error;
			fs::create_directories(To, Error);
			if (!IsDirectory(To))
			{
				return false;
			}
			for (fs::recursive_directory_iterator It(From, Error), End; !Error && It != End; It.increment(Error))
			{
				const fs::path Target = To / fs::relative(It->path(), From, Error);
				if (Error)
				{
					return false;
				}
				if (It->is_directory(Error))
				{
					fs::create_directories(Target, Error);
				}
				else if (It->is_regular_file(Error))
				{
					if (fs::exists(Target, Error) && !bOverwriteAllExisting)
					{
						continue;
					}
					fs::copy_file(It->path(), Target, fs::copy_options::overwrite_existing, Error);
				}
				if (Error)
				{
					return false;
				}
			}
			return !Error;
		}
	};

	class FFileManagerGeneric final : public IFileManager
	{
	public:
		int64 FileSize(const TCHAR* Filename) override { return Physical.FileSize(Filename); }
		bool FileExists(const TCHAR* Filename) override { return Physical.FileExists(Filename); }
		bool DirectoryExists(const TCHAR* InDirectory) override { return Physical.DirectoryExists(InDirectory); }

		bool Delete(const TCHAR* Filename, bool RequireExists, bool EvenReadOnly, bool) override
		{
			const fs::path Path = ToPath(Filename);
			std::error_code Error;
			if (!fs::exists(fs::symlink_status(Path, Error)))
			{
				return !RequireExists;
			}
			if (IsDirectory(Path))
			{
				return false;
			}
			if (IsReadOnly(Path) && !EvenReadOnly)
			{
				return false;
			}
			return fs::remove(Path, Error) && !Error;
		}

		bool Move(const TCHAR* Dest, const TCHAR* Src, bool Replace, bool EvenIfReadOnly, bool, bool) override
		{
			const fs::path From = ToPath(Src);
			const fs::path To = ToPath(Dest);
			std::error_code Error;
			if (!fs::exists(fs::symlink_status(From, Error)))
			{
				return false;
			}
			if (fs::exists(fs::symlink_status(To, Error)))
			{
				if (!Replace || IsDirectory(To) || (IsReadOnly(To) && !EvenIfReadOnly))
				{
					return false;
				}
			}
			if (To.has_parent_path())
			{
				fs::create_directories(To.parent_path(), Error);
			}
			// rename replaces the destination atomically on one file system.
			fs::rename(From, To, Error);
			if (!Error)
			{
				return true;
			}
			if (Error != std::errc::cross_device_link)
			{
				return false;
			}
			Error.clear();
			fs::copy_file(From, To, fs::copy_options::overwrite_existing, Error);
			if (Error)
			{
				fs::remove(To, Error);
				return false;
			}
			fs::remove(From, Error);
			return true;
		}

		bool MakeDirectory(const TCHAR* Path, bool Tree) override
		{
			const fs::path Target = ToPath(Path);
			std::error_code Error;
			if (Tree)
			{
				fs::create_directories(Target, Error);
			}
			else
			{
				fs::create_directory(Target, Error);
			}
			return IsDirectory(Target);
		}

		bool DeleteDirectory(const TCHAR* Path, bool RequireExists, bool Tree) override
		{
			const fs::path Target = ToPath(Path);
			std::error_code Error;
			if (!IsDirectory(Target))
			{
				return !RequireExists && !fs::exists(fs::symlink_status(Target, Error));
			}
			if (Tree)
			{
				fs::remove_all(Target, Error);
			}
			else
			{
				fs::remove(Target, Error);
			}
			return !Error && !fs::exists(fs::symlink_status(Target, Error));
		}

		void FindFiles(TArray<FString>& FileNames, const TCHAR* StartDirectory, const TCHAR* Filename) override
		{
			// Filename is a wildcard of the form "*" or "*.ext"; names are returned bare.
			const FString Pattern(Filename);
			const FString Extension = Pattern.StartsWith(TEXT("*.")) ? Pattern.Mid(1) : FString();
			std::error_code Error;
			for (fs::directory_iterator It(ToPath(StartDirectory), Error), End; !Error && It != End; It.increment(Error))
			{
				if (!It->is_regular_file(Error))
				{
					continue;
				}
				const FString Name = ToFString(It->path().filename());
				if (Extension.IsEmpty() || Name.EndsWith(Extension))
				{
					FileNames.Add(Name);
				}
			}
		}

		void FindFilesRecursive(TArray<FString>& FileNames, const TCHAR* StartDirectory, const TCHAR* Filename, bool Files, bool Directories, bool bClearFileNames) override
		{
			if (bClearFileNames)
			{
				FileNames.Reset();
			}
			const FString Pattern(Filename);
			const FString Extension = Pattern.StartsWith(TEXT("*.")) ? Pattern.Mid(1) : FString();
			std::error_code Error;
			for (fs::recursive_directory_iterator It(ToPath(StartDirectory), Error), End; !Error && It != End; It.increment(Error))
			{
				const bool bDirectory = It->is_directory(Error);
				const FString Full = ToFString(It->path());
				if ((bDirectory && Directories) || (!bDirectory && Files && (Extension.IsEmpty() || Full.EndsWith(Extension))))
				{
					FileNames.Add(Full);
				}
			}
		}

	private:
		FPlatformFilePhysical Physical;
	};
}

IFileManager& IFileManager::Get()
{
	static FFileManagerGeneric Manager;
	return Manager;
}

FPlatformFileManager& FPlatformFileManager::Get()
{
	static FPlatformFileManager Manager;
	return Manager;
}

IPlatformFile& FPlatformFileManager::GetPlatformFile()
{
	static FPlatformFilePhysical PlatformFile;
	return PlatformFile;
}
