#include "AssetRegistry/AssetRegistryModule.h"
#include "EditorTestSupport.h"
#include "CoreMinimal.h"
#include "CoreUObject/ObjectHost.h"
#include "Editor/TransBuffer.h"
#include "Engine/StaticMesh.h"
#include "Engine/Texture2D.h"
#include "Materials/Material.h"
#include "ObjectTools.h"
#include "UObject/Package.h"
#include "UObject/SoftObjectPtr.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
	class AssetTest : public ::testing::Test
	{
	protected:
		virtual void TearDown() override
		{
			FModuleManager::Get().UnloadModulesAtShutdown();
			UE::Host::DestroyAllObjects();
		}

		template <typename T>
		static T* MakeAsset(const TCHAR* PackageName, const TCHAR* Name)
		{
			return NewObject<T>(CreatePackage(PackageName), Name, RF_Public | RF_Standalone | RF_Transactional);
		}

		static TArray<FString> Query(const TCHAR* Path, bool bRecursive, bool bOnDisk = false)
		{
			TArray<FAssetData> Assets;
			EXPECT_TRUE(FAssetRegistryModule::GetRegistry().GetAssetsByPath(FName(Path), Assets, bRecursive, bOnDisk));
			TArray<FString> Paths;
			for (const FAssetData& Asset : Assets)
			{
				Paths.Add(Asset.GetObjectPathString());
			}
			Paths.Sort([](const FString& A, const FString& B) { return A.Compare(B, ESearchCase::CaseSensitive) < 0; });
			return Paths;
		}
	};
}

TEST_F(AssetTest, RegistryListsTheAssetsOfAPathWithOrWithoutItsSubFolders)
{
	MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Chair"), TEXT("Chair"));
	MakeAsset<UMaterial>(TEXT("/Game/Kit/Model_0001/Wood"), TEXT("Wood"));
	MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Model_0001/Deep/Leg"), TEXT("Leg"));
	MakeAsset<UStaticMesh>(TEXT("/Game/Kitchen/Table"), TEXT("Table"));
	UStaticMesh* Saved = MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Saved"), TEXT("Saved"));
	Saved->GetPackage()->ClearPackageFlags(PKG_NewlyCreated);
	// Not assets: an object inside an asset, a transient one, one in the transient package, a deleted one.
	NewObject<UTexture2D>(FindObject<UStaticMesh>(nullptr, TEXT("/Game/Kit/Chair.Chair")), TEXT("Inner"), RF_Public);
	NewObject<UStaticMesh>(CreatePackage(TEXT("/Game/Kit/Temp")), TEXT("Temp"), RF_Public | RF_Transient);
	NewObject<UStaticMesh>(GetTransientPackage(), TEXT("Loose"), RF_Public);
	MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Gone"), TEXT("Gone"))->MarkAsGarbage();

	struct FCase
	{
		const TCHAR* Path;
		bool bRecursive;
		bool bOnDisk;
		TArray<FString> Expected;
	};
	const FCase Cases[] = {
		{TEXT("/Game/Kit"), false, false, {TEXT("/Game/Kit/Chair.Chair"), TEXT("/Game/Kit/Saved.Saved")}},
		{TEXT("/Game/Kit"), true, false,
			{TEXT("/Game/Kit/Chair.Chair"), TEXT("/Game/Kit/Model_0001/Deep/Leg.Leg"), TEXT("/Game/Kit/Model_0001/Wood.Wood"), TEXT("/Game/Kit/Saved.Saved")}},
		{TEXT("/game/kit"), true, false,
			{TEXT("/Game/Kit/Chair.Chair"), TEXT("/Game/Kit/Model_0001/Deep/Leg.Leg"), TEXT("/Game/Kit/Model_0001/Wood.Wood"), TEXT("/Game/Kit/Saved.Saved")}},
		{TEXT("/Game/Kit/Model_0001"), false, false, {TEXT("/Game/Kit/Model_0001/Wood.Wood")}},
		{TEXT("/Game/Kit"), true, true, {TEXT("/Game/Kit/Saved.Saved")}},
		{TEXT("/Game/Ki"), true, false, {}},
		{TEXT("/Game"), false, false, {}},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(testing::Message() << FTCHARToUTF8(Case.Path).Get() << (Case.bRecursive ? " recursive" : "") << (Case.bOnDisk ? " on disk" : ""));
		EXPECT_EQ(Query(Case.Path, Case.bRecursive, Case.bOnDisk), Case.Expected);
	}
	EXPECT_TRUE(FAssetRegistryModule::GetRegistry().HasAssets(TEXT("/Game/Kitchen")));
	EXPECT_FALSE(FAssetRegistryModule::GetRegistry().HasAssets(TEXT("/Game/Nothing"), true));
}

