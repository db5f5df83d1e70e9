#include "Widgets/SWidget.h"

#include "Framework/Application/SlateApplication.h"
#include "Input/HittestGrid.h"
#include "SlateCore/SlateFrame.h"
#include "Widgets/DeclarativeSyntaxSupport.h"

SWidget::SWidget() = default;

SWidget::~SWidget() = default;

void SWidget::SWidgetConstruct(const FSlateBaseNamedArgs& Args)
{
	EnabledStateAttribute = Args._IsEnabled;
	VisibilityAttribute = Args._Visibility;
	ToolTipText = Args._ToolTipText;
	Clipping = Args._Clipping;
	RenderOpacity = Args._RenderOpacity;
	Tag = Args._Tag;
}

void SWidget::SetDebugInfo(const ANSICHAR* InType, const ANSICHAR*, int32, size_t)
{
	TypeOfWidget = FName(InType);
}

FString SWidget::ToString() const
{
	return GetTypeAsString();
}

void SWidget::SlatePrepass()
{
	SlatePrepass(1.0f);
}

void SWidget::SlatePrepass(float InLayoutScaleMultiplier)
{
	if (CustomPrepass(InLayoutScaleMultiplier))
	{
		FChildren* Children = GetChildren();
		for (int32 Index = 0; Index < Children->Num(); ++Index)
		{
			const TSharedRef<SWidget> Child = Children->GetChildAt(Index);
			// Collapsed children take no space: their sizes are not needed this frame.
			if (Child->GetVisibility() != EVisibility::Collapsed)
			{
				Child->SlatePrepass(InLayoutScaleMultiplier * GetRelativeLayoutScale(Index, InLayoutScaleMultiplier));
			}
		}
	}
	DesiredSize = GetVisibility() == EVisibility::Collapsed ? FVector2D(0, 0) : ComputeDesiredSize(InLayoutScaleMultiplier);
}

bool SWidget::CustomPrepass(float)
{
	return true;
}

float SWidget::GetRelativeLayoutScale(int32, float) const
{
	return 1.0f;
}

void SWidget::ArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren, bool) const
{
	OnArrangeChildren(AllottedGeometry, ArrangedChildren);
}

FGeometry SWidget::FindChildGeometry(const FGeometry& MyGeometry, TSharedRef<SWidget> WidgetToFind) const
{
	// The chain of parents from the descendant up to this widget, then arranged top down.
	TArray<TSharedRef<SWidget>> Chain;
	for (TSharedPtr<SWidget> Current = WidgetToFind; Current.IsValid() && Current.Get() != this; Current = Current->GetParentWidget())
	{
		Chain.Insert(Current.ToSharedRef(), 0);
		if (!Current->GetParentWidget().IsValid())
		{
			return FGeometry();
		}
	}
	FGeometry Geometry = MyGeometry;
	const SWidget* Parent = this;
	for (const TSharedRef<SWidget>& Child : Chain)
	{
		FArrangedChildren Arranged(EVisibility::All);
		Parent->ArrangeChildren(Geometry, Arranged);
		const int32 Found = Arranged.GetInternalArray().IndexOfByPredicate([&Child](const FArrangedWidget& Widget) { return Widget.Widget == Child; });
		if (Found == INDEX_NONE)
		{
			return FGeometry();
		}
		Geometry = Arranged[Found].Geometry;
		Parent = &Child.Get();
	}
	return Geometry;
}

