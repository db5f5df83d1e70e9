#include "Layout/LayoutUtils.h"
#include "Widgets/SOverlay.h"

namespace
{
	// Slots are kept ordered by Z; a slot given no Z order goes on top of those there.
	int32 PlaceByZOrder(const TPanelChildren<SOverlay::FOverlaySlot>& Children, int32& InOutZOrder)
	{
		if (InOutZOrder == INDEX_NONE)
		{
			InOutZOrder = Children.Num() > 0 ? Children[Children.Num() - 1].GetZOrder() + 1 : 0;
		}
		int32 Index = 0;
		while (Index < Children.Num() && Children[Index].GetZOrder() <= InOutZOrder)
		{
			++Index;
		}
		return Index;
	}
}

void SOverlay::Construct(const FArguments& InArgs)
{
	for (FOverlaySlot::FSlotArguments& Argument : const_cast<TArray<FOverlaySlot::FSlotArguments>&>(InArgs._Slots))
	{
		FOverlaySlot* NewSlot = Argument.GetSlot();
		const int32 Index = PlaceByZOrder(Children, NewSlot->ZOrder);
		Children.InsertSlot(std::move(Argument), Index);
	}
}

SOverlay::FScopedWidgetSlotArguments SOverlay::AddSlot(int32 ZOrder)
{
	const int32 Index = PlaceByZOrder(Children, ZOrder);
	return FScopedWidgetSlotArguments(std::make_unique<FOverlaySlot>(ZOrder), Children, Index);
}

FVector2D SOverlay::ComputeDesiredSize(float) const
{
	FVector2D MaxSize(0, 0);
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		const FOverlaySlot& Slot = Children[Index];
		if (Slot.GetWidget()->GetVisibility() != EVisibility::Collapsed)
		{
			MaxSize = MaxSize.ComponentMax(Slot.GetWidget()->GetDesiredSize() + Slot.GetPadding().GetDesiredSize());
		}
	}
	return MaxSize;
}

void SOverlay::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		const FOverlaySlot& Slot = Children[Index];
		ArrangeSingleChild(AllottedGeometry, ArrangedChildren, Slot.GetWidget(), Slot.GetPadding(), Slot.GetHorizontalAlignment(), Slot.GetVerticalAlignment());
	}
}

// Each slot paints above the one before it.
int32 SOverlay::OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
	int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	FArrangedChildren ArrangedChildren(EVisibility::Visible);
	ArrangeChildren(AllottedGeometry, ArrangedChildren);
	int32 MaxLayerId = LayerId;
	for (const FArrangedWidget& Child : ArrangedChildren)
	{
		if (!IsChildWidgetCulled(MyCullingRect, Child))
		{
			MaxLayerId = Child.Widget->Paint(Args, Child.Geometry, MyCullingRect, OutDrawElements, MaxLayerId + 1, InWidgetStyle, ShouldBeEnabled(bParentEnabled));
		}
	}
	return MaxLayerId;
}
