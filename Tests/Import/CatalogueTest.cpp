#include "Client/KestrovaText.h"
#include "Import/LibraryImport.h"
#include "Package/SafeZip.h"

#include "Engine/StaticMesh.h"
#include "KestrovaService/Membership.h"
#include "KestrovaService/Service.h"
#include "Misc/Paths.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace
{
	// A model a product's title promises: the file it comes as and how many materials it has.
	struct FPromised
	{
		std::string File;
		int32 Materials;
	};
}

// Every package of the service's catalogue goes through the editor's own extraction and import
// and yields the models its product's title promises, one static mesh each with its materials.
TEST(CatalogueTest, EveryPackageImportsAsTheModelsItsTitlePromises)
{
	const std::map<std::string, std::vector<FPromised>> Promised = {
		{"Oak Chair", {{"chair", 1}}},
		{"Garden Spider", {{"spider", 2}}},
		{"Workshop Crates \xE2\x80\x94 Set of Three", {{"crate_large", 2}, {"crate_medium", 2}, {"crate_small", 2}}},
		{"Courtyard Scene", {{"courtyard", 6}}},
		{"Harbour Scenes", {{"harbour_boats", 4}, {"harbour_pier", 3}}},
		{"Island World", {{"island", 5}}},
		{"Starter Bundle", {{"chair", 1}, {"crate_small", 2}, {"cube", 1}}},
		{"Starter Bundle (lite)", {{"cube", 1}}},
		{"Glass Vase", {{"vase", 1}}},
		{"Metal Cube", {{"metal_cube", 1}}},
		{"Gloss Cube", {{"gloss_cube", 1}}},
		{"Mirror Blocks", {{"mirror_blocks", 4}}},
		{"Phong Cube", {{"cube", 1}}},
	};
	FHostRuntime Runtime;
	FHostEditor Editor;
	KVAService::FService Service;
	ASSERT_TRUE(Service.Start());
	KVAService::FMembership Membership(Service);
	const std::filesystem::path Work = KVAText::Utf8(FPaths::ProjectSavedDir()) + "/Catalogue";
	std::filesystem::create_directories(Work);
	std::set<std::string> Seen;
	for (const KVAService::FProduct& Product : Membership.Products())
	{
		for (const KVAService::FPackage& Package : Product.Packages)
		{
			// Later products repeat the first titles with a number.
			const bool bLite = Package.PackageId.ends_with("-lite");
			const std::string Title = Product.Title.substr(0, Product.Title.find_last_not_of("0123456789 ") + 1) + (bLite ? " (lite)" : "");
			SCOPED_TRACE(Product.ProductId + " " + Package.PackageId + " " + Title);
			const auto Found = Promised.find(Title);
			ASSERT_NE(Found, Promised.end());
			Seen.insert(Title);

			const std::filesystem::path Zip = Work / (Package.PackageId + ".zip");
			std::ofstream(Zip, std::ios::binary) << Package.Bytes;
			const std::atomic<bool> bCancel{false};
			std::vector<std::string> Models;
			std::string Sentence;
			ASSERT_TRUE(KVASafe::Extract(Zip, Work / Package.PackageId, bCancel, Models, Sentence)) << Sentence;
			ASSERT_EQ(Models.size(), Found->second.size());
			TArray<FString> Names;
			for (const std::string& Model : Models)
			{
				Names.Add(KVAText::FromUtf8(Model));
			}
			TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
			FString Folder;
			FString Error;
			ASSERT_TRUE(KVAImport::Install(KVAText::FromUtf8((Work / Package.PackageId).string()), Names, KVAText::FromUtf8(Product.ProductId), Meshes, Folder, Error))
				<< KVAText::Utf8(Error);
			ASSERT_EQ(Meshes.Num(), int32(Found->second.size()));
			for (int32 Index = 0; Index < Meshes.Num(); ++Index)
			{
				const FPromised& Model = Found->second[size_t(Index)];
				EXPECT_EQ(Models[size_t(Index)], "models/" + Model.File + ".fbx");
				const UStaticMesh* Mesh = Meshes[Index].Get();
				ASSERT_NE(Mesh, nullptr);
				EXPECT_TRUE(Mesh->GetName().StartsWith(KVAText::FromUtf8(Model.File))) << KVAText::Utf8(Mesh->GetName());
				EXPECT_GT(Mesh->GetNumTriangles(0), 0);
				EXPECT_EQ(Mesh->GetStaticMaterials().Num(), Model.Materials) << Model.File;
			}
		}
	}
	EXPECT_EQ(Seen.size(), Promised.size());
}
