#pragma once

#include "CoreTypes.h"
#include "Styling/ISlateStyle.h"
#include "UObject/NameTypes.h"

// Where style sets are found by name.
class FSlateStyleRegistry
{
public:
	static void RegisterSlateStyle(const ISlateStyle& InSlateStyle);
	static void UnRegisterSlateStyle(const ISlateStyle& InSlateStyle);
	static const ISlateStyle* FindSlateStyle(const FName& InSlateStyleName);
};
