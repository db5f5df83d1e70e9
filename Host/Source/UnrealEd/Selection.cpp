#include "Engine/Selection.h"

USelection::FSelectionChangedEvent USelection::SelectionChangedEvent;

void USelection::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	Collector.AddReferencedObjects(static_cast<USelection*>(InThis)->SelectedObjects, InThis);
}

void USelection::Serialize(FArchive& Ar)
{
	Super::Serialize(Ar);
	Ar << SelectedObjects;
}

void USelection::Select(UObject* InObject)
{
	if (InObject != nullptr && !IsSelected(InObject))
	{
		Modify(false);
		SelectedObjects.Add(InObject);
	}
}

void USelection::Select(UObject* InObject, bool bSelect)
{
	if (bSelect)
	{
		Select(InObject);
	}
	else
	{
		Deselect(InObject);
	}
}

void USelection::Deselect(UObject* InObject)
{
	if (IsSelected(InObject))
	{
		Modify(false);
		SelectedObjects.Remove(InObject);
	}
}

int32 USelection::DeselectAll(UClass* InClass)
{
	const int32 Before = SelectedObjects.Num();
	const bool bAny = SelectedObjects.ContainsByPredicate([InClass](const TObjectPtr<UObject>& Object)
	{
		return InClass == nullptr || (Object != nullptr && Object->IsA(InClass));
	});
	if (bAny)
	{
		Modify(false);
		SelectedObjects.RemoveAll([InClass](const TObjectPtr<UObject>& Object)
		{
			return InClass == nullptr || (Object != nullptr && Object->IsA(InClass));
		});
	}
	return Before - SelectedObjects.Num();
}

bool USelection::IsSelected(const UObject* InObject) const
{
	return InObject != nullptr && SelectedObjects.Contains(InObject);
}

UObject* USelection::GetSelectedObject(const int32 InIndex) const
{
	return SelectedObjects.IsValidIndex(InIndex) ? SelectedObjects[InIndex].Get() : nullptr;
}

void USelection::NoteSelectionChanged()
{
	SelectionChangedEvent.Broadcast(this);
}
