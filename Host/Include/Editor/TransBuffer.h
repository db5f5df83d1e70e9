#pragma once

#include "Editor/Transactor.h"

#include <memory>

// The transaction buffer: committed transactions oldest first; the last UndoCount of them have
// been undone and wait for a redo.
class UTransBuffer : public UTransactor
{
	DECLARE_HOST_CLASS(UTransBuffer, UTransactor, TEXT("/Script/UnrealEd"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	virtual int32 Begin(const TCHAR* SessionContext, const FText& Description) override;
	virtual int32 End() override;
	virtual void Cancel(int32 StartIndex = 0) override;
	virtual void Reset(const FText& Reason) override;
	virtual bool CanUndo(FText* Text = nullptr) override;
	virtual bool CanRedo(FText* Text = nullptr) override;
	virtual int32 GetQueueLength() const override { return UndoBuffer.Num(); }
	virtual const FTransaction* GetTransaction(int32 QueueIndex) const override;
	virtual bool Undo(bool bCanRedo = true) override;
	virtual bool Redo() override;
	virtual bool IsActive() override { return ActiveCount > 0; }
	int32 GetUndoCount() const { return UndoCount; }
	virtual void BeginDestroy() override;

private:
	TArray<std::shared_ptr<FTransaction>> UndoBuffer;
	int32 UndoCount = 0;
	int32 ActiveCount = 0;
	// The undone transactions that Begin dropped from the buffer, given back if it is cancelled.
	TArray<std::shared_ptr<FTransaction>> DroppedRedo;
};
