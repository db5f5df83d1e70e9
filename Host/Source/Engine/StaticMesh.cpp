#include "Engine/StaticMesh.h"

#include "EditorFramework/AssetImportData.h"
#include "UObject/UObjectGlobals.h"

void UStaticMesh::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	UStaticMesh* Mesh = static_cast<UStaticMesh*>(InThis);
	for (FStaticMaterial& Material : Mesh->StaticMaterials)
	{
		Collector.AddReferencedObject(Material.MaterialInterface, InThis);
	}
	Collector.AddReferencedObject(Mesh->AssetImportData, InThis);
}

UMaterialInterface* UStaticMesh::GetMaterial(int32 MaterialIndex) const
{
	return StaticMaterials.IsValidIndex(MaterialIndex) ? StaticMaterials[MaterialIndex].MaterialInterface.Get() : nullptr;
}

int32 UStaticMesh::GetNumVertices(int32 LODIndex) const
{
	return LODIndex >= 0 && LODIndex < GetNumLODs() ? RenderData->LODResources[LODIndex].GetNumVertices() : 0;
}

int32 UStaticMesh::GetNumTriangles(int32 LODIndex) const
{
	return LODIndex >= 0 && LODIndex < GetNumLODs() ? RenderData->LODResources[LODIndex].GetNumTriangles() : 0;
}

int32 UStaticMesh::GetNumSections(int32 LODIndex) const
{
	return LODIndex >= 0 && LODIndex < GetNumLODs() ? RenderData->LODResources[LODIndex].Sections.Num() : 0;
}

FBox UStaticMesh::GetBoundingBox() const
{
	FBox Box;
	if (GetNumLODs() > 0)
	{
		for (const FVector3f& Position : RenderData->LODResources[0].Positions)
		{
			Box += FVector(Position.X, Position.Y, Position.Z);
		}
	}
	return Box;
}
