#pragma once

#include "CoreTypes.h"
#include "Fonts/SlateFontInfo.h"
#include "Layout/Margin.h"
#include "Math/Color.h"
#include "Styling/SlateBrush.h"
#include "Styling/SlateColor.h"
#include "Styling/SlateWidgetStyle.h"
#include "UObject/NameTypes.h"

// A named set of styles, brushes, colours and numbers that widgets look up by name. A
// specifier, when given, is appended to the name ("Button" + ".Hovered").
class ISlateStyle
{
public:
	virtual ~ISlateStyle() = default;

	virtual const FName& GetStyleSetName() const = 0;

	template <typename WidgetStyleType>
	const WidgetStyleType& GetWidgetStyle(FName PropertyName, const ANSICHAR* Specifier = nullptr, const WidgetStyleType* DefaultValue = nullptr) const
	{
		const FSlateWidgetStyle* Found = GetWidgetStyleInternal(WidgetStyleType::TypeName, Join(PropertyName, Specifier));
		if (Found != nullptr)
		{
			return static_cast<const WidgetStyleType&>(*Found);
		}
		return DefaultValue != nullptr ? *DefaultValue : WidgetStyleType::GetDefault();
	}
	template <typename WidgetStyleType>
	bool HasWidgetStyle(FName PropertyName, const ANSICHAR* Specifier = nullptr) const
	{
		return GetWidgetStyleInternal(WidgetStyleType::TypeName, Join(PropertyName, Specifier)) != nullptr;
	}

	virtual const FSlateBrush* GetBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const = 0;
	virtual const FSlateBrush* GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const FSlateBrush* const DefaultBrush = nullptr) const = 0;
	virtual const FSlateBrush* GetNoBrush() const = 0;
	virtual const FLinearColor& GetColor(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const = 0;
	virtual const FSlateColor GetSlateColor(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const = 0;
	virtual const FMargin& GetMargin(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const = 0;
	virtual float GetFloat(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const = 0;
	virtual FSlateFontInfo GetFontStyle(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const = 0;

protected:
	virtual const FSlateWidgetStyle* GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName) const = 0;
	static FName Join(FName First, const ANSICHAR* Second);
};
