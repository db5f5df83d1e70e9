#pragma once

#include "CoreTypes.h"
#include "Styling/ISlateStyle.h"
#include "Styling/SlateTypes.h"
#include "UObject/NameTypes.h"

// The application's style set: widgets with no explicit style take their defaults from it.
class FAppStyle
{
public:
	static const ISlateStyle& Get();
	template <class T>
	static const T& GetWidgetStyle(FName PropertyName, const ANSICHAR* Specifier = nullptr)
	{
		return Get().GetWidgetStyle<T>(PropertyName, Specifier);
	}
	static const FSlateBrush* GetBrush(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetBrush(PropertyName, Specifier); }
	static const FSlateBrush* GetNoBrush() { return Get().GetNoBrush(); }
	static const FLinearColor& GetColor(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetColor(PropertyName, Specifier); }
	static const FSlateColor GetSlateColor(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetSlateColor(PropertyName, Specifier); }
	static const FMargin& GetMargin(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetMargin(PropertyName, Specifier); }
	static float GetFloat(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetFloat(PropertyName, Specifier); }
	static FSlateFontInfo GetFontStyle(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetFontStyle(PropertyName, Specifier); }

	static const FName GetAppStyleSetName();
	// Makes a registered style set the application's.
	static void SetAppStyleSetName(const FName& InName);
	static void SetAppStyleSet(const ISlateStyle& InStyle);
};
