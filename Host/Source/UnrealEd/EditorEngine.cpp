#include "Editor.h"

#include "Editor/TransBuffer.h"
#include "Engine/World.h"
#include "LevelUtils.h"
#include "ScopedTransaction.h"
#include "UObject/Package.h"

UEditorEngine* GEditor = nullptr;

UEditorEngine::UEditorEngine()
{
	CreateNewWorldContext(EWorldType::Editor);
	Trans = CreateDefaultSubobject<UTransBuffer>(TEXT("TransBuffer"));
	SelectedActors = NewObject<USelection>(GetTransientPackage(), TEXT("SelectedActors"), RF_Transactional);
}

void UEditorEngine::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	UEditorEngine* Editor = static_cast<UEditorEngine*>(InThis);
	Collector.AddReferencedObject(Editor->PlayWorld, InThis);
	Collector.AddReferencedObject(Editor->Trans, InThis);
	Collector.AddReferencedObject(Editor->SelectedActors, InThis);
}

FWorldContext& UEditorEngine::GetEditorWorldContext(bool)
{
	for (int32 Index = 0; Index < GetWorldContexts().Num(); ++Index)
	{
		if (GetWorldContexts()[Index].WorldType == EWorldType::Editor)
		{
			return const_cast<FWorldContext&>(GetWorldContexts()[Index]);
		}
	}
	checkNoEntry();
}

AActor* UEditorEngine::AddActor(ULevel* InLevel, UClass* Class, const FTransform& Transform, bool, EObjectFlags ObjectFlags, bool bSelectActor)
{
	check(Class != nullptr);
	// The stand-in shows no notifications, so there is nothing for bSilent to silence.
	if (InLevel == nullptr || InLevel->OwningWorld == nullptr || FLevelUtils::IsLevelLocked(InLevel))
	{
		return nullptr;
	}
	AActor* Actor = nullptr;
	{
		FScopedTransaction Transaction(NSLOCTEXT("UnrealEd", "AddActor", "Add Actor"));
		if (!(ObjectFlags & RF_Transactional))
		{
			Transaction.Cancel();
		}
		SelectNone(false, true);
		FActorSpawnParameters SpawnInfo;
		SpawnInfo.OverrideLevel = InLevel;
		SpawnInfo.ObjectFlags = ObjectFlags;
		const FVector Location = Transform.GetLocation();
		const FRotator Rotation = Transform.GetRotation().Rotator();
		Actor = InLevel->OwningWorld->SpawnActor(Class, &Location, &Rotation, SpawnInfo);
		if (Actor != nullptr)
		{
			Actor->SetActorScale3D(Transform.GetScale3D());
			if (bSelectActor)
			{
				SelectActor(Actor, true, false);
			}
		}
	}
	if (Actor != nullptr)
	{
		Actor->MarkPackageDirty();
	}
	NoteSelectionChange();
	return Actor;
}

bool UEditorEngine::CanSelectActor(AActor* Actor, bool bInSelected, bool, bool) const
{
	return Actor != nullptr && (!bInSelected || !FLevelUtils::IsLevelLocked(Actor));
}

void UEditorEngine::SelectActor(AActor* Actor, bool bInSelected, bool bNotify, bool bSelectEvenIfHidden, bool)
{
	if (!CanSelectActor(Actor, bInSelected, bSelectEvenIfHidden))
	{
		return;
	}
	if (SelectedActors->IsSelected(Actor) != bInSelected)
	{
		SelectedActors->Select(Actor, bInSelected);
		if (bNotify)
		{
			NoteSelectionChange();
		}
	}
}

void UEditorEngine::SelectNone(bool bNoteSelectionChange, bool, bool)
{
	if (SelectedActors->DeselectAll() > 0 && bNoteSelectionChange)
	{
		NoteSelectionChange();
	}
}

void UEditorEngine::NoteSelectionChange(bool bNotify)
{
	if (bNotify)
	{
		SelectedActors->NoteSelectionChanged();
	}
}

int32 UEditorEngine::BeginTransaction(const TCHAR* TransactionContext, const FText& Description, UObject* PrimaryObject)
{
	const int32 Index = Trans->Begin(TransactionContext, Description);
	if (GUndo != nullptr && PrimaryObject != nullptr)
	{
		GUndo->SetPrimaryObject(PrimaryObject);
	}
	return Index;
}

int32 UEditorEngine::BeginTransaction(const FText& Description)
{
	return BeginTransaction(nullptr, Description, nullptr);
}

int32 UEditorEngine::EndTransaction()
{
	return Trans->End();
}

void UEditorEngine::CancelTransaction(int32 Index)
{
	Trans->Cancel(Index);
}

void UEditorEngine::ResetTransaction(const FText& Reason)
{
	Trans->Reset(Reason);
}

bool UEditorEngine::UndoTransaction(bool bCanRedo)
{
	return Trans->Undo(bCanRedo);
}

bool UEditorEngine::RedoTransaction()
{
	return Trans->Redo();
}

bool UEditorEngine::IsTransactionActive() const
{
	return Trans->IsActive();
}

bool UEditorEngine::CanTransact() const
{
	return Trans != nullptr && !GIsTransacting;
}
