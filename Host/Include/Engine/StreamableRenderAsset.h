#pragma once

#include "UObject/Object.h"

// The base of assets that the renderer streams: textures and meshes.
class UStreamableRenderAsset : public UObject
{
	DECLARE_HOST_CLASS(UStreamableRenderAsset, UObject, TEXT("/Script/Engine"))
};
