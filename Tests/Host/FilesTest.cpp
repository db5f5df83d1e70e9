#include "CoreMinimal.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "Runtime/HostRuntime.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace
{
	class FilesTest : public ::testing::Test
	{
	protected:
		FHostRuntime Host;
		IFileManager& Files = IFileManager::Get();
		FString Saved = FPaths::ProjectSavedDir();

		void Write(const FString& Path, const std::string& Content)
		{
			TArray<uint8> Bytes(reinterpret_cast<const uint8*>(Content.data()), int32(Content.size()));
			ASSERT_TRUE(FFileHelper::SaveArrayToFile(Bytes, *Path));
		}
		std::string ReadAll(const FString& Path)
		{
			TArray<uint8> Bytes;
			EXPECT_TRUE(FFileHelper::LoadFileToArray(Bytes, *Path));
			return std::string(reinterpret_cast<const char*>(Bytes.GetData()), SIZE_T(Bytes.Num()));
		}
	};
}

TEST(Paths, Helpers)
{
	struct FCase
	{
		const TCHAR* Path;
		const TCHAR* Folder;
		const TCHAR* File;
		const TCHAR* Extension;
	};
	const FCase Cases[] = {
		{TEXT("/a/b/c.zip"), TEXT("/a/b"), TEXT("c.zip"), TEXT("zip")},
		{TEXT("c.part.zip"), TEXT(""), TEXT("c.part.zip"), TEXT("zip")},
		{TEXT("/a/b/"), TEXT("/a/b"), TEXT(""), TEXT("")},
		{TEXT("a\\b\\c.txt"), TEXT("a/b"), TEXT("c.txt"), TEXT("txt")},
		{TEXT("/a.d/noext"), TEXT("/a.d"), TEXT("noext"), TEXT("")},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(TCHAR_TO_UTF8(Case.Path));
		EXPECT_TRUE(FPaths::GetPath(Case.Path).Equals(Case.Folder, ESearchCase::CaseSensitive));
		EXPECT_TRUE(FPaths::GetCleanFilename(Case.Path).Equals(Case.File, ESearchCase::CaseSensitive));
		EXPECT_TRUE(FPaths::GetExtension(Case.Path).Equals(Case.Extension, ESearchCase::CaseSensitive));
	}
	EXPECT_EQ(FPaths::Combine(TEXT("/a/"), TEXT("b"), FString(TEXT("/c.zip"))), TEXT("/a/b/c.zip"));
	EXPECT_EQ(FString(TEXT("Saved/")) / TEXT("Kestrova/Incoming") / TEXT("ABC"), TEXT("Saved/Kestrova/Incoming/ABC"));
	EXPECT_EQ(FPaths::ConvertRelativePathToFull(TEXT("/base/dir"), TEXT("../x/./y.zip")), TEXT("/base/x/y.zip"));
	EXPECT_EQ(FPaths::ConvertRelativePathToFull(TEXT("/base"), TEXT("/abs/./p/../q")), TEXT("/abs/q"));
	EXPECT_TRUE(FPaths::ConvertRelativePathToFull(TEXT("rel/file")).StartsWith(TEXT("/")));
	EXPECT_TRUE(FPaths::ConvertRelativePathToFull(TEXT("rel/file")).EndsWith(TEXT("/rel/file")));
}

TEST_F(FilesTest, MoveReplacesOnlyWhenAsked)
{
	const FString From = Saved / TEXT("from.part");
	const FString To = Saved / TEXT("Downloads/target.zip");
	Write(From, "new");
	ASSERT_TRUE(Files.MakeDirectory(*FPaths::GetPath(To), true));
	Write(To, "old content");

	EXPECT_FALSE(Files.Move(*To, *From, /*Replace*/ false));
	EXPECT_EQ(ReadAll(To), "old content");
	EXPECT_EQ(ReadAll(From), "new");

	EXPECT_TRUE(Files.Move(*To, *From));
	EXPECT_EQ(ReadAll(To), "new");
	EXPECT_FALSE(Files.FileExists(*From));
	EXPECT_EQ(Files.FileSize(*To), 3);

	EXPECT_FALSE(Files.Move(*To, *From)); // the source is gone
	// A move creates the destination's folders.
	EXPECT_TRUE(Files.Move(*(Saved / TEXT("deep/er/t.zip")), *To));
	EXPECT_EQ(Files.FileSize(*(Saved / TEXT("deep/er/t.zip"))), 3);
}

