#pragma once

#include "CoreTypes.h"
#include "Math/Color.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"

class UObject;
struct FCompositeFont;

struct FFontOutlineSettings
{
	FFontOutlineSettings() = default;
	FFontOutlineSettings(int32 InOutlineSize, FLinearColor InColor = FLinearColor::Black) : OutlineSize(InOutlineSize), OutlineColor(InColor) {}
	bool operator==(const FFontOutlineSettings& Other) const { return OutlineSize == Other.OutlineSize && OutlineColor == Other.OutlineColor; }

	static const FFontOutlineSettings NoOutline;

	int32 OutlineSize = 0;
	FLinearColor OutlineColor = FLinearColor::Black;
};

inline const FFontOutlineSettings FFontOutlineSettings::NoOutline;

// A font: a composite font (here always the editor's default, the Roboto family) in one typeface
// ("Regular", "Bold", ...) at a size in points, where a point is 96/72 Slate units.
struct FSlateFontInfo
{
	FSlateFontInfo() = default;
	FSlateFontInfo(TSharedPtr<const FCompositeFont> InCompositeFont, const float InSize, const FName& InTypefaceFontName = NAME_None,
		const FFontOutlineSettings& InOutlineSettings = FFontOutlineSettings())
		: CompositeFont(InCompositeFont), OutlineSettings(InOutlineSettings), TypefaceFontName(InTypefaceFontName), Size(InSize)
	{
	}

	bool HasValidFont() const { return CompositeFont.IsValid() || FontObject != nullptr; }
	bool operator==(const FSlateFontInfo& Other) const
	{
		return CompositeFont == Other.CompositeFont && FontObject == Other.FontObject && OutlineSettings == Other.OutlineSettings
			&& TypefaceFontName == Other.TypefaceFontName && Size == Other.Size && LetterSpacing == Other.LetterSpacing && SkewAmount == Other.SkewAmount;
	}
	bool operator!=(const FSlateFontInfo& Other) const { return !(*this == Other); }

	TSharedPtr<const FCompositeFont> CompositeFont;
	const UObject* FontObject = nullptr;
	FFontOutlineSettings OutlineSettings;
	FName TypefaceFontName;
	float Size = 24.0f;
	int32 LetterSpacing = 0;
	float SkewAmount = 0.0f;
};
