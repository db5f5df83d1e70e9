#include "Widgets/Layout/SScrollBox.h"

#include "Framework/Application/SlateApplication.h"
#include "Layout/LayoutUtils.h"
#include "Widgets/SBoxPanel.h"

namespace
{
	constexpr float WheelScrollAmount = 32.0f;
}

// The scroll box's content: its slots one after the other at their desired lengths, moved
// back by the scroll offset.
class SScrollPanel : public SPanel
{
public:
	SLATE_BEGIN_ARGS(SScrollPanel)
	{
		_Visibility = EVisibility::SelfHitTestInvisible;
	}
	SLATE_END_ARGS()

	SScrollPanel() : Children(this) {}
	void Construct(const FArguments&) {}
	FChildren* GetChildren() override { return &Children; }

	TPanelChildren<SScrollBox::FSlot> Children;
	EOrientation Orientation = Orient_Vertical;
	float Offset = 0.0f;

protected:
	FVector2D ComputeDesiredSize(float) const override
	{
		FVector2D Desired(0, 0);
		for (int32 Index = 0; Index < Children.Num(); ++Index)
		{
			const SScrollBox::FSlot& Slot = Children[Index];
			if (Slot.GetWidget()->GetVisibility() == EVisibility::Collapsed)
			{
				continue;
			}
			const FVector2D Size = Slot.GetWidget()->GetDesiredSize() + Slot.GetPadding().GetDesiredSize();
			Desired = Orientation == Orient_Vertical ? FVector2D(FMath::Max(Desired.X, Size.X), Desired.Y + Size.Y)
													 : FVector2D(Desired.X + Size.X, FMath::Max(Desired.Y, Size.Y));
		}
		return Desired;
	}

	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override
	{
		float Position = -Offset;
		const FVector2D Size = AllottedGeometry.GetLocalSize();
		for (int32 Index = 0; Index < Children.Num(); ++Index)
		{
			const SScrollBox::FSlot& Slot = Children[Index];
			const TSharedRef<SWidget>& Child = Slot.GetWidget();
			if (Child->GetVisibility() == EVisibility::Collapsed)
			{
				continue;
			}
			const FVector2D Desired = Child->GetDesiredSize();
			const FMargin Padding = Slot.GetPadding();
			if (Orientation == Orient_Vertical)
			{
				const float Length = float(Desired.Y) + Padding.GetTotalSpaceAlong<Orient_Vertical>();
				const AlignmentArrangeResult X = AlignChild<Orient_Horizontal>(float(Size.X), float(Desired.X), Slot.GetHorizontalAlignment(), Padding);
				ArrangedChildren.AddWidget(FArrangedWidget(Child, AllottedGeometry.MakeChild(FVector2D(X.Offset, Position + Padding.Top), FVector2D(X.Size, Desired.Y))));
				Position += Length;
			}
			else
			{
				const float Length = float(Desired.X) + Padding.GetTotalSpaceAlong<Orient_Horizontal>();
				const AlignmentArrangeResult Y = AlignChild<Orient_Vertical>(float(Size.Y), float(Desired.Y), Slot.GetVerticalAlignment(), Padding);
				ArrangedChildren.AddWidget(FArrangedWidget(Child, AllottedGeometry.MakeChild(FVector2D(Position + Padding.Left, Y.Offset), FVector2D(Desired.X, Y.Size))));
				Position += Length;
			}
		}
	}
};

void SScrollBox::Construct(const FArguments& InArgs)
{
	Orientation = InArgs._Orientation;
	NavigationScrollPadding = InArgs._NavigationScrollPadding;
	ScrollWhenFocusChanges = InArgs._ScrollWhenFocusChanges;
	ConsumeMouseWheel = InArgs._ConsumeMouseWheel;
	OnUserScrolled = InArgs._OnUserScrolled;
	SetClipping(EWidgetClipping::ClipToBounds);
	SAssignNew(ScrollPanel, SScrollPanel);
	ScrollPanel->Orientation = Orientation;
	ScrollPanel->Children.AddSlots(std::move(const_cast<TArray<FSlot::FSlotArguments>&>(InArgs._Slots)));
	SAssignNew(ScrollBar, SScrollBar)
		.Style(InArgs._ScrollBarStyle)
		.Orientation(Orientation)
		.AlwaysShowScrollbar(InArgs._ScrollBarAlwaysVisible)
		.OnUserScrolled(this, &SScrollBox::OnScrollBarScrolled);
	if (Orientation == Orient_Vertical)
	{
		ChildSlot[SNew(SHorizontalBox) + SHorizontalBox::Slot().FillWidth(1)[ScrollPanel.ToSharedRef()] + SHorizontalBox::Slot().AutoWidth()[ScrollBar.ToSharedRef()]];
	}
	else
	{
		ChildSlot[SNew(SVerticalBox) + SVerticalBox::Slot().FillHeight(1)[ScrollPanel.ToSharedRef()] + SVerticalBox::Slot().AutoHeight()[ScrollBar.ToSharedRef()]];
	}
}

