#pragma once

#include "CoreMinimal.h"

class FEditorSession;

namespace KVAEditor
{
	// The member's whole way through the library window against the bundled service, by clicks
	// and key strokes, narrated on standard output; a picture of each step and a contact sheet
	// of them go to Output. Returns 0 when every step went as it should.
	int RunDemo(FEditorSession& Session, const FString& Output);
}
