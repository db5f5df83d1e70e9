#pragma once

#include "Styling/SlateBrush.h"
#include "Types/SlateVector2.h"

#include <type_traits>

// A box with rounded corners and an optional outline drawn inside its edge. Without a
// radius the corners are rounded by half the box's height.
struct FSlateRoundedBoxBrush : public FSlateBrush
{
	template <typename FillColorType>
	FSlateRoundedBoxBrush(const FillColorType& InColor, const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f::ZeroVector)
		: FSlateBrush(ESlateBrushDrawType::RoundedBox, NAME_None, FMargin(0), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize,
			  FSlateColor(InColor))
	{
	}

	template <typename FillColorType, typename RadiusType>
		requires(std::is_arithmetic_v<RadiusType> || std::is_same_v<RadiusType, FVector4>)
	FSlateRoundedBoxBrush(const FillColorType& InColor, RadiusType InRadius, const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f::ZeroVector)
		: FSlateRoundedBoxBrush(InColor, InImageSize)
	{
		OutlineSettings = FSlateBrushOutlineSettings(Radii(InRadius));
	}

	template <typename FillColorType, typename OutlineColorType>
		requires(!std::is_arithmetic_v<OutlineColorType> && !std::is_same_v<OutlineColorType, FVector4>)
	FSlateRoundedBoxBrush(const FillColorType& InColor, const OutlineColorType& InOutlineColor, float InOutlineWidth, const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f::ZeroVector)
		: FSlateRoundedBoxBrush(InColor, InImageSize)
	{
		OutlineSettings = FSlateBrushOutlineSettings(FSlateColor(InOutlineColor), InOutlineWidth);
	}

	template <typename FillColorType, typename OutlineColorType, typename RadiusType>
		requires(std::is_arithmetic_v<RadiusType> || std::is_same_v<RadiusType, FVector4>)
	FSlateRoundedBoxBrush(const FillColorType& InColor, RadiusType InRadius, const OutlineColorType& InOutlineColor, float InOutlineWidth,
		const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f::ZeroVector)
		: FSlateRoundedBoxBrush(InColor, InImageSize)
	{
		OutlineSettings = FSlateBrushOutlineSettings(Radii(InRadius), FSlateColor(InOutlineColor), InOutlineWidth);
	}

private:
	static FVector4 Radii(const FVector4& InRadii) { return InRadii; }
	template <typename RadiusType>
		requires std::is_arithmetic_v<RadiusType>
	static FVector4 Radii(RadiusType InRadius)
	{
		return FVector4(double(InRadius), double(InRadius), double(InRadius), double(InRadius));
	}
};
