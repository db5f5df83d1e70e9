#include "Widgets/Layout/SBorder.h"

#include "SlateCore/ColorMath.h"

SBorder::SBorder() = default;

void SBorder::Construct(const FArguments& InArgs)
{
	ContentScale = InArgs._ContentScale;
	ColorAndOpacity = InArgs._ColorAndOpacity;
	DesiredSizeScale = InArgs._DesiredSizeScale;
	ShowDisabledEffect = InArgs._ShowEffectWhenDisabled;
	BorderImage = InArgs._BorderImage;
	BorderBackgroundColor = InArgs._BorderBackgroundColor;
	ForegroundColor = InArgs._ForegroundColor;
	MouseButtonDownHandler = InArgs._OnMouseButtonDown;
	MouseButtonUpHandler = InArgs._OnMouseButtonUp;
	MouseMoveHandler = InArgs._OnMouseMove;
	ChildSlot.HAlign(InArgs._HAlign).VAlign(InArgs._VAlign).Padding(InArgs._Padding)[InArgs._Content.Widget];
}

void SBorder::SetContent(TSharedRef<SWidget> InContent)
{
	ChildSlot[InContent];
}

void SBorder::ClearContent()
{
	ChildSlot.DetachWidget();
}

FReply SBorder::OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	return MouseButtonDownHandler.IsBound() ? MouseButtonDownHandler.Execute(MyGeometry, MouseEvent) : FReply::Unhandled();
}

FReply SBorder::OnMouseButtonUp(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	return MouseButtonUpHandler.IsBound() ? MouseButtonUpHandler.Execute(MyGeometry, MouseEvent) : FReply::Unhandled();
}

FReply SBorder::OnMouseMove(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	return MouseMoveHandler.IsBound() ? MouseMoveHandler.Execute(MyGeometry, MouseEvent) : FReply::Unhandled();
}

FVector2D SBorder::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	return SCompoundWidget::ComputeDesiredSize(LayoutScaleMultiplier) * DesiredSizeScale.Get();
}

// The brush takes the border's background colour and the inherited tint; disabled, it is
// drawn faded unless told otherwise.
int32 SBorder::OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
	int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const FSlateBrush* Brush = BorderImage.Get();
	const bool bEnabled = ShouldBeEnabled(bParentEnabled);
	if (Brush != nullptr && Brush->DrawAs != ESlateBrushDrawType::NoDrawType)
	{
		const ESlateDrawEffect DrawEffects = ShowDisabledEffect.Get() && !bEnabled ? ESlateDrawEffect::DisabledEffect : ESlateDrawEffect::None;
		FSlateDrawElement::MakeBox(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(), Brush, DrawEffects,
			UE::Slate::Modulate(Brush->GetTint(InWidgetStyle), InWidgetStyle.GetColorAndOpacityTint(), BorderBackgroundColor.Get().GetColor(InWidgetStyle)));
	}
	return SCompoundWidget::OnPaint(Args, AllottedGeometry, MyCullingRect, OutDrawElements, LayerId, InWidgetStyle, bEnabled);
}
