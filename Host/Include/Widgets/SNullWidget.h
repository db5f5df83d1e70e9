#pragma once

#include "CoreTypes.h"
#include "Templates/SharedPointer.h"

class SWidget;

// The widget that stands for "nothing": it takes no space and draws nothing.
class SNullWidget
{
public:
	static TSharedRef<class SWidget> NullWidget;
};
