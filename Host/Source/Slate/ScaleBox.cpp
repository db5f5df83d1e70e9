#include "Widgets/Layout/SScaleBox.h"

#include "Layout/LayoutUtils.h"

void SScaleBox::Construct(const FArguments& InArgs)
{
	Stretch = InArgs._Stretch;
	StretchDirection = InArgs._StretchDirection;
	UserSpecifiedScale = InArgs._UserSpecifiedScale;
	ChildSlot.HAlign(InArgs._HAlign).VAlign(InArgs._VAlign)[InArgs._Content.Widget];
}

float SScaleBox::ComputeContentScale(const FVector2D& AreaSize) const
{
	const EStretch::Type CurrentStretch = Stretch.Get();
	if (CurrentStretch == EStretch::UserSpecified || CurrentStretch == EStretch::UserSpecifiedWithClipping)
	{
		return UserSpecifiedScale.Get();
	}
	const FVector2D ContentSize = ChildSlot.GetWidget()->GetDesiredSize();
	if (ContentSize.X <= 0 || ContentSize.Y <= 0)
	{
		return 1.0f;
	}
	const float ScaleX = float(AreaSize.X / ContentSize.X);
	const float ScaleY = float(AreaSize.Y / ContentSize.Y);
	float Scale = 1.0f;
	switch (CurrentStretch)
	{
	case EStretch::ScaleToFit:
		Scale = FMath::Min(ScaleX, ScaleY);
		break;
	case EStretch::ScaleToFitX:
		Scale = ScaleX;
		break;
	case EStretch::ScaleToFitY:
		Scale = ScaleY;
		break;
	case EStretch::ScaleToFill:
		Scale = FMath::Max(ScaleX, ScaleY);
		break;
	default:
		return 1.0f;
	}
	switch (StretchDirection.Get())
	{
	case EStretchDirection::DownOnly:
		return FMath::Min(Scale, 1.0f);
	case EStretchDirection::UpOnly:
		return FMath::Max(Scale, 1.0f);
	default:
		return Scale;
	}
}

FVector2D SScaleBox::ComputeDesiredSize(float) const
{
	const FVector2D ChildSize = ChildSlot.GetWidget()->GetDesiredSize();
	const EStretch::Type CurrentStretch = Stretch.Get();
	const bool bUserScaled = CurrentStretch == EStretch::UserSpecified || CurrentStretch == EStretch::UserSpecifiedWithClipping;
	return bUserScaled ? ChildSize * double(UserSpecifiedScale.Get()) : ChildSize;
}

// The child is scaled as a whole: its own layout happens at its desired size, and the scale
// maps that into the box, aligned within it.
void SScaleBox::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	const TSharedRef<SWidget>& Child = ChildSlot.GetWidget();
	const EVisibility ChildVisibility = Child->GetVisibility();
	if (!ArrangedChildren.Accepts(ChildVisibility))
	{
		return;
	}
	const FVector2D AreaSize = AllottedGeometry.GetLocalSize();
	if (Stretch.Get() == EStretch::Fill)
	{
		ArrangedChildren.AddWidget(ChildVisibility, FArrangedWidget(Child, AllottedGeometry.MakeChild(FVector2D(0, 0), AreaSize)));
		return;
	}
	const float Scale = ComputeContentScale(AreaSize);
	const FVector2D Desired = Child->GetDesiredSize();
	const FMargin Padding = ChildSlot.GetPadding();
	const AlignmentArrangeResult X =
		AlignChild<Orient_Horizontal>(float(AreaSize.X), float(Desired.X) * Scale, ChildSlot.GetHorizontalAlignment(), Padding, 1.0f, false);
	const AlignmentArrangeResult Y = AlignChild<Orient_Vertical>(float(AreaSize.Y), float(Desired.Y) * Scale, ChildSlot.GetVerticalAlignment(), Padding, 1.0f, false);
	const FVector2D LocalSize = Scale > 0.0f ? FVector2D(X.Size, Y.Size) / double(Scale) : FVector2D(0, 0);
	ArrangedChildren.AddWidget(ChildVisibility, FArrangedWidget(Child, AllottedGeometry.MakeChild(LocalSize, FSlateLayoutTransform(Scale, FVector2D(X.Offset, Y.Offset)))));
}
