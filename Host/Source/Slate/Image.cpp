#include "Widgets/Images/SImage.h"

#include "SlateCore/ColorMath.h"

void SImage::Construct(const FArguments& InArgs)
{
	Image = InArgs._Image;
	ColorAndOpacity = InArgs._ColorAndOpacity;
	DesiredSizeOverride = InArgs._DesiredSizeOverride;
	OnMouseButtonDownHandler = InArgs._OnMouseButtonDown;
}

FReply SImage::OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	return OnMouseButtonDownHandler.IsBound() ? OnMouseButtonDownHandler.Execute(MyGeometry, MouseEvent) : FReply::Unhandled();
}

FVector2D SImage::ComputeDesiredSize(float) const
{
	const FSlateBrush* Brush = Image.Get();
	if (Brush == nullptr)
	{
		return FVector2D(0, 0);
	}
	const TOptional<FVector2D> Override = DesiredSizeOverride.Get(TOptional<FVector2D>());
	return Override.IsSet() ? Override.GetValue() : Brush->ImageSize;
}

int32 SImage::OnPaint(const FPaintArgs&, const FGeometry& AllottedGeometry, const FSlateRect&, FSlateWindowElementList& OutDrawElements, int32 LayerId,
	const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const FSlateBrush* Brush = Image.Get();
	if (Brush != nullptr && Brush->DrawAs != ESlateBrushDrawType::NoDrawType)
	{
		const ESlateDrawEffect DrawEffects = ShouldBeEnabled(bParentEnabled) ? ESlateDrawEffect::None : ESlateDrawEffect::DisabledEffect;
		FSlateDrawElement::MakeBox(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(), Brush, DrawEffects,
			UE::Slate::Modulate(InWidgetStyle.GetColorAndOpacityTint(), ColorAndOpacity.Get().GetColor(InWidgetStyle), Brush->GetTint(InWidgetStyle)));
	}
	return LayerId;
}
