#include "Styling/SlateStyle.h"
#include "Styling/SlateStyleRegistry.h"

#include "Brushes/SlateNoResource.h"

FName ISlateStyle::Join(FName First, const ANSICHAR* Second)
{
	return Second == nullptr ? First : FName(First.ToString() + FString(Second));
}

FSlateStyleSet::FSlateStyleSet(const FName& InStyleSetName) : StyleSetName(InStyleSetName) {}

FSlateStyleSet::~FSlateStyleSet() = default;

void FSlateStyleSet::Set(const FName PropertyName, FSlateBrush* InBrush)
{
	BrushResources.Add(PropertyName, std::unique_ptr<FSlateBrush>(InBrush));
}

const FSlateWidgetStyle* FSlateStyleSet::GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName) const
{
	const std::shared_ptr<FSlateWidgetStyle>* Found = WidgetStyleValues.Find(StyleName);
	return Found != nullptr && (*Found)->GetTypeName() == DesiredTypeName ? Found->get() : nullptr;
}

const FSlateBrush* FSlateStyleSet::GetBrush(const FName PropertyName, const ANSICHAR* Specifier) const
{
	return GetOptionalBrush(PropertyName, Specifier, GetNoBrush());
}

const FSlateBrush* FSlateStyleSet::GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier, const FSlateBrush* const DefaultBrush) const
{
	const std::unique_ptr<FSlateBrush>* Found = BrushResources.Find(Join(PropertyName, Specifier));
	return Found != nullptr ? Found->get() : DefaultBrush;
}

const FSlateBrush* FSlateStyleSet::GetNoBrush() const
{
	static const FSlateNoResource NoBrush;
	return &NoBrush;
}

const FLinearColor& FSlateStyleSet::GetColor(const FName PropertyName, const ANSICHAR* Specifier) const
{
	static const FLinearColor Missing(1.0f, 1.0f, 1.0f);
	const FLinearColor* Found = ColorValues.Find(Join(PropertyName, Specifier));
	return Found != nullptr ? *Found : Missing;
}

const FSlateColor FSlateStyleSet::GetSlateColor(const FName PropertyName, const ANSICHAR* Specifier) const
{
	const FName Name = Join(PropertyName, Specifier);
	if (const FSlateColor* Found = SlateColorValues.Find(Name))
	{
		return *Found;
	}
	const FLinearColor* Linear = ColorValues.Find(Name);
	return Linear != nullptr ? FSlateColor(*Linear) : FSlateColor(FLinearColor(1.0f, 1.0f, 1.0f));
}

const FMargin& FSlateStyleSet::GetMargin(const FName PropertyName, const ANSICHAR* Specifier) const
{
	static const FMargin Missing(0.0f);
	const FMargin* Found = MarginValues.Find(Join(PropertyName, Specifier));
	return Found != nullptr ? *Found : Missing;
}

float FSlateStyleSet::GetFloat(const FName PropertyName, const ANSICHAR* Specifier) const
{
	const float* Found = FloatValues.Find(Join(PropertyName, Specifier));
	return Found != nullptr ? *Found : 0.0f;
}

FSlateFontInfo FSlateStyleSet::GetFontStyle(const FName PropertyName, const ANSICHAR* Specifier) const
{
	const FSlateFontInfo* Found = FontInfoValues.Find(Join(PropertyName, Specifier));
	return Found != nullptr ? *Found : FSlateFontInfo();
}

namespace
{
	TMap<FName, const ISlateStyle*>& Registry()
	{
		static TMap<FName, const ISlateStyle*> Styles;
		return Styles;
	}
}

void FSlateStyleRegistry::RegisterSlateStyle(const ISlateStyle& InSlateStyle)
{
	Registry().Add(InSlateStyle.GetStyleSetName(), &InSlateStyle);
}

void FSlateStyleRegistry::UnRegisterSlateStyle(const ISlateStyle& InSlateStyle)
{
	Registry().Remove(InSlateStyle.GetStyleSetName());
}

const ISlateStyle* FSlateStyleRegistry::FindSlateStyle(const FName& InSlateStyleName)
{
	const ISlateStyle* const* Found = Registry().Find(InSlateStyleName);
	return Found != nullptr ? *Found : nullptr;
}
