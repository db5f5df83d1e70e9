#include "Widgets/Layout/SBox.h"

#include "Layout/LayoutUtils.h"

SBox::SBox() : ChildSlot(this) {}

void SBox::Construct(const FArguments& InArgs)
{
	WidthOverride = InArgs._WidthOverride;
	HeightOverride = InArgs._HeightOverride;
	MinDesiredWidth = InArgs._MinDesiredWidth;
	MinDesiredHeight = InArgs._MinDesiredHeight;
	MaxDesiredWidth = InArgs._MaxDesiredWidth;
	MaxDesiredHeight = InArgs._MaxDesiredHeight;
	ChildSlot.HAlign(InArgs._HAlign).VAlign(InArgs._VAlign).Padding(InArgs._Padding)[InArgs._Content.Widget];
}

namespace
{
	// An override wins; otherwise the child's size with padding, kept within the bounds given.
	float DesiredAlong(float ChildSize, const FOptionalSize& Override, const FOptionalSize& Min, const FOptionalSize& Max)
	{
		if (Override.IsSet())
		{
			return Override.Get();
		}
		float Size = ChildSize;
		if (Min.IsSet())
		{
			Size = FMath::Max(Size, Min.Get());
		}
		if (Max.IsSet())
		{
			Size = FMath::Min(Size, Max.Get());
		}
		return Size;
	}
}

// A box whose content is collapsed asks for nothing, overrides or not.
FVector2D SBox::ComputeDesiredSize(float) const
{
	if (ChildSlot.GetWidget()->GetVisibility() == EVisibility::Collapsed)
	{
		return FVector2D(0, 0);
	}
	const FVector2D Child = ChildSlot.GetWidget()->GetDesiredSize() + ChildSlot.GetPadding().GetDesiredSize();
	return FVector2D(DesiredAlong(float(Child.X), WidthOverride.Get(FOptionalSize()), MinDesiredWidth.Get(FOptionalSize()), MaxDesiredWidth.Get(FOptionalSize())),
		DesiredAlong(float(Child.Y), HeightOverride.Get(FOptionalSize()), MinDesiredHeight.Get(FOptionalSize()), MaxDesiredHeight.Get(FOptionalSize())));
}

void SBox::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	ArrangeSingleChild(AllottedGeometry, ArrangedChildren, ChildSlot.GetWidget(), ChildSlot.GetPadding(), ChildSlot.GetHorizontalAlignment(),
		ChildSlot.GetVerticalAlignment());
}
