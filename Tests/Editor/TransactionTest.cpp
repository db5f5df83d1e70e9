#include "CoreMinimal.h"
#include "CoreUObject/ObjectHost.h"
#include "Editor/TransBuffer.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

namespace
{
	// An object with a little state of each kind the buffer must restore.
	class UTestNote : public UObject
	{
		DECLARE_HOST_CLASS(UTestNote, UObject, TEXT("/Script/EditorTests"))

	public:
		static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
		{
			Super::AddReferencedObjects(InThis, Collector);
			Collector.AddReferencedObject(static_cast<UTestNote*>(InThis)->Link, InThis);
		}
		virtual void Serialize(FArchive& Ar) override
		{
			Super::Serialize(Ar);
			Ar << Text << Count << Link << Items;
		}
		virtual void PostEditUndo() override { ++UndoneOrRedone; }

		FString Text;
		int32 Count = 0;
		TObjectPtr<UObject> Link;
		TArray<FString> Items;
		int32 UndoneOrRedone = 0;
	};

	class TransactionTest : public ::testing::Test
	{
	protected:
		virtual void SetUp() override
		{
			Buffer = NewObject<UTransBuffer>(GetTransientPackage(), NAME_None, RF_MarkAsRootSet);
			Package = CreatePackage(TEXT("/Game/Notes"));
			Note = NewObject<UTestNote>(Package, TEXT("Note"), RF_Public | RF_Standalone | RF_Transactional);
		}
		virtual void TearDown() override { UE::Host::DestroyAllObjects(); }

		// One committed action that sets the note's text and count.
		void Edit(const TCHAR* Title, const TCHAR* Text, int32 Count)
		{
			Buffer->Begin(nullptr, FText::FromString(Title));
			Note->Modify();
			Note->Text = Text;
			Note->Count = Count;
			Buffer->End();
		}

		TArray<FString> Titles() const
		{
			TArray<FString> Result;
			for (int32 Index = 0; Index < Buffer->GetQueueLength(); ++Index)
			{
				Result.Add(Buffer->GetTransaction(Index)->GetTitle().ToString());
			}
			return Result;
		}

		UTransBuffer* Buffer = nullptr;
		UPackage* Package = nullptr;
		UTestNote* Note = nullptr;
	};
}

TEST_F(TransactionTest, UndoRestoresAndRedoReappliesEachRecordedState)
{
	Edit(TEXT("First"), TEXT("one"), 1);
	Edit(TEXT("Second"), TEXT("two"), 2);
	EXPECT_EQ(Titles(), (TArray<FString>{TEXT("First"), TEXT("Second")}));
	EXPECT_TRUE(Package->IsDirty());

	struct FStep
	{
		const char* Label;
		bool bRedo;
		bool bResult;
		const TCHAR* Text;
		int32 Count;
		int32 UndoCount;
	};
	const FStep Steps[] = {
		{"undo second", false, true, TEXT("one"), 1, 1},
		{"undo first", false, true, TEXT(""), 0, 2},
		{"nothing more to undo", false, false, TEXT(""), 0, 2},
		{"redo first", true, true, TEXT("one"), 1, 1},
		{"redo second", true, true, TEXT("two"), 2, 0},
		{"nothing more to redo", true, false, TEXT("two"), 2, 0},
	};
	for (const FStep& Step : Steps)
	{
		SCOPED_TRACE(Step.Label);
		const bool bResult = Step.bRedo ? Buffer->Redo() : Buffer->Undo();
		EXPECT_EQ(bResult, Step.bResult);
		EXPECT_TRUE(Note->Text.Equals(Step.Text, ESearchCase::CaseSensitive));
		EXPECT_EQ(Note->Count, Step.Count);
		EXPECT_EQ(Buffer->GetUndoCount(), Step.UndoCount);
	}
	EXPECT_EQ(Note->UndoneOrRedone, 4);
}

TEST_F(TransactionTest, OnlyTheFirstStateOfAnObjectInATransactionIsKept)
{
	UTestNote* Other = NewObject<UTestNote>(Package, TEXT("Other"), RF_Transactional);
	UTestNote* Untracked = NewObject<UTestNote>(Package, TEXT("Untracked"));
	Note->Items = {TEXT("a")};

	Buffer->Begin(TEXT("Tests"), FText::FromString(TEXT("Several")));
	EXPECT_TRUE(Note->Modify());
	Note->Items.Add(TEXT("b"));
	EXPECT_TRUE(Note->Modify());
	Note->Items.Add(TEXT("c"));
	EXPECT_TRUE(Other->Modify());
	Other->Link = Note;
	EXPECT_FALSE(Untracked->Modify());
	Untracked->Count = 5;
	Buffer->End();

	const FTransaction* Transaction = Buffer->GetTransaction(0);
	EXPECT_EQ(Transaction->GetRecordCount(), 2);
	EXPECT_TRUE(Transaction->ContainsObject(Note));
	EXPECT_FALSE(Transaction->ContainsObject(Untracked));
	EXPECT_TRUE(Transaction->GetContext().Equals(TEXT("Tests"), ESearchCase::CaseSensitive));

	ASSERT_TRUE(Buffer->Undo());
	EXPECT_EQ(Note->Items, TArray<FString>{TEXT("a")});
	EXPECT_EQ(Other->Link, nullptr);
	EXPECT_EQ(Untracked->Count, 5);
	ASSERT_TRUE(Buffer->Redo());
	EXPECT_EQ(Note->Items, (TArray<FString>{TEXT("a"), TEXT("b"), TEXT("c")}));
	EXPECT_EQ(Other->Link, Note);

	// Outside a transaction nothing is recorded.
	EXPECT_FALSE(Note->Modify());
}

