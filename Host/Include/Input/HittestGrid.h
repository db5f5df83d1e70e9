#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Layout/SlateRect.h"
#include "Layout/WidgetPath.h"
#include "Math/Vector2D.h"
#include "Templates/SharedPointer.h"

class SWidget;
class SWindow;

// The widgets a window painted that the pointer can hit, in paint order, each with the
// clipping it was painted under.
class FHittestGrid
{
public:
	void Clear() { Entries.Reset(); }
	void AddWidget(const TSharedRef<SWidget>& InWidget, const FSlateRect& InClipRect);

	// The topmost widget under the point and its paint parents up to the window. Unless the
	// enabled state is ignored, the path ends above the outermost disabled widget: a
	// disabled widget and what it holds receive no input, but they still cover what lies
	// beneath them.
	FWidgetPath GetBubblePath(const TSharedRef<SWindow>& InWindow, const FVector2D& DesktopSpaceCoordinate, bool bIgnoreEnabledStatus) const;
	// The topmost widget under the point, before the enabled state is considered.
	TSharedPtr<SWidget> GetTopmostWidget(const FVector2D& DesktopSpaceCoordinate) const;

private:
	struct FEntry
	{
		TWeakPtr<SWidget> Widget;
		FSlateRect ClipRect;
	};
	TArray<FEntry> Entries;
};