int32 SWidget::Paint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
	int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	SWidget* MutableThis = const_cast<SWidget*>(this);
	PaintGeometry = AllottedGeometry;
	LastPaintFrame = UE::Slate::Frame::GetCurrent();
	PaintParentPtr = Args.GetPaintParent() != nullptr ? const_cast<SWidget*>(Args.GetPaintParent())->AsShared().ToWeakPtr() : TWeakPtr<SWidget>();

	MutableThis->Tick(AllottedGeometry, Args.GetCurrentTime(), Args.GetDeltaTime());

	// A widget clips what it paints when told to, or on demand when it wants more room than it got.
	EWidgetClipping ActiveClipping = Clipping;
	if (ActiveClipping == EWidgetClipping::OnDemand)
	{
		const FVector2D Size = AllottedGeometry.GetLocalSize();
		ActiveClipping = Size.X < DesiredSize.X || Size.Y < DesiredSize.Y ? EWidgetClipping::ClipToBounds : EWidgetClipping::Inherit;
	}
	const bool bClips = ActiveClipping == EWidgetClipping::ClipToBounds || ActiveClipping == EWidgetClipping::ClipToBoundsAlways
		|| ActiveClipping == EWidgetClipping::ClipToBoundsWithoutIntersecting;
	FSlateRect CullingRect = MyCullingRect;
	if (bClips)
	{
		OutDrawElements.PushClip(FSlateClippingZone(AllottedGeometry));
		CullingRect = MyCullingRect.IntersectionWith(AllottedGeometry.GetLayoutBoundingRect());
	}

	const EVisibility Visibility = GetVisibility();
	FPaintArgs UpdatedArgs = Args.WithNewParent(this);
	if (Args.GetInheritedHittestability() && Visibility.IsHitTestVisible())
	{
		Args.GetHittestGrid().AddWidget(MutableThis->AsShared(), OutDrawElements.GetCurrentClip());
	}
	UpdatedArgs.SetInheritedHittestability(Args.GetInheritedHittestability() && Visibility.AreChildrenHitTestVisible());

	FWidgetStyle ContentStyle = InWidgetStyle;
	if (RenderOpacity != 1.0f)
	{
		ContentStyle.BlendColorAndOpacityTint(FLinearColor(1.0f, 1.0f, 1.0f, RenderOpacity));
	}
	const int32 NewLayerId = OnPaint(UpdatedArgs, AllottedGeometry, CullingRect, OutDrawElements, LayerId, ContentStyle, bParentEnabled);

	if (bClips)
	{
		OutDrawElements.PopClip();
	}
	return NewLayerId;
}

void SWidget::Tick(const FGeometry&, const double, const float) {}

bool SWidget::IsChildWidgetCulled(const FSlateRect& MyCullingRect, const FArrangedWidget& ArrangedChild) const
{
	return !FSlateRect::DoRectanglesIntersect(MyCullingRect, ArrangedChild.Geometry.GetLayoutBoundingRect());
}

void SWidget::RequestLayoutPass() const
{
	UE::Slate::Frame::RequestLayoutPass();
}

bool SWidget::HasKeyboardFocus() const
{
	return FSlateApplication::IsInitialized() && FSlateApplication::Get().GetKeyboardFocusedWidget().Get() == this;
}

bool SWidget::HasFocusedDescendants() const
{
	return FSlateApplication::IsInitialized() && FSlateApplication::Get().HasFocusedDescendants(AsShared());
}

bool SWidget::IsDirectlyHovered() const
{
	return FSlateApplication::IsInitialized() && FSlateApplication::Get().IsWidgetDirectlyHovered(AsShared());
}

bool SWidget::HasMouseCapture() const
{
	return FSlateApplication::IsInitialized() && FSlateApplication::Get().GetMouseCaptor().Get() == this;
}

bool SWidget::ConditionallyDetatchParentWidget(SWidget* InExpectedParent)
{
	const TSharedPtr<SWidget> Parent = ParentWidgetPtr.Pin();
	if (!Parent.IsValid() || Parent.Get() == InExpectedParent)
	{
		ParentWidgetPtr.Reset();
		return true;
	}
	return false;
}

FReply SWidget::OnFocusReceived(const FGeometry&, const FFocusEvent&)
{
	return FReply::Unhandled();
}

void SWidget::OnFocusLost(const FFocusEvent&) {}

FReply SWidget::OnKeyChar(const FGeometry&, const FCharacterEvent&)
{
	return FReply::Unhandled();
}

FReply SWidget::OnKeyDown(const FGeometry&, const FKeyEvent&)
{
	return FReply::Unhandled();
}

FReply SWidget::OnKeyUp(const FGeometry&, const FKeyEvent&)
{
	return FReply::Unhandled();
}

FReply SWidget::OnMouseButtonDown(const FGeometry&, const FPointerEvent&)
{
	return FReply::Unhandled();
}

FReply SWidget::OnMouseButtonUp(const FGeometry&, const FPointerEvent&)
{
	return FReply::Unhandled();
}

FReply SWidget::OnMouseMove(const FGeometry&, const FPointerEvent&)
{
	return FReply::Unhandled();
}

FReply SWidget::OnMouseWheel(const FGeometry&, const FPointerEvent&)
{
	return FReply::Unhandled();
}

void SWidget::OnMouseEnter(const FGeometry&, const FPointerEvent&)
{
	bIsHovered = true;
}

void SWidget::OnMouseLeave(const FPointerEvent&)
{
	bIsHovered = false;
}

void SWidget::OnMouseCaptureLost(const FCaptureLostEvent&) {}
