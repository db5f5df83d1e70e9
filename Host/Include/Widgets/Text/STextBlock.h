#pragma once

#include "CoreTypes.h"
#include "Fonts/SlateFontInfo.h"
#include "Framework/Text/TextLayout.h"
#include "Misc/Optional.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

class FShapedText;

// A text in one font and colour. It asks for the size of its laid-out text; it wraps at a
// fixed width or (AutoWrapText) at the width it is given, and a text too long for its width
// is cut or ends in an ellipsis by its overflow policy.
class STextBlock : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(STextBlock)
		: _Text(), _TextStyle(&FCoreStyle::Get().GetWidgetStyle<FTextBlockStyle>("NormalText")), _Font(), _ColorAndOpacity(), _ShadowOffset(),
		  _ShadowColorAndOpacity(), _WrapTextAt(0.0f), _AutoWrapText(false), _Justification(ETextJustify::Left), _MinDesiredWidth(0.0f), _OverflowPolicy(),
		  _SimpleTextMode(false)
	{
		_Clipping = EWidgetClipping::OnDemand;
	}
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_STYLE_ARGUMENT(FTextBlockStyle, TextStyle)
	SLATE_ATTRIBUTE(FSlateFontInfo, Font)
	SLATE_ATTRIBUTE(FSlateColor, ColorAndOpacity)
	SLATE_ATTRIBUTE(FVector2D, ShadowOffset)
	SLATE_ATTRIBUTE(FLinearColor, ShadowColorAndOpacity)
	SLATE_ATTRIBUTE(float, WrapTextAt)
	SLATE_ATTRIBUTE(bool, AutoWrapText)
	SLATE_ATTRIBUTE(FMargin, Margin)
	SLATE_ATTRIBUTE(ETextJustify::Type, Justification)
	SLATE_ATTRIBUTE(float, MinDesiredWidth)
	SLATE_ARGUMENT(TOptional<ETextOverflowPolicy>, OverflowPolicy)
	SLATE_ARGUMENT(bool, SimpleTextMode)
	SLATE_END_ARGS()

	STextBlock();
	~STextBlock() override;
	void Construct(const FArguments& InArgs);

	const FText& GetText() const { return BoundText.Get(); }
	void SetText(TAttribute<FText> InText) { BoundText = std::move(InText); }
	void SetFont(TAttribute<FSlateFontInfo> InFont) { Font = std::move(InFont); }
	void SetColorAndOpacity(TAttribute<FSlateColor> InColorAndOpacity) { ColorAndOpacity = std::move(InColorAndOpacity); }
	void SetTextStyle(const FTextBlockStyle* InTextStyle) { TextStyle = InTextStyle != nullptr ? *InTextStyle : FTextBlockStyle::GetDefault(); }
	void SetAutoWrapText(TAttribute<bool> InAutoWrapText) { AutoWrapText = std::move(InAutoWrapText); }
	void SetWrapTextAt(TAttribute<float> InWrapTextAt) { WrapTextAt = std::move(InWrapTextAt); }
	void SetMargin(TAttribute<FMargin> InMargin) { Margin = std::move(InMargin); }
	void SetJustification(TAttribute<ETextJustify::Type> InJustification) { Justification = std::move(InJustification); }
	void SetMinDesiredWidth(TAttribute<float> InMinDesiredWidth) { MinDesiredWidth = std::move(InMinDesiredWidth); }
	void SetOverflowPolicy(TOptional<ETextOverflowPolicy> InOverflowPolicy) { OverflowPolicy = InOverflowPolicy; }

	FSlateFontInfo GetFont() const;
	FSlateColor GetColorAndOpacity() const;

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

private:
	// The width lines wrap at, from the fixed width and, with automatic wrapping, the width of
	// the last paint less the margin (0: no wrapping).
	float WrappingWidth(float AvailableWidth) const;
	ETextOverflowPolicy GetOverflowPolicy() const { return OverflowPolicy.IsSet() ? OverflowPolicy.GetValue() : TextStyle.OverflowPolicy; }

	TAttribute<FText> BoundText;
	FTextBlockStyle TextStyle;
	TAttribute<FSlateFontInfo> Font;
	TAttribute<FSlateColor> ColorAndOpacity;
	TAttribute<FVector2D> ShadowOffset;
	TAttribute<FLinearColor> ShadowColorAndOpacity;
	TAttribute<float> WrapTextAt;
	TAttribute<bool> AutoWrapText;
	TAttribute<FMargin> Margin;
	TAttribute<ETextJustify::Type> Justification;
	TAttribute<float> MinDesiredWidth;
	TOptional<ETextOverflowPolicy> OverflowPolicy;
	// The width the text was last painted at (automatic wrapping follows it).
	mutable float CachedPaintWidth = 0.0f;
};
