#include "Layout/LayoutUtils.h"
#include "Widgets/SBoxPanel.h"

#include <algorithm>
#include <limits>

namespace
{
	// A size kept within a slot's minimum and maximum (zero means no bound).
	float ClampSize(float Size, float MinSize, float MaxSize)
	{
		return std::clamp(Size, MinSize > 0.0f ? MinSize : 0.0f, MaxSize > 0.0f ? MaxSize : std::numeric_limits<float>::max());
	}

	float Along(EOrientation Orientation, const FVector2D& Size)
	{
		return float(Orientation == Orient_Horizontal ? Size.X : Size.Y);
	}

	float Across(EOrientation Orientation, const FVector2D& Size)
	{
		return float(Orientation == Orient_Horizontal ? Size.Y : Size.X);
	}

	float PaddingAlong(EOrientation Orientation, const FMargin& Padding)
	{
		return Orientation == Orient_Horizontal ? Padding.GetTotalSpaceAlong<Orient_Horizontal>() : Padding.GetTotalSpaceAlong<Orient_Vertical>();
	}

	float PaddingAcross(EOrientation Orientation, const FMargin& Padding)
	{
		return Orientation == Orient_Horizontal ? Padding.GetTotalSpaceAlong<Orient_Vertical>() : Padding.GetTotalSpaceAlong<Orient_Horizontal>();
	}
}

void SBoxPanel::ClearChildren()
{
	EmptySlots();
}

int32 SBoxPanel::NumSlots() const
{
	return GetChildren()->Num();
}

int32 SBoxPanel::RemoveSlot(const TSharedRef<SWidget>& SlotWidget)
{
	return RemoveSlotWidget(SlotWidget);
}

// Along the box: the sum of every shown child's size (kept within its bounds) and padding;
// across: the largest child with its padding.
FVector2D SBoxPanel::ComputeDesiredSize(float) const
{
	float SizeAlong = 0.0f;
	float SizeAcross = 0.0f;
	for (int32 Index = 0; Index < NumSlots(); ++Index)
	{
		const FSlotLayout Slot = DescribeSlot(Index);
		if (Slot.Widget->GetVisibility() == EVisibility::Collapsed)
		{
			continue;
		}
		const FVector2D ChildDesired = Slot.Widget->GetDesiredSize();
		SizeAlong += ClampSize(Along(Orientation, ChildDesired), Slot.MinSize, Slot.MaxSize) + PaddingAlong(Orientation, Slot.Padding);
		SizeAcross = FMath::Max(SizeAcross, Across(Orientation, ChildDesired) + PaddingAcross(Orientation, Slot.Padding));
	}
	return Orientation == Orient_Horizontal ? FVector2D(SizeAlong, SizeAcross) : FVector2D(SizeAcross, SizeAlong);
}

// Auto slots get their desired size first; what is left is shared among the stretch slots
// by their coefficients. Then each child is aligned within its part of the box.
void SBoxPanel::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	const int32 Num = NumSlots();
	TArray<FSlotLayout> Slots;
	Slots.Reserve(Num);
	TArray<float> Sizes;
	Sizes.SetNumZeroed(Num);
	float StretchCoefficientTotal = 0.0f;
	float FixedSizeTotal = 0.0f;
	for (int32 Index = 0; Index < Num; ++Index)
	{
		const FSlotLayout& Slot = Slots.Emplace_GetRef(DescribeSlot(Index));
		if (Slot.Widget->GetVisibility() == EVisibility::Collapsed)
		{
			continue;
		}
		FixedSizeTotal += PaddingAlong(Orientation, Slot.Padding);
		if (Slot.SizeRule == FSizeParam::SizeRule_Stretch)
		{
			StretchCoefficientTotal += Slot.SizeValue;
		}
		else
		{
			Sizes[Index] = ClampSize(Along(Orientation, Slot.Widget->GetDesiredSize()), Slot.MinSize, Slot.MaxSize);
			FixedSizeTotal += Sizes[Index];
		}
	}

	const float AllottedAlong = Along(Orientation, AllottedGeometry.GetLocalSize());
	const float AvailableSpace = FMath::Max(0.0f, AllottedAlong - FixedSizeTotal);
	if (StretchCoefficientTotal > 0.0f)
	{
		for (int32 Index = 0; Index < Num; ++Index)
		{
			const FSlotLayout& Slot = Slots[Index];
			if (Slot.SizeRule == FSizeParam::SizeRule_Stretch && Slot.Widget->GetVisibility() != EVisibility::Collapsed)
			{
				Sizes[Index] = ClampSize(AvailableSpace * Slot.SizeValue / StretchCoefficientTotal, Slot.MinSize, Slot.MaxSize);
			}
		}
	}

	float PositionSoFar = 0.0f;
	for (int32 Index = 0; Index < Num; ++Index)
	{
		const FSlotLayout& Slot = Slots[Index];
		const EVisibility ChildVisibility = Slot.Widget->GetVisibility();
		const FVector2D LocalSize = AllottedGeometry.GetLocalSize();
		const FVector2D SlotSize = Orientation == Orient_Vertical ? FVector2D(LocalSize.X, Sizes[Index] + PaddingAlong(Orientation, Slot.Padding))
																  : FVector2D(Sizes[Index] + PaddingAlong(Orientation, Slot.Padding), LocalSize.Y);
		const FVector2D ChildDesired = Slot.Widget->GetDesiredSize();
		const AlignmentArrangeResult X = AlignChild<Orient_Horizontal>(float(SlotSize.X), float(ChildDesired.X), Slot.HAlign, Slot.Padding);
		const AlignmentArrangeResult Y = AlignChild<Orient_Vertical>(float(SlotSize.Y), float(ChildDesired.Y), Slot.VAlign, Slot.Padding);
		const FVector2D LocalPosition = Orientation == Orient_Vertical ? FVector2D(X.Offset, PositionSoFar + Y.Offset) : FVector2D(PositionSoFar + X.Offset, Y.Offset);
		ArrangedChildren.AddWidget(ChildVisibility, FArrangedWidget(Slot.Widget, AllottedGeometry.MakeChild(LocalPosition, FVector2D(X.Size, Y.Size))));
		if (ChildVisibility != EVisibility::Collapsed)
		{
			PositionSoFar += float(Orientation == Orient_Vertical ? SlotSize.Y : SlotSize.X);
		}
	}
}
