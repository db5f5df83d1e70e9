#include "Import/LibraryImport.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "ContentBrowser/ContentBrowserHost.h"
#include "Editor.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"
#include "Engine/World.h"
#include "HAL/FileManager.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"
#include "UObject/Package.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

inline void PrintTo(const FString& Text, std::ostream* Out)
{
	*Out << '"' << FTCHARToUTF8(*Text).Get() << '"';
}

namespace
{
	const FString Models = TEXT(KVA_FBX_MODELS);

	std::filesystem::path Native(const FString& Path)
	{
		return std::filesystem::path(FTCHARToUTF8(*Path).Get());
	}

	FString Repeated(TCHAR Char, int32 Count)
	{
		FString Text;
		for (int32 Index = 0; Index < Count; ++Index)
		{
			Text.AppendChar(Char);
		}
		return Text;
	}

	class ImportTest : public ::testing::Test
	{
	protected:
		// A staging folder as the extractor leaves it: the models (package-relative names, sorted),
		// a licence and a texture.
		FString Stage(const TArray<TPair<FString, FString>>& Files)
		{
			const FString Staging = FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Incoming"), FString::Printf(TEXT("Job%d"), ++Jobs));
			for (const TPair<FString, FString>& File : Files)
			{
				const FString Target = FPaths::Combine(Staging, File.Key);
				std::filesystem::create_directories(Native(Target).parent_path());
				EXPECT_TRUE(std::filesystem::copy_file(Native(File.Value), Native(Target))) << FTCHARToUTF8(*File.Value).Get();
			}
			FFileHelper::SaveStringToFile(TEXT("Licensed to the member.\n"), *FPaths::Combine(Staging, TEXT("license.txt")));
			return Staging;
		}

		static FString Model(const TCHAR* Name)
		{
			return FPaths::Combine(Models, Name);
		}

		// The box with its geometry taken out: a model node that carries no mesh.
		FString NoGeometryModel()
		{
			FString Box;
			EXPECT_TRUE(FFileHelper::LoadFileToString(Box, *Model(TEXT("embedded_ascii/box.FBX"))));
			const int32 Start = Box.Find(TEXT("\tGeometry: "), ESearchCase::CaseSensitive);
			const int32 End = Box.Find(TEXT("\tModel: "), ESearchCase::CaseSensitive);
			EXPECT_TRUE(Start != INDEX_NONE && End > Start);
			const FString GeometryId = Box.Mid(Start + 11, Box.Find(TEXT(","), ESearchCase::CaseSensitive, ESearchDir::FromStart, Start) - Start - 11);
			FString Result = Box.Left(Start) + Box.Mid(End);
			const int32 LinkAt = Result.Find(TEXT("C: \"OO\",") + GeometryId + TEXT(","), ESearchCase::CaseSensitive);
			EXPECT_NE(LinkAt, INDEX_NONE);
			Result = Result.Left(LinkAt) + Result.Mid(Result.Find(TEXT("\n"), ESearchCase::CaseSensitive, ESearchDir::FromStart, LinkAt));
			const FString Path = FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("no_geometry.fbx"));
			EXPECT_TRUE(FFileHelper::SaveStringToFile(Result, *Path));
			return Path;
		}

		static FString Preserved(const FString& Folder)
		{
			return FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Imported"), FPaths::GetCleanFilename(Folder));
		}

		static TArray<FString> AssetsUnder(const FString& Folder)
		{
			TArray<FAssetData> Assets;
			FModuleManager::LoadModuleChecked<FAssetRegistryModule>(TEXT("AssetRegistry")).Get().GetAssetsByPath(FName(*Folder), Assets, true, false);
			TArray<FString> Names;
			for (const FAssetData& Asset : Assets)
			{
				Names.Add(Asset.PackageName.ToString());
			}
			Names.Sort();
			return Names;
		}

		UWorld* World() const { return GEditor->GetEditorWorldContext().World(); }

		UStaticMesh* ImportBox(FString& Folder)
		{
			TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
			FString Error;
			EXPECT_TRUE(KVAImport::Install(Stage({{TEXT("models/box.fbx"), Model(TEXT("box.fbx"))}}), {TEXT("models/box.fbx")}, TEXT("kp-001"), Meshes, Folder, Error));
			return Meshes.Num() == 1 ? Meshes[0].Get() : nullptr;
		}

		FHostRuntime Runtime;
		FHostEditor Editor;
		int32 Jobs = 0;
	};
}

