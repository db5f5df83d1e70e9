#pragma once

#include "CoreTypes.h"
#include "Misc/Optional.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

namespace EProgressBarFillType
{
	enum Type : int
	{
		LeftToRight,
		RightToLeft,
		FillFromCenter,
		TopToBottom,
		BottomToTop,
	};
}

// A bar filled to a fraction (0 to 1) of its length; with no fraction set it shows the
// marquee of work of unknown length.
class SProgressBar : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(SProgressBar)
		: _Style(&FCoreStyle::Get().GetWidgetStyle<FProgressBarStyle>("ProgressBar")), _BarFillType(EProgressBarFillType::LeftToRight), _Percent(),
		  _FillColorAndOpacity(FLinearColor::White), _BorderPadding(FVector2D(1, 0)), _BackgroundImage(nullptr), _FillImage(nullptr), _MarqueeImage(nullptr)
	{
	}
	SLATE_STYLE_ARGUMENT(FProgressBarStyle, Style)
	SLATE_ARGUMENT(EProgressBarFillType::Type, BarFillType)
	SLATE_ATTRIBUTE(TOptional<float>, Percent)
	SLATE_ATTRIBUTE(FSlateColor, FillColorAndOpacity)
	SLATE_ATTRIBUTE(FVector2D, BorderPadding)
	SLATE_ARGUMENT(const FSlateBrush*, BackgroundImage)
	SLATE_ARGUMENT(const FSlateBrush*, FillImage)
	SLATE_ARGUMENT(const FSlateBrush*, MarqueeImage)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	void SetPercent(TAttribute<TOptional<float>> InPercent) { Percent = std::move(InPercent); }
	void SetFillColorAndOpacity(TAttribute<FSlateColor> InFillColorAndOpacity) { FillColorAndOpacity = std::move(InFillColorAndOpacity); }
	void SetBorderPadding(TAttribute<FVector2D> InBorderPadding) { BorderPadding = std::move(InBorderPadding); }

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

private:
	const FProgressBarStyle* Style = nullptr;
	EProgressBarFillType::Type BarFillType = EProgressBarFillType::LeftToRight;
	TAttribute<TOptional<float>> Percent;
	TAttribute<FSlateColor> FillColorAndOpacity;
	TAttribute<FVector2D> BorderPadding;
	const FSlateBrush* BackgroundImage = nullptr;
	const FSlateBrush* FillImage = nullptr;
	const FSlateBrush* MarqueeImage = nullptr;
};
