#pragma once

#include "CoreTypes.h"
#include "Misc/Optional.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

DECLARE_DELEGATE_OneParam(FOnUserScrolled, float);

// A track with a thumb that shows which part of the content is in view; dragging the thumb
// or clicking the track scrolls. Collapses itself when everything is in view.
class SScrollBar : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(SScrollBar)
		: _Style(&FCoreStyle::Get().GetWidgetStyle<FScrollBarStyle>("Scrollbar")), _Orientation(Orient_Vertical), _AlwaysShowScrollbar(false),
		  _Thickness()
	{
	}
	SLATE_STYLE_ARGUMENT(FScrollBarStyle, Style)
	SLATE_EVENT(FOnUserScrolled, OnUserScrolled)
	SLATE_ARGUMENT(EOrientation, Orientation)
	SLATE_ARGUMENT(bool, AlwaysShowScrollbar)
	SLATE_ATTRIBUTE(FVector2D, Thickness)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	// Where the view starts and how much of the content it shows, as fractions of the content.
	void SetState(float InOffsetFraction, float InThumbSizeFraction);
	float DistanceFromTop() const { return OffsetFraction; }
	float ThumbSizeFraction() const { return SizeFraction; }
	bool IsNeeded() const { return SizeFraction < 1.0f; }
	float GetThickness() const;

	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseButtonUp(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseMove(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

private:
	EVisibility GetNeededVisibility() const;
	float Along(const FVector2D& Vector) const { return float(Orientation == Orient_Vertical ? Vector.Y : Vector.X); }

	const FScrollBarStyle* Style = nullptr;
	FOnUserScrolled OnUserScrolled;
	EOrientation Orientation = Orient_Vertical;
	bool bAlwaysShow = false;
	TAttribute<FVector2D> Thickness;
	float OffsetFraction = 0.0f;
	float SizeFraction = 1.0f;
	// While the thumb is dragged: where the pointer took hold of it, as a distance from its start.
	TOptional<float> DragGrip;
};
