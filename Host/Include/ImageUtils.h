#pragma once

#include "Containers/ArrayView.h"
#include "CoreMinimal.h"

// The engine's image helpers the stand-in has: PNG compression of 8-bit colour rows.
class FImageUtils
{
public:
	// Rows top to bottom, each ImageWidth colours; DstData receives the PNG file's bytes (left
	// empty when the sizes do not describe SrcData).
	static void PNGCompressImageArray(int32 ImageWidth, int32 ImageHeight, const TArrayView64<const FColor>& SrcData, TArray64<uint8>& DstData);
};
