#include "Styling/SlateBrush.h"

// A brush with no resource draws a white 32 x 32 image: tinted, a solid rectangle.
FSlateBrush::FSlateBrush()
	: ImageSize(32, 32), TintColor(FLinearColor::White), DrawAs(ESlateBrushDrawType::Image), Tiling(ESlateBrushTileType::NoTile),
	  Mirroring(ESlateBrushMirrorType::NoMirror), ImageType(ESlateBrushImageType::NoImage)
{
}

FSlateBrush::FSlateBrush(ESlateBrushDrawType::Type InDrawType, const FName InResourceName, const FMargin& InMargin, ESlateBrushTileType::Type InTiling,
	ESlateBrushImageType::Type InImageType, const FVector2D& InImageSize, const FSlateColor& InTint, UObject* InObjectResource)
	: ImageSize(InImageSize), Margin(InMargin), TintColor(InTint), DrawAs(InDrawType), Tiling(InTiling), Mirroring(ESlateBrushMirrorType::NoMirror),
	  ImageType(InImageType), ResourceObject(InObjectResource), ResourceName(InResourceName)
{
}
