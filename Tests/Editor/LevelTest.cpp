#include "CoreMinimal.h"
#include "Editor.h"
#include "Editor/Transactor.h"
#include "EditorTestSupport.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"
#include "Engine/World.h"
#include "LevelUtils.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"
#include "ScopedTransaction.h"
#include "UObject/Package.h"
#include "UObject/StrongObjectPtr.h"

#include <gtest/gtest.h>

namespace
{
	class LevelTest : public ::testing::Test
	{
	protected:
		UWorld* World() const { return GEditor->GetEditorWorldContext().World(); }

		UStaticMesh* MakeMesh(const TCHAR* Name)
		{
			return NewObject<UStaticMesh>(CreatePackage(*(FString(TEXT("/Game/Meshes/")) + Name)), Name, RF_Public | RF_Standalone | RF_Transactional);
		}

		// Placement as the editor's own tools and plug-ins do it: one transaction that records the
		// level, adds a static-mesh actor, gives it a mesh and a label and selects it alone.
		AStaticMeshActor* Place(UStaticMesh* Mesh, const FTransform& Transform = FTransform::Identity)
		{
			FScopedTransaction Transaction(NSLOCTEXT("Kestrova", "Add", "Add Kestrova asset"));
			ULevel* Level = World()->GetCurrentLevel();
			Level->Modify();
			AStaticMeshActor* Actor = Cast<AStaticMeshActor>(GEditor->AddActor(Level, AStaticMeshActor::StaticClass(), Transform, true, RF_Transactional, true));
			if (Actor == nullptr)
			{
				Transaction.Cancel();
				return nullptr;
			}
			Actor->Modify();
			Actor->GetStaticMeshComponent()->Modify();
			Actor->GetStaticMeshComponent()->SetStaticMesh(Mesh);
			Actor->SetActorLabel(Mesh->GetName(), true);
			GEditor->SelectNone(false, true, true);
			GEditor->SelectActor(Actor, true, true);
			GEditor->NoteSelectionChange();
			return Actor;
		}

		TArray<AActor*> Selected() const
		{
			TArray<AActor*> Actors;
			GEditor->GetSelectedActors()->GetSelectedObjects(Actors);
			return Actors;
		}

		FHostRuntime Runtime;
		FHostEditor Editor;
	};
}

TEST_F(LevelTest, OneUndoRemovesAPlacedActorAndRedoRestoresIt)
{
	UStaticMesh* Chair = MakeMesh(TEXT("Chair"));
	AStaticMeshActor* First = Place(MakeMesh(TEXT("Table")));
	ASSERT_NE(First, nullptr);
	const int32 ChangesBefore = Editor.GetSelectionChangeCount();

	AStaticMeshActor* Actor = Place(Chair);
	ASSERT_NE(Actor, nullptr);
	EXPECT_EQ(Editor.GetLevelActors(), (TArray<AActor*>{First, Actor}));
	EXPECT_EQ(Selected(), TArray<AActor*>{Actor});
	EXPECT_GT(Editor.GetSelectionChangeCount(), ChangesBefore);
	EXPECT_EQ(Actor->GetStaticMeshComponent()->GetStaticMesh(), Chair);
	EXPECT_EQ(Actor->GetActorLabel(), FString(TEXT("Chair")));
	EXPECT_EQ(Actor->GetLevel(), World()->GetCurrentLevel());
	EXPECT_EQ(Actor->GetWorld(), World());
	EXPECT_TRUE(Actor->GetName().StartsWith(TEXT("StaticMeshActor_")));
	EXPECT_TRUE(Actor->GetActorTransform().Equals(FTransform::Identity));
	EXPECT_TRUE(World()->GetPackage()->IsDirty());
	// The editor's own "Add Actor" transaction joined the outer one.
	EXPECT_EQ(Editor.GetUndoTitles(), (TArray<FString>{TEXT("Add Kestrova asset"), TEXT("Add Kestrova asset")}));

	TWeakObjectPtr<AStaticMeshActor> Weak = Actor;
	ASSERT_TRUE(GEditor->UndoTransaction());
	EXPECT_EQ(Editor.GetLevelActors(), TArray<AActor*>{First});
	EXPECT_EQ(Selected(), TArray<AActor*>{First});
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_EQ(Editor.GetUndoCount(), 1);

	// The undone actor waits in the history through a garbage collection.
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	ASSERT_TRUE(GEditor->RedoTransaction());
	ASSERT_TRUE(Weak.IsValid());
	EXPECT_EQ(Editor.GetLevelActors(), (TArray<AActor*>{First, Actor}));
	EXPECT_EQ(Selected(), TArray<AActor*>{Actor});
	EXPECT_EQ(Actor->GetStaticMeshComponent()->GetStaticMesh(), Chair);
	EXPECT_EQ(Actor->GetActorLabel(), FString(TEXT("Chair")));
	EXPECT_EQ(Editor.GetUndoCount(), 0);

	// Two undos take both placements away; there is nothing more to undo.
	ASSERT_TRUE(GEditor->UndoTransaction());
	ASSERT_TRUE(GEditor->UndoTransaction());
	EXPECT_EQ(Editor.CountLevelActors(), 0);
	EXPECT_TRUE(Selected().IsEmpty());
	EXPECT_FALSE(GEditor->UndoTransaction());
}

