#include "Styling/SlateColor.h"

#include "SlateCore/ColorMath.h"

#include "Styling/StyleColors.h"
#include "Styling/WidgetStyle.h"

FLinearColor FSlateColor::GetColor(const FWidgetStyle& InWidgetStyle) const
{
	switch (ColorUseRule)
	{
	case ESlateColorStylingMode::UseColor_ColorTable:
		return FStyleColors::GetColor(ColorTableId);
	case ESlateColorStylingMode::UseColor_Foreground:
	case ESlateColorStylingMode::UseColor_UseStyle:
		return InWidgetStyle.GetForegroundColor();
	case ESlateColorStylingMode::UseColor_Foreground_Subdued:
		return InWidgetStyle.GetSubduedForegroundColor();
	default:
		return GetSpecifiedColor();
	}
}

const FLinearColor& FSlateColor::GetSpecifiedColor() const
{
	if (ColorUseRule == ESlateColorStylingMode::UseColor_ColorTable)
	{
		return FStyleColors::GetColor(ColorTableId);
	}
	return LinkedSpecifiedColor.IsValid() ? *LinkedSpecifiedColor : SpecifiedColor;
}

bool FSlateColor::operator==(const FSlateColor& Other) const
{
	if (ColorUseRule != Other.ColorUseRule)
	{
		return false;
	}
	switch (ColorUseRule)
	{
	case ESlateColorStylingMode::UseColor_Specified:
		return GetSpecifiedColor() == Other.GetSpecifiedColor();
	case ESlateColorStylingMode::UseColor_ColorTable:
		return ColorTableId == Other.ColorTableId;
	default:
		return true;
	}
}

FWidgetStyle& FWidgetStyle::BlendColorAndOpacityTint(const FLinearColor& InTint)
{
	ColorAndOpacityTint = UE::Slate::Modulate(ColorAndOpacityTint, InTint);
	return *this;
}

FWidgetStyle& FWidgetStyle::SetForegroundColor(const TAttribute<FSlateColor>& InForeground)
{
	if (InForeground.IsSet())
	{
		ForegroundColor = InForeground.Get().GetColor(*this);
		// The subdued foreground is the foreground at lower opacity.
		SubduedForegroundColor = ForegroundColor.CopyWithNewOpacity(ForegroundColor.A * 0.45f);
	}
	return *this;
}

FWidgetStyle& FWidgetStyle::SetSubduedForegroundColor(const TAttribute<FSlateColor>& InSubduedForeground)
{
	if (InSubduedForeground.IsSet())
	{
		SubduedForegroundColor = InSubduedForeground.Get().GetColor(*this);
	}
	return *this;
}
