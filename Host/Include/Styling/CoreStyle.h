#pragma once

#include "CoreTypes.h"
#include "Fonts/CompositeFont.h"
#include "Fonts/SlateFontInfo.h"
#include "Styling/ISlateStyle.h"
#include "Templates/SharedPointer.h"

// The core style: the editor's default look for every widget (the Starship style).
class FCoreStyle
{
public:
	// The application style (the core style unless another was made the application's).
	static const ISlateStyle& Get();
	static const ISlateStyle& GetCoreStyle();
	static TSharedRef<const FCompositeFont> GetDefaultFont();
	static FSlateFontInfo GetDefaultFontStyle(const FName InTypefaceFontName, const float InSize, const FFontOutlineSettings& InOutlineSettings = FFontOutlineSettings());
};
