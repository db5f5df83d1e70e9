#pragma once

#include "CoreTypes.h"
#include "UObject/NameTypes.h"

class ISlateStyle;
struct FSlateBrush;

// An icon by name in a style set; empty when made without names.
class FSlateIcon
{
public:
	FSlateIcon() = default;
	FSlateIcon(const FName InStyleSetName, const FName InStyleName, const FName InSmallStyleName = NAME_None, const FName InStatusOverlayStyleName = NAME_None)
		: StyleSetName(InStyleSetName), StyleName(InStyleName), SmallStyleName(InSmallStyleName), StatusOverlayStyleName(InStatusOverlayStyleName), bIsSet(true)
	{
	}

	bool IsSet() const { return bIsSet; }
	const FName& GetStyleSetName() const { return StyleSetName; }
	const FName& GetStyleName() const { return StyleName; }
	const FName& GetSmallStyleName() const { return SmallStyleName; }

private:
	FName StyleSetName;
	FName StyleName;
	FName SmallStyleName;
	FName StatusOverlayStyleName;
	bool bIsSet = false;
};
