#pragma once

#include "Engine/Engine.h"
#include "Engine/Selection.h"

class AActor;
class ULevel;
class UTransactor;
class UWorld;

// The editor: its one editor world, the world of a running play session, the undo history and
// the actor selection.
class UEditorEngine : public UEngine
{
	DECLARE_HOST_CLASS(UEditorEngine, UEngine, TEXT("/Script/UnrealEd"))

public:
	UEditorEngine();
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	// There is exactly one editor world context.
	FWorldContext& GetEditorWorldContext(bool bEnsureIsGWorld = false);

	// Adds an actor of Class to InLevel inside a transaction of its own (cancelled when the
	// flags are not transactional), selecting it when asked. Null if the level is locked.
	virtual AActor* AddActor(ULevel* InLevel, UClass* Class, const FTransform& Transform, bool bSilent = false,
		EObjectFlags ObjectFlags = RF_Transactional, bool bSelectActor = true);
	virtual void SelectActor(AActor* Actor, bool bInSelected, bool bNotify, bool bSelectEvenIfHidden = false, bool bForceRefresh = false);
	virtual void SelectNone(bool bNoteSelectionChange, bool bDeselectBSPSurfs, bool WarnAboutManyActors = true);
	virtual void NoteSelectionChange(bool bNotify = true);
	// Actors of a locked level cannot be selected.
	virtual bool CanSelectActor(AActor* Actor, bool bInSelected, bool bSelectEvenIfHidden = false, bool bWarnIfLevelLocked = false) const;
	USelection* GetSelectedActors() const { return SelectedActors; }
	int32 GetSelectedActorCount() const { return SelectedActors->Num(); }

	int32 BeginTransaction(const TCHAR* TransactionContext, const FText& Description, UObject* PrimaryObject);
	int32 BeginTransaction(const FText& Description);
	virtual int32 EndTransaction();
	void CancelTransaction(int32 Index);
	void ResetTransaction(const FText& Reason);
	bool UndoTransaction(bool bCanRedo = true);
	bool RedoTransaction();
	bool IsTransactionActive() const;
	// False while an undo or redo is being applied.
	bool CanTransact() const;

	// The world of the running play session; null when none runs.
	TObjectPtr<UWorld> PlayWorld;
	TObjectPtr<UTransactor> Trans;

private:
	TObjectPtr<USelection> SelectedActors;
};
