#pragma once

#include "CoreMinimal.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

class SVerticalBox;

// What sits beside the editor's main window in the desktop program: the current level's actors
// by label, the undo history with the undone transactions dimmed, and Undo and Redo as the
// editor's Edit menu offers them.
class SLevelPanel : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SLevelPanel) {}
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	// Catches up with the level and the history; the lists are made again only when they changed.
	void Refresh();

private:
	TSharedPtr<SVerticalBox> ActorList;
	TSharedPtr<SVerticalBox> HistoryList;
	FString ShownActors;
	FString ShownHistory;
};
