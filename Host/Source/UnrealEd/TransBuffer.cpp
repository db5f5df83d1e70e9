#include "Editor/TransBuffer.h"

#include "UObject/UObjectGlobals.h"

void UTransBuffer::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	for (const std::shared_ptr<FTransaction>& Transaction : static_cast<UTransBuffer*>(InThis)->UndoBuffer)
	{
		Transaction->AddReferencedObjects(Collector);
	}
	for (const std::shared_ptr<FTransaction>& Transaction : static_cast<UTransBuffer*>(InThis)->DroppedRedo)
	{
		Transaction->AddReferencedObjects(Collector);
	}
}

void UTransBuffer::BeginDestroy()
{
	if (ActiveCount > 0)
	{
		GUndo = nullptr;
	}
	Super::BeginDestroy();
}

int32 UTransBuffer::Begin(const TCHAR* SessionContext, const FText& Description)
{
	const int32 Index = ActiveCount++;
	if (Index == 0)
	{
		// A new action ends the chance to redo what was undone.
		DroppedRedo.Reset();
		for (int32 Count = 0; Count < UndoCount; ++Count)
		{
			DroppedRedo.Insert(UndoBuffer.Pop(), 0);
		}
		UndoCount = 0;
		UndoBuffer.Add(std::make_shared<FTransaction>(SessionContext, Description));
		GUndo = UndoBuffer.Last().get();
	}
	return Index;
}

int32 UTransBuffer::End()
{
	check(ActiveCount > 0);
	if (--ActiveCount == 0)
	{
		GUndo = nullptr;
		DroppedRedo.Reset();
	}
	return ActiveCount;
}

void UTransBuffer::Cancel(int32 StartIndex)
{
	if (ActiveCount == 0)
	{
		return;
	}
	if (StartIndex == 0)
	{
		// What the cancelled transaction recorded stays as it is now, but cannot be undone.
		GUndo = nullptr;
		UndoBuffer.Pop();
		UndoCount = DroppedRedo.Num();
		UndoBuffer.Append(DroppedRedo);
		DroppedRedo.Reset();
	}
	ActiveCount = StartIndex;
}

void UTransBuffer::Reset(const FText&)
{
	check(ActiveCount == 0);
	UndoBuffer.Reset();
	DroppedRedo.Reset();
	UndoCount = 0;
}

bool UTransBuffer::CanUndo(FText* Text)
{
	if (ActiveCount > 0)
	{
		if (Text != nullptr)
		{
			*Text = NSLOCTEXT("TransactionSystem", "CantUndoDuringTransaction", "(Can't undo while action is in progress)");
		}
		return false;
	}
	return UndoCount < UndoBuffer.Num();
}

bool UTransBuffer::CanRedo(FText* Text)
{
	if (ActiveCount > 0)
	{
		if (Text != nullptr)
		{
			*Text = NSLOCTEXT("TransactionSystem", "CantRedoDuringTransaction", "(Can't redo while action is in progress)");
		}
		return false;
	}
	return UndoCount > 0;
}

const FTransaction* UTransBuffer::GetTransaction(int32 QueueIndex) const
{
	return UndoBuffer.IsValidIndex(QueueIndex) ? UndoBuffer[QueueIndex].get() : nullptr;
}

bool UTransBuffer::Undo(bool bCanRedo)
{
	if (!CanUndo())
	{
		return false;
	}
	++UndoCount;
	const int32 Index = UndoBuffer.Num() - UndoCount;
	std::shared_ptr<FTransaction> Transaction = UndoBuffer[Index];
	Transaction->Apply();
	if (!bCanRedo)
	{
		UndoBuffer.RemoveAt(Index, UndoCount);
		UndoCount = 0;
	}
	return true;
}

bool UTransBuffer::Redo()
{
	if (!CanRedo())
	{
		return false;
	}
	std::shared_ptr<FTransaction> Transaction = UndoBuffer[UndoBuffer.Num() - UndoCount];
	--UndoCount;
	Transaction->Apply();
	return true;
}
