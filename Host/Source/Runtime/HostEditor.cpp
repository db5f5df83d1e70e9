#include "Runtime/HostEditor.h"

#include "CoreUObject/ObjectHost.h"
#include "Editor.h"
#include "Editor/TransBuffer.h"
#include "Engine/World.h"
#include "LevelUtils.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"

namespace
{
	FHostEditor* GHostEditor = nullptr;
}

FHostEditor::FHostEditor()
{
	check(GHostEditor == nullptr);
	GHostEditor = this;
	GEditor = NewObject<UEditorEngine>(GetTransientPackage(), TEXT("EditorEngine"), RF_MarkAsRootSet);
	GEngine = GEditor;
	GEditor->GetEditorWorldContext().SetCurrentWorld(MakeEditorWorld());
	SelectionChangedHandle = USelection::SelectionChangedEvent.AddLambda([this](UObject*) { ++SelectionChanges; });
	GarbageCollectionTicker = FTSTicker::GetCoreTicker().AddTicker(TEXT("GarbageCollection"), GarbageCollectionInterval, [](float)
	{
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		return true;
	});
}

FHostEditor::~FHostEditor()
{
	FTSTicker::RemoveTicker(GarbageCollectionTicker);
	FModuleManager::Get().UnloadModulesAtShutdown();
	USelection::SelectionChangedEvent.Remove(SelectionChangedHandle);
	GEditor = nullptr;
	GEngine = nullptr;
	UE::Host::DestroyAllObjects();
	GUndo = nullptr;
	GHostEditor = nullptr;
}

FHostEditor* FHostEditor::Get()
{
	return GHostEditor;
}

UWorld* FHostEditor::MakeEditorWorld()
{
	const FString Name = FString::Printf(TEXT("Untitled_%d"), NextMapNumber++);
	return UWorld::CreateWorld(EWorldType::Editor, false, FName(Name), CreatePackage(*(FString(TEXT("/Temp/")) + Name)));
}

UWorld* FHostEditor::GetEditorWorld() const
{
	return GEditor->GetEditorWorldContext().World();
}

TArray<AActor*> FHostEditor::GetLevelActors() const
{
	TArray<AActor*> Actors;
	for (AActor* Actor : GetEditorWorld()->GetCurrentLevel()->Actors)
	{
		if (IsValid(Actor))
		{
			Actors.Add(Actor);
		}
	}
	return Actors;
}

TArray<FString> FHostEditor::GetUndoTitles() const
{
	TArray<FString> Titles;
	for (int32 Index = 0; Index < GEditor->Trans->GetQueueLength(); ++Index)
	{
		Titles.Add(GEditor->Trans->GetTransaction(Index)->GetTitle().ToString());
	}
	return Titles;
}

int32 FHostEditor::GetUndoCount() const
{
	return static_cast<UTransBuffer*>(GEditor->Trans.Get())->GetUndoCount();
}

UWorld* FHostEditor::StartPlaySession()
{
	check(GEditor->PlayWorld == nullptr);
	const FString Name = TEXT("UEDPIE_0_") + GetEditorWorld()->GetName();
	GEditor->PlayWorld = UWorld::CreateWorld(EWorldType::PIE, true, FName(Name), CreatePackage(*(FString(TEXT("/Temp/")) + Name)));
	return GEditor->PlayWorld;
}

void FHostEditor::EndPlaySession()
{
	check(GEditor->PlayWorld != nullptr);
	GEditor->PlayWorld->DestroyWorld(true);
	GEditor->PlayWorld = nullptr;
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

ULevel* FHostEditor::LockCurrentLevel()
{
	UWorld* World = GetEditorWorld();
	ULevel* Level = World->GetCurrentLevel();
	if (Level->IsPersistentLevel())
	{
		const FString Name = World->GetName() + TEXT("_Sub");
		Level = NewObject<ULevel>(NewObject<UWorld>(CreatePackage(*(FString(TEXT("/Temp/")) + Name)), FName(Name), RF_Public | RF_Standalone),
			TEXT("PersistentLevel"), RF_Transactional);
		World->AddLevel(Level);
		World->SetCurrentLevel(Level);
	}
	if (!FLevelUtils::IsLevelLocked(Level))
	{
		FLevelUtils::ToggleLevelLock(Level);
	}
	return Level;
}

UWorld* FHostEditor::OpenNewLevel()
{
	GEditor->SelectNone(true, true);
	GEditor->ResetTransaction(NSLOCTEXT("UnrealEd", "MapLoaded", "Map Loaded"));
	UWorld* OldWorld = GetEditorWorld();
	UWorld* NewWorld = MakeEditorWorld();
	GEditor->GetEditorWorldContext().SetCurrentWorld(NewWorld);
	OldWorld->DestroyWorld(false, NewWorld);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	return NewWorld;
}
