#pragma once

#include "Containers/ArrayView.h"
#include "UObject/Object.h"

// The domains a material is made for, with the engine's values.
enum EMaterialDomain : int
{
	MD_Surface,
	MD_DeferredDecal,
	MD_LightFunction,
	MD_Volume,
	MD_PostProcess,
	MD_UI,
	MD_RuntimeVirtualTexture,
};

class UMaterialInterface : public UObject
{
	DECLARE_HOST_ABSTRACT_CLASS(UMaterialInterface, UObject, TEXT("/Script/Engine"))

public:
	// The textures the material samples.
	virtual TArrayView<const TObjectPtr<UObject>> GetReferencedTextures() const { return TArrayView<const TObjectPtr<UObject>>(); }
};
