#include "ImageUtils.h"

#include <cairo.h>

void FImageUtils::PNGCompressImageArray(int32 ImageWidth, int32 ImageHeight, const TArrayView64<const FColor>& SrcData, TArray64<uint8>& DstData)
{
	DstData.Reset();
	if (ImageWidth <= 0 || ImageHeight <= 0 || SrcData.Num() != int64(ImageWidth) * ImageHeight)
	{
		return;
	}
	// Cairo keeps premultiplied ARGB in native order, which on little-endian hosts is the byte
	// order of FColor (blue, green, red, alpha).
	cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, ImageWidth, ImageHeight);
	cairo_surface_flush(Surface);
	unsigned char* Pixels = cairo_image_surface_get_data(Surface);
	const int32 Stride = cairo_image_surface_get_stride(Surface);
	for (int32 Y = 0; Y < ImageHeight; ++Y)
	{
		uint8* Row = Pixels + int64(Y) * Stride;
		for (int32 X = 0; X < ImageWidth; ++X)
		{
			const FColor& Colour = SrcData[int64(Y) * ImageWidth + X];
			Row[X * 4 + 0] = uint8((Colour.B * Colour.A + 127) / 255);
			Row[X * 4 + 1] = uint8((Colour.G * Colour.A + 127) / 255);
			Row[X * 4 + 2] = uint8((Colour.R * Colour.A + 127) / 255);
			Row[X * 4 + 3] = Colour.A;
		}
	}
	cairo_surface_mark_dirty(Surface);
	cairo_surface_write_to_png_stream(Surface, [](void* Closure, const unsigned char* Data, unsigned int Length)
	{
		static_cast<TArray64<uint8>*>(Closure)->Append(Data, int32(Length));
		return CAIRO_STATUS_SUCCESS;
	}, &DstData);
	cairo_surface_destroy(Surface);
}
