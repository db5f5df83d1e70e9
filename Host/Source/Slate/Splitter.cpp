#include "Widgets/Layout/SSplitter.h"

#include "SlateCore/ColorMath.h"

void SSplitter::FSlot::Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs)
{
	TSlotBase<FSlot>::Construct(SlotOwner, std::move(InArgs));
	// What the arguments leave unset keeps the slot's defaults.
	if (InArgs._Value.IsSet())
	{
		SizingValue = InArgs._Value;
	}
	if (InArgs._MinSize.IsSet())
	{
		MinSizeValue = InArgs._MinSize;
	}
	if (InArgs._SizeRule.IsSet())
	{
		SizingRule = InArgs._SizeRule;
	}
	bIsResizable = InArgs._Resizable;
	OnSlotResizedHandler = InArgs._OnSlotResized;
}

// A slot whose value someone else owns hears of the new value; otherwise it takes it.
void SSplitter::FSlot::OnResized(float NewValue)
{
	if (OnSlotResizedHandler.IsBound())
	{
		OnSlotResizedHandler.Execute(NewValue);
	}
	else
	{
		SizingValue = NewValue;
	}
}

void SSplitter::Construct(const FArguments& InArgs)
{
	Style = InArgs._Style != nullptr ? InArgs._Style : &FSplitterStyle::GetDefault();
	Orientation = InArgs._Orientation;
	PhysicalSplitterHandleSize = InArgs._PhysicalSplitterHandleSize;
	HitDetectionSplitterHandleSize = InArgs._HitDetectionSplitterHandleSize;
	MinSplitterChildLength = InArgs._MinimumSlotHeight;
	OnSplitterFinishedResizing = InArgs._OnSplitterFinishedResizing;
	Children.AddSlots(std::move(const_cast<TArray<FSlot::FSlotArguments>&>(InArgs._Slots)));
}

// Handles take their room first; children sized to their content take their desired
// length; the rest is shared among the others by their values.
TArray<SSplitter::FPlacement> SSplitter::Place(float Length) const
{
	TArray<int32> Shown;
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		if (Children[Index].GetWidget()->GetVisibility() != EVisibility::Collapsed)
		{
			Shown.Add(Index);
		}
	}
	float Fixed = FMath::Max(0, Shown.Num() - 1) * PhysicalSplitterHandleSize;
	float CoefficientTotal = 0.0f;
	for (int32 Index : Shown)
	{
		const FSlot& Slot = Children[Index];
		if (Slot.GetSizeRule() == SizeToContent)
		{
			Fixed += Along(Slot.GetWidget()->GetDesiredSize());
		}
		else
		{
			CoefficientTotal += Slot.GetSizeValue();
		}
	}
	const float Resizable = FMath::Max(0.0f, Length - Fixed);
	TArray<FPlacement> Placements;
	float Start = 0.0f;
	for (int32 Index : Shown)
	{
		const FSlot& Slot = Children[Index];
		float ChildLength = Slot.GetSizeRule() == SizeToContent ? Along(Slot.GetWidget()->GetDesiredSize())
			: CoefficientTotal > 0.0f												 ? Resizable * Slot.GetSizeValue() / CoefficientTotal
																					 : 0.0f;
		ChildLength = FMath::Max(ChildLength, Slot.GetMinSize());
		Placements.Add(FPlacement{Index, Start, ChildLength});
		Start += ChildLength + PhysicalSplitterHandleSize;
	}
	return Placements;
}

FVector2D SSplitter::ComputeDesiredSize(float) const
{
	FVector2D Desired(0, 0);
	int32 NumShown = 0;
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		const TSharedRef<SWidget>& Child = Children[Index].GetWidget();
		if (Child->GetVisibility() == EVisibility::Collapsed)
		{
			continue;
		}
		++NumShown;
		const FVector2D ChildSize = Child->GetDesiredSize();
		Desired = Orientation == Orient_Horizontal ? FVector2D(Desired.X + ChildSize.X, FMath::Max(Desired.Y, ChildSize.Y))
												   : FVector2D(FMath::Max(Desired.X, ChildSize.X), Desired.Y + ChildSize.Y);
	}
	const float Handles = FMath::Max(0, NumShown - 1) * PhysicalSplitterHandleSize;
	return Orientation == Orient_Horizontal ? Desired + FVector2D(Handles, 0) : Desired + FVector2D(0, Handles);
}

void SSplitter::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	const FVector2D Size = AllottedGeometry.GetLocalSize();
	for (const FPlacement& Placement : Place(Along(Size)))
	{
		const TSharedRef<SWidget>& Child = Children[Placement.Index].GetWidget();
		const FVector2D Position = Orientation == Orient_Horizontal ? FVector2D(Placement.Start, 0) : FVector2D(0, Placement.Start);
		const FVector2D ChildSize = Orientation == Orient_Horizontal ? FVector2D(Placement.Length, Size.Y) : FVector2D(Size.X, Placement.Length);
		ArrangedChildren.AddWidget(Child->GetVisibility(), FArrangedWidget(Child, AllottedGeometry.MakeChild(Position, ChildSize)));
	}
}

