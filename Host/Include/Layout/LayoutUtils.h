#pragma once

#include "CoreTypes.h"
#include "Layout/ArrangedChildren.h"
#include "Layout/Geometry.h"
#include "Layout/Margin.h"
#include "Math/UnrealMathUtility.h"
#include "Types/SlateEnums.h"

// Where a child goes along one axis of its slot.
struct AlignmentArrangeResult
{
	AlignmentArrangeResult(float InOffset, float InSize) : Offset(InOffset), Size(InSize) {}
	float Offset;
	float Size;
};

// Fill takes the slot minus its padding; otherwise the child keeps its desired size (at most
// the room there is) and sits at the start, the centre or the end.
template <EOrientation Orientation>
AlignmentArrangeResult AlignChild(float AllottedSize, float ChildDesiredSize, int32 Alignment, const FMargin& SlotPadding, float ContentScale = 1.0f,
	bool bClampToParent = true)
{
	const float TotalMargin = SlotPadding.GetTotalSpaceAlong<Orientation>();
	const float MarginPre = Orientation == Orient_Horizontal ? SlotPadding.Left : SlotPadding.Top;
	const float MarginPost = Orientation == Orient_Horizontal ? SlotPadding.Right : SlotPadding.Bottom;
	if (Alignment == HAlign_Fill)
	{
		return AlignmentArrangeResult(MarginPre, FMath::Max((AllottedSize - TotalMargin) * ContentScale, 0.f));
	}
	const float ChildSize = FMath::Max(bClampToParent ? FMath::Min(ChildDesiredSize, AllottedSize - TotalMargin) : ChildDesiredSize, 0.f);
	switch (Alignment)
	{
	case HAlign_Left:
		return AlignmentArrangeResult(MarginPre, ChildSize);
	case HAlign_Center:
		// As in the engine: the slot's padding shifts a centred child by the difference of its sides.
		return AlignmentArrangeResult((AllottedSize - ChildSize) / 2.0f + MarginPre - MarginPost, ChildSize);
	case HAlign_Right:
		return AlignmentArrangeResult(AllottedSize - ChildSize - MarginPost, ChildSize);
	default:
		return AlignmentArrangeResult(MarginPre, FMath::Max((AllottedSize - TotalMargin) * ContentScale, 0.f));
	}
}

// Places one child in the whole geometry with the slot's padding and alignment.
void ArrangeSingleChild(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren, const TSharedRef<SWidget>& Child, const FMargin& SlotPadding,
	EHorizontalAlignment HAlign, EVerticalAlignment VAlign, const FVector2D& ContentScale = FVector2D(1, 1));
