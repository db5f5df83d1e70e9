#pragma once

#include "CoreTypes.h"
#include "Math/Color.h"
#include "Misc/Attribute.h"
#include "Styling/SlateColor.h"

// What painting passes down the tree: the accumulated colour tint and the foreground colour
// that text and icons using the foreground take.
class FWidgetStyle
{
public:
	FWidgetStyle() = default;

	FWidgetStyle& BlendColorAndOpacityTint(const FLinearColor& InTint);
	FWidgetStyle& SetColorAndOpacityTint(const FLinearColor& InTint)
	{
		ColorAndOpacityTint = InTint;
		return *this;
	}
	// Evaluates the colour against this style, so that a foreground may itself use the foreground.
	FWidgetStyle& SetForegroundColor(const TAttribute<FSlateColor>& InForeground);
	FWidgetStyle& SetSubduedForegroundColor(const TAttribute<FSlateColor>& InSubduedForeground);

	const FLinearColor& GetColorAndOpacityTint() const { return ColorAndOpacityTint; }
	const FLinearColor& GetForegroundColor() const { return ForegroundColor; }
	const FLinearColor& GetSubduedForegroundColor() const { return SubduedForegroundColor; }

private:
	FLinearColor ColorAndOpacityTint = FLinearColor::White;
	FLinearColor ForegroundColor = FLinearColor::White;
	FLinearColor SubduedForegroundColor = FLinearColor(1.0f, 1.0f, 1.0f, 0.45f);
};
