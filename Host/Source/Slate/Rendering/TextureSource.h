#pragma once

#include "CoreMinimal.h"

class UObject;

namespace UE::Slate
{
	// A texture's first mip as sRGB colours with straight alpha.
	struct FTexturePixels
	{
		int32 Width = 0;
		int32 Height = 0;
		TArray<FColor> Pixels;
	};

	// Reads a brush's texture resource: a 2D texture whose render resource was made
	// (UpdateResource) and whose first mip is in an 8-bit BGRA or RGBA format. False for
	// anything else, which is then not drawn.
	bool ReadTexturePixels(UObject* Resource, FTexturePixels& OutPixels);
}