TEST_F(ImportTest, ContentFolderIsNamedFromTheProductIdAndIsNewEveryTime)
{
	const struct
	{
		FString ProductId;
		FString Name;
	} Cases[] = {
		{TEXT("chair-01 (oak)"), TEXT("chair01oak")},
		{TEXT("-- ( ) !!"), TEXT("Asset")},
		{TEXT(""), TEXT("Asset")},
		{TEXT("under_score_\u00e9t\u00e9"), TEXT("under_score_t")},
		{Repeated(u'a', 100), Repeated(u'a', 72)},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(FTCHARToUTF8(*Case.ProductId).Get());
		TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
		FString Folder;
		FString Error;
		// The folder is named before any check, so a failure still says where it would have gone.
		EXPECT_FALSE(KVAImport::Install(Stage({}), {}, Case.ProductId, Meshes, Folder, Error));
		EXPECT_EQ(Error, TEXT("No FBX models found."));
		const std::regex Pattern("/Game/Kestrova/" + std::string(FTCHARToUTF8(*Case.Name).Get()) + "_[0-9A-F]{12}");
		EXPECT_TRUE(std::regex_match(std::string(FTCHARToUTF8(*Folder).Get()), Pattern)) << FTCHARToUTF8(*Folder).Get();
		// Nothing was copied or imported for an empty model list.
		EXPECT_FALSE(IFileManager::Get().DirectoryExists(*Preserved(Folder)));
		EXPECT_TRUE(AssetsUnder(Folder).IsEmpty());
	}
}

TEST_F(ImportTest, ModelsLandInNumberedFoldersAndThePackageIsPreserved)
{
	const FString Staging = Stage({
		{TEXT("models/a_box.fbx"), Model(TEXT("box.fbx"))},
		{TEXT("models/b_cube.fbx"), Model(TEXT("phong_cube.fbx"))},
		{TEXT("models/c_parts.fbx"), Model(TEXT("cubes_with_names.fbx"))},
	});
	const TArray<FString> Names = {TEXT("models/a_box.fbx"), TEXT("models/b_cube.fbx"), TEXT("models/c_parts.fbx")};
	TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
	FString Folder;
	FString Error;

	ASSERT_TRUE(KVAImport::Install(Staging, Names, TEXT("kp-003"), Meshes, Folder, Error)) << FTCHARToUTF8(*Error).Get();

	// One combined mesh per model, in model order, each in its own numbered folder.
	ASSERT_EQ(Meshes.Num(), 3);
	const TCHAR* Expected[] = {TEXT("/Model_0001/"), TEXT("/Model_0002/"), TEXT("/Model_0003/")};
	for (int32 Index = 0; Index < 3; ++Index)
	{
		UStaticMesh* Mesh = Meshes[Index].Get();
		ASSERT_NE(Mesh, nullptr);
		EXPECT_TRUE(Mesh->GetPathName().StartsWith(Folder + Expected[Index])) << FTCHARToUTF8(*Mesh->GetPathName()).Get();
	}
	EXPECT_NE(Meshes[0], Meshes[1]);
	// The staging folder is left to the caller; the preserved copy holds the whole package.
	EXPECT_TRUE(IFileManager::Get().DirectoryExists(*Staging));
	for (const TCHAR* File : {TEXT("models/a_box.fbx"), TEXT("models/b_cube.fbx"), TEXT("models/c_parts.fbx"), TEXT("license.txt")})
	{
		EXPECT_TRUE(IFileManager::Get().FileExists(*FPaths::Combine(Preserved(Folder), File))) << FTCHARToUTF8(File).Get();
	}
}

TEST_F(ImportTest, TwoImportsOfOnePackageMakeTwoFoldersAndTwoCopies)
{
	FString First;
	FString Second;
	UStaticMesh* A = ImportBox(First);
	UStaticMesh* B = ImportBox(Second);
	ASSERT_NE(A, nullptr);
	ASSERT_NE(B, nullptr);
	EXPECT_NE(First, Second);
	EXPECT_NE(A, B);
	EXPECT_TRUE(IFileManager::Get().DirectoryExists(*Preserved(First)));
	EXPECT_TRUE(IFileManager::Get().DirectoryExists(*Preserved(Second)));
}

TEST_F(ImportTest, AModelWithoutGeometryRollsTheWholeImportBack)
{
	const FString Staging = Stage({
		{TEXT("models/a_box.fbx"), Model(TEXT("box.fbx"))},
		{TEXT("models/b_empty.fbx"), NoGeometryModel()},
	});
	TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
	FString Folder;
	FString Error;

	EXPECT_FALSE(KVAImport::Install(Staging, {TEXT("models/a_box.fbx"), TEXT("models/b_empty.fbx")}, TEXT("kp-009"), Meshes, Folder, Error));

	EXPECT_EQ(Error, TEXT("Could not import every model. No assets were added to your scene."));
	EXPECT_TRUE(Meshes.IsEmpty());
	// The box that did import is gone again, with its materials, and so is the preserved copy.
	EXPECT_EQ(AssetsUnder(Folder), TArray<FString>());
	EXPECT_FALSE(IFileManager::Get().DirectoryExists(*Preserved(Folder)));
	EXPECT_TRUE(Folder.StartsWith(TEXT("/Game/Kestrova/kp009_")));
}

