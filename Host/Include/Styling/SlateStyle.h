#pragma once

#include "CoreTypes.h"
#include "Containers/Map.h"
#include "Styling/ISlateStyle.h"
#include "Templates/SharedPointer.h"

#include <memory>

// A style set filled in code: widget styles, brushes, colours, margins, numbers and fonts by
// name. Brushes handed to Set are owned by the set from then on.
class FSlateStyleSet : public ISlateStyle
{
public:
	explicit FSlateStyleSet(const FName& InStyleSetName);
	~FSlateStyleSet() override;

	const FName& GetStyleSetName() const override { return StyleSetName; }

	template <typename DefinitionType>
		requires std::is_base_of_v<FSlateWidgetStyle, DefinitionType>
	void Set(const FName PropertyName, const DefinitionType& InStyleDefintion)
	{
		WidgetStyleValues.Add(PropertyName, std::make_shared<DefinitionType>(InStyleDefintion));
	}
	void Set(const FName PropertyName, FSlateBrush* InBrush);
	void Set(const FName PropertyName, const FLinearColor& InColor) { ColorValues.Add(PropertyName, InColor); }
	void Set(const FName PropertyName, const FSlateColor& InColor) { SlateColorValues.Add(PropertyName, InColor); }
	void Set(const FName PropertyName, const FMargin& InMargin) { MarginValues.Add(PropertyName, InMargin); }
	void Set(const FName PropertyName, float InFloat) { FloatValues.Add(PropertyName, InFloat); }
	void Set(const FName PropertyName, const FSlateFontInfo& InFontInfo) { FontInfoValues.Add(PropertyName, InFontInfo); }

	const FSlateBrush* GetBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const override;
	const FSlateBrush* GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const FSlateBrush* const DefaultBrush = nullptr) const override;
	const FSlateBrush* GetNoBrush() const override;
	const FLinearColor& GetColor(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const override;
	const FSlateColor GetSlateColor(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const override;
	const FMargin& GetMargin(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const override;
	float GetFloat(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const override;
	FSlateFontInfo GetFontStyle(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const override;

protected:
	const FSlateWidgetStyle* GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName) const override;

private:
	FName StyleSetName;
	TMap<FName, std::shared_ptr<FSlateWidgetStyle>> WidgetStyleValues;
	TMap<FName, std::unique_ptr<FSlateBrush>> BrushResources;
	TMap<FName, FLinearColor> ColorValues;
	TMap<FName, FSlateColor> SlateColorValues;
	TMap<FName, FMargin> MarginValues;
	TMap<FName, float> FloatValues;
	TMap<FName, FSlateFontInfo> FontInfoValues;
};
