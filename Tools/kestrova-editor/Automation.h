#pragma once

#include "CoreMinimal.h"

class FEditorSession;

namespace KVAEditor
{
	// Runs the registered editor checks whose names contain Filter, prints one line per check
	// and the totals, copies the screenshots they took into Output with a contact sheet of them,
	// and returns 0 when every check passed (1 otherwise, also when none matched).
	int RunAutomation(FEditorSession& Session, const FString& Filter, const FString& Output);
}
