#include "Widgets/Text/STextBlock.h"

#include "SlateCore/ColorMath.h"
#include "SlateCore/Text/ShapedText.h"

STextBlock::STextBlock() = default;

STextBlock::~STextBlock() = default;

void STextBlock::Construct(const FArguments& InArgs)
{
	BoundText = InArgs._Text;
	SetTextStyle(InArgs._TextStyle);
	Font = InArgs._Font;
	ColorAndOpacity = InArgs._ColorAndOpacity;
	ShadowOffset = InArgs._ShadowOffset;
	ShadowColorAndOpacity = InArgs._ShadowColorAndOpacity;
	WrapTextAt = InArgs._WrapTextAt;
	AutoWrapText = InArgs._AutoWrapText;
	Margin = InArgs._Margin;
	Justification = InArgs._Justification;
	MinDesiredWidth = InArgs._MinDesiredWidth;
	OverflowPolicy = InArgs._OverflowPolicy;
}

FSlateFontInfo STextBlock::GetFont() const
{
	return Font.IsSet() ? Font.Get() : TextStyle.Font;
}

FSlateColor STextBlock::GetColorAndOpacity() const
{
	return ColorAndOpacity.IsSet() ? ColorAndOpacity.Get() : TextStyle.ColorAndOpacity;
}

float STextBlock::WrappingWidth(float AvailableWidth) const
{
	float Width = WrapTextAt.Get(0.0f);
	if (AutoWrapText.Get(false) && AvailableWidth >= 1.0f)
	{
		Width = Width >= 1.0f ? FMath::Min(Width, AvailableWidth) : AvailableWidth;
	}
	return FMath::Max(0.0f, Width);
}

FVector2D STextBlock::ComputeDesiredSize(float) const
{
	const FMargin TextMargin = Margin.Get(FMargin());
	FShapedText::FRequest Request;
	Request.Text = BoundText.Get(FText()).ToString();
	Request.Font = GetFont();
	Request.WrapWidth = WrappingWidth(CachedPaintWidth - TextMargin.Left - TextMargin.Right);
	const FVector2D TextSize = FShapedText::Shape(Request)->GetSize() + TextMargin.GetDesiredSize();
	return FVector2D(FMath::Max(double(MinDesiredWidth.Get(0.0f)), TextSize.X), TextSize.Y);
}

// Wrapping and the ellipsis follow the width the text is painted at. When that width differs
// from the one its desired size was measured at, the frame is laid out again.
int32 STextBlock::OnPaint(const FPaintArgs&, const FGeometry& AllottedGeometry, const FSlateRect&, FSlateWindowElementList& OutDrawElements, int32 LayerId,
	const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const float PaintWidth = float(AllottedGeometry.GetLocalSize().X);
	if (AutoWrapText.Get(false) && PaintWidth != CachedPaintWidth)
	{
		CachedPaintWidth = PaintWidth;
		RequestLayoutPass();
	}
	const FString Text = BoundText.Get(FText()).ToString();
	if (Text.IsEmpty())
	{
		return LayerId;
	}
	const FMargin TextMargin = Margin.Get(FMargin());
	const float TextWidth = PaintWidth - TextMargin.Left - TextMargin.Right;
	FShapedText::FRequest Request;
	Request.Text = Text;
	Request.Font = GetFont();
	Request.WrapWidth = WrappingWidth(TextWidth);
	Request.Justification = Justification.Get(ETextJustify::Left);
	Request.JustifyWidth = TextWidth;
	if (GetOverflowPolicy() != ETextOverflowPolicy::Clip && TextWidth > 0.0f)
	{
		Request.EllipsisWidth = TextWidth;
	}
	const TSharedRef<const FShapedText> Shaped = FShapedText::Shape(Request);

	const ESlateDrawEffect DrawEffects = ShouldBeEnabled(bParentEnabled) ? ESlateDrawEffect::None : ESlateDrawEffect::DisabledEffect;
	const FLinearColor Inherited = InWidgetStyle.GetColorAndOpacityTint();
	const FLinearColor Color = GetColorAndOpacity().GetColor(InWidgetStyle);
	const FVector2D Origin(TextMargin.Left, TextMargin.Top);
	const FVector2D Shadow = ShadowOffset.Get(TextStyle.ShadowOffset);
	const FLinearColor ShadowColor = ShadowColorAndOpacity.Get(TextStyle.ShadowColorAndOpacity);
	if (!Shadow.IsZero() && ShadowColor.A > 0.0f)
	{
		FSlateDrawElement::MakeShapedText(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(Origin + Shadow, Shaped->GetSize()), Shaped, DrawEffects,
			UE::Slate::Modulate(ShadowColor, Inherited));
		++LayerId;
	}
	FSlateDrawElement::MakeShapedText(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(Origin, Shaped->GetSize()), Shaped, DrawEffects,
		UE::Slate::Modulate(Color, Inherited));
	return LayerId;
}
