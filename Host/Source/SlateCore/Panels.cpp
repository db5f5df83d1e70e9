#include "Layout/LayoutUtils.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/SLeafWidget.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/SPanel.h"

void ArrangeSingleChild(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren, const TSharedRef<SWidget>& Child, const FMargin& SlotPadding,
	EHorizontalAlignment HAlign, EVerticalAlignment VAlign, const FVector2D& ContentScale)
{
	const EVisibility ChildVisibility = Child->GetVisibility();
	if (!ArrangedChildren.Accepts(ChildVisibility))
	{
		return;
	}
	const FVector2D ChildDesired = Child->GetDesiredSize();
	const AlignmentArrangeResult X = AlignChild<Orient_Horizontal>(
		float(AllottedGeometry.GetLocalSize().X), float(ChildDesired.X * ContentScale.X), HAlign, SlotPadding, float(ContentScale.X));
	const AlignmentArrangeResult Y = AlignChild<Orient_Vertical>(
		float(AllottedGeometry.GetLocalSize().Y), float(ChildDesired.Y * ContentScale.Y), VAlign, SlotPadding, float(ContentScale.Y));
	ArrangedChildren.AddWidget(ChildVisibility, FArrangedWidget(Child, AllottedGeometry.MakeChild(FVector2D(X.Offset, Y.Offset), FVector2D(X.Size, Y.Size))));
}

int32 SPanel::OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
	int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	FArrangedChildren ArrangedChildren(EVisibility::Visible);
	ArrangeChildren(AllottedGeometry, ArrangedChildren);
	return PaintArrangedChildren(Args, ArrangedChildren, MyCullingRect, OutDrawElements, LayerId, InWidgetStyle, bParentEnabled);
}

int32 SPanel::PaintArrangedChildren(const FPaintArgs& Args, const FArrangedChildren& ArrangedChildren, const FSlateRect& MyCullingRect,
	FSlateWindowElementList& OutDrawElements, int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	int32 MaxLayerId = LayerId;
	const bool bShouldBeEnabled = ShouldBeEnabled(bParentEnabled);
	for (const FArrangedWidget& Child : ArrangedChildren)
	{
		if (!IsChildWidgetCulled(MyCullingRect, Child))
		{
			const int32 ChildLayer = Child.Widget->Paint(Args, Child.Geometry, MyCullingRect, OutDrawElements, LayerId, InWidgetStyle, bShouldBeEnabled);
			MaxLayerId = FMath::Max(MaxLayerId, ChildLayer);
		}
	}
	return MaxLayerId;
}

FChildren* SLeafWidget::GetChildren()
{
	static FNoChildren NoChildren;
	return &NoChildren;
}

void SLeafWidget::OnArrangeChildren(const FGeometry&, FArrangedChildren&) const {}

SCompoundWidget::SCompoundWidget() : ChildSlot(this) {}

FVector2D SCompoundWidget::ComputeDesiredSize(float) const
{
	const TSharedRef<SWidget>& Child = ChildSlot.GetWidget();
	if (Child->GetVisibility() == EVisibility::Collapsed)
	{
		return FVector2D(0, 0);
	}
	return Child->GetDesiredSize() * ContentScale.Get() + ChildSlot.GetPadding().GetDesiredSize();
}

void SCompoundWidget::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	ArrangeSingleChild(AllottedGeometry, ArrangedChildren, ChildSlot.GetWidget(), ChildSlot.GetPadding(), ChildSlot.GetHorizontalAlignment(),
		ChildSlot.GetVerticalAlignment(), ContentScale.Get());
}

int32 SCompoundWidget::OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect,
	FSlateWindowElementList& OutDrawElements, int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	FArrangedChildren ArrangedChildren(EVisibility::Visible);
	ArrangeChildren(AllottedGeometry, ArrangedChildren);
	if (ArrangedChildren.Num() == 0)
	{
		return LayerId;
	}
	const FArrangedWidget& Child = ArrangedChildren[0];
	if (IsChildWidgetCulled(MyCullingRect, Child))
	{
		return LayerId;
	}
	FWidgetStyle CompoundedWidgetStyle = FWidgetStyle(InWidgetStyle).BlendColorAndOpacityTint(ColorAndOpacity.Get()).SetForegroundColor(ForegroundColor);
	return Child.Widget->Paint(Args, Child.Geometry, MyCullingRect, OutDrawElements, LayerId + 1, CompoundedWidgetStyle, ShouldBeEnabled(bParentEnabled));
}
