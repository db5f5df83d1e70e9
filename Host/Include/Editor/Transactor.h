#pragma once

#include "CoreMinimal.h"
#include "Misc/ITransaction.h"
#include "UObject/Object.h"

// One undoable action: the state each object had before it first changed within the action.
class FTransaction : public ITransaction
{
public:
	FTransaction(const TCHAR* InContext = nullptr, const FText& InTitle = FText());

	virtual void SaveObject(UObject* Object) override;
	virtual void SetPrimaryObject(UObject* InObject) override { PrimaryObject = InObject; }
	virtual void Apply() override;

	FText GetTitle() const { return Title; }
	FString GetContext() const { return Context; }
	UObject* GetPrimaryObject() const { return PrimaryObject; }
	int32 GetRecordCount() const { return Records.Num(); }
	bool ContainsObject(const UObject* Object) const;
	// The buffer keeps every recorded object, and every object a record refers to, alive, even
	// when marked as garbage (an undone new actor waits in the buffer for a redo).
	void AddReferencedObjects(FReferenceCollector& Collector);

private:
	struct FObjectRecord
	{
		UObject* Object = nullptr;
		TArray<uint8> Data;
		TArray<UObject*> ReferencedObjects;
		bool bGarbage = false;

		void Capture(UObject* InObject);
		void Restore() const;
	};

	FString Context;
	FText Title;
	UObject* PrimaryObject = nullptr;
	TArray<FObjectRecord> Records;
	// Undo restores in reverse order of recording, redo in order.
	bool bApplyInReverse = true;
};

// The editor's undo history.
class UTransactor : public UObject
{
	DECLARE_HOST_ABSTRACT_CLASS(UTransactor, UObject, TEXT("/Script/UnrealEd"))

public:
	// Opens a transaction (or a nested level of the open one); returns the nesting index.
	virtual int32 Begin(const TCHAR* SessionContext, const FText& Description) = 0;
	// Closes one level; the outermost one commits the transaction. Returns the levels still open.
	virtual int32 End() = 0;
	// Cancels the transaction begun at StartIndex: the outermost one leaves no entry behind.
	virtual void Cancel(int32 StartIndex = 0) = 0;
	virtual void Reset(const FText& Reason) = 0;
	virtual bool CanUndo(FText* Text = nullptr) = 0;
	virtual bool CanRedo(FText* Text = nullptr) = 0;
	virtual int32 GetQueueLength() const = 0;
	virtual const FTransaction* GetTransaction(int32 QueueIndex) const = 0;
	virtual bool Undo(bool bCanRedo = true) = 0;
	virtual bool Redo() = 0;
	virtual bool IsActive() = 0;
};
