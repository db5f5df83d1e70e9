#pragma once

#include "CoreMinimal.h"
#include "SlateTesting/SlateDriver.h"

class SWindow;

// The editor's user interface for a session: Slate, and the main window with the level
// editor's menu bar ("Window" opens "LevelEditor.MainMenu.Window") above the tab area where
// nomad tabs open. Making it ends the editor's start-up: tool menus run their start-up
// callbacks. Destroying it closes the main window, and every tab in it, and shuts Slate down
// when it started it. One exists at a time.
class FHostEditorUI
{
public:
	explicit FHostEditorUI(const FVector2D& WindowSize = FVector2D(1280, 800));
	~FHostEditorUI();
	FHostEditorUI(const FHostEditorUI&) = delete;
	FHostEditorUI& operator=(const FHostEditorUI&) = delete;

	static FHostEditorUI* Get();

	// The level editor's menus, named as the editor names them, with their menu bar labels.
	static constexpr const TCHAR* WindowMenuName = TEXT("LevelEditor.MainMenu.Window");

	const TSharedRef<SWindow>& GetMainWindow() const { return MainWindow; }
	const FSlateDriver& GetDriver() const { return Driver; }

	// Opens the menu bar's menu and clicks the entry, as a person would. "" when it was
	// clicked; otherwise why not: no such menu or entry, or why the click could not land.
	FString InvokeMenuEntry(const FName MenuName, const FName EntryName) const;

private:
	TSharedRef<SWidget> MakeMenuBar();

	bool bStartedSlate = false;
	TSharedRef<SWindow> MainWindow;
	FSlateDriver Driver;
	TMap<FName, TSharedPtr<SWidget>> MenuBarButtons;
};
