#pragma once

#include "CoreMinimal.h"

#include <cairo.h>

class UObject;

namespace UE::Slate
{
	// A brush's texture resource as a cairo surface of Width x Height pixels (premultiplied,
	// multiplied by the tint's sRGB colour, scaled with bilinear filtering), or null when it
	// cannot be drawn: only a 2D texture whose render resource was made (UpdateResource) and
	// whose first mip is 8-bit BGRA or RGBA is drawn. Surfaces are kept while their texture,
	// its resource, its pixels, the tint and the size stay the same; the one returned is valid
	// until the next call.
	cairo_surface_t* GetTextureSurface(UObject* Resource, const FColor& Tint, int32 Width, int32 Height);
}
