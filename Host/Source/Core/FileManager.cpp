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
	};

	// "*" any run of characters, "?" any one, letters without regard to case.
	bool MatchesWildcard(const FString& Name, const FString& Wildcard)
	{
		const FString Text = Name.ToLower();
		const FString Pattern = Wildcard.ToLower();
		int32 TextAt = 0;
		int32 PatternAt = 0;
		int32 StarAt = INDEX_NONE;
		int32 StarTextAt = 0;
		while (TextAt < Text.Len())
		{
			if (PatternAt < Pattern.Len() && (Pattern[PatternAt] == u'?' || Pattern[PatternAt] == Text[TextAt]))
			{
				++TextAt;
				++PatternAt;
			}
			else if (PatternAt < Pattern.Len() && Pattern[PatternAt] == u'*')
			{
				StarAt = PatternAt++;
				StarTextAt = TextAt;
			}
			else if (StarAt != INDEX_NONE)
			{
				PatternAt = StarAt + 1;
				TextAt = ++StarTextAt;
			}
			else
			{
				return false;
			}
		}
		while (PatternAt < Pattern.Len() && Pattern[PatternAt] == u'*')
		{
			++PatternAt;
		}
		return PatternAt == Pattern.Len();
	}

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

		using IFileManager::FindFiles;

		void FindFiles(TArray<FString>& FileNames, const TCHAR* Filename, bool Files, bool Directories) override
		{
			const fs::path Pattern = ToPath(Filename);
			const FString Wildcard = ToFString(Pattern.filename());
			const bool bEverything = Wildcard == TEXT("*") || Wildcard == TEXT("*.*");
			const fs::path Folder = Pattern.has_parent_path() ? Pattern.parent_path() : fs::path(".");
			std::error_code Error;
			for (fs::directory_iterator It(Folder, Error), End; !Error && It != End; It.increment(Error))
			{
				const bool bDirectory = It->is_directory(Error);
				const FString Name = ToFString(It->path().filename());
				if (((bDirectory && Directories) || (!bDirectory && Files)) && (bEverything || MatchesWildcard(Name, Wildcard)))
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

bool IPlatformFile::CreateDirectoryTree(const TCHAR* Directory)
{
	std::error_code Error;
	fs::create_directories(ToPath(Directory), Error);
	return DirectoryExists(Directory);
}

bool IPlatformFile::DeleteDirectoryRecursively(const TCHAR* Directory)
{
	std::error_code Error;
	const fs::path Path = ToPath(Directory);
	fs::remove_all(Path, Error);
	return !Error && !fs::exists(fs::symlink_status(Path, Error));
}

bool IPlatformFile::CopyFile(const TCHAR* To, const TCHAR* From, EPlatformFileRead, EPlatformFileWrite)
{
	// The sharing flags ask Windows for access modes; POSIX files need no such permission.
	std::error_code Error;
	fs::copy_file(ToPath(From), ToPath(To), fs::copy_options::overwrite_existing, Error);
	return !Error;
}

bool IPlatformFile::CopyDirectoryTree(const TCHAR* DestinationDirectory, const TCHAR* Source, bool bOverwriteAllExisting)
{
	const fs::path From = ToPath(Source);
	const fs::path To = ToPath(DestinationDirectory);
	if (!DirectoryExists(Source) || !CreateDirectoryTree(DestinationDirectory))
	{
		return false;
	}
	std::error_code Error;
	for (fs::recursive_directory_iterator It(From, Error), End; !Error && It != End; It.increment(Error))
	{
		const fs::path Relative = fs::relative(It->path(), From, Error);
		if (Error)
		{
			return false;
		}
		const FString Target = ToFString(To / Relative);
		const FString Found = ToFString(It->path());
		if (It->is_directory(Error))
		{
			if (!CreateDirectoryTree(*Target))
			{
				return false;
			}
		}
		else if ((bOverwriteAllExisting || !FileExists(*Target)) && !CopyFile(*Target, *Found))
		{
			return false;
		}
	}
	return !Error;
}

void IFileManager::FindFiles(TArray<FString>& FoundFiles, const TCHAR* Directory, const TCHAR* FileExtension)
{
	if (Directory == nullptr || *Directory == 0)
	{
		return;
	}
	FString Wildcard(FileExtension != nullptr ? FileExtension : TEXT(""));
	if (!Wildcard.Contains(TEXT("*")))
	{
		Wildcard = Wildcard.IsEmpty() ? FString(TEXT("*.*")) : Wildcard.StartsWith(TEXT(".")) ? TEXT("*") + Wildcard : TEXT("*.") + Wildcard;
	}
	FindFiles(FoundFiles, *(FString(Directory) / Wildcard), true, false);
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
