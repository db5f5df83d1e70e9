#pragma once

#include "Styling/SlateBrush.h"
#include "Types/SlateVector2.h"

// An image brush that names an image resource of the editor's style (a path without its
// extension). The stand-in has none of the editor's image files; its renderer draws the few
// it knows (check mark, chevrons) as vector shapes in the brush's tint and nothing for others.
struct FSlateImageBrush : public FSlateBrush
{
	FSlateImageBrush(const FName& InImageName, const UE::Slate::FDeprecateVector2DParameter& InImageSize,
		const FSlateColor& InTint = FSlateColor(FLinearColor(1, 1, 1, 1)), ESlateBrushTileType::Type InTiling = ESlateBrushTileType::NoTile,
		ESlateBrushImageType::Type InImageType = ESlateBrushImageType::FullColor)
		: FSlateBrush(ESlateBrushDrawType::Image, InImageName, FMargin(0), InTiling, InImageType, InImageSize, InTint)
	{
	}
};

struct FSlateVectorImageBrush : public FSlateImageBrush
{
	FSlateVectorImageBrush(const FName& InImageName, const UE::Slate::FDeprecateVector2DParameter& InImageSize,
		const FSlateColor& InTint = FSlateColor(FLinearColor(1, 1, 1, 1)), ESlateBrushTileType::Type InTiling = ESlateBrushTileType::NoTile)
		: FSlateImageBrush(InImageName, InImageSize, InTint, InTiling, ESlateBrushImageType::Vector)
	{
	}
};