TEST_F(LevelTest, ACancelledTransactionLeavesNothingToUndo)
{
	{
		FScopedTransaction Transaction(NSLOCTEXT("Kestrova", "Add", "Add Kestrova asset"));
		EXPECT_TRUE(Transaction.IsOutstanding());
		EXPECT_TRUE(GEditor->IsTransactionActive());
		World()->GetCurrentLevel()->Modify();
		// Not transactional: the editor cancels its own transaction and the actor stays.
		AActor* Untracked = GEditor->AddActor(World()->GetCurrentLevel(), AStaticMeshActor::StaticClass(), FTransform::Identity, true, RF_NoFlags, false);
		EXPECT_NE(Untracked, nullptr);
		EXPECT_TRUE(GEditor->IsTransactionActive());
		Transaction.Cancel();
		Transaction.Cancel();
		EXPECT_FALSE(Transaction.IsOutstanding());
	}
	EXPECT_FALSE(GEditor->IsTransactionActive());
	EXPECT_TRUE(Editor.GetUndoTitles().IsEmpty());
	EXPECT_FALSE(GEditor->UndoTransaction());
	EXPECT_EQ(Editor.CountLevelActors(), 1);
}

TEST_F(LevelTest, ActorsArePlacedWhereTheTransformSays)
{
	const FTransform Cases[] = {
		FTransform::Identity,
		FTransform(FVector(100, -50, 25)),
		FTransform(FRotator(0, 90, 0), FVector(1, 2, 3)),
		FTransform(FRotator(30, -45, 10), FVector(-7, 0, 4), FVector(2, 2, 0.5)),
		FTransform(FRotator(-60, 170, -20), FVector::ZeroVector, FVector(1, 3, 1)),
	};
	UStaticMesh* Mesh = MakeMesh(TEXT("Box"));
	for (const FTransform& Transform : Cases)
	{
		SCOPED_TRACE(testing::Message() << Transform.Rotator().Pitch << " " << Transform.Rotator().Yaw << " " << Transform.Rotator().Roll);
		AStaticMeshActor* Actor = Place(Mesh, Transform);
		ASSERT_NE(Actor, nullptr);
		EXPECT_TRUE(Actor->GetActorTransform().Equals(Transform, 1e-6));
		EXPECT_TRUE(Actor->GetActorLocation().Equals(Transform.GetLocation()));
		EXPECT_TRUE(Actor->GetActorRotation().Equals(Transform.Rotator()));
		EXPECT_TRUE(Actor->GetActorScale3D().Equals(Transform.GetScale3D()));
	}
	EXPECT_EQ(Editor.CountLevelActors(), 5);
}

TEST_F(LevelTest, ALockedLevelTakesNoActorsAndNoSelection)
{
	AStaticMeshActor* Outside = Place(MakeMesh(TEXT("Lamp")));
	ULevel* Persistent = World()->PersistentLevel;
	// The persistent level is never locked.
	FLevelUtils::ToggleLevelLock(Persistent);
	EXPECT_FALSE(FLevelUtils::IsLevelLocked(Persistent));
	EXPECT_FALSE(FLevelUtils::IsLevelLocked(Outside));

	ULevel* Locked = Editor.LockCurrentLevel();
	EXPECT_EQ(World()->GetCurrentLevel(), Locked);
	EXPECT_FALSE(Locked->IsPersistentLevel());
	EXPECT_EQ(Locked->GetWorld(), World());
	EXPECT_TRUE(FLevelUtils::IsLevelLocked(World()->GetCurrentLevel()));
	EXPECT_EQ(GEditor->AddActor(Locked, AStaticMeshActor::StaticClass(), FTransform::Identity, true), nullptr);
	EXPECT_EQ(Place(MakeMesh(TEXT("Desk"))), nullptr);
	EXPECT_EQ(Editor.CountLevelActors(), 0);
	// The cancelled placement left the history as it was.
	EXPECT_EQ(Editor.GetUndoTitles(), TArray<FString>{TEXT("Add Kestrova asset")});

	// Unlocked again, it takes actors; once locked, they cannot be selected.
	FLevelUtils::ToggleLevelLock(Locked);
	AStaticMeshActor* Inside = Place(MakeMesh(TEXT("Stool")));
	ASSERT_NE(Inside, nullptr);
	FLevelUtils::ToggleLevelLock(Locked);
	EXPECT_TRUE(FLevelUtils::IsLevelLocked(Inside));
	GEditor->SelectNone(true, true);
	GEditor->SelectActor(Inside, true, true);
	GEditor->SelectActor(Outside, true, true);
	EXPECT_EQ(Selected(), TArray<AActor*>{Outside});
}

