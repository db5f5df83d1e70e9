#include "Slate/Rendering/TextureSource.h"

#include "Engine/Texture2D.h"
#include "Templates/Casts.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <unordered_map>

namespace
{
	// Surfaces stay until this many bytes of them are kept, then the least recently drawn go.
	constexpr int64 MaxCachedBytes = int64(128) << 20;

	struct FCachedSurface
	{
		TWeakObjectPtr<UObject> Texture;
		FColor Tint;
		EPixelFormat Format = PF_Unknown;
		TArray<uint8> Source;
		cairo_surface_t* Surface = nullptr;
		cairo_surface_t* Scaled = nullptr;
		uint64 LastUse = 0;
	};

	class FSurfaceCache
	{
	public:
		~FSurfaceCache()
		{
			for (auto& Pair : Entries)
			{
				DestroySurfaces(Pair.second);
			}
		}

		cairo_surface_t* Get(UObject* Resource, const FColor& Tint, int32 Width, int32 Height)
		{
			if (Width <= 0 || Height <= 0)
			{
				return nullptr;
			}
			const UTexture2D* Texture = Cast<UTexture2D>(Resource);
			if (Texture == nullptr || Texture->GetResource() == nullptr || Texture->GetPlatformData() == nullptr
				|| Texture->GetPlatformData()->Mips.Num() == 0)
			{
				return nullptr;
			}
			const FTexturePlatformData& Data = *Texture->GetPlatformData();
			const FTexture2DMipMap& Mip = Data.Mips[0];
			const int64 Bytes = int64(Mip.SizeX) * Mip.SizeY * 4;
			if ((Data.PixelFormat != PF_B8G8R8A8 && Data.PixelFormat != PF_R8G8B8A8) || Bytes == 0 || Mip.BulkData.IsLocked()
				|| Mip.BulkData.GetBulkDataSize() < Bytes)
			{
				return nullptr;
			}
			const uint8* Pixels = static_cast<const uint8*>(Mip.BulkData.LockReadOnly());
			FCachedSurface& Entry = Entries[Texture->GetResource()];
			const bool bSame = Entry.Surface != nullptr && Entry.Texture.Get() == Resource && Entry.Tint == Tint && Entry.Format == Data.PixelFormat
				&& Entry.Source.Num() == Bytes && std::memcmp(Entry.Source.GetData(), Pixels, size_t(Bytes)) == 0;
			if (!bSame)
			{
				Rebuild(Entry, Resource, Tint, Data.PixelFormat, Mip.SizeX, Mip.SizeY, Pixels, Bytes);
			}
			Mip.BulkData.Unlock();
			Entry.LastUse = ++Clock;
			cairo_surface_t* Surface = Scale(Entry, Width, Height);
			Trim();
			return Surface;
		}

	private:
		// Straight-alpha texels, multiplied by the tint, premultiplied as cairo wants them.
		void Rebuild(FCachedSurface& Entry, UObject* Resource, const FColor& Tint, EPixelFormat Format, int32 Width, int32 Height, const uint8* Pixels, int64 Bytes)
		{
			if (Entry.Surface != nullptr)
			{
				CachedBytes -= Entry.Source.Num() * 2;
				DestroySurfaces(Entry);
			}
			Entry.Texture = Resource;
			Entry.Tint = Tint;
			Entry.Format = Format;
			Entry.Source.SetNum(int32(Bytes));
			std::memcpy(Entry.Source.GetData(), Pixels, size_t(Bytes));
			Entry.Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
			cairo_surface_flush(Entry.Surface);
			uint8* Out = cairo_image_surface_get_data(Entry.Surface);
			const int32 Stride = cairo_image_surface_get_stride(Entry.Surface);
			const bool bBGRA = Format == PF_B8G8R8A8;
			auto Channel = [](uint32 Value, uint32 TintValue, uint32 Alpha) { return (Value * TintValue * Alpha + 32512) / 65025; };
			for (int32 Row = 0; Row < Height; ++Row)
			{
				uint32* OutRow = reinterpret_cast<uint32*>(Out + Row * Stride);
				const uint8* In = Pixels + int64(Row) * Width * 4;
				for (int32 Column = 0; Column < Width; ++Column, In += 4)
				{
					const uint32 R = bBGRA ? In[2] : In[0];
					const uint32 B = bBGRA ? In[0] : In[2];
					const uint32 A = In[3];
					OutRow[Column] = (A << 24) | (Channel(R, Tint.R, A) << 16) | (Channel(In[1], Tint.G, A) << 8) | Channel(B, Tint.B, A);
				}
			}
			cairo_surface_mark_dirty(Entry.Surface);
			CachedBytes += Bytes * 2;
		}

