#pragma once

#include "CoreTypes.h"

class UObject;

// A reference that does not keep its object: it stops resolving once the object is destroyed
// or marked as garbage. It remembers the object's slot and the serial number the slot had.
struct FWeakObjectPtr
{
public:
	FWeakObjectPtr() = default;
	FWeakObjectPtr(TYPE_OF_NULLPTR) {}
	FWeakObjectPtr(const UObject* Object) { operator=(Object); }

	void operator=(const UObject* Object);
	void Reset()
	{
		ObjectIndex = INDEX_NONE;
		ObjectSerialNumber = 0;
	}

	UObject* Get() const { return Get(false); }
	UObject* Get(bool bEvenIfPendingKill) const;
	bool IsValid() const { return Get() != nullptr; }
	bool IsValid(bool bEvenIfPendingKill, bool bThreadsafeTest = false) const;
	// Once set and now gone.
	bool IsStale(bool bIncludingIfPendingKill = true, bool bThreadsafeTest = false) const;
	bool IsExplicitlyNull() const { return ObjectIndex == INDEX_NONE; }

	bool operator==(const FWeakObjectPtr& Other) const
	{
		return ObjectIndex == Other.ObjectIndex && ObjectSerialNumber == Other.ObjectSerialNumber;
	}
	friend uint32 GetTypeHash(const FWeakObjectPtr& Ptr) { return uint32(Ptr.ObjectIndex) ^ (uint32(Ptr.ObjectSerialNumber) * 2654435761u); }

private:
	int32 ObjectIndex = INDEX_NONE;
	int32 ObjectSerialNumber = 0;
};
