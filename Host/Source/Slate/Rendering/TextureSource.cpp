#include "Slate/Rendering/TextureSource.h"

#include "Engine/Texture2D.h"
#include "Templates/Casts.h"

bool UE::Slate::ReadTexturePixels(UObject* Resource, FTexturePixels& OutPixels)
{
	const UTexture2D* Texture = Cast<UTexture2D>(Resource);
	if (Texture == nullptr || Texture->GetResource() == nullptr || Texture->GetPlatformData() == nullptr || Texture->GetPlatformData()->Mips.Num() == 0)
	{
		return false;
	}
	const FTexturePlatformData& Data = *Texture->GetPlatformData();
	const EPixelFormat Format = Data.PixelFormat;
	const FTexture2DMipMap& Mip = Data.Mips[0];
	const int64 Count = int64(Mip.SizeX) * Mip.SizeY;
	if ((Format != PF_B8G8R8A8 && Format != PF_R8G8B8A8) || Count == 0 || Mip.BulkData.IsLocked() || Mip.BulkData.GetBulkDataSize() < Count * 4)
	{
		return false;
	}
	const uint8* Bytes = static_cast<const uint8*>(Mip.BulkData.LockReadOnly());
	OutPixels.Width = Mip.SizeX;
	OutPixels.Height = Mip.SizeY;
	OutPixels.Pixels.SetNum(int32(Count));
	for (int64 Index = 0; Index < Count; ++Index)
	{
		const uint8* Pixel = Bytes + Index * 4;
		OutPixels.Pixels[int32(Index)] = Format == PF_B8G8R8A8 ? FColor(Pixel[2], Pixel[1], Pixel[0], Pixel[3]) : FColor(Pixel[0], Pixel[1], Pixel[2], Pixel[3]);
	}
	Mip.BulkData.Unlock();
	return true;
}
