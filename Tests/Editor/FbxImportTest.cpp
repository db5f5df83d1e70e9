#include "AssetImportTask.h"
#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetTools/AssetToolsHost.h"
#include "AssetToolsModule.h"
#include "CoreMinimal.h"
#include "EditorTestSupport.h"
#include "Engine/StaticMesh.h"
#include "Engine/Texture2D.h"
#include "Factories/Factory.h"
#include "Factories/FbxImportUI.h"
#include "Factories/FbxStaticMeshImportData.h"
#include "Materials/Material.h"
#include "Misc/FileHelper.h"
#include "ObjectTools.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"
#include "UObject/Package.h"
#include "UObject/SoftObjectPtr.h"
#include "UObject/StrongObjectPtr.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace
{
	const FString Models = TEXT(KVA_FBX_MODELS);

	// A mesh as a test sees it: path, vertices, triangles and material slots.
	FString Describe(const UObject* Object)
	{
		const UStaticMesh* Mesh = Cast<UStaticMesh>(Object);
		if (Mesh == nullptr)
		{
			return Object->GetFullName();
		}
		return FString::Printf(TEXT("%s %d/%d/%d"), *Mesh->GetPathName(), Mesh->GetNumVertices(0), Mesh->GetNumTriangles(0), Mesh->GetStaticMaterials().Num());
	}

	class FbxImportTest : public ::testing::Test
	{
	protected:
		// A task as the library's import makes it: automated, unsaved, static meshes with
		// materials and textures, the type given used unchanged.
		TStrongObjectPtr<UAssetImportTask> MakeTask(const FString& File, const FString& Destination)
		{
			TStrongObjectPtr<UAssetImportTask> Task(NewObject<UAssetImportTask>());
			Task->Filename = File;
			Task->DestinationPath = Destination;
			Task->bAutomated = true;
			UFbxImportUI* Options = NewObject<UFbxImportUI>();
			Options->OriginalImportType = FBXIT_StaticMesh;
			Options->MeshTypeToImport = FBXIT_StaticMesh;
			Options->bImportAsSkeletal = false;
			Options->bImportMesh = true;
			Options->bImportAnimations = false;
			Options->bImportMaterials = true;
			Options->bImportTextures = true;
			Options->bAutomatedImportShouldDetectType = false;
			Task->Options = Options;
			return Task;
		}

		static UFbxImportUI& OptionsOf(UAssetImportTask& Task) { return *CastChecked<UFbxImportUI>(Task.Options); }

		static TArray<FString> Import(UAssetImportTask& Task)
		{
			FAssetToolsModule::GetModule().Get().ImportAssetTasks({&Task});
			TArray<FString> Meshes;
			for (UObject* Object : Task.GetObjects())
			{
				Meshes.Add(Describe(Object));
			}
			return Meshes;
		}

		static TArray<FString> AssetsUnder(const TCHAR* Path, bool bOnDisk = false)
		{
			TArray<FAssetData> Assets;
			IAssetRegistry::GetChecked().GetAssetsByPath(FName(Path), Assets, true, bOnDisk);
			TArray<FString> Names;
			for (const FAssetData& Asset : Assets)
			{
				Names.Add(Asset.GetFullName());
			}
			Names.Sort([](const FString& A, const FString& B) { return A.Compare(B, ESearchCase::CaseSensitive) < 0; });
			return Names;
		}

		FString WriteFile(const TCHAR* Name, const std::string& Bytes)
		{
			const FString Path = Runtime.GetProjectDir() / Name;
			std::ofstream(FTCHARToUTF8(*Path).Get(), std::ios::binary) << Bytes;
			return Path;
		}

		static std::string ReadFile(const FString& Path)
		{
			std::ifstream In(FTCHARToUTF8(*Path).Get(), std::ios::binary);
			return std::string(std::istreambuf_iterator<char>(In), {});
		}

		FHostRuntime Runtime;
		FHostEditor Editor;
	};
}

