#pragma once

#include "CoreTypes.h"
#include "Layout/BasicLayoutWidgetSlot.h"
#include "Styling/SlateColor.h"
#include "Widgets/SWidget.h"

// A widget made of one child, its ChildSlot. It passes its colour and foreground down to
// what it holds.
class SCompoundWidget : public SWidget
{
public:
	FChildren* GetChildren() override { return &ChildSlot; }

	FSlateColor GetForegroundColor() const { return ForegroundColor.Get(); }
	void SetForegroundColor(TAttribute<FSlateColor> InForegroundColor) { ForegroundColor = std::move(InForegroundColor); }
	FLinearColor GetColorAndOpacity() const { return ColorAndOpacity.Get(); }
	void SetColorAndOpacity(const TAttribute<FLinearColor>& InColorAndOpacity) { ColorAndOpacity = InColorAndOpacity; }
	const FVector2D GetContentScale() const { return ContentScale.Get(); }
	void SetContentScale(const TAttribute<FVector2D>& InContentScale) { ContentScale = InContentScale; }

protected:
	SCompoundWidget();

	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

	FCompoundWidgetOneChildSlot ChildSlot;
	TAttribute<FVector2D> ContentScale = FVector2D(1, 1);
	TAttribute<FLinearColor> ColorAndOpacity = FLinearColor::White;
	TAttribute<FSlateColor> ForegroundColor = FSlateColor::UseForeground();
};
