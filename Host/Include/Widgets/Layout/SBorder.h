#pragma once

#include "CoreTypes.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateBrush.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

// A brush drawn behind one child, with padding and alignment for the child, and the colour
// and foreground colour its content takes.
class SBorder : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SBorder)
		: _Content(), _HAlign(HAlign_Fill), _VAlign(VAlign_Fill), _Padding(FMargin(2.0f)), _BorderImage(FCoreStyle::Get().GetBrush("Border")),
		  _ContentScale(FVector2D(1, 1)), _DesiredSizeScale(FVector2D(1, 1)), _ColorAndOpacity(FLinearColor(1, 1, 1, 1)),
		  _BorderBackgroundColor(FLinearColor::White), _ForegroundColor(FSlateColor::UseForeground()), _ShowEffectWhenDisabled(true)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_EVENT(FPointerEventHandler, OnMouseButtonDown)
	SLATE_EVENT(FPointerEventHandler, OnMouseButtonUp)
	SLATE_EVENT(FPointerEventHandler, OnMouseMove)
	SLATE_ATTRIBUTE(const FSlateBrush*, BorderImage)
	SLATE_ATTRIBUTE(FVector2D, ContentScale)
	SLATE_ATTRIBUTE(FVector2D, DesiredSizeScale)
	SLATE_ATTRIBUTE(FLinearColor, ColorAndOpacity)
	SLATE_ATTRIBUTE(FSlateColor, BorderBackgroundColor)
	SLATE_ATTRIBUTE(FSlateColor, ForegroundColor)
	SLATE_ARGUMENT(bool, ShowEffectWhenDisabled)
	SLATE_END_ARGS()

	SBorder();
	void Construct(const FArguments& InArgs);

	void SetContent(TSharedRef<SWidget> InContent);
	const TSharedRef<SWidget>& GetContent() const { return ChildSlot.GetWidget(); }
	void ClearContent();
	void SetBorderBackgroundColor(TAttribute<FSlateColor> InColorAndOpacity) { BorderBackgroundColor = std::move(InColorAndOpacity); }
	FSlateColor GetBorderBackgroundColor() const { return BorderBackgroundColor.Get(); }
	void SetDesiredSizeScale(TAttribute<FVector2D> InDesiredSizeScale) { DesiredSizeScale = std::move(InDesiredSizeScale); }
	void SetHAlign(EHorizontalAlignment HAlign) { ChildSlot.SetHorizontalAlignment(HAlign); }
	void SetVAlign(EVerticalAlignment VAlign) { ChildSlot.SetVerticalAlignment(VAlign); }
	void SetPadding(TAttribute<FMargin> InPadding) { ChildSlot.SetPadding(std::move(InPadding)); }
	void SetShowEffectWhenDisabled(TAttribute<bool> InShowEffectWhenDisabled) { ShowDisabledEffect = std::move(InShowEffectWhenDisabled); }
	void SetBorderImage(TAttribute<const FSlateBrush*> InBorderImage) { BorderImage = std::move(InBorderImage); }
	const FSlateBrush* GetBorderImage() const { return BorderImage.Get(); }

	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseButtonUp(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseMove(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

	TAttribute<const FSlateBrush*> BorderImage;
	TAttribute<FSlateColor> BorderBackgroundColor;
	TAttribute<FVector2D> DesiredSizeScale;
	TAttribute<bool> ShowDisabledEffect;
	FPointerEventHandler MouseButtonDownHandler;
	FPointerEventHandler MouseButtonUpHandler;
	FPointerEventHandler MouseMoveHandler;
};
