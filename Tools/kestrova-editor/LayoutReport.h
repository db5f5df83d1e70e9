#pragma once

#include "CoreMinimal.h"

class FEditorSession;
class FSlateDriver;

namespace KVAEditor
{
	// With KVA_REPORT_LAYOUT set, the desktop program says on standard output, whenever they
	// change, where each text is drawn (so that a tool can aim at a label as a person would) and
	// what state the editor and its library window are in.
	class FLayoutReport
	{
	public:
		static bool IsWanted();

		// After a frame: "layout" and a line "text X Y LABEL" per visible text of the windows
		// (the centre of the text, in screen space), and a line "state ..." of its own.
		void Update(FEditorSession& Session, const TArray<const FSlateDriver*>& Windows);

	private:
		FString Layout;
		FString State;
	};
}
