#pragma once

#include "CoreTypes.h"
#include "Misc/EnumClassFlags.h"

// How an element is drawn; DisabledEffect draws it at 45% of its opacity, as the editor's
// element shader does.
enum class ESlateDrawEffect : uint8
{
	None = 0,
	NoBlending = 1 << 0,
	PreMultipliedAlpha = 1 << 1,
	NoGamma = 1 << 2,
	InvertAlpha = 1 << 3,
	NoPixelSnapping = 1 << 4,
	DisabledEffect = 1 << 5,
	IgnoreTextureAlpha = 1 << 6,
	ReverseGamma = 1 << 7,
};
ENUM_CLASS_FLAGS(ESlateDrawEffect)
