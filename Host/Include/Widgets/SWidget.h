#pragma once

#include "CoreTypes.h"
#include "Input/Events.h"
#include "Input/Reply.h"
#include "Internationalization/Text.h"
#include "Layout/ArrangedChildren.h"
#include "Layout/Children.h"
#include "Layout/Clipping.h"
#include "Layout/Geometry.h"
#include "Layout/SlateRect.h"
#include "Layout/Visibility.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector2D.h"
#include "Misc/Attribute.h"
#include "Rendering/DrawElements.h"
#include "Styling/WidgetStyle.h"
#include "Templates/SharedPointer.h"
#include "Types/PaintArgs.h"
#include "UObject/NameTypes.h"

struct FSlateBaseNamedArgs;
class SWindow;

DECLARE_DELEGATE_RetVal_TwoParams(FReply, FPointerEventHandler, const FGeometry&, const FPointerEvent&);

// The base of every widget. A frame runs in two passes: the prepass computes each widget's
// desired size from its children's (bottom-up), then painting arranges each widget's
// children inside the geometry its parent gave it (top-down) and emits draw elements. Events
// reach a widget through the application, which routes them along the path of widgets under
// the pointer or along the focus path until a widget handles them.
class SWidget : public TSharedFromThis<SWidget>
{
public:
	SWidget();
	SWidget(const SWidget&) = delete;
	SWidget& operator=(const SWidget&) = delete;
	virtual ~SWidget();

	// Declarative construction: the arguments every widget takes, and the name it was made as.
	void SWidgetConstruct(const FSlateBaseNamedArgs& Args);
	void SetDebugInfo(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, size_t InAllocSize);

	// Layout
	void SlatePrepass();
	void SlatePrepass(float InLayoutScaleMultiplier);
	FVector2D GetDesiredSize() const { return DesiredSize; }
	void ArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren, bool bUpdateAttributes = false) const;
	// Where a descendant lies when this widget has MyGeometry, by arranging down to it (the
	// descendant need not have been painted); an empty geometry when it is not a descendant.
	FGeometry FindChildGeometry(const FGeometry& MyGeometry, TSharedRef<SWidget> WidgetToFind) const;
	virtual FChildren* GetChildren() = 0;
	const FChildren* GetChildren() const { return const_cast<SWidget*>(this)->GetChildren(); }

	// Paints this widget and its children; returns the highest layer used.
	int32 Paint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const;
	// Called once a frame while painting, with the geometry of that frame.
	virtual void Tick(const FGeometry& AllottedGeometry, const double InCurrentTime, const float InDeltaTime);

	// Keyboard focus
	virtual bool SupportsKeyboardFocus() const { return false; }
	virtual bool HasKeyboardFocus() const;
	bool HasFocusedDescendants() const;
	virtual FReply OnFocusReceived(const FGeometry& MyGeometry, const FFocusEvent& InFocusEvent);
	virtual void OnFocusLost(const FFocusEvent& InFocusEvent);

	// Keyboard and mouse
	virtual FReply OnKeyChar(const FGeometry& MyGeometry, const FCharacterEvent& InCharacterEvent);
	virtual FReply OnKeyDown(const FGeometry& MyGeometry, const FKeyEvent& InKeyEvent);
	virtual FReply OnKeyUp(const FGeometry& MyGeometry, const FKeyEvent& InKeyEvent);
	virtual FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent);
	virtual FReply OnMouseButtonUp(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent);
	virtual FReply OnMouseMove(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent);
	virtual FReply OnMouseWheel(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent);
	virtual void OnMouseEnter(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent);
	virtual void OnMouseLeave(const FPointerEvent& MouseEvent);
	virtual void OnMouseCaptureLost(const FCaptureLostEvent& CaptureLostEvent);

	virtual bool IsHovered() const { return bIsHovered; }
	bool IsDirectlyHovered() const;
	bool HasMouseCapture() const;
	virtual bool IsInteractable() const { return false; }

	// State
	bool IsEnabled() const { return EnabledStateAttribute.Get(); }
	void SetEnabled(const TAttribute<bool>& InEnabledState) { EnabledStateAttribute = InEnabledState; }
	EVisibility GetVisibility() const { return VisibilityAttribute.Get(); }
	virtual void SetVisibility(TAttribute<EVisibility> InVisibility) { VisibilityAttribute = std::move(InVisibility); }
	EWidgetClipping GetClipping() const { return Clipping; }
	void SetClipping(EWidgetClipping InClipping) { Clipping = InClipping; }
	float GetRenderOpacity() const { return RenderOpacity; }
	void SetRenderOpacity(float InOpacity) { RenderOpacity = InOpacity; }
	void SetToolTipText(const TAttribute<FText>& InToolTipText) { ToolTipText = InToolTipText; }
	FText GetToolTipText() const { return ToolTipText.Get(FText()); }
	void SetTag(FName InTag) { Tag = InTag; }
	FName GetTag() const { return Tag; }
	FName GetType() const { return TypeOfWidget; }
	FString GetTypeAsString() const { return TypeOfWidget.ToString(); }
	FString ToString() const;

	// The geometry this widget was last painted with, and whether it was painted in the last
	// frame of its window.
	const FGeometry& GetCachedGeometry() const { return PaintGeometry; }
	const FGeometry& GetTickSpaceGeometry() const { return PaintGeometry; }
	const FGeometry& GetPaintSpaceGeometry() const { return PaintGeometry; }
	bool WasPaintedInFrame(uint64 InFrame) const { return LastPaintFrame == InFrame; }
	uint64 GetLastPaintFrame() const { return LastPaintFrame; }

	// The widget whose child this is, and the widget that painted it last.
	TSharedPtr<SWidget> GetParentWidget() const { return ParentWidgetPtr.Pin(); }
	void AssignParentWidget(TSharedPtr<SWidget> InParent) { ParentWidgetPtr = InParent; }
	bool ConditionallyDetatchParentWidget(SWidget* InExpectedParent);
	TSharedPtr<SWidget> Advanced_GetPaintParentWidget() const { return PaintParentPtr.Pin(); }

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const = 0;
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const = 0;
	virtual int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const = 0;
	// Lets a widget prepare before its children's prepass (text wrap widths, generated rows);
	// false skips the children's prepass.
	virtual bool CustomPrepass(float LayoutScaleMultiplier);
	virtual float GetRelativeLayoutScale(int32 ChildIndex, float LayoutScaleMultiplier) const;

	bool ShouldBeEnabled(bool bParentEnabled) const { return bParentEnabled && IsEnabled(); }
	bool IsChildWidgetCulled(const FSlateRect& MyCullingRect, const FArrangedWidget& ArrangedChild) const;
	// Asks the application for another layout pass this frame: what this widget will want
	// next depends on the geometry it was just painted with (wrapped text, generated rows).
	void RequestLayoutPass() const;

	TAttribute<bool> EnabledStateAttribute = true;
	TAttribute<EVisibility> VisibilityAttribute = EVisibility::Visible;
	TAttribute<FText> ToolTipText;
	EWidgetClipping Clipping = EWidgetClipping::Inherit;
	float RenderOpacity = 1.0f;
	FName Tag;

private:
	FVector2D DesiredSize;
	FName TypeOfWidget;
	TWeakPtr<SWidget> ParentWidgetPtr;
	mutable TWeakPtr<SWidget> PaintParentPtr;
	mutable FGeometry PaintGeometry;
	mutable uint64 LastPaintFrame = 0;
	bool bIsHovered = false;
};
