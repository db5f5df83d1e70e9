#include "Widgets/Notifications/SProgressBar.h"

#include "SlateCore/ColorMath.h"

void SProgressBar::Construct(const FArguments& InArgs)
{
	Style = InArgs._Style != nullptr ? InArgs._Style : &FProgressBarStyle::GetDefault();
	BarFillType = InArgs._BarFillType;
	Percent = InArgs._Percent;
	FillColorAndOpacity = InArgs._FillColorAndOpacity;
	BorderPadding = InArgs._BorderPadding;
	BackgroundImage = InArgs._BackgroundImage != nullptr ? InArgs._BackgroundImage : &Style->BackgroundImage;
	FillImage = InArgs._FillImage != nullptr ? InArgs._FillImage : &Style->FillImage;
	MarqueeImage = InArgs._MarqueeImage != nullptr ? InArgs._MarqueeImage : &Style->MarqueeImage;
}

FVector2D SProgressBar::ComputeDesiredSize(float) const
{
	return MarqueeImage->ImageSize;
}

// The background, then the fill over the part that is done, inside the border padding. The
// marquee is drawn still, over the whole bar.
int32 SProgressBar::OnPaint(const FPaintArgs&, const FGeometry& AllottedGeometry, const FSlateRect&, FSlateWindowElementList& OutDrawElements, int32 LayerId,
	const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const ESlateDrawEffect DrawEffects = ShouldBeEnabled(bParentEnabled) ? ESlateDrawEffect::None : ESlateDrawEffect::DisabledEffect;
	const FLinearColor Inherited = InWidgetStyle.GetColorAndOpacityTint();
	FSlateDrawElement::MakeBox(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(), BackgroundImage, DrawEffects,
		UE::Slate::Modulate(Inherited, BackgroundImage->GetTint(InWidgetStyle)));

	const TOptional<float> Fraction = Percent.Get(TOptional<float>());
	const FVector2D Size = AllottedGeometry.GetLocalSize();
	const FVector2D Padding = BorderPadding.Get(FVector2D(1, 0));
	const FSlateBrush* Brush = Fraction.IsSet() ? FillImage : MarqueeImage;
	const float Done = Fraction.IsSet() ? FMath::Clamp(Fraction.GetValue(), 0.0f, 1.0f) : 1.0f;
	const FVector2D Inner = Size - Padding * 2.0;
	FVector2D Offset = Padding;
	FVector2D Filled = Inner;
	switch (BarFillType)
	{
	case EProgressBarFillType::RightToLeft:
		Filled.X = Inner.X * Done;
		Offset.X += Inner.X - Filled.X;
		break;
	case EProgressBarFillType::FillFromCenter:
		Filled.X = Inner.X * Done;
		Offset.X += (Inner.X - Filled.X) * 0.5;
		break;
	case EProgressBarFillType::TopToBottom:
		Filled.Y = Inner.Y * Done;
		break;
	case EProgressBarFillType::BottomToTop:
		Filled.Y = Inner.Y * Done;
		Offset.Y += Inner.Y - Filled.Y;
		break;
	default:
		Filled.X = Inner.X * Done;
		break;
	}
	if (Filled.X > 0 && Filled.Y > 0)
	{
		OutDrawElements.PushClip(FSlateClippingZone(AllottedGeometry.ToPaintGeometry(Offset, Filled)));
		FSlateDrawElement::MakeBox(OutDrawElements, LayerId + 1, AllottedGeometry.ToPaintGeometry(), Brush, DrawEffects,
			UE::Slate::Modulate(Inherited, FillColorAndOpacity.Get().GetColor(InWidgetStyle), Brush->GetTint(InWidgetStyle)));
		OutDrawElements.PopClip();
	}
	return LayerId + 1;
}