TEST_F(FilesTest, DeletingWhatIsNotThere)
{
	const FString Missing = Saved / TEXT("missing.zip");
	EXPECT_TRUE(Files.Delete(*Missing));
	EXPECT_FALSE(Files.Delete(*Missing, /*RequireExists*/ true));
	EXPECT_TRUE(Files.DeleteDirectory(*(Saved / TEXT("no/such/tree")), false, true));
	EXPECT_FALSE(Files.DeleteDirectory(*(Saved / TEXT("no/such/tree")), true, true));
	EXPECT_EQ(Files.FileSize(*Missing), -1);
	EXPECT_EQ(Files.FileSize(*Saved), -1); // a folder has no file size
	EXPECT_FALSE(Files.FileExists(*Saved));

	const FString ReadOnly = Saved / TEXT("ro.txt");
	Write(ReadOnly, "x");
	chmod(TCHAR_TO_UTF8(*ReadOnly), 0400);
	if (geteuid() != 0) // root writes anything, so the read-only rule cannot show there
	{
		EXPECT_FALSE(Files.Delete(*ReadOnly));
	}
	EXPECT_TRUE(Files.Delete(*ReadOnly, false, /*EvenReadOnly*/ true));
	EXPECT_FALSE(Files.FileExists(*ReadOnly));
}

TEST_F(FilesTest, DirectoryTrees)
{
	const FString Tree = Saved / TEXT("Kestrova/Incoming/ABC");
	EXPECT_FALSE(Files.MakeDirectory(*Tree)); // parents missing
	EXPECT_TRUE(Files.MakeDirectory(*Tree, true));
	EXPECT_TRUE(Files.MakeDirectory(*Tree, true)); // already there
	Files.MakeDirectory(*(Tree / TEXT("models")), true);
	Write(Tree / TEXT("models/a.fbx"), "fbx");
	Write(Tree / TEXT("license.txt"), "licence");

	const FString Copy = Saved / TEXT("Kestrova/Imported/Chair");
	IPlatformFile& Platform = FPlatformFileManager::Get().GetPlatformFile();
	ASSERT_TRUE(Platform.CopyDirectoryTree(*Copy, *Tree, false));
	EXPECT_EQ(ReadAll(Copy / TEXT("models/a.fbx")), "fbx");
	EXPECT_EQ(ReadAll(Copy / TEXT("license.txt")), "licence");
	Write(Tree / TEXT("license.txt"), "changed");
	ASSERT_TRUE(Platform.CopyDirectoryTree(*Copy, *Tree, false));
	EXPECT_EQ(ReadAll(Copy / TEXT("license.txt")), "licence");
	ASSERT_TRUE(Platform.CopyDirectoryTree(*Copy, *Tree, true));
	EXPECT_EQ(ReadAll(Copy / TEXT("license.txt")), "changed");
	EXPECT_FALSE(Platform.CopyDirectoryTree(*Copy, *(Saved / TEXT("nothing")), true));

	EXPECT_FALSE(Files.DeleteDirectory(*Tree)); // not empty, not a tree delete
	EXPECT_TRUE(Files.DeleteDirectory(*Tree, true, true));
	EXPECT_FALSE(Files.DirectoryExists(*Tree));
	EXPECT_TRUE(Files.DirectoryExists(*Copy));
}