		// The surface at the size it is drawn at, scaled once rather than at every frame.
		cairo_surface_t* Scale(FCachedSurface& Entry, int32 Width, int32 Height)
		{
			const int32 SourceWidth = cairo_image_surface_get_width(Entry.Surface);
			const int32 SourceHeight = cairo_image_surface_get_height(Entry.Surface);
			if (Width == SourceWidth && Height == SourceHeight)
			{
				return Entry.Surface;
			}
			if (Entry.Scaled != nullptr && cairo_image_surface_get_width(Entry.Scaled) == Width && cairo_image_surface_get_height(Entry.Scaled) == Height)
			{
				return Entry.Scaled;
			}
			if (Entry.Scaled != nullptr)
			{
				CachedBytes -= int64(cairo_image_surface_get_width(Entry.Scaled)) * cairo_image_surface_get_height(Entry.Scaled) * 4;
				cairo_surface_destroy(Entry.Scaled);
			}
			Entry.Scaled = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
			cairo_t* Cairo = cairo_create(Entry.Scaled);
			cairo_scale(Cairo, double(Width) / SourceWidth, double(Height) / SourceHeight);
			cairo_set_source_surface(Cairo, Entry.Surface, 0, 0);
			cairo_pattern_set_filter(cairo_get_source(Cairo), CAIRO_FILTER_BILINEAR);
			cairo_pattern_set_extend(cairo_get_source(Cairo), CAIRO_EXTEND_PAD);
			cairo_set_operator(Cairo, CAIRO_OPERATOR_SOURCE);
			cairo_paint(Cairo);
			cairo_destroy(Cairo);
			CachedBytes += int64(Width) * Height * 4;
			return Entry.Scaled;
		}

		void DestroySurfaces(FCachedSurface& Entry)
		{
			cairo_surface_destroy(Entry.Surface);
			if (Entry.Scaled != nullptr)
			{
				CachedBytes -= int64(cairo_image_surface_get_width(Entry.Scaled)) * cairo_image_surface_get_height(Entry.Scaled) * 4;
				cairo_surface_destroy(Entry.Scaled);
			}
			Entry.Surface = nullptr;
			Entry.Scaled = nullptr;
		}

		// Drops surfaces of textures that are gone, then the least recently drawn while the
		// cache is too large (never the one just drawn).
		void Trim()
		{
			for (auto It = Entries.begin(); It != Entries.end();)
			{
				It = It->second.Texture.IsValid() ? std::next(It) : Erase(It);
			}
			while (CachedBytes > MaxCachedBytes)
			{
				const auto Oldest = std::min_element(Entries.begin(), Entries.end(),
					[](const auto& A, const auto& B) { return A.second.LastUse < B.second.LastUse; });
				if (Oldest->second.LastUse == Clock)
				{
					break;
				}
				Erase(Oldest);
			}
		}

		using FEntries = std::unordered_map<const void*, FCachedSurface>;
		FEntries::iterator Erase(FEntries::iterator It)
		{
			CachedBytes -= It->second.Source.Num() * 2;
			DestroySurfaces(It->second);
			return Entries.erase(It);
		}

		FEntries Entries;
		int64 CachedBytes = 0;
		uint64 Clock = 0;
	};
}

cairo_surface_t* UE::Slate::GetTextureSurface(UObject* Resource, const FColor& Tint, int32 Width, int32 Height)
{
	static FSurfaceCache Cache;
	return Cache.Get(Resource, Tint, Width, Height);
}