int32 SSplitter::OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
	int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const int32 MaxLayer = SPanel::OnPaint(Args, AllottedGeometry, MyCullingRect, OutDrawElements, LayerId, InWidgetStyle, bParentEnabled);
	const FVector2D Size = AllottedGeometry.GetLocalSize();
	const TArray<FPlacement> Placements = Place(Along(Size));
	for (int32 Handle = 0; Handle + 1 < Placements.Num(); ++Handle)
	{
		const FSlateBrush& Brush = Handle == DraggedHandle || Handle == HoveredHandle ? Style->HandleHighlightBrush : Style->HandleNormalBrush;
		const float Start = Placements[Handle].Start + Placements[Handle].Length;
		const FVector2D Position = Orientation == Orient_Horizontal ? FVector2D(Start, 0) : FVector2D(0, Start);
		const FVector2D HandleSize = Orientation == Orient_Horizontal ? FVector2D(PhysicalSplitterHandleSize, Size.Y) : FVector2D(Size.X, PhysicalSplitterHandleSize);
		FSlateDrawElement::MakeBox(OutDrawElements, MaxLayer + 1, AllottedGeometry.ToPaintGeometry(Position, HandleSize), &Brush, ESlateDrawEffect::None,
			UE::Slate::Modulate(InWidgetStyle.GetColorAndOpacityTint(), Brush.GetTint(InWidgetStyle)));
	}
	return MaxLayer + 1;
}

int32 SSplitter::HandleAt(const FGeometry& MyGeometry, const FVector2D& ScreenPosition) const
{
	const float Position = Along(MyGeometry.AbsoluteToLocal(ScreenPosition));
	const TArray<FPlacement> Placements = Place(Along(MyGeometry.GetLocalSize()));
	for (int32 Handle = 0; Handle + 1 < Placements.Num(); ++Handle)
	{
		const float Centre = Placements[Handle].Start + Placements[Handle].Length + PhysicalSplitterHandleSize * 0.5f;
		if (FMath::Abs(Position - Centre) <= HitDetectionSplitterHandleSize * 0.5f)
		{
			return Handle;
		}
	}
	return INDEX_NONE;
}

FReply SSplitter::OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	const int32 Handle = MouseEvent.GetEffectingButton() == EKeys::LeftMouseButton ? HandleAt(MyGeometry, MouseEvent.GetScreenSpacePosition()) : INDEX_NONE;
	if (Handle == INDEX_NONE)
	{
		return FReply::Unhandled();
	}
	DraggedHandle = Handle;
	return FReply::Handled().CaptureMouse(AsShared());
}

FReply SSplitter::OnMouseButtonUp(const FGeometry&, const FPointerEvent& MouseEvent)
{
	if (DraggedHandle == INDEX_NONE || MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton)
	{
		return FReply::Unhandled();
	}
	DraggedHandle = INDEX_NONE;
	OnSplitterFinishedResizing.ExecuteIfBound();
	return FReply::Handled().ReleaseMouseCapture();
}

// Dragging a handle moves room from one neighbour to the other; the pair keeps the sum of
// its values, and neither gets shorter than the minimum.
FReply SSplitter::OnMouseMove(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	if (DraggedHandle == INDEX_NONE)
	{
		HoveredHandle = HandleAt(MyGeometry, MouseEvent.GetScreenSpacePosition());
		return FReply::Unhandled();
	}
	const TArray<FPlacement> Placements = Place(Along(MyGeometry.GetLocalSize()));
	const FPlacement& Before = Placements[DraggedHandle];
	const FPlacement& After = Placements[DraggedHandle + 1];
	FSlot& BeforeSlot = Children[Before.Index];
	FSlot& AfterSlot = Children[After.Index];
	if (!BeforeSlot.CanBeResized() || !AfterSlot.CanBeResized() || BeforeSlot.GetSizeRule() != FractionOfParent || AfterSlot.GetSizeRule() != FractionOfParent)
	{
		return FReply::Handled();
	}
	const float PairLength = Before.Length + After.Length;
	const float Pointer = Along(MyGeometry.AbsoluteToLocal(MouseEvent.GetScreenSpacePosition())) - Before.Start - PhysicalSplitterHandleSize * 0.5f;
	const float NewBefore = FMath::Clamp(Pointer, MinSplitterChildLength, PairLength - MinSplitterChildLength);
	const float PairValue = BeforeSlot.GetSizeValue() + AfterSlot.GetSizeValue();
	if (PairLength > 0.0f)
	{
		BeforeSlot.OnResized(PairValue * NewBefore / PairLength);
		AfterSlot.OnResized(PairValue * (PairLength - NewBefore) / PairLength);
	}
	return FReply::Handled();
}

void SSplitter::OnMouseLeave(const FPointerEvent& MouseEvent)
{
	SPanel::OnMouseLeave(MouseEvent);
	HoveredHandle = INDEX_NONE;
}