TEST_F(FilesTest, FindFilesByExtensionOrWildcard)
{
	const FString Folder = Saved / TEXT("Kestrova/Find");
	ASSERT_TRUE(Files.MakeDirectory(*(Folder / TEXT("models.fbx")), true));
	for (const TCHAR* Name : { TEXT("a.png"), TEXT("B.PNG"), TEXT("c.png.bak"), TEXT("notes"), TEXT("chair.fbx"), TEXT("chair2.fbx") })
	{
		Write(Folder / Name, "x");
	}
	const auto Found = [](TArray<FString> Names)
	{
		Names.Sort([](const FString& A, const FString& B) { return A.Compare(B, ESearchCase::CaseSensitive) < 0; });
		return Names;
	};
	const struct
	{
		const char* Name;
		TFunction<void(TArray<FString>&)> Find;
		TArray<FString> Expected;
	} Cases[] = {
		{ "every file", [&](TArray<FString>& Out) { Files.FindFiles(Out, *Folder); },
			{ TEXT("B.PNG"), TEXT("a.png"), TEXT("c.png.bak"), TEXT("chair.fbx"), TEXT("chair2.fbx"), TEXT("notes") } },
		{ "extension without a dot", [&](TArray<FString>& Out) { Files.FindFiles(Out, *Folder, TEXT("png")); }, { TEXT("B.PNG"), TEXT("a.png") } },
		{ "extension with a dot", [&](TArray<FString>& Out) { Files.FindFiles(Out, *Folder, TEXT(".fbx")); }, { TEXT("chair.fbx"), TEXT("chair2.fbx") } },
		{ "an empty extension", [&](TArray<FString>& Out) { Files.FindFiles(Out, *Folder, TEXT("")); },
			{ TEXT("B.PNG"), TEXT("a.png"), TEXT("c.png.bak"), TEXT("chair.fbx"), TEXT("chair2.fbx"), TEXT("notes") } },
		{ "a wildcard as given", [&](TArray<FString>& Out) { Files.FindFiles(Out, *Folder, TEXT("chair?.*")); }, { TEXT("chair2.fbx") } },
		{ "files and folders by wildcard", [&](TArray<FString>& Out) { Files.FindFiles(Out, *(Folder / TEXT("*.fbx")), true, true); },
			{ TEXT("chair.fbx"), TEXT("chair2.fbx"), TEXT("models.fbx") } },
		{ "folders only", [&](TArray<FString>& Out) { Files.FindFiles(Out, *(Folder / TEXT("*")), false, true); }, { TEXT("models.fbx") } },
		{ "nothing there", [&](TArray<FString>& Out) { Files.FindFiles(Out, *(Folder / TEXT("missing")), TEXT("png")); }, {} },
	};
	for (const auto& Case : Cases)
	{
		TArray<FString> Out = { TEXT("kept") };
		Case.Find(Out);
		ASSERT_GE(Out.Num(), 1) << Case.Name;
		EXPECT_EQ(Out[0], TEXT("kept")) << Case.Name; // results are appended
		Out.RemoveAt(0);
		EXPECT_EQ(Found(Out), Case.Expected) << Case.Name;
	}
}

TEST_F(FilesTest, TreeOperationsGoThroughThePlatformsOwnCopy)
{
	// A platform file that only counts the copies it makes: the tree copy it inherits uses it.
	class FCountingPlatformFile : public IPlatformFile
	{
	public:
		explicit FCountingPlatformFile(IPlatformFile& InInner) : Inner(InInner) {}
		bool FileExists(const TCHAR* Filename) override { return Inner.FileExists(Filename); }
		int64 FileSize(const TCHAR* Filename) override { return Inner.FileSize(Filename); }
		bool DirectoryExists(const TCHAR* Directory) override { return Inner.DirectoryExists(Directory); }
		bool CopyFile(const TCHAR* To, const TCHAR* From, EPlatformFileRead ReadFlags, EPlatformFileWrite WriteFlags) override
		{
			++Copies;
			return IPlatformFile::CopyFile(To, From, ReadFlags, WriteFlags);
		}
		IPlatformFile& Inner;
		int32 Copies = 0;
	};
	FCountingPlatformFile Counting(FPlatformFileManager::Get().GetPlatformFile());
	const FString Tree = Saved / TEXT("Kestrova/Incoming/Tree");
	ASSERT_TRUE(Counting.CreateDirectoryTree(*(Tree / TEXT("models"))));
	Write(Tree / TEXT("models/a.fbx"), "fbx");
	Write(Tree / TEXT("license.txt"), "licence");

	const FString Copy = Saved / TEXT("Kestrova/Imported/Tree");
	ASSERT_TRUE(Counting.CopyDirectoryTree(*Copy, *Tree, false));
	EXPECT_EQ(Counting.Copies, 2);
	EXPECT_EQ(ReadAll(Copy / TEXT("models/a.fbx")), "fbx");
	ASSERT_TRUE(Counting.CopyDirectoryTree(*Copy, *Tree, false));
	EXPECT_EQ(Counting.Copies, 2); // nothing to replace
	ASSERT_TRUE(Counting.CopyFile(*(Copy / TEXT("again.txt")), *(Tree / TEXT("license.txt")), EPlatformFileRead::AllowWrite, EPlatformFileWrite::AllowRead));
	EXPECT_EQ(ReadAll(Copy / TEXT("again.txt")), "licence");
	EXPECT_TRUE(Counting.DeleteDirectoryRecursively(*Tree));
	EXPECT_FALSE(Files.DirectoryExists(*Tree));
}
