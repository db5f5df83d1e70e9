#pragma once

#include "UObject/Object.h"

// A set of selected objects, in the order they were selected. Changes are recorded in the open
// transaction, so undo and redo restore the selection too.
class USelection : public UObject
{
	DECLARE_HOST_CLASS(USelection, UObject, TEXT("/Script/UnrealEd"))

public:
	DECLARE_MULTICAST_DELEGATE_OneParam(FSelectionChangedEvent, UObject*);
	// Broadcast with the selection that changed, when a change is noted.
	static FSelectionChangedEvent SelectionChangedEvent;

	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);
	virtual void Serialize(FArchive& Ar) override;

	void Select(UObject* InObject);
	void Select(UObject* InObject, bool bSelect);
	void Deselect(UObject* InObject);
	// Deselects every object (of InClass only, when given); returns how many were deselected.
	int32 DeselectAll(UClass* InClass = nullptr);
	bool IsSelected(const UObject* InObject) const;
	int32 Num() const { return SelectedObjects.Num(); }
	UObject* GetSelectedObject(const int32 InIndex) const;
	template <class T>
	int32 GetSelectedObjects(TArray<T*>& OutSelectedObjects) const
	{
		OutSelectedObjects.Reset();
		for (const TObjectPtr<UObject>& Object : SelectedObjects)
		{
			if (Object != nullptr && Object->IsA<T>())
			{
				OutSelectedObjects.Add(static_cast<T*>(Object.Get()));
			}
		}
		return OutSelectedObjects.Num();
	}
	void NoteSelectionChanged();

private:
	TArray<TObjectPtr<UObject>> SelectedObjects;
};
