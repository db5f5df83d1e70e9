#pragma once

#include "Engine/StreamableRenderAsset.h"
#include "Materials/MaterialInterface.h"
#include "StaticMeshResources.h"

#include <memory>

// A material slot of a static mesh.
struct FStaticMaterial
{
	FStaticMaterial() = default;
	FStaticMaterial(UMaterialInterface* InMaterialInterface, FName InMaterialSlotName = NAME_None, FName InImportedMaterialSlotName = NAME_None)
		: MaterialInterface(InMaterialInterface), MaterialSlotName(InMaterialSlotName), ImportedMaterialSlotName(InImportedMaterialSlotName)
	{
	}

	TObjectPtr<UMaterialInterface> MaterialInterface;
	FName MaterialSlotName;
	FName ImportedMaterialSlotName;
};

class UAssetImportData;

class UStaticMesh : public UStreamableRenderAsset
{
	DECLARE_HOST_CLASS(UStaticMesh, UStreamableRenderAsset, TEXT("/Script/Engine"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	TArray<FStaticMaterial>& GetStaticMaterials() { return StaticMaterials; }
	const TArray<FStaticMaterial>& GetStaticMaterials() const { return StaticMaterials; }
	void SetStaticMaterials(const TArray<FStaticMaterial>& InStaticMaterials) { StaticMaterials = InStaticMaterials; }
	UMaterialInterface* GetMaterial(int32 MaterialIndex) const;

	FStaticMeshRenderData* GetRenderData() { return RenderData.get(); }
	const FStaticMeshRenderData* GetRenderData() const { return RenderData.get(); }
	void SetRenderData(std::unique_ptr<FStaticMeshRenderData>&& InRenderData) { RenderData = MoveTemp(InRenderData); }
	int32 GetNumLODs() const { return RenderData != nullptr ? RenderData->LODResources.Num() : 0; }
	int32 GetNumVertices(int32 LODIndex) const;
	int32 GetNumTriangles(int32 LODIndex) const;
	int32 GetNumSections(int32 LODIndex) const;
	FBox GetBoundingBox() const;

	// The file the mesh was imported from and the settings used.
	TObjectPtr<UAssetImportData> AssetImportData;

private:
	TArray<FStaticMaterial> StaticMaterials;
	std::unique_ptr<FStaticMeshRenderData> RenderData;
};
