#pragma once

#include "CoreMinimal.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

class SLevelViewport;
class SVerticalBox;
class SWindow;

// What sits beside the editor's main window in the desktop program and the demo's pictures: a
// viewport of the current level, a Content Browser showing the folder it was last asked to show
// with the assets in it, the level's actors by label, the undo history with the undone
// transactions dimmed, and Undo and Redo as the editor's Edit menu offers them.
class SLevelPanel : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SLevelPanel) {}
	SLATE_END_ARGS()

	static constexpr double Width = 420.0;

	// The panel in a window of its own at the right edge of the main window, added to the
	// application.
	static TSharedRef<SWindow> MakeWindow(const SWindow& Main, TSharedPtr<SLevelPanel>& OutPanel);
	// The main window with the panel's window beside it, as one PNG.
	static bool SavePicture(const SWindow& Main, const SWindow& Panel, const FString& Filename);

	void Construct(const FArguments& InArgs);
	// Catches up with the level, the Content Browser and the history; the lists are made again
	// only when they changed.
	void Refresh();

private:
	TSharedPtr<SLevelViewport> Viewport;
	TSharedPtr<SVerticalBox> BrowserList;
	TSharedPtr<SVerticalBox> ActorList;
	TSharedPtr<SVerticalBox> HistoryList;
	FString ShownBrowser;
	FString ShownActors;
	FString ShownHistory;
};
