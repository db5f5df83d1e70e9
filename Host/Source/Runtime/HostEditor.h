#pragma once

#include "Containers/Ticker.h"
#include "CoreMinimal.h"

class AActor;
class ULevel;
class UWorld;

// The stand-in editor's session: GEditor with its transaction buffer and selection, and an
// editor world ("/Temp/Untitled_1"). Like the editor's loop, the host's core ticker collects
// garbage every GarbageCollectionInterval seconds. Destroying the session shuts every module
// down (in reverse order of loading), then destroys every object. One exists at a time.
class FHostEditor
{
public:
	FHostEditor();
	~FHostEditor();
	FHostEditor(const FHostEditor&) = delete;
	FHostEditor& operator=(const FHostEditor&) = delete;

	static FHostEditor* Get();

	// The editor's default time between garbage collections (gc.TimeBetweenPurgingPendingKillObjects).
	static constexpr float GarbageCollectionInterval = 61.1f;

	UWorld* GetEditorWorld() const;
	// The actors of the editor world's current level, in the order they were added.
	TArray<AActor*> GetLevelActors() const;
	int32 CountLevelActors() const { return GetLevelActors().Num(); }

	// The titles of the transactions in the undo history (oldest first) and how many of the
	// newest have been undone.
	TArray<FString> GetUndoTitles() const;
	int32 GetUndoCount() const;

	// A play session: a play world that exists until it ends, as when the user presses Play.
	UWorld* StartPlaySession();
	void EndPlaySession();

	// Makes a locked sub-level the editor world's current level, as a user would do (the
	// persistent level cannot be locked), and returns it.
	ULevel* LockCurrentLevel();
	// Opens another level: a new editor world replaces the current one, the history is reset and
	// the old world is collected.
	UWorld* OpenNewLevel();

	// How many times the editor has noted a change of the selection.
	int32 GetSelectionChangeCount() const { return SelectionChanges; }

private:
	UWorld* MakeEditorWorld();

	int32 NextMapNumber = 1;
	int32 SelectionChanges = 0;
	FDelegateHandle SelectionChangedHandle;
	FTSTicker::FDelegateHandle GarbageCollectionTicker;
};
