#pragma once

#include "CoreMinimal.h"

// What a menu is shown for; handed to entries' actions when they run.
struct FToolMenuContext
{
	FToolMenuContext() = default;
	bool IsEditing() const { return false; }
};
