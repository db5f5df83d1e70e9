#include "Input/HittestGrid.h"
#include "Layout/ArrangedChildren.h"
#include "Layout/WidgetPath.h"
#include "Widgets/SWidget.h"

void FArrangedChildren::AddWidget(const FArrangedWidget& InWidgetGeometry)
{
	AddWidget(InWidgetGeometry.Widget->GetVisibility(), InWidgetGeometry);
}

bool FWidgetPath::ContainsWidget(const SWidget* SomeWidget) const
{
	return Widgets.GetInternalArray().ContainsByPredicate([SomeWidget](const FArrangedWidget& Arranged) { return &Arranged.Widget.Get() == SomeWidget; });
}

FWidgetPath FWidgetPath::GetPathDownTo(const TSharedRef<const SWidget>& MarkerWidget) const
{
	FArrangedChildren Down(EVisibility::Visible);
	for (const FArrangedWidget& Arranged : Widgets)
	{
		Down.GetInternalArray().Add(Arranged);
		if (&Arranged.Widget.Get() == &MarkerWidget.Get())
		{
			return FWidgetPath(TopLevelWindow, Down);
		}
	}
	return FWidgetPath();
}

FWeakWidgetPath::FWeakWidgetPath(const FWidgetPath& InWidgetPath) : Window(InWidgetPath.TopLevelWindow)
{
	for (const FArrangedWidget& Arranged : InWidgetPath.Widgets)
	{
		Widgets.Add(Arranged.Widget.ToWeakPtr());
	}
}

bool FWeakWidgetPath::ContainsWidget(const SWidget* SomeWidget) const
{
	return Widgets.ContainsByPredicate([SomeWidget](const TWeakPtr<SWidget>& Widget) { return Widget.HasSameObject(SomeWidget); });
}

void FHittestGrid::AddWidget(const TSharedRef<SWidget>& InWidget, const FSlateRect& InClipRect)
{
	Entries.Add(FEntry{InWidget.ToWeakPtr(), InClipRect});
}

TSharedPtr<SWidget> FHittestGrid::GetTopmostWidget(const FVector2D& DesktopSpaceCoordinate) const
{
	// Later entries were painted later, on top of earlier ones.
	for (int32 Index = Entries.Num() - 1; Index >= 0; --Index)
	{
		const FEntry& Entry = Entries[Index];
		const TSharedPtr<SWidget> Widget = Entry.Widget.Pin();
		if (Widget.IsValid() && Entry.ClipRect.ContainsPoint(DesktopSpaceCoordinate) && Widget->GetPaintSpaceGeometry().IsUnderLocation(DesktopSpaceCoordinate))
		{
			return Widget;
		}
	}
	return nullptr;
}

FWidgetPath FHittestGrid::GetBubblePath(const TSharedRef<SWindow>& InWindow, const FVector2D& DesktopSpaceCoordinate, bool bIgnoreEnabledStatus) const
{
	TArray<TSharedRef<SWidget>> LeafToRoot;
	for (TSharedPtr<SWidget> Widget = GetTopmostWidget(DesktopSpaceCoordinate); Widget.IsValid(); Widget = Widget->Advanced_GetPaintParentWidget())
	{
		LeafToRoot.Add(Widget.ToSharedRef());
	}
	FArrangedChildren Path(EVisibility::Visible);
	for (int32 Index = LeafToRoot.Num() - 1; Index >= 0; --Index)
	{
		const TSharedRef<SWidget>& Widget = LeafToRoot[Index];
		if (!bIgnoreEnabledStatus && !Widget->IsEnabled())
		{
			break;
		}
		Path.GetInternalArray().Add(FArrangedWidget(Widget, Widget->GetPaintSpaceGeometry()));
	}
	return FWidgetPath(InWindow.ToSharedPtr(), Path);
}
