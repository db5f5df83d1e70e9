#pragma once

#include "CoreTypes.h"

// How a menu entry or tool button acts: a plain button, or one that shows a state.
enum class EUserInterfaceActionType : uint8
{
	None,
	Button,
	ToggleButton,
	RadioButton,
	Check,
	CollapsedButton,
};
