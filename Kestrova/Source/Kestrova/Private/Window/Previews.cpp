#include "Window/LibraryWindow.h"

#include "Client/KestrovaClient.h"
#include "Platform/WebP.h"

#include "Engine/Texture2D.h"
#include "HAL/UnrealMemory.h"
#include "Slate/DeferredCleanupSlateBrush.h"

#include <vector>

namespace
{
	constexpr int32 MaxFetches = 2;
	constexpr int32 MaxQueued = 96;
	constexpr int32 MaxCached = 96;
	constexpr int64 MaxCachedBytes = 67108864;
	constexpr int32 MaxFailed = 256;
}

void SKVALibrary::GetPreview(const FString& Url)
{
	if (Url.IsEmpty() || Previews.Contains(Url) || PreviewsLoading.Contains(Url) || PreviewsFailed.Contains(Url))
	{
		return;
	}
	if (PreviewsLoading.Num() < MaxFetches)
	{
		PreviewsLoading.Add(Url);
		const FHandle Handle(Life);
		Client->Preview(Url, [Handle, Url](TArray<uint8> Bytes, const FString& InCode)
		{
			if (SKVALibrary* Window = Handle.Get())
			{
				Window->Previewed(Url, MoveTemp(Bytes), InCode);
			}
		});
		return;
	}
	// A full queue drops the request; the tile asks again when it is built again.
	if (PreviewQueue.Num() < MaxQueued && !PreviewQueue.Contains(Url))
	{
		PreviewQueue.Add(Url);
	}
}

void SKVALibrary::Previewed(const FString& Url, TArray<uint8> Bytes, const FString& InCode)
{
	PreviewsLoading.Remove(Url);
	const TSharedPtr<FPreview> Preview = InCode.IsEmpty() ? Decode(MoveTemp(Bytes)) : nullptr;
	if (Preview.IsValid())
	{
		while ((PreviewBytes + Preview->Bytes > MaxCachedBytes || Previews.Num() >= MaxCached) && !Previews.IsEmpty())
		{
			PreviewBytes -= (*Previews.FindOldest())->Bytes;
			Previews.RemoveOldest();
		}
		PreviewBytes += Preview->Bytes;
		Previews.Add(Url, Preview);
	}
	else if (PreviewsFailed.Num() < MaxFailed)
	{
		PreviewsFailed.Add(Url);
	}
	// Tiles read the cache when they paint; the queue moves on by one.
	if (!PreviewQueue.IsEmpty())
	{
		const FString Next = PreviewQueue[0];
		PreviewQueue.RemoveAt(0);
		GetPreview(Next);
	}
}

TSharedPtr<SKVALibrary::FPreview> SKVALibrary::Decode(TArray<uint8> Bytes)
{
	int32 Width = 0;
	int32 Height = 0;
	std::vector<uint8_t> Pixels;
	if (!KVAPlatform::DecodeWebP(std::vector<uint8_t>(Bytes.GetData(), Bytes.GetData() + Bytes.Num()), Width, Height, Pixels))
	{
		return nullptr;
	}
	UTexture2D* Texture = UTexture2D::CreateTransient(Width, Height, PF_B8G8R8A8);
	if (!Texture || !Texture->GetPlatformData() || Texture->GetPlatformData()->Mips.Num() < 1)
	{
		return nullptr;
	}
	FTexture2DMipMap& Mip = Texture->GetPlatformData()->Mips[0];
	void* Target = Mip.BulkData.Lock(LOCK_READ_WRITE);
	FMemory::Memcpy(Target, Pixels.data(), Pixels.size());
	Mip.BulkData.Unlock();
	Texture->UpdateResource();

	TSharedPtr<FPreview> Preview = MakeShared<FPreview>();
	Preview->Texture.Reset(Texture);
	Preview->Bytes = int64(Width) * int64(Height) * 4;
	Preview->Brush = FDeferredCleanupSlateBrush::CreateBrush(Texture, FVector2D(Width, Height), FLinearColor(1, 1, 1, 1),
		ESlateBrushTileType::NoTile, ESlateBrushImageType::FullColor, ESlateBrushDrawType::Image, FMargin(0.0f));
	return Preview;
}
