#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Layout/ArrangedWidget.h"
#include "Layout/Visibility.h"

// The children a widget arranged, filtered by visibility (painting takes only visible ones).
class FArrangedChildren
{
public:
	explicit FArrangedChildren(EVisibility InVisibilityFilter, bool bInAllow3DWidgets = false) : VisibilityFilter(InVisibilityFilter)
	{
		(void)bInAllow3DWidgets;
	}

	bool Accepts(EVisibility InVisibility) const { return EVisibility::DoesVisibilityPassFilter(InVisibility, VisibilityFilter); }
	void AddWidget(EVisibility VisibilityOverride, const FArrangedWidget& InWidgetGeometry)
	{
		if (Accepts(VisibilityOverride))
		{
			Array.Add(InWidgetGeometry);
		}
	}
	void AddWidget(const FArrangedWidget& InWidgetGeometry);
	void Reserve(int32 Count) { Array.Reserve(Count); }

	int32 Num() const { return Array.Num(); }
	FArrangedWidget& operator[](int32 Index) { return Array[Index]; }
	const FArrangedWidget& operator[](int32 Index) const { return Array[Index]; }
	FArrangedWidget& Last() { return Array.Last(); }
	const FArrangedWidget& Last() const { return Array.Last(); }
	TArray<FArrangedWidget>& GetInternalArray() { return Array; }
	const TArray<FArrangedWidget>& GetInternalArray() const { return Array; }
	EVisibility GetFilter() const { return VisibilityFilter; }

	auto begin() { return Array.begin(); }
	auto end() { return Array.end(); }
	auto begin() const { return Array.begin(); }
	auto end() const { return Array.end(); }

private:
	TArray<FArrangedWidget> Array;
	EVisibility VisibilityFilter;
};