TEST_F(LevelTest, APlaySessionHasItsOwnWorldOutsideTheHistory)
{
	EXPECT_EQ(GEditor->PlayWorld, nullptr);
	UWorld* EditorWorld = World();
	UWorld* PlayWorld = Editor.StartPlaySession();
	ASSERT_NE(PlayWorld, nullptr);
	EXPECT_EQ(GEditor->PlayWorld, PlayWorld);
	EXPECT_NE(PlayWorld, EditorWorld);
	EXPECT_EQ(World(), EditorWorld);
	EXPECT_EQ(PlayWorld->WorldType, EWorldType::PIE);
	ASSERT_NE(GEditor->GetWorldContextFromWorld(PlayWorld), nullptr);
	EXPECT_EQ(GEditor->GetWorldContextFromWorld(PlayWorld)->WorldType, EWorldType::PIE);

	// What happens in the play world never enters the editor's history.
	{
		FScopedTransaction Transaction(FText::FromString(TEXT("In play")));
		PlayWorld->GetCurrentLevel()->Modify();
		PlayWorld->SpawnActor<AStaticMeshActor>();
	}
	EXPECT_EQ(GEditor->Trans->GetTransaction(0)->GetRecordCount(), 0);
	EXPECT_EQ(Editor.CountLevelActors(), 0);

	TWeakObjectPtr<UWorld> Weak = PlayWorld;
	Editor.EndPlaySession();
	EXPECT_EQ(GEditor->PlayWorld, nullptr);
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_EQ(GEditor->GetWorldContexts().Num(), 1);
}

TEST_F(LevelTest, TheLoopCollectsGarbageAsTheEditorDoes)
{
	TWeakObjectPtr<UStaticMesh> Loose = NewObject<UStaticMesh>();
	TStrongObjectPtr<UStaticMesh> Held(NewObject<UStaticMesh>());
	TWeakObjectPtr<AStaticMeshActor> Placed = Place(MakeMesh(TEXT("Crate")));
	TWeakObjectPtr<UStaticMeshComponent> Component = Placed->GetStaticMeshComponent();
	// Unreferenced and no longer standalone: only the component keeps the mesh.
	TWeakObjectPtr<UStaticMesh> Mesh = Component->GetStaticMesh().Get();
	Mesh->ClearFlags(RF_Standalone);
	Runtime.Tick();
	EXPECT_TRUE(Loose.IsValid());
	Runtime.AdvanceClock(FHostEditor::GarbageCollectionInterval + 1.0);
	Runtime.Tick();
	EXPECT_FALSE(Loose.IsValid());
	EXPECT_TRUE(Held.IsValid());
	// The level holds its actors, the actor its component, the component its mesh.
	EXPECT_TRUE(Placed.IsValid());
	EXPECT_TRUE(Component.IsValid());
	EXPECT_TRUE(Mesh.IsValid());
}

TEST_F(LevelTest, OpeningAnotherLevelReplacesTheEditorWorld)
{
	UWorld* OldWorld = World();
	AStaticMeshActor* Actor = Place(MakeMesh(TEXT("Vase")));
	TWeakObjectPtr<UWorld> WeakWorld = OldWorld;
	TWeakObjectPtr<AStaticMeshActor> WeakActor = Actor;

	UWorld* NewWorld = Editor.OpenNewLevel();
	EXPECT_NE(NewWorld, OldWorld);
	EXPECT_EQ(World(), NewWorld);
	EXPECT_EQ(Editor.GetEditorWorld(), NewWorld);
	EXPECT_FALSE(WeakWorld.IsValid());
	EXPECT_FALSE(WeakActor.IsValid());
	EXPECT_EQ(Editor.CountLevelActors(), 0);
	EXPECT_TRUE(Editor.GetUndoTitles().IsEmpty());
	EXPECT_TRUE(Selected().IsEmpty());
	EXPECT_TRUE(NewWorld->GetPathName().Equals(TEXT("/Temp/Untitled_2.Untitled_2"), ESearchCase::CaseSensitive));
	EXPECT_NE(Place(MakeMesh(TEXT("Plant"))), nullptr);
	EXPECT_EQ(Editor.CountLevelActors(), 1);
}
