#pragma once

#include "CoreTypes.h"
#include "Layout/Geometry.h"
#include "Templates/SharedPointer.h"

class SWidget;

// A widget with the geometry its parent gave it.
class FArrangedWidget
{
public:
	FArrangedWidget(TSharedRef<SWidget> InWidget, const FGeometry& InGeometry) : Geometry(InGeometry), Widget(std::move(InWidget)) {}

	SWidget* GetWidgetPtr() const { return &Widget.Get(); }
	bool operator==(const FArrangedWidget& Other) const { return Widget == Other.Widget; }

	FGeometry Geometry;
	TSharedRef<SWidget> Widget;
};
