#pragma once

#include "Containers/IndirectArray.h"
#include "Engine/StreamableRenderAsset.h"
#include "PixelFormat.h"
#include "TextureResource.h"

#include <memory>

// A texture's pixels as the platform uses them: size, format and the mip levels.
struct FTexturePlatformData
{
	int32 SizeX = 0;
	int32 SizeY = 0;
	EPixelFormat PixelFormat = PF_Unknown;
	TIndirectArray<FTexture2DMipMap> Mips;
};

class UTexture : public UStreamableRenderAsset
{
	DECLARE_HOST_CLASS(UTexture, UStreamableRenderAsset, TEXT("/Script/Engine"))

public:
	// (Re)creates the render resource from the current platform data; the renderer draws what
	// the resource was made from.
	virtual void UpdateResource();
	FTextureResource* GetResource() const { return Resource.get(); }
	virtual void BeginDestroy() override;

	// Whether the texture's colours are stored in sRGB.
	uint8 SRGB : 1 = 1;
	uint8 NeverStream : 1 = 0;

protected:
	virtual uint32 GetSurfaceWidth() const { return 0; }
	virtual uint32 GetSurfaceHeight() const { return 0; }

private:
	std::unique_ptr<FTextureResource> Resource;
};