SScrollBox::FScopedWidgetSlotArguments SScrollBox::AddSlot()
{
	return FScopedWidgetSlotArguments(std::make_unique<FSlot>(), ScrollPanel->Children, INDEX_NONE);
}

void SScrollBox::ClearChildren()
{
	ScrollPanel->Children.Empty();
}

int32 SScrollBox::NumSlots() const
{
	return ScrollPanel->Children.Num();
}

float SScrollBox::GetScrollOffsetOfEnd() const
{
	return FMath::Max(0.0f, Along(ScrollPanel->GetDesiredSize()) - ViewLength);
}

void SScrollBox::SetScrollOffset(float NewScrollOffset)
{
	ScrollOffset = FMath::Clamp(NewScrollOffset, 0.0f, GetScrollOffsetOfEnd());
	ScrollPanel->Offset = ScrollOffset;
}

void SScrollBox::OnScrollBarScrolled(float InOffsetFraction)
{
	SetScrollOffset(InOffsetFraction * Along(ScrollPanel->GetDesiredSize()));
	OnUserScrolled.ExecuteIfBound(ScrollOffset);
}

FReply SScrollBox::OnMouseWheel(const FGeometry&, const FPointerEvent& MouseEvent)
{
	const float Before = ScrollOffset;
	SetScrollOffset(ScrollOffset - MouseEvent.GetWheelDelta() * WheelScrollAmount);
	if (ScrollOffset != Before)
	{
		OnUserScrolled.ExecuteIfBound(ScrollOffset);
	}
	const bool bConsume = ConsumeMouseWheel == EConsumeMouseWheel::Always || (ConsumeMouseWheel == EConsumeMouseWheel::WhenScrollingPossible && ScrollOffset != Before);
	return bConsume ? FReply::Handled() : FReply::Unhandled();
}

// Moves the content so that the widget lies in view with Padding around it. The stand-in
// scrolls at once, also when asked to animate.
void SScrollBox::ScrollDescendantIntoView(const TSharedPtr<SWidget>& WidgetToFind, bool, EDescendantScrollDestination InDestination, float Padding)
{
	if (!WidgetToFind.IsValid())
	{
		return;
	}
	// The descendant may lie outside the view and so not have been painted: it is found by
	// arranging the content down to it.
	const FGeometry& Panel = ScrollPanel->GetPaintSpaceGeometry();
	const FGeometry Widget = ScrollPanel->FindChildGeometry(Panel, WidgetToFind.ToSharedRef());
	const float Scale = Panel.Scale > 0.0f ? Panel.Scale : 1.0f;
	const float Top = Along(Widget.GetAbsolutePosition() - Panel.GetAbsolutePosition()) / Scale + ScrollOffset;
	const float Bottom = Top + Along(Widget.GetAbsoluteSize()) / Scale;
	float NewOffset = ScrollOffset;
	switch (InDestination)
	{
	case EDescendantScrollDestination::TopOrLeft:
		NewOffset = Top - Padding;
		break;
	case EDescendantScrollDestination::Center:
		NewOffset = (Top + Bottom - ViewLength) * 0.5f;
		break;
	case EDescendantScrollDestination::BottomOrRight:
		NewOffset = Bottom + Padding - ViewLength;
		break;
	default:
		if (Top - Padding < ScrollOffset)
		{
			NewOffset = Top - Padding;
		}
		else if (Bottom + Padding > ScrollOffset + ViewLength)
		{
			NewOffset = Bottom + Padding - ViewLength;
		}
		break;
	}
	SetScrollOffset(NewOffset);
	RequestLayoutPass();
}

void SScrollBox::Tick(const FGeometry& AllottedGeometry, const double, const float)
{
	ViewLength = Along(AllottedGeometry.GetLocalSize());
	SetScrollOffset(ScrollOffset);
	const float ContentLength = Along(ScrollPanel->GetDesiredSize());
	const bool bScrollBarWasNeeded = ScrollBar->IsNeeded();
	ScrollBar->SetState(ContentLength > 0 ? ScrollOffset / ContentLength : 0.0f, ContentLength > 0 ? ViewLength / ContentLength : 1.0f);
	if (ScrollBar->IsNeeded() != bScrollBarWasNeeded)
	{
		RequestLayoutPass();
	}
	// A descendant that has just taken keyboard focus is brought into view.
	const TSharedPtr<SWidget> Focused = FSlateApplication::Get().GetKeyboardFocusedWidget();
	const bool bFocusInside = Focused.IsValid() && FSlateApplication::Get().HasFocusedDescendants(AsShared());
	if (bFocusInside && !LastFocusedDescendant.HasSameObject(Focused.Get()) && ScrollWhenFocusChanges != EScrollWhenFocusChanges::NoScroll)
	{
		ScrollDescendantIntoView(Focused, ScrollWhenFocusChanges == EScrollWhenFocusChanges::AnimatedScroll, EDescendantScrollDestination::IntoView,
			NavigationScrollPadding);
	}
	LastFocusedDescendant = bFocusInside ? Focused : nullptr;
}
