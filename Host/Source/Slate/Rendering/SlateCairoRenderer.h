#pragma once

#include "CoreMinimal.h"

class SWindow;

// A window's pixels: sRGB colours with straight alpha, rows top to bottom.
struct FSlateRenderedImage
{
	int32 Width = 0;
	int32 Height = 0;
	TArray<FColor> Pixels;

	const FColor& At(int32 X, int32 Y) const { return Pixels[Y * Width + X]; }
};

// Draws what a window painted in its last frame with cairo, as the editor's renderer draws
// the same elements: colours converted from linear to sRGB, blending in sRGB, rounded boxes
// with their outline inside the edge, disabled elements at 45% opacity.
class FSlateCairoRenderer
{
public:
	static FSlateRenderedImage RenderWindow(const SWindow& Window);
	static bool SavePNG(const FSlateRenderedImage& Image, const FString& Filename);
	// Reads a PNG.
	static bool LoadPNG(const FString& Filename, FSlateRenderedImage& OutImage);
};