TEST_F(AssetTest, AssetDataDescribesAndFindsTheAsset)
{
	UStaticMesh* Mesh = MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Model_0002/Chair_Seat"), TEXT("Chair_Seat"));
	TArray<FAssetData> Assets;
	ASSERT_TRUE(IAssetRegistry::GetChecked().GetAssetsByPath(TEXT("/Game/Kit"), Assets, true, false));
	ASSERT_EQ(Assets.Num(), 1);
	const FAssetData& Data = Assets[0];
	EXPECT_EQ(Data.PackageName, FName(TEXT("/Game/Kit/Model_0002/Chair_Seat")));
	EXPECT_EQ(Data.PackagePath, FName(TEXT("/Game/Kit/Model_0002")));
	EXPECT_EQ(Data.AssetName, FName(TEXT("Chair_Seat")));
	EXPECT_TRUE(Data.AssetClassPath.ToString().Equals(TEXT("/Script/Engine.StaticMesh"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Data.GetFullName().Equals(TEXT("StaticMesh /Game/Kit/Model_0002/Chair_Seat.Chair_Seat"), ESearchCase::CaseSensitive));
	EXPECT_EQ(Data.GetClass(), UStaticMesh::StaticClass());
	EXPECT_EQ(Data.GetAsset(), Mesh);
	EXPECT_TRUE(Data.IsAssetLoaded());
	EXPECT_EQ(Data, FAssetData(Mesh));
	EXPECT_EQ(IAssetRegistry::Get()->GetAssetByObjectPath(FSoftObjectPath(Mesh)), Data);
	EXPECT_FALSE(FAssetData(nullptr).IsValid());
}

TEST_F(AssetTest, DeletedAssetsLeaveTheRegistryAndTheirReferences)
{
	UMaterial* Wood = MakeAsset<UMaterial>(TEXT("/Game/Kit/Wood"), TEXT("Wood"));
	UStaticMesh* Chair = MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Chair"), TEXT("Chair"));
	UStaticMesh* Kept = MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Kept"), TEXT("Kept"));
	Chair->SetStaticMaterials({FStaticMaterial(Wood, TEXT("Wood"), TEXT("Wood"))});
	Kept->SetStaticMaterials({FStaticMaterial(Wood, TEXT("Wood"))});
	TSoftObjectPtr<UStaticMesh> SoftChair = Chair;
	// The undo history holds the chair, as it would after an edit.
	UTransBuffer* Buffer = NewObject<UTransBuffer>(GetTransientPackage(), NAME_None, RF_MarkAsRootSet);
	Buffer->Begin(nullptr, FText::FromString(TEXT("Edit")));
	Chair->Modify();
	Buffer->End();

	const TArray<UObject*> Doomed = {Chair, Wood, nullptr};
	EXPECT_EQ(ObjectTools::DeleteObjectsUnchecked(Doomed), 2);
	EXPECT_EQ(Query(TEXT("/Game/Kit"), true), TArray<FString>{TEXT("/Game/Kit/Kept.Kept")});
	EXPECT_EQ(SoftChair.Get(), nullptr);
	EXPECT_EQ(Kept->GetMaterial(0), nullptr);
	EXPECT_EQ(FindObject<UMaterial>(nullptr, TEXT("/Game/Kit/Wood.Wood")), nullptr);

	// The name is free again although the history still holds the deleted chair.
	UStaticMesh* NewChair = MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Chair"), TEXT("Chair"));
	EXPECT_EQ(SoftChair.Get(), NewChair);
	EXPECT_EQ(ObjectTools::DeleteObjectsUnchecked({NewChair, NewChair}), 1);
}

TEST_F(AssetTest, StaticMeshesReportTheirGeometryAndSlots)
{
	UStaticMesh* Mesh = MakeAsset<UStaticMesh>(TEXT("/Game/Kit/Wedge"), TEXT("Wedge"));
	EXPECT_EQ(Mesh->GetNumLODs(), 0);
	EXPECT_EQ(Mesh->GetNumVertices(0), 0);
	EXPECT_FALSE(Mesh->GetBoundingBox().IsValid);

	auto RenderData = std::make_unique<FStaticMeshRenderData>();
	FStaticMeshLODResources* LOD = new FStaticMeshLODResources();
	LOD->Positions = {FVector3f(0, 0, 0), FVector3f(2, 0, 0), FVector3f(0, 3, 0), FVector3f(0, 0, -1)};
	LOD->Indices = {0, 1, 2, 0, 2, 3};
	LOD->Sections = {FStaticMeshSection{0, 0, 1, 0, 2}, FStaticMeshSection{1, 3, 1, 0, 3}};
	RenderData->LODResources.Add(LOD);
	Mesh->SetRenderData(MoveTemp(RenderData));
	Mesh->SetStaticMaterials({FStaticMaterial(UMaterial::GetDefaultMaterial(MD_Surface), TEXT("Top")), FStaticMaterial(nullptr, TEXT("Side"))});

	EXPECT_EQ(Mesh->GetNumLODs(), 1);
	EXPECT_EQ(Mesh->GetNumVertices(0), 4);
	EXPECT_EQ(Mesh->GetNumTriangles(0), 2);
	EXPECT_EQ(Mesh->GetNumSections(0), 2);
	EXPECT_EQ(Mesh->GetNumVertices(1), 0);
	const FBox Bounds = Mesh->GetBoundingBox();
	EXPECT_TRUE(Bounds.Min.Equals(FVector(0, 0, -1)));
	EXPECT_TRUE(Bounds.Max.Equals(FVector(2, 3, 0)));
	EXPECT_TRUE(Mesh->GetMaterial(0)->GetPathName().Equals(TEXT("/Engine/EngineMaterials/WorldGridMaterial.WorldGridMaterial"), ESearchCase::CaseSensitive));
	EXPECT_EQ(Mesh->GetMaterial(1), nullptr);
	EXPECT_EQ(Mesh->GetMaterial(2), nullptr);
	EXPECT_EQ(Mesh->GetStaticMaterials()[1].MaterialSlotName, FName(TEXT("Side")));
}

TEST(ObjectToolsTest, SanitizedNamesKeepOnlyCharactersAnObjectNameMayHold)
{
	const TPair<const TCHAR*, const TCHAR*> Cases[] = {
		{TEXT("Chair"), TEXT("Chair")},
		{TEXT("02 - Default"), TEXT("02_-_Default")},
		{TEXT("Bone.001"), TEXT("Bone_001")},
		{TEXT("a/b:c|d\"e'f,g"), TEXT("a_b_c_d_e_f_g")},
		{TEXT("(x)[y]{z}=;^%$`@#!~&"), TEXT("_x__y__z____________")},
		{TEXT("Куб1"), TEXT("Куб1")},
	};
	for (const auto& Case : Cases)
	{
		const FString Sanitized = ObjectTools::SanitizeObjectName(Case.Key);
		EXPECT_TRUE(Sanitized.Equals(Case.Value, ESearchCase::CaseSensitive)) << testing::PrintToString(Sanitized);
	}
	EXPECT_TRUE(ObjectTools::SanitizeInvalidChars(TEXT("/Game/My Folder/x.y"), INVALID_LONGPACKAGE_CHARACTERS).Equals(TEXT("/Game/My_Folder/x_y"), ESearchCase::CaseSensitive));
}
