#pragma once

#include "CoreTypes.h"
#include "Serialization/BulkData.h"

// One mip level of a texture's platform data.
struct FTexture2DMipMap
{
	FByteBulkData BulkData;
	uint16 SizeX = 0;
	uint16 SizeY = 0;
	uint16 SizeZ = 0;
};

// What the renderer holds for a texture once its resource has been created (UpdateResource).
class FTextureResource
{
public:
	FTextureResource(uint32 InSizeX, uint32 InSizeY) : SizeX(InSizeX), SizeY(InSizeY) {}
	virtual ~FTextureResource() = default;
	virtual uint32 GetSizeX() const { return SizeX; }
	virtual uint32 GetSizeY() const { return SizeY; }

private:
	uint32 SizeX;
	uint32 SizeY;
};
