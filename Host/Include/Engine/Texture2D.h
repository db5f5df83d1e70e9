#pragma once

#include "Containers/ArrayView.h"
#include "Engine/Texture.h"

class UTexture2D : public UTexture
{
	DECLARE_HOST_CLASS(UTexture2D, UTexture, TEXT("/Script/Engine"))

public:
	virtual ~UTexture2D() override;
	// Refuses while a mip level is locked, as the render thread could not read it.
	virtual void UpdateResource() override;

	// A new texture in the transient package with one mip level of the given size, filled with
	// InImageData when given (it must hold exactly the mip's bytes). Null when the size is not
	// positive or the format has no fixed number of bytes per pixel in the stand-in.
	static UTexture2D* CreateTransient(int32 InSizeX, int32 InSizeY, EPixelFormat InFormat = PF_B8G8R8A8, const FName InName = NAME_None,
		TConstArrayView64<uint8> InImageData = TConstArrayView64<uint8>());

	FTexturePlatformData* GetPlatformData() { return PrivatePlatformData; }
	const FTexturePlatformData* GetPlatformData() const { return PrivatePlatformData; }
	// Takes ownership of PlatformData.
	void SetPlatformData(FTexturePlatformData* PlatformData);
	int32 GetSizeX() const { return PrivatePlatformData != nullptr ? PrivatePlatformData->SizeX : 0; }
	int32 GetSizeY() const { return PrivatePlatformData != nullptr ? PrivatePlatformData->SizeY : 0; }
	EPixelFormat GetPixelFormat() const { return PrivatePlatformData != nullptr ? PrivatePlatformData->PixelFormat : PF_Unknown; }

protected:
	virtual uint32 GetSurfaceWidth() const override { return uint32(GetSizeX()); }
	virtual uint32 GetSurfaceHeight() const override { return uint32(GetSizeY()); }

private:
	FTexturePlatformData* PrivatePlatformData = nullptr;
};
