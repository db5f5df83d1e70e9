#include "Engine/Texture2D.h"

#include "UObject/Package.h"

namespace
{
	// Bytes per pixel of the uncompressed formats the stand-in can hold; 0 for the others.
	int32 BytesPerPixel(EPixelFormat Format)
	{
		switch (Format)
		{
		case PF_G8:
		case PF_A8:
		case PF_L8:
		case PF_R8:
			return 1;
		case PF_R8G8:
		case PF_G16:
			return 2;
		case PF_B8G8R8A8:
		case PF_R8G8B8A8:
		case PF_A8R8G8B8:
		case PF_R32_FLOAT:
			return 4;
		case PF_FloatRGBA:
			return 8;
		case PF_A32B32G32R32F:
			return 16;
		default:
			return 0;
		}
	}
}

UTexture2D::~UTexture2D()
{
	delete PrivatePlatformData;
}

UTexture2D* UTexture2D::CreateTransient(int32 InSizeX, int32 InSizeY, EPixelFormat InFormat, const FName InName, TConstArrayView64<uint8> InImageData)
{
	const int32 PixelBytes = BytesPerPixel(InFormat);
	// A mip's size is held in 16 bits.
	if (InSizeX <= 0 || InSizeY <= 0 || InSizeX > 0xffff || InSizeY > 0xffff || PixelBytes == 0)
	{
		return nullptr;
	}
	const int64 NumBytes = int64(InSizeX) * InSizeY * PixelBytes;
	if (!InImageData.IsEmpty() && InImageData.Num() != NumBytes)
	{
		return nullptr;
	}

	UTexture2D* Texture = NewObject<UTexture2D>(GetTransientPackage(), InName, RF_Transient);
	FTexturePlatformData* PlatformData = new FTexturePlatformData();
	PlatformData->SizeX = InSizeX;
	PlatformData->SizeY = InSizeY;
	PlatformData->PixelFormat = InFormat;
	FTexture2DMipMap* Mip = new FTexture2DMipMap();
	Mip->SizeX = uint16(InSizeX);
	Mip->SizeY = uint16(InSizeY);
	Mip->SizeZ = 1;
	PlatformData->Mips.Add(Mip);
	Mip->BulkData.Lock(LOCK_READ_WRITE);
	uint8* Pixels = Mip->BulkData.Realloc(NumBytes);
	if (!InImageData.IsEmpty())
	{
		FMemory::Memcpy(Pixels, InImageData.GetData(), SIZE_T(NumBytes));
	}
	Mip->BulkData.Unlock();
	Texture->SetPlatformData(PlatformData);
	Texture->NeverStream = true;
	return Texture;
}

void UTexture2D::SetPlatformData(FTexturePlatformData* PlatformData)
{
	if (PlatformData != PrivatePlatformData)
	{
		delete PrivatePlatformData;
		PrivatePlatformData = PlatformData;
	}
}

void UTexture2D::UpdateResource()
{
	if (PrivatePlatformData != nullptr)
	{
		for (int32 Index = 0; Index < PrivatePlatformData->Mips.Num(); ++Index)
		{
			check(!PrivatePlatformData->Mips[Index].BulkData.IsLocked());
		}
	}
	Super::UpdateResource();
}
