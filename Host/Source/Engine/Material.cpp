#include "Materials/Material.h"

#include "Engine/Texture.h"
#include "UObject/Package.h"

void UMaterial::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	Collector.AddReferencedObjects(static_cast<UMaterial*>(InThis)->ReferencedTextures, InThis);
}

// The stand-in has one engine material, whatever the domain.
UMaterial* UMaterial::GetDefaultMaterial(EMaterialDomain)
{
	UPackage* Package = CreatePackage(TEXT("/Engine/EngineMaterials/WorldGridMaterial"));
	if (UMaterial* Existing = FindObject<UMaterial>(Package, TEXT("WorldGridMaterial")))
	{
		return Existing;
	}
	return NewObject<UMaterial>(Package, TEXT("WorldGridMaterial"), RF_Public | RF_Standalone | RF_MarkAsRootSet);
}

void UMaterial::AddTextureSample(UTexture* Texture)
{
	if (Texture != nullptr && !ReferencedTextures.Contains(Texture))
	{
		ReferencedTextures.Add(Texture);
	}
}
