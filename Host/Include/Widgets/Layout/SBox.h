#pragma once

#include "CoreTypes.h"
#include "Layout/BasicLayoutWidgetSlot.h"
#include "Types/SlateStructs.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SPanel.h"

// One child with overrides for the size the box asks for: fixed width and height, or the
// child's size kept within a minimum and maximum.
class SBox : public SPanel
{
public:
	SLATE_BEGIN_ARGS(SBox) : _HAlign(HAlign_Fill), _VAlign(VAlign_Fill), _Padding(0.0f), _Content()
	{
		_Visibility = EVisibility::SelfHitTestInvisible;
	}
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ATTRIBUTE(FOptionalSize, WidthOverride)
	SLATE_ATTRIBUTE(FOptionalSize, HeightOverride)
	SLATE_ATTRIBUTE(FOptionalSize, MinDesiredWidth)
	SLATE_ATTRIBUTE(FOptionalSize, MinDesiredHeight)
	SLATE_ATTRIBUTE(FOptionalSize, MaxDesiredWidth)
	SLATE_ATTRIBUTE(FOptionalSize, MaxDesiredHeight)
	SLATE_END_ARGS()

	SBox();
	void Construct(const FArguments& InArgs);
	FChildren* GetChildren() override { return &ChildSlot; }

	void SetContent(const TSharedRef<SWidget>& InContent) { ChildSlot[InContent]; }
	void SetHAlign(EHorizontalAlignment HAlign) { ChildSlot.SetHorizontalAlignment(HAlign); }
	void SetVAlign(EVerticalAlignment VAlign) { ChildSlot.SetVerticalAlignment(VAlign); }
	void SetPadding(TAttribute<FMargin> InPadding) { ChildSlot.SetPadding(std::move(InPadding)); }
	void SetWidthOverride(TAttribute<FOptionalSize> InWidthOverride) { WidthOverride = std::move(InWidthOverride); }
	void SetHeightOverride(TAttribute<FOptionalSize> InHeightOverride) { HeightOverride = std::move(InHeightOverride); }
	void SetMinDesiredWidth(TAttribute<FOptionalSize> InMinDesiredWidth) { MinDesiredWidth = std::move(InMinDesiredWidth); }
	void SetMinDesiredHeight(TAttribute<FOptionalSize> InMinDesiredHeight) { MinDesiredHeight = std::move(InMinDesiredHeight); }
	void SetMaxDesiredWidth(TAttribute<FOptionalSize> InMaxDesiredWidth) { MaxDesiredWidth = std::move(InMaxDesiredWidth); }
	void SetMaxDesiredHeight(TAttribute<FOptionalSize> InMaxDesiredHeight) { MaxDesiredHeight = std::move(InMaxDesiredHeight); }

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

	FSingleWidgetChildrenWithBasicLayoutSlot ChildSlot;
	TAttribute<FOptionalSize> WidthOverride;
	TAttribute<FOptionalSize> HeightOverride;
	TAttribute<FOptionalSize> MinDesiredWidth;
	TAttribute<FOptionalSize> MinDesiredHeight;
	TAttribute<FOptionalSize> MaxDesiredWidth;
	TAttribute<FOptionalSize> MaxDesiredHeight;
};