TEST_F(FbxImportTest, RealFilesBecomeStaticMeshesNamedAndSplitAsTheEditorDoes)
{
	// The ASCII box with its geometry taken out: a model node that carries no mesh.
	std::string Box = ReadFile(Models / TEXT("embedded_ascii/box.FBX"));
	const size_t Start = Box.find("\tGeometry: ");
	const size_t End = Box.find("\tModel: ");
	ASSERT_TRUE(Start != std::string::npos && End != std::string::npos && Start < End);
	std::string NoGeometry = Box.substr(0, Start) + Box.substr(End);
	// Its connection to the model goes too (the whole line).
	const std::string Link = "C: \"OO\"," + Box.substr(Start + 11, Box.find(',', Start) - Start - 11) + ",";
	const size_t LinkAt = NoGeometry.find(Link);
	ASSERT_NE(LinkAt, std::string::npos);
	NoGeometry.erase(LinkAt, NoGeometry.find('\n', LinkAt) - LinkAt);
	const FString NoGeometryFile = WriteFile(TEXT("no_geometry.fbx"), NoGeometry);
	const FString TruncatedFile = WriteFile(TEXT("truncated.fbx"), ReadFile(Models / TEXT("box.fbx")).substr(0, 9000));
	// Half a connection left behind: the file no longer parses.
	std::string Damaged = NoGeometry;
	Damaged.insert(Damaged.find("Connections:  {") + 16, "\tC: \"OO\",\n");
	const FString DamagedFile = WriteFile(TEXT("damaged.fbx"), Damaged);

	struct FCase
	{
		FString File;
		TArray<FString> Meshes;
		TArray<FString> Assets;
	};
	const FCase Cases[] = {
		{Models / TEXT("box.fbx"), {TEXT("/Game/In/box.box 24/12/1")}, {TEXT("Material /Game/In/Material_50.Material_50"), TEXT("StaticMesh /Game/In/box.box")}},
		// Two mesh nodes: two meshes, the asset name and the node name joined by "_".
		{Models / TEXT("global_settings.fbx"),
			{TEXT("/Game/In/global_settings_Mball.global_settings_Mball 672/1340/1"), TEXT("/Game/In/global_settings_Cube.global_settings_Cube 24/12/1")},
			{TEXT("Material /Game/In/DefaultMaterial.DefaultMaterial"), TEXT("Material /Game/In/Material.Material"),
				TEXT("StaticMesh /Game/In/global_settings_Cube.global_settings_Cube"), TEXT("StaticMesh /Game/In/global_settings_Mball.global_settings_Mball")}},
		// Two nodes of one name; nodes nested inside others count too.
		{Models / TEXT("cubes_with_names.fbx"),
			{TEXT("/Game/In/cubes_with_names_Cube2.cubes_with_names_Cube2 24/12/1"), TEXT("/Game/In/cubes_with_names_Куб1.cubes_with_names_Куб1 24/12/1"),
				TEXT("/Game/In/cubes_with_names_Cube3.cubes_with_names_Cube3 24/12/1"), TEXT("/Game/In/cubes_with_names_Куб1_1.cubes_with_names_Куб1_1 444/384/1")},
			{TEXT("Material /Game/In/Mat_Green.Mat_Green"), TEXT("Material /Game/In/Mat_Red.Mat_Red"), TEXT("StaticMesh /Game/In/cubes_with_names_Cube2.cubes_with_names_Cube2"),
				TEXT("StaticMesh /Game/In/cubes_with_names_Cube3.cubes_with_names_Cube3"), TEXT("StaticMesh /Game/In/cubes_with_names_Куб1.cubes_with_names_Куб1"),
				TEXT("StaticMesh /Game/In/cubes_with_names_Куб1_1.cubes_with_names_Куб1_1")}},
		// An embedded texture is imported with the material that samples it.
		{Models / TEXT("box_orphant_embedded_texture.fbx"), {TEXT("/Game/In/box_orphant_embedded_texture.box_orphant_embedded_texture 24/12/1")},
			{TEXT("Material /Game/In/Default.Default"), TEXT("StaticMesh /Game/In/box_orphant_embedded_texture.box_orphant_embedded_texture"), TEXT("Texture2D /Game/In/GridGrey.GridGrey")}},
		// Textures that cannot be found beside the file are left out.
		{Models / TEXT("maxPbrMaterial_metalRough.fbx"), {TEXT("/Game/In/maxPbrMaterial_metalRough.maxPbrMaterial_metalRough 24/12/1")},
			{TEXT("Material /Game/In/PBR_Material.PBR_Material"), TEXT("StaticMesh /Game/In/maxPbrMaterial_metalRough.maxPbrMaterial_metalRough")}},
		// A skinned mesh asked for as a static mesh is imported as one.
		{Models / TEXT("animation_with_skeleton.fbx"), {TEXT("/Game/In/animation_with_skeleton.animation_with_skeleton 2464/2112/1")},
			{TEXT("Material /Game/In/Material.Material"), TEXT("StaticMesh /Game/In/animation_with_skeleton.animation_with_skeleton")}},
		{NoGeometryFile, {}, {}},
		{TruncatedFile, {}, {}},
		{DamagedFile, {}, {}},
		{Models / TEXT("transparentTest.fbx"), {}, {}},
		{Models / TEXT("missing.fbx"), {}, {}},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(testing::PrintToString(Case.File));
		TStrongObjectPtr<UAssetImportTask> Task = MakeTask(Case.File, TEXT("/Game/In"));
		EXPECT_EQ(Import(*Task), Case.Meshes);
		EXPECT_EQ(AssetsUnder(TEXT("/Game/In")), Case.Assets);
		TArray<FString> Paths;
		for (UObject* Object : Task->GetObjects())
		{
			Paths.Add(Object->GetPathName());
		}
		EXPECT_EQ(Task->ImportedObjectPaths, Paths);

		TArray<FAssetData> Assets;
		IAssetRegistry::GetChecked().GetAssetsByPath(TEXT("/Game/In"), Assets, true);
		TArray<UObject*> Loaded;
		for (const FAssetData& Asset : Assets)
		{
			Loaded.Add(Asset.GetAsset());
		}
		EXPECT_EQ(ObjectTools::DeleteObjectsUnchecked(Loaded), Case.Assets.Num());
	}
	EXPECT_EQ(UE::Host::CountImportDialogs(), 0);
}