TEST_F(ImportTest, AFailedCopyImportsNothing)
{
	// A file where the preserved copies go: no folder can be made there.
	IFileManager::Get().MakeDirectory(*FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova")), true);
	ASSERT_TRUE(FFileHelper::SaveStringToFile(TEXT("in the way"), *FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Imported"))));
	TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
	FString Folder;
	FString Error;

	EXPECT_FALSE(KVAImport::Install(Stage({{TEXT("box.fbx"), Model(TEXT("box.fbx"))}}), {TEXT("box.fbx")}, TEXT("kp-001"), Meshes, Folder, Error));

	EXPECT_EQ(Error, TEXT("Could not preserve the source files. Try again."));
	EXPECT_TRUE(Meshes.IsEmpty());
	EXPECT_TRUE(AssetsUnder(Folder).IsEmpty());
}

TEST_F(ImportTest, AddPlacesOneSelectedActorThatOneUndoRemoves)
{
	FString Folder;
	UStaticMesh* Mesh = ImportBox(Folder);
	ASSERT_NE(Mesh, nullptr);
	FString Error;
	// An actor placed before is selected; the new one takes the selection alone.
	ASSERT_TRUE(KVAImport::Add(Mesh, World(), Error));
	ASSERT_EQ(GEditor->GetSelectedActors()->Num(), 1);
	const int32 Before = Editor.CountLevelActors();

	ASSERT_TRUE(KVAImport::Add(Mesh, World(), Error));

	EXPECT_TRUE(Error.IsEmpty());
	const TArray<AActor*> Actors = Editor.GetLevelActors();
	ASSERT_EQ(Actors.Num(), Before + 1);
	AStaticMeshActor* Actor = Cast<AStaticMeshActor>(Actors.Last());
	ASSERT_NE(Actor, nullptr);
	EXPECT_EQ(Actor->GetStaticMeshComponent()->GetStaticMesh(), Mesh);
	EXPECT_EQ(Actor->GetActorLabel(), Mesh->GetName());
	EXPECT_TRUE(Actor->GetActorTransform().Equals(FTransform::Identity));
	TArray<AActor*> Selected;
	GEditor->GetSelectedActors()->GetSelectedObjects(Selected);
	EXPECT_EQ(Selected, TArray<AActor*>{Actor});
	EXPECT_EQ(Editor.GetUndoTitles().Last(), TEXT("Add Kestrova asset"));

	ASSERT_TRUE(GEditor->UndoTransaction());
	EXPECT_EQ(Editor.CountLevelActors(), Before);
	// The imported asset itself is not part of the action.
	EXPECT_NE(Cast<UStaticMesh>(StaticFindObject(UStaticMesh::StaticClass(), nullptr, *Mesh->GetPathName())), nullptr);
}

TEST_F(ImportTest, AddRefusesWhereTheAssetCannotGo)
{
	FString Folder;
	UStaticMesh* Mesh = ImportBox(Folder);
	ASSERT_NE(Mesh, nullptr);
	struct FCase
	{
		const char* Label;
		TFunction<UWorld*()> Arrange;
		TFunction<void()> Restore;
		bool bMesh;
	};
	const FCase Cases[] = {
		{"no mesh", [this] { return World(); }, [] {}, false},
		{"no world given", [] { return nullptr; }, [] {}, true},
		{"a world from before a level switch", [this] { UWorld* Old = World(); Editor.OpenNewLevel(); return Old; }, [] {}, true},
		{"a play session", [this] { Editor.StartPlaySession(); return World(); }, [this] { Editor.EndPlaySession(); }, true},
		{"a locked level", [this] { Editor.LockCurrentLevel(); return World(); }, [this] { Editor.OpenNewLevel(); }, true},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		UWorld* Given = Case.Arrange();
		const int32 Before = Editor.CountLevelActors();
		const int32 History = Editor.GetUndoTitles().Num();
		FString Error;

		EXPECT_FALSE(KVAImport::Add(Case.bMesh ? Mesh : nullptr, Given, Error));

		EXPECT_EQ(Error, TEXT("Choose an editable level, then add the asset."));
		EXPECT_EQ(Editor.CountLevelActors(), Before);
		EXPECT_EQ(Editor.GetUndoTitles().Num(), History);
		Case.Restore();
	}
}

TEST_F(ImportTest, ShowOpensTheContentBrowserOnTheFolder)
{
	KVAImport::Show(TEXT("/Game/Kestrova/kp001_0123456789AB"));

	const TArray<UE::Host::FContentBrowserSync> Syncs = UE::Host::GetContentBrowserSyncs();
	ASSERT_EQ(Syncs.Num(), 1);
	EXPECT_EQ(Syncs[0].Folders, TArray<FString>{TEXT("/Game/Kestrova/kp001_0123456789AB")});
	EXPECT_FALSE(Syncs[0].bAllowLockedBrowsers);
	EXPECT_TRUE(Syncs[0].bFocusContentBrowser);
	EXPECT_FALSE(Syncs[0].bNewSpawnBrowser);
}
