#pragma once

#include "CoreTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

namespace EStretchDirection
{
	enum Type : int
	{
		Both,
		DownOnly,
		UpOnly,
	};
}

namespace EStretch
{
	enum Type : int
	{
		None,
		Fill,
		ScaleToFit,
		ScaleToFitX,
		ScaleToFitY,
		ScaleToFill,
		ScaleBySafeZone,
		UserSpecified,
		UserSpecifiedWithClipping,
	};
}

// One child drawn scaled: to fit the box keeping its aspect ratio, to fill it, or by a given
// factor; placed in the box by its alignment (centred unless told otherwise).
class SScaleBox : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SScaleBox)
		: _Content(), _HAlign(HAlign_Center), _VAlign(VAlign_Center), _StretchDirection(EStretchDirection::Both), _Stretch(EStretch::None),
		  _UserSpecifiedScale(1.0f), _IgnoreInheritedScale(false)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(EStretchDirection::Type, StretchDirection)
	SLATE_ATTRIBUTE(EStretch::Type, Stretch)
	SLATE_ATTRIBUTE(float, UserSpecifiedScale)
	SLATE_ATTRIBUTE(bool, IgnoreInheritedScale)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	void SetContent(TSharedRef<SWidget> InContent) { ChildSlot[InContent]; }
	void SetStretch(EStretch::Type InStretch) { Stretch = InStretch; }
	void SetStretchDirection(EStretchDirection::Type InStretchDirection) { StretchDirection = InStretchDirection; }
	void SetUserSpecifiedScale(float InUserSpecifiedScale) { UserSpecifiedScale = InUserSpecifiedScale; }

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

private:
	float ComputeContentScale(const FVector2D& AreaSize) const;

	TAttribute<EStretchDirection::Type> StretchDirection;
	TAttribute<EStretch::Type> Stretch;
	TAttribute<float> UserSpecifiedScale;
};
