#pragma once

#include "CoreTypes.h"
#include "Layout/BasicLayoutWidgetSlot.h"
#include "Layout/Children.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SPanel.h"

// Children stacked on top of each other, each filling the whole area (less its padding) by
// its alignment; later slots, or those with a higher Z order, are drawn and hit on top.
class SOverlay : public SPanel
{
public:
	class FOverlaySlot : public TBasicLayoutWidgetSlot<FOverlaySlot>
	{
	public:
		FOverlaySlot() = default;
		explicit FOverlaySlot(int32 InZOrder) : ZOrder(InZOrder) {}

		SLATE_SLOT_BEGIN_ARGS(FOverlaySlot, TBasicLayoutWidgetSlot<FOverlaySlot>)
		SLATE_SLOT_END_ARGS()

		int32 GetZOrder() const { return ZOrder; }

	private:
		friend class SOverlay;
		int32 ZOrder = INDEX_NONE;
	};

	typedef TPanelChildren<FOverlaySlot>::FScopedWidgetSlotArguments FScopedWidgetSlotArguments;

	static FOverlaySlot::FSlotArguments Slot() { return FOverlaySlot::FSlotArguments(std::make_unique<FOverlaySlot>()); }
	static FOverlaySlot::FSlotArguments Slot(int32 ZOrder) { return FOverlaySlot::FSlotArguments(std::make_unique<FOverlaySlot>(ZOrder)); }

	SLATE_BEGIN_ARGS(SOverlay)
	{
		_Visibility = EVisibility::SelfHitTestInvisible;
	}
	SLATE_SLOT_ARGUMENT(FOverlaySlot, Slots)
	SLATE_END_ARGS()

	SOverlay() : Children(this) {}
	void Construct(const FArguments& InArgs);
	FChildren* GetChildren() override { return &Children; }

	FScopedWidgetSlotArguments AddSlot(int32 ZOrder = INDEX_NONE);
	int32 GetNumWidgets() const { return Children.Num(); }
	bool RemoveSlot(TSharedRef<SWidget> Widget) { return Children.Remove(Widget) != INDEX_NONE; }
	void ClearChildren() { Children.Empty(); }

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

private:
	TPanelChildren<FOverlaySlot> Children;
};
