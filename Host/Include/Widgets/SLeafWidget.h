#pragma once

#include "CoreTypes.h"
#include "Widgets/SWidget.h"

// A widget without children.
class SLeafWidget : public SWidget
{
public:
	FChildren* GetChildren() override;

protected:
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;
};
