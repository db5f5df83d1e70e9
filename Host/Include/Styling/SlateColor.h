#pragma once

#include "CoreTypes.h"
#include "Math/Color.h"
#include "Templates/SharedPointer.h"

class FWidgetStyle;
enum class EStyleColor : uint8;

enum class ESlateColorStylingMode : uint8
{
	UseColor_Specified,
	UseColor_ColorTable,
	UseColor_Foreground,
	UseColor_Foreground_Subdued,
	UseColor_UseStyle,
};

// A colour for a widget: a given colour, one of the theme's named colours, or whatever
// foreground the enclosing widgets set.
struct FSlateColor
{
	FSlateColor() : SpecifiedColor(1.0f, 0.0f, 1.0f), ColorUseRule(ESlateColorStylingMode::UseColor_Specified) {}
	FSlateColor(const FLinearColor& InColor) : SpecifiedColor(InColor), ColorUseRule(ESlateColorStylingMode::UseColor_Specified) {}
	FSlateColor(const FColor InColor) : FSlateColor(FLinearColor::FromSRGBColor(InColor)) {}
	FSlateColor(const TSharedRef<FLinearColor>& InColor) : LinkedSpecifiedColor(InColor), ColorUseRule(ESlateColorStylingMode::UseColor_Specified) {}
	FSlateColor(EStyleColor InColorTableId) : ColorTableId(InColorTableId), ColorUseRule(ESlateColorStylingMode::UseColor_ColorTable) {}

	static FSlateColor UseForeground() { return FSlateColor(ESlateColorStylingMode::UseColor_Foreground); }
	static FSlateColor UseSubduedForeground() { return FSlateColor(ESlateColorStylingMode::UseColor_Foreground_Subdued); }
	static FSlateColor UseStyle() { return FSlateColor(ESlateColorStylingMode::UseColor_UseStyle); }

	// The colour in the given style: the foreground for the foreground modes.
	FLinearColor GetColor(const FWidgetStyle& InWidgetStyle) const;
	const FLinearColor& GetSpecifiedColor() const;
	bool IsColorSpecified() const { return ColorUseRule == ESlateColorStylingMode::UseColor_Specified || ColorUseRule == ESlateColorStylingMode::UseColor_ColorTable; }
	ESlateColorStylingMode GetColorUseRule() const { return ColorUseRule; }

	bool operator==(const FSlateColor& Other) const;
	bool operator!=(const FSlateColor& Other) const { return !(*this == Other); }

private:
	explicit FSlateColor(ESlateColorStylingMode InRule) : SpecifiedColor(1.0f, 0.0f, 1.0f), ColorUseRule(InRule) {}

	FLinearColor SpecifiedColor;
	TSharedPtr<FLinearColor> LinkedSpecifiedColor;
	EStyleColor ColorTableId{};
	ESlateColorStylingMode ColorUseRule;
};