TEST_F(FbxImportTest, ImportOptionsChangeWhatIsMade)
{
	struct FCase
	{
		const char* Label;
		const TCHAR* File;
		std::function<void(UAssetImportTask&)> Change;
		TArray<FString> Meshes;
		TArray<FString> Assets;
	};
	const FCase Cases[] = {
		{"combined", TEXT("global_settings.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).StaticMeshImportData->bCombineMeshes = true; },
			{TEXT("/Game/Opt/global_settings.global_settings 696/1352/2")},
			{TEXT("Material /Game/Opt/DefaultMaterial.DefaultMaterial"), TEXT("Material /Game/Opt/Material.Material"), TEXT("StaticMesh /Game/Opt/global_settings.global_settings")}},
		{"named by the task", TEXT("global_settings.fbx"), [](UAssetImportTask& Task) { Task.DestinationName = TEXT("Blob Set"); },
			{TEXT("/Game/Opt/Blob_Set_Mball.Blob_Set_Mball 672/1340/1"), TEXT("/Game/Opt/Blob_Set_Cube.Blob_Set_Cube 24/12/1")},
			{TEXT("Material /Game/Opt/DefaultMaterial.DefaultMaterial"), TEXT("Material /Game/Opt/Material.Material"), TEXT("StaticMesh /Game/Opt/Blob_Set_Cube.Blob_Set_Cube"),
				TEXT("StaticMesh /Game/Opt/Blob_Set_Mball.Blob_Set_Mball")}},
		{"one mesh without the full-name override", TEXT("box.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).bOverrideFullName = false; },
			{TEXT("/Game/Opt/box_root.box_root 24/12/1")}, {TEXT("Material /Game/Opt/Material_50.Material_50"), TEXT("StaticMesh /Game/Opt/box_root.box_root")}},
		{"no materials", TEXT("box_orphant_embedded_texture.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).bImportMaterials = false; },
			{TEXT("/Game/Opt/box_orphant_embedded_texture.box_orphant_embedded_texture 24/12/1")},
			{TEXT("StaticMesh /Game/Opt/box_orphant_embedded_texture.box_orphant_embedded_texture"), TEXT("Texture2D /Game/Opt/GridGrey.GridGrey")}},
		{"no textures", TEXT("box_orphant_embedded_texture.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).bImportTextures = false; },
			{TEXT("/Game/Opt/box_orphant_embedded_texture.box_orphant_embedded_texture 24/12/1")},
			{TEXT("Material /Game/Opt/Default.Default"), TEXT("StaticMesh /Game/Opt/box_orphant_embedded_texture.box_orphant_embedded_texture")}},
		{"no mesh", TEXT("box.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).bImportMesh = false; }, {}, {}},
		{"as a skeletal mesh", TEXT("box.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).MeshTypeToImport = FBXIT_SkeletalMesh; }, {}, {}},
		{"skeletal by the checkbox", TEXT("box.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).bImportAsSkeletal = true; }, {}, {}},
		{"detected as skeletal", TEXT("animation_with_skeleton.fbx"), [](UAssetImportTask& Task) { OptionsOf(Task).bAutomatedImportShouldDetectType = true; }, {}, {}},
		{"detected as static", TEXT("box.fbx"),
			[](UAssetImportTask& Task)
			{
				OptionsOf(Task).bAutomatedImportShouldDetectType = true;
				OptionsOf(Task).MeshTypeToImport = FBXIT_Animation;
			},
			{TEXT("/Game/Opt/box.box 24/12/1")}, {TEXT("Material /Game/Opt/Material_50.Material_50"), TEXT("StaticMesh /Game/Opt/box.box")}},
		{"another factory", TEXT("box.fbx"), [](UAssetImportTask& Task) { Task.Factory = NewObject<UFactory>(); }, {}, {}},
		{"options of another kind", TEXT("box.fbx"), [](UAssetImportTask& Task) { Task.Options = NewObject<UFactory>(); }, {}, {}},
		{"no options", TEXT("box.fbx"), [](UAssetImportTask& Task) { Task.Options = nullptr; },
			{TEXT("/Game/Opt/box.box 24/12/1")}, {TEXT("Material /Game/Opt/Material_50.Material_50"), TEXT("StaticMesh /Game/Opt/box.box")}},
		{"outside the content mounts", TEXT("box.fbx"), [](UAssetImportTask& Task) { Task.DestinationPath = TEXT("/Elsewhere/Opt"); }, {}, {}},
		{"a relative destination", TEXT("box.fbx"), [](UAssetImportTask& Task) { Task.DestinationPath = TEXT("Game/Opt"); }, {}, {}},
		{"not an FBX file", TEXT("../OBJ/spider.obj"), [](UAssetImportTask&) {}, {}, {}},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		TStrongObjectPtr<UAssetImportTask> Task = MakeTask(Models / Case.File, TEXT("/Game/Opt"));
		Case.Change(*Task);
		EXPECT_EQ(Import(*Task), Case.Meshes);
		EXPECT_EQ(AssetsUnder(TEXT("/Game")), Case.Assets);
		ObjectTools::DeleteObjectsUnchecked(TArray<UObject*>(Task->GetObjects()));
		TArray<FAssetData> Rest;
		IAssetRegistry::GetChecked().GetAssetsByPath(TEXT("/Game"), Rest, true);
		TArray<UObject*> Loaded;
		for (const FAssetData& Asset : Rest)
		{
			Loaded.Add(Asset.GetAsset());
		}
		ObjectTools::DeleteObjectsUnchecked(Loaded);
	}
}

TEST_F(FbxImportTest, ImportSettingsPlaceAndCleanTheGeometry)
{
	struct FCase
	{
		const char* Label;
		const TCHAR* File;
		float Scale;
		FVector Translation;
		bool bRemoveDegenerates;
		bool bAbsolute;
		FVector Min;
		FVector Max;
		int32 Triangles;
	};
	// The cube's vertices lie between -0.5 and 0.5. The box's node is scaled and moved in the
	// scene: its vertices lie between -100 and 100 in the node's own space.
	const FCase Cases[] = {
		{"as in the file", TEXT("phong_cube.fbx"), 1.0f, FVector::ZeroVector, true, true, FVector(-0.5), FVector(0.5), 12},
		{"scaled", TEXT("phong_cube.fbx"), 2.5f, FVector::ZeroVector, true, true, FVector(-1.25), FVector(1.25), 12},
		{"moved", TEXT("phong_cube.fbx"), 1.0f, FVector(10, 0, -4), true, true, FVector(9.5, -0.5, -4.5), FVector(10.5, 0.5, -3.5), 12},
		{"flattened, degenerates removed", TEXT("phong_cube.fbx"), 0.0f, FVector::ZeroVector, true, true, FVector(0), FVector(0), 0},
		{"flattened, degenerates kept", TEXT("phong_cube.fbx"), 0.0f, FVector::ZeroVector, false, true, FVector(0), FVector(0), 12},
		{"placed by its node", TEXT("box.fbx"), 1.0f, FVector::ZeroVector, true, true, FVector(-0.226096, -0.161864, -0.0646463),
			FVector(0.284462, 0.244348, 0.46466), 12},
		{"in its node's space", TEXT("box.fbx"), 1.0f, FVector::ZeroVector, true, false, FVector(-100), FVector(100), 12},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		TStrongObjectPtr<UAssetImportTask> Task = MakeTask(Models / Case.File, TEXT("/Game/Geo"));
		Task->bReplaceExisting = true;
		Task->bReplaceExistingSettings = true;
		UFbxStaticMeshImportData& Settings = *OptionsOf(*Task).StaticMeshImportData;
		Settings.ImportUniformScale = Case.Scale;
		Settings.ImportTranslation = Case.Translation;
		Settings.bRemoveDegenerates = Case.bRemoveDegenerates;
		Settings.bTransformVertexToAbsolute = Case.bAbsolute;
		Import(*Task);
		ASSERT_EQ(Task->GetObjects().Num(), 1);
		const UStaticMesh* Mesh = CastChecked<UStaticMesh>(Task->GetObjects()[0]);
		EXPECT_EQ(Mesh->GetNumTriangles(0), Case.Triangles);
		EXPECT_TRUE(Mesh->GetBoundingBox().Min.Equals(Case.Min, 1e-4));
		EXPECT_TRUE(Mesh->GetBoundingBox().Max.Equals(Case.Max, 1e-4));
		const UFbxStaticMeshImportData* Recorded = Cast<UFbxStaticMeshImportData>(Mesh->AssetImportData);
		ASSERT_NE(Recorded, nullptr);
		EXPECT_EQ(Recorded->ImportUniformScale, Case.Scale);
		EXPECT_EQ(Recorded->GetFirstFilename(), Models / Case.File);
	}
}

TEST_F(FbxImportTest, TaskFlagsDecideDialogsSavingAndReplacing)
{
	// Not automated: the dialog would be shown; the options given are used.
	TStrongObjectPtr<UAssetImportTask> Asked = MakeTask(Models / TEXT("phong_cube.fbx"), TEXT("/Game/Flags"));
	Asked->bAutomated = false;
	EXPECT_EQ(Import(*Asked), TArray<FString>{TEXT("/Game/Flags/phong_cube.phong_cube 24/12/1")});
	EXPECT_EQ(UE::Host::CountImportDialogs(), 1);
	UStaticMesh* First = CastChecked<UStaticMesh>(Asked->GetObjects()[0]);
	// Not saved: in memory only, its package dirty.
	EXPECT_TRUE(First->GetPackage()->IsDirty());
	EXPECT_TRUE(AssetsUnder(TEXT("/Game/Flags"), true).IsEmpty());

	// An existing asset stays when replacing is not asked for.
	TStrongObjectPtr<UAssetImportTask> Again = MakeTask(Models / TEXT("phong_cube.fbx"), TEXT("/Game/Flags"));
	OptionsOf(*Again).StaticMeshImportData->ImportUniformScale = 3.0f;
	EXPECT_TRUE(Import(*Again).IsEmpty());
	EXPECT_EQ(First->GetBoundingBox().Max.X, 0.5);

	// Replacing reimports into the same asset; its settings stay unless they are replaced too.
	Again->bReplaceExisting = true;
	EXPECT_EQ(Import(*Again), TArray<FString>{TEXT("/Game/Flags/phong_cube.phong_cube 24/12/1")});
	EXPECT_EQ(Again->GetObjects()[0], First);
	EXPECT_EQ(First->GetBoundingBox().Max.X, 1.5);
	EXPECT_EQ(CastChecked<UFbxStaticMeshImportData>(First->AssetImportData)->ImportUniformScale, 1.0f);
	Again->bReplaceExistingSettings = true;
	Import(*Again);
	EXPECT_EQ(CastChecked<UFbxStaticMeshImportData>(First->AssetImportData)->ImportUniformScale, 3.0f);

	// Saved: on disk for the registry, and clean.
	TStrongObjectPtr<UAssetImportTask> Saved = MakeTask(Models / TEXT("box.fbx"), TEXT("/Game/Flags/Saved"));
	Saved->bSave = true;
	Import(*Saved);
	EXPECT_EQ(AssetsUnder(TEXT("/Game/Flags"), true),
		(TArray<FString>{TEXT("Material /Game/Flags/Saved/Material_50.Material_50"), TEXT("StaticMesh /Game/Flags/Saved/box.box")}));
	EXPECT_FALSE(Saved->GetObjects()[0]->GetPackage()->IsDirty());
	EXPECT_EQ(UE::Host::CountImportDialogs(), 1);
}

TEST_F(FbxImportTest, ABatchOfTasksImportsEachIntoItsFolderAndCanBeRolledBack)
{
	const TCHAR* Files[] = {TEXT("box.fbx"), TEXT("global_settings.fbx"), TEXT("phong_cube.fbx")};
	TArray<TStrongObjectPtr<UAssetImportTask>> Tasks;
	TArray<UAssetImportTask*> Batch;
	for (int32 Index = 0; Index < 3; ++Index)
	{
		Tasks.Add(MakeTask(Models / Files[Index], FString::Printf(TEXT("/Game/Kestrova/Kit_ABC/Model_%04d"), Index + 1)));
		Batch.Add(Tasks.Last().Get());
	}
	IAssetTools::Get().ImportAssetTasks(Batch);

	TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
	for (UAssetImportTask* Task : Batch)
	{
		for (UObject* Object : Task->GetObjects())
		{
			Meshes.AddUnique(TSoftObjectPtr<UStaticMesh>(Cast<UStaticMesh>(Object)));
		}
	}
	TArray<FString> Paths;
	for (const TSoftObjectPtr<UStaticMesh>& Mesh : Meshes)
	{
		Paths.Add(Mesh.ToString());
	}
	EXPECT_EQ(Paths, (TArray<FString>{TEXT("/Game/Kestrova/Kit_ABC/Model_0001/box.box"),
		TEXT("/Game/Kestrova/Kit_ABC/Model_0002/global_settings_Mball.global_settings_Mball"),
		TEXT("/Game/Kestrova/Kit_ABC/Model_0002/global_settings_Cube.global_settings_Cube"), TEXT("/Game/Kestrova/Kit_ABC/Model_0003/phong_cube.phong_cube")}));
	EXPECT_EQ(AssetsUnder(TEXT("/Game/Kestrova/Kit_ABC")).Num(), 8);

	TArray<FAssetData> Assets;
	FAssetRegistryModule::GetRegistry().GetAssetsByPath(TEXT("/Game/Kestrova/Kit_ABC"), Assets, true, false);
	TArray<UObject*> Doomed;
	for (const FAssetData& Asset : Assets)
	{
		if (Asset.PackageName.ToString().StartsWith(TEXT("/Game/Kestrova/Kit_ABC/")))
		{
			Doomed.Add(Asset.GetAsset());
		}
	}
	EXPECT_EQ(ObjectTools::DeleteObjectsUnchecked(Doomed), 8);
	EXPECT_TRUE(AssetsUnder(TEXT("/Game/Kestrova")).IsEmpty());
	for (const TSoftObjectPtr<UStaticMesh>& Mesh : Meshes)
	{
		EXPECT_EQ(Mesh.Get(), nullptr);
	}
}

TEST_F(FbxImportTest, MeshSlotsUseTheImportedMaterialsAndTheirTextures)
{
	TStrongObjectPtr<UAssetImportTask> Task = MakeTask(Models / TEXT("box_orphant_embedded_texture.fbx"), TEXT("/Game/Slots"));
	Import(*Task);
	ASSERT_EQ(Task->GetObjects().Num(), 1);
	const UStaticMesh* Mesh = CastChecked<UStaticMesh>(Task->GetObjects()[0]);
	const UMaterial* Material = FindObject<UMaterial>(nullptr, TEXT("/Game/Slots/Default.Default"));
	const UTexture2D* Texture = FindObject<UTexture2D>(nullptr, TEXT("/Game/Slots/GridGrey.GridGrey"));
	ASSERT_NE(Material, nullptr);
	ASSERT_NE(Texture, nullptr);
	EXPECT_EQ(Mesh->GetMaterial(0), Material);
	EXPECT_EQ(Mesh->GetStaticMaterials()[0].MaterialSlotName, FName(TEXT("Default")));
	ASSERT_EQ(Material->GetReferencedTextures().Num(), 1);
	EXPECT_EQ(Material->GetReferencedTextures()[0], Texture);

	// Without materials the slot keeps its name and takes the engine's default material.
	TStrongObjectPtr<UAssetImportTask> Plain = MakeTask(Models / TEXT("box_orphant_embedded_texture.fbx"), TEXT("/Game/Plain"));
	OptionsOf(*Plain).bImportMaterials = false;
	Import(*Plain);
	ASSERT_EQ(Plain->GetObjects().Num(), 1);
	const UStaticMesh* PlainMesh = CastChecked<UStaticMesh>(Plain->GetObjects()[0]);
	EXPECT_EQ(PlainMesh->GetMaterial(0), UMaterial::GetDefaultMaterial(MD_Surface));
	EXPECT_EQ(PlainMesh->GetStaticMaterials()[0].ImportedMaterialSlotName, FName(TEXT("Default")));

	// Two meshes of one file that share a material share the asset.
	TStrongObjectPtr<UAssetImportTask> Cubes = MakeTask(Models / TEXT("cubes_with_names.fbx"), TEXT("/Game/Cubes"));
	Import(*Cubes);
	ASSERT_EQ(Cubes->GetObjects().Num(), 4);
	EXPECT_EQ(CastChecked<UStaticMesh>(Cubes->GetObjects()[0])->GetMaterial(0), CastChecked<UStaticMesh>(Cubes->GetObjects()[1])->GetMaterial(0));
	EXPECT_NE(CastChecked<UStaticMesh>(Cubes->GetObjects()[0])->GetMaterial(0), CastChecked<UStaticMesh>(Cubes->GetObjects()[2])->GetMaterial(0));
}
