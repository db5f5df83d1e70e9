#pragma once

#include "Materials/MaterialInterface.h"

class UTexture;

// A material. The stand-in keeps no expression graph: only the textures it samples.
class UMaterial : public UMaterialInterface
{
	DECLARE_HOST_CLASS(UMaterial, UMaterialInterface, TEXT("/Script/Engine"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	// The engine's fallback material for the domain ("WorldGridMaterial" for surfaces).
	static UMaterial* GetDefaultMaterial(EMaterialDomain Domain);

	virtual TArrayView<const TObjectPtr<UObject>> GetReferencedTextures() const override { return ReferencedTextures; }
	// Stand-in only: what the importer connects where the engine would add texture samples.
	void AddTextureSample(UTexture* Texture);

private:
	TArray<TObjectPtr<UObject>> ReferencedTextures;
};
