#pragma once

#include "Styling/SlateBrush.h"

// A solid rectangle of one colour.
struct FSlateColorBrush : public FSlateBrush
{
	FSlateColorBrush(const FLinearColor& InColor) : FSlateColorBrush(FSlateColor(InColor)) {}
	FSlateColorBrush(const FColor& InColor) : FSlateColorBrush(FSlateColor(InColor)) {}
	FSlateColorBrush(const FSlateColor& InColor)
		: FSlateBrush(ESlateBrushDrawType::Image, NAME_None, FMargin(0), ESlateBrushTileType::NoTile, ESlateBrushImageType::FullColor, FVector2D(0, 0), InColor)
	{
	}
};
