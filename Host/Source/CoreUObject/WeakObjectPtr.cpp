#include "UObject/WeakObjectPtr.h"

#include "CoreUObject/ObjectArray.h"

void FWeakObjectPtr::operator=(const UObject* Object)
{
	if (Object == nullptr)
	{
		Reset();
		return;
	}
	ObjectIndex = FObjectArrayAccess::GetIndex(Object);
	ObjectSerialNumber = FObjectArray::Get().Find(ObjectIndex)->SerialNumber;
}

UObject* FWeakObjectPtr::Get(bool bEvenIfPendingKill) const
{
	const FObjectArray::FItem* Item = FObjectArray::Get().Find(ObjectIndex);
	if (Item == nullptr || Item->Object == nullptr || Item->SerialNumber != ObjectSerialNumber)
	{
		return nullptr;
	}
	return bEvenIfPendingKill || !Item->Object->IsGarbage() ? Item->Object : nullptr;
}

bool FWeakObjectPtr::IsValid(bool bEvenIfPendingKill, bool) const
{
	return Get(bEvenIfPendingKill) != nullptr;
}

bool FWeakObjectPtr::IsStale(bool bIncludingIfPendingKill, bool) const
{
	return !IsExplicitlyNull() && Get(!bIncludingIfPendingKill) == nullptr;
}
