#pragma once

#include "CoreTypes.h"
#include "Layout/BasicLayoutWidgetSlot.h"
#include "Layout/Children.h"
#include "Misc/Optional.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SPanel.h"

namespace ESplitterResizeMode
{
	enum Type : int
	{
		FixedPosition,
		FixedSize,
		Fill,
	};
}

// Children side by side (or one above the other), each taking its fraction of the room left
// by the handles between them; dragging a handle moves room between its neighbours.
class SSplitter : public SPanel
{
public:
	enum ESizeRule
	{
		SizeToContent,
		FractionOfParent,
	};

	DECLARE_DELEGATE_OneParam(FOnSlotResized, float);

	class FSlot : public TSlotBase<FSlot>
	{
	public:
		SLATE_SLOT_BEGIN_ARGS(FSlot, TSlotBase<FSlot>)
		SLATE_ATTRIBUTE(float, Value)
		SLATE_ATTRIBUTE(float, MinSize)
		SLATE_ARGUMENT(TOptional<bool>, Resizable)
		SLATE_ATTRIBUTE(ESizeRule, SizeRule)
		SLATE_EVENT(FOnSlotResized, OnSlotResized)
		SLATE_SLOT_END_ARGS()

		void Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs);
		float GetSizeValue() const { return SizingValue.Get(); }
		void SetSizeValue(TAttribute<float> InValue) { SizingValue = std::move(InValue); }
		float GetMinSize() const { return MinSizeValue.Get(); }
		ESizeRule GetSizeRule() const { return SizingRule.Get(); }
		bool CanBeResized() const { return !bIsResizable.IsSet() || bIsResizable.GetValue(); }
		void OnResized(float NewValue);

	private:
		TAttribute<float> SizingValue = 1.0f;
		TAttribute<float> MinSizeValue = 0.0f;
		TAttribute<ESizeRule> SizingRule = FractionOfParent;
		TOptional<bool> bIsResizable;
		FOnSlotResized OnSlotResizedHandler;
	};

	static FSlot::FSlotArguments Slot() { return FSlot::FSlotArguments(std::make_unique<FSlot>()); }
	typedef TPanelChildren<FSlot>::FScopedWidgetSlotArguments FScopedWidgetSlotArguments;

	SLATE_BEGIN_ARGS(SSplitter)
		: _Style(&FCoreStyle::Get().GetWidgetStyle<FSplitterStyle>("Splitter")), _Orientation(Orient_Horizontal),
		  _ResizeMode(ESplitterResizeMode::FixedPosition), _PhysicalSplitterHandleSize(5.0f), _HitDetectionSplitterHandleSize(5.0f), _MinimumSlotHeight(20.0f)
	{
	}
	SLATE_SLOT_ARGUMENT(FSlot, Slots)
	SLATE_STYLE_ARGUMENT(FSplitterStyle, Style)
	SLATE_ARGUMENT(EOrientation, Orientation)
	SLATE_ARGUMENT(ESplitterResizeMode::Type, ResizeMode)
	SLATE_ARGUMENT(float, PhysicalSplitterHandleSize)
	SLATE_ARGUMENT(float, HitDetectionSplitterHandleSize)
	SLATE_ARGUMENT(float, MinimumSlotHeight)
	SLATE_EVENT(FSimpleDelegate, OnSplitterFinishedResizing)
	SLATE_END_ARGS()

	SSplitter() : Children(this) {}
	void Construct(const FArguments& InArgs);
	FChildren* GetChildren() override { return &Children; }

	FScopedWidgetSlotArguments AddSlot(int32 AtIndex = INDEX_NONE) { return FScopedWidgetSlotArguments(std::make_unique<FSlot>(), Children, AtIndex); }
	FSlot& SlotAt(int32 SlotIndex) { return Children[SlotIndex]; }
	void RemoveAt(int32 IndexToRemove) { Children.RemoveAt(IndexToRemove); }
	void SetOrientation(EOrientation NewOrientation) { Orientation = NewOrientation; }
	EOrientation GetOrientation() const { return Orientation; }

	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseButtonUp(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseMove(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	void OnMouseLeave(const FPointerEvent& MouseEvent) override;

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

private:
	// Where each shown child goes along the splitter: its index, start and length.
	struct FPlacement
	{
		int32 Index;
		float Start;
		float Length;
	};
	TArray<FPlacement> Place(float Length) const;
	// The handle under a point: the index of the child placed before it, or INDEX_NONE.
	int32 HandleAt(const FGeometry& MyGeometry, const FVector2D& ScreenPosition) const;
	float Along(const FVector2D& Vector) const { return float(Orientation == Orient_Horizontal ? Vector.X : Vector.Y); }

	TPanelChildren<FSlot> Children;
	const FSplitterStyle* Style = nullptr;
	EOrientation Orientation = Orient_Horizontal;
	float PhysicalSplitterHandleSize = 5.0f;
	float HitDetectionSplitterHandleSize = 5.0f;
	float MinSplitterChildLength = 20.0f;
	FSimpleDelegate OnSplitterFinishedResizing;
	int32 DraggedHandle = INDEX_NONE;
	int32 HoveredHandle = INDEX_NONE;
};
