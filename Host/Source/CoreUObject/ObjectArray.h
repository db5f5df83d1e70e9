#pragma once

#include "UObject/Object.h"

#include <unordered_map>
#include <vector>

// Every live object, in slots that weak pointers name by index and serial number, plus a hash
// of (outer, name) for lookups. Game thread only.
class FObjectArray
{
public:
	struct FItem
	{
		UObject* Object = nullptr;
		int32 SerialNumber = 0;
		bool bRooted = false;
		bool bReachable = false;
	};

	static FObjectArray& Get();

	int32 Add(UObject* Object);
	// Frees the object's slot and forgets its strong references.
	void Remove(int32 Index);
	FItem* Find(int32 Index);
	int32 Num() const { return int32(Items.size()); }

	void HashName(UObject* Object);
	void UnhashName(UObject* Object);
	UObject* FindByName(const UObject* Outer, FName Name) const;

	// Counted by object address rather than in the slot, so that a strong pointer released
	// after its object was torn down touches nothing of it.
	void AddStrongReference(const UObject* Object) { ++StrongReferences[Object]; }
	void RemoveStrongReference(const UObject* Object);
	bool HasStrongReferences(const UObject* Object) const { return StrongReferences.contains(Object); }

	template <typename FunctionType>
	void ForEach(FunctionType Function)
	{
		for (FItem& Item : Items)
		{
			if (Item.Object != nullptr)
			{
				Function(Item);
			}
		}
	}

private:
	static uint64 KeyOf(const UObject* Outer, FName Name);

	std::vector<FItem> Items;
	std::vector<int32> FreeSlots;
	int32 NextSerialNumber = 1;
	std::unordered_multimap<uint64, UObject*> NameHash;
	std::unordered_map<const UObject*, int32> StrongReferences;
};

// Gives the object table's code access to the fields it keeps inside each object.
class FObjectArrayAccess
{
public:
	static int32 GetIndex(const UObject* Object) { return Object->InternalIndex; }
	static void SetIdentity(UObject* Object, FName Name, UObject* Outer, UClass* Class, EObjectFlags Flags)
	{
		Object->Name = Name;
		Object->Outer = Outer;
		Object->Class = Class;
		Object->Flags = Flags;
	}
	static void SetIndex(UObject* Object, int32 Index) { Object->InternalIndex = Index; }
	static void SetName(UObject* Object, FName Name, UObject* Outer)
	{
		Object->Name = Name;
		Object->Outer = Outer;
	}
};
