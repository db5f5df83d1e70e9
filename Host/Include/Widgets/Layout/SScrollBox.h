#pragma once

#include "CoreTypes.h"
#include "Layout/BasicLayoutWidgetSlot.h"
#include "Layout/Children.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/SPanel.h"

#include "Widgets/Layout/SScrollBar.h"

enum class EScrollWhenFocusChanges : uint8
{
	NoScroll,
	InstantScroll,
	AnimatedScroll,
};

enum class EDescendantScrollDestination : uint8
{
	IntoView,
	TopOrLeft,
	Center,
	BottomOrRight,
};

// Slots stacked along one axis at their desired sizes, scrolled by the wheel or the scroll
// bar. It can keep a newly focused descendant in view, with some room around it.
class SScrollBox : public SCompoundWidget
{
public:
	class FSlot : public TBasicLayoutWidgetSlot<FSlot>
	{
	public:
		FSlot() : TBasicLayoutWidgetSlot<FSlot>(HAlign_Fill, VAlign_Fill) {}
		SLATE_SLOT_BEGIN_ARGS(FSlot, TBasicLayoutWidgetSlot<FSlot>)
		SLATE_SLOT_END_ARGS()
	};

	typedef TPanelChildren<FSlot>::FScopedWidgetSlotArguments FScopedWidgetSlotArguments;
	static FSlot::FSlotArguments Slot() { return FSlot::FSlotArguments(std::make_unique<FSlot>()); }

	SLATE_BEGIN_ARGS(SScrollBox)
		: _Style(&FCoreStyle::Get().GetWidgetStyle<FScrollBoxStyle>("ScrollBox")),
		  _ScrollBarStyle(&FCoreStyle::Get().GetWidgetStyle<FScrollBarStyle>("Scrollbar")), _Orientation(Orient_Vertical), _ScrollBarAlwaysVisible(false),
		  _AllowOverscroll(EAllowOverscroll::Yes), _NavigationScrollPadding(0.0f), _ScrollWhenFocusChanges(EScrollWhenFocusChanges::NoScroll),
		  _ConsumeMouseWheel(EConsumeMouseWheel::WhenScrollingPossible)
	{
	}
	SLATE_SLOT_ARGUMENT(FSlot, Slots)
	SLATE_STYLE_ARGUMENT(FScrollBoxStyle, Style)
	SLATE_STYLE_ARGUMENT(FScrollBarStyle, ScrollBarStyle)
	SLATE_ARGUMENT(EOrientation, Orientation)
	SLATE_ARGUMENT(bool, ScrollBarAlwaysVisible)
	SLATE_ARGUMENT(EAllowOverscroll, AllowOverscroll)
	SLATE_ARGUMENT(float, NavigationScrollPadding)
	SLATE_ARGUMENT(EScrollWhenFocusChanges, ScrollWhenFocusChanges)
	SLATE_ARGUMENT(EConsumeMouseWheel, ConsumeMouseWheel)
	SLATE_EVENT(FOnUserScrolled, OnUserScrolled)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	FScopedWidgetSlotArguments AddSlot();
	void ClearChildren();
	int32 NumSlots() const;
	float GetScrollOffset() const { return ScrollOffset; }
	float GetScrollOffsetOfEnd() const;
	void SetScrollOffset(float NewScrollOffset);
	void ScrollToStart() { SetScrollOffset(0.0f); }
	void ScrollToEnd() { SetScrollOffset(GetScrollOffsetOfEnd()); }
	void ScrollDescendantIntoView(const TSharedPtr<SWidget>& WidgetToFind, bool InAnimateScroll = true,
		EDescendantScrollDestination InDestination = EDescendantScrollDestination::IntoView, float Padding = 0);
	void SetScrollWhenFocusChanges(EScrollWhenFocusChanges NewScrollWhenFocusChanges) { ScrollWhenFocusChanges = NewScrollWhenFocusChanges; }
	void SetNavigationScrollPadding(float InPadding) { NavigationScrollPadding = InPadding; }

	FReply OnMouseWheel(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	void Tick(const FGeometry& AllottedGeometry, const double InCurrentTime, const float InDeltaTime) override;

private:
	void OnScrollBarScrolled(float InOffsetFraction);
	float Along(const FVector2D& Vector) const { return float(Orientation == Orient_Vertical ? Vector.Y : Vector.X); }

	TSharedPtr<class SScrollPanel> ScrollPanel;
	TSharedPtr<SScrollBar> ScrollBar;
	EOrientation Orientation = Orient_Vertical;
	float ScrollOffset = 0.0f;
	float NavigationScrollPadding = 0.0f;
	EScrollWhenFocusChanges ScrollWhenFocusChanges = EScrollWhenFocusChanges::NoScroll;
	EConsumeMouseWheel ConsumeMouseWheel = EConsumeMouseWheel::WhenScrollingPossible;
	FOnUserScrolled OnUserScrolled;
	TWeakPtr<SWidget> LastFocusedDescendant;
	float ViewLength = 0.0f;
};
