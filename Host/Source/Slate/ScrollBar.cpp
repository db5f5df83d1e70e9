#include "Widgets/Layout/SScrollBar.h"

#include "SlateCore/ColorMath.h"

void SScrollBar::Construct(const FArguments& InArgs)
{
	Style = InArgs._Style != nullptr ? InArgs._Style : &FScrollBarStyle::GetDefault();
	OnUserScrolled = InArgs._OnUserScrolled;
	Orientation = InArgs._Orientation;
	bAlwaysShow = InArgs._AlwaysShowScrollbar;
	Thickness = InArgs._Thickness;
	SetVisibility(TAttribute<EVisibility>(this, &SScrollBar::GetNeededVisibility));
}

void SScrollBar::SetState(float InOffsetFraction, float InThumbSizeFraction)
{
	SizeFraction = FMath::Clamp(InThumbSizeFraction, 0.0f, 1.0f);
	OffsetFraction = FMath::Clamp(InOffsetFraction, 0.0f, 1.0f - SizeFraction);
}

float SScrollBar::GetThickness() const
{
	return Thickness.IsSet() ? Along(Thickness.Get()) : Style->Thickness;
}

EVisibility SScrollBar::GetNeededVisibility() const
{
	return bAlwaysShow || IsNeeded() ? EVisibility::Visible : EVisibility::Collapsed;
}

FVector2D SScrollBar::ComputeDesiredSize(float) const
{
	return Orientation == Orient_Vertical ? FVector2D(GetThickness(), 0) : FVector2D(0, GetThickness());
}

// Clicking the track moves the view by a page towards the click; pressing the thumb grips it.
FReply SScrollBar::OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	if (MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton || !IsNeeded())
	{
		return FReply::Unhandled();
	}
	const float Length = Along(MyGeometry.GetLocalSize());
	const float Position = Along(MyGeometry.AbsoluteToLocal(MouseEvent.GetScreenSpacePosition()));
	const float ThumbStart = OffsetFraction * Length;
	const float ThumbEnd = ThumbStart + SizeFraction * Length;
	if (Position >= ThumbStart && Position <= ThumbEnd)
	{
		DragGrip = Position - ThumbStart;
		return FReply::Handled().CaptureMouse(AsShared());
	}
	const float Page = Position < ThumbStart ? -SizeFraction : SizeFraction;
	SetState(OffsetFraction + Page, SizeFraction);
	OnUserScrolled.ExecuteIfBound(OffsetFraction);
	return FReply::Handled();
}

FReply SScrollBar::OnMouseButtonUp(const FGeometry&, const FPointerEvent& MouseEvent)
{
	if (MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton || !DragGrip.IsSet())
	{
		return FReply::Unhandled();
	}
	DragGrip.Reset();
	return FReply::Handled().ReleaseMouseCapture();
}

FReply SScrollBar::OnMouseMove(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	if (!DragGrip.IsSet() || !HasMouseCapture())
	{
		return FReply::Unhandled();
	}
	const float Length = Along(MyGeometry.GetLocalSize());
	const float Position = Along(MyGeometry.AbsoluteToLocal(MouseEvent.GetScreenSpacePosition()));
	SetState(Length > 0 ? (Position - DragGrip.GetValue()) / Length : 0.0f, SizeFraction);
	OnUserScrolled.ExecuteIfBound(OffsetFraction);
	return FReply::Handled();
}

int32 SScrollBar::OnPaint(const FPaintArgs&, const FGeometry& AllottedGeometry, const FSlateRect&, FSlateWindowElementList& OutDrawElements, int32 LayerId,
	const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const ESlateDrawEffect DrawEffects = ShouldBeEnabled(bParentEnabled) ? ESlateDrawEffect::None : ESlateDrawEffect::DisabledEffect;
	const FLinearColor Inherited = InWidgetStyle.GetColorAndOpacityTint();
	const FSlateBrush& Track = Orientation == Orient_Vertical ? Style->VerticalBackgroundImage : Style->HorizontalBackgroundImage;
	FSlateDrawElement::MakeBox(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(), &Track, DrawEffects,
		UE::Slate::Modulate(Inherited, Track.GetTint(InWidgetStyle)));
	const FSlateBrush& Thumb = DragGrip.IsSet() ? Style->DraggedThumbImage : IsHovered() ? Style->HoveredThumbImage : Style->NormalThumbImage;
	const FVector2D Size = AllottedGeometry.GetLocalSize();
	const FVector2D ThumbOffset = Orientation == Orient_Vertical ? FVector2D(0, Size.Y * OffsetFraction) : FVector2D(Size.X * OffsetFraction, 0);
	const FVector2D ThumbSize = Orientation == Orient_Vertical ? FVector2D(Size.X, Size.Y * SizeFraction) : FVector2D(Size.X * SizeFraction, Size.Y);
	FSlateDrawElement::MakeBox(OutDrawElements, LayerId + 1, AllottedGeometry.ToPaintGeometry(ThumbOffset, ThumbSize), &Thumb, DrawEffects,
		UE::Slate::Modulate(Inherited, Thumb.GetTint(InWidgetStyle)));
	return LayerId + 1;
}