TEST_F(TransactionTest, ACancelledTransactionLeavesNothingToUndo)
{
	Edit(TEXT("Kept"), TEXT("kept"), 1);
	ASSERT_TRUE(Buffer->Undo());

	const int32 Index = Buffer->Begin(nullptr, FText::FromString(TEXT("Cancelled")));
	EXPECT_EQ(Index, 0);
	EXPECT_NE(GUndo, nullptr);
	EXPECT_FALSE(Buffer->CanUndo());
	Note->Modify();
	Note->Text = TEXT("changed");
	Buffer->Cancel(Index);

	// The change stays but is not in the history; the undone action can still be redone.
	EXPECT_EQ(GUndo, nullptr);
	EXPECT_FALSE(Buffer->IsActive());
	EXPECT_EQ(Titles(), TArray<FString>{TEXT("Kept")});
	EXPECT_TRUE(Note->Text.Equals(TEXT("changed"), ESearchCase::CaseSensitive));
	EXPECT_FALSE(Buffer->CanUndo());
	EXPECT_TRUE(Buffer->CanRedo());
	ASSERT_TRUE(Buffer->Redo());
	EXPECT_TRUE(Note->Text.Equals(TEXT("kept"), ESearchCase::CaseSensitive));

	// A committed action after an undo drops what could have been redone.
	ASSERT_TRUE(Buffer->Undo());
	Edit(TEXT("Replacement"), TEXT("new"), 3);
	EXPECT_EQ(Titles(), TArray<FString>{TEXT("Replacement")});
	EXPECT_FALSE(Buffer->CanRedo());
}

TEST_F(TransactionTest, NestedTransactionsCommitOnceAndUndoWaitsForTheOutermost)
{
	EXPECT_EQ(Buffer->Begin(nullptr, FText::FromString(TEXT("Outer"))), 0);
	Note->Modify();
	Note->Count = 1;
	const int32 Inner = Buffer->Begin(nullptr, FText::FromString(TEXT("Inner")));
	EXPECT_EQ(Inner, 1);
	Note->Count = 2;
	// Cancelling the nested level ends only that level.
	Buffer->Cancel(Inner);
	EXPECT_TRUE(Buffer->IsActive());
	FText Reason;
	EXPECT_FALSE(Buffer->Undo());
	EXPECT_FALSE(Buffer->CanUndo(&Reason));
	EXPECT_FALSE(Reason.IsEmpty());
	EXPECT_EQ(Buffer->End(), 0);
	EXPECT_EQ(Titles(), TArray<FString>{TEXT("Outer")});
	ASSERT_TRUE(Buffer->Undo());
	EXPECT_EQ(Note->Count, 0);

	// Undo without redo forgets the undone action.
	ASSERT_TRUE(Buffer->Redo());
	ASSERT_TRUE(Buffer->Undo(false));
	EXPECT_EQ(Buffer->GetQueueLength(), 0);
	EXPECT_FALSE(Buffer->CanRedo());
}

TEST_F(TransactionTest, AnObjectCreatedInATransactionWaitsInTheBufferOnceUndone)
{
	// What the editor does for a new actor: its "before" state is "not there" (garbage).
	Buffer->Begin(nullptr, FText::FromString(TEXT("Create")));
	Note->Modify();
	UTestNote* Created = NewObject<UTestNote>(Package, TEXT("Created"), RF_Transactional);
	Created->MarkAsGarbage();
	Created->Modify();
	Created->ClearGarbage();
	Created->Text = TEXT("made");
	Note->Link = Created;
	Buffer->End();
	TWeakObjectPtr<UTestNote> Weak = Created;

	ASSERT_TRUE(Buffer->Undo());
	EXPECT_EQ(Note->Link, nullptr);
	EXPECT_FALSE(Weak.IsValid());
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	// Kept by the buffer, garbage or not.
	ASSERT_NE(Weak.Get(true), nullptr);

	ASSERT_TRUE(Buffer->Redo());
	ASSERT_TRUE(Weak.IsValid());
	EXPECT_EQ(Note->Link, Created);
	EXPECT_TRUE(Created->Text.Equals(TEXT("made"), ESearchCase::CaseSensitive));

	// Once the history is reset, only what is still referenced survives.
	ASSERT_TRUE(Buffer->Undo());
	Buffer->Reset(FText::FromString(TEXT("Map change")));
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Weak.Get(true), nullptr);
}
