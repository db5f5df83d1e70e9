#pragma once

#include "CoreTypes.h"
#include "UObject/NameTypes.h"

// The base of the styles a style set holds by name (buttons, text, rows...).
struct FSlateWidgetStyle
{
	virtual ~FSlateWidgetStyle() = default;
	virtual const FName GetTypeName() const = 0;
};
