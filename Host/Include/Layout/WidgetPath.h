#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Layout/ArrangedChildren.h"
#include "Templates/SharedPointer.h"

class SWidget;
class SWindow;

// A chain of widgets from a window down to one widget, each with its last painted geometry.
class FWidgetPath
{
public:
	FWidgetPath() : Widgets(EVisibility::Visible) {}
	FWidgetPath(TSharedPtr<SWindow> InTopLevelWindow, const FArrangedChildren& InWidgetPath) : Widgets(InWidgetPath), TopLevelWindow(InTopLevelWindow) {}

	bool IsValid() const { return Widgets.Num() > 0; }
	bool ContainsWidget(const SWidget* SomeWidget) const;
	TSharedRef<SWidget> GetLastWidget() const { return Widgets.Last().Widget; }
	const TSharedPtr<SWindow>& GetWindow() const { return TopLevelWindow; }
	// The part of the path from the window down to MarkerWidget; empty when it is not on it.
	FWidgetPath GetPathDownTo(const TSharedRef<const SWidget>& MarkerWidget) const;

	FArrangedChildren Widgets;
	TSharedPtr<SWindow> TopLevelWindow;
};

// A widget path that does not keep its widgets alive.
class FWeakWidgetPath
{
public:
	FWeakWidgetPath() = default;
	explicit FWeakWidgetPath(const FWidgetPath& InWidgetPath);

	bool IsValid() const { return !Widgets.IsEmpty() && Widgets.Last().IsValid(); }
	TWeakPtr<SWidget> GetLastWidget() const { return Widgets.IsEmpty() ? TWeakPtr<SWidget>() : Widgets.Last(); }
	bool ContainsWidget(const SWidget* SomeWidget) const;

	TArray<TWeakPtr<SWidget>> Widgets;
	TWeakPtr<SWindow> Window;
};
