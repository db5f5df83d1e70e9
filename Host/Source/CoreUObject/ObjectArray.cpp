#include "CoreUObject/ObjectArray.h"

FObjectArray& FObjectArray::Get()
{
	static FObjectArray Array;
	return Array;
}

int32 FObjectArray::Add(UObject* Object)
{
	int32 Index;
	if (!FreeSlots.empty())
	{
		Index = FreeSlots.back();
		FreeSlots.pop_back();
	}
	else
	{
		Index = int32(Items.size());
		Items.emplace_back();
	}
	FItem& Item = Items[SIZE_T(Index)];
	Item = FItem();
	Item.Object = Object;
	Item.SerialNumber = NextSerialNumber++;
	return Index;
}

void FObjectArray::Remove(int32 Index)
{
	StrongReferences.erase(Items[SIZE_T(Index)].Object);
	Items[SIZE_T(Index)] = FItem();
	FreeSlots.push_back(Index);
}

FObjectArray::FItem* FObjectArray::Find(int32 Index)
{
	return Index >= 0 && Index < Num() ? &Items[SIZE_T(Index)] : nullptr;
}

uint64 FObjectArray::KeyOf(const UObject* Outer, FName Name)
{
	return (uint64(reinterpret_cast<UPTRINT>(Outer)) * 0x9E3779B97F4A7C15ull) ^ GetTypeHash(Name);
}

void FObjectArray::HashName(UObject* Object)
{
	NameHash.emplace(KeyOf(Object->GetOuter(), Object->GetFName()), Object);
}

void FObjectArray::UnhashName(UObject* Object)
{
	auto [First, Last] = NameHash.equal_range(KeyOf(Object->GetOuter(), Object->GetFName()));
	for (; First != Last; ++First)
	{
		if (First->second == Object)
		{
			NameHash.erase(First);
			return;
		}
	}
}

UObject* FObjectArray::FindByName(const UObject* Outer, FName Name) const
{
	auto [First, Last] = NameHash.equal_range(KeyOf(Outer, Name));
	for (; First != Last; ++First)
	{
		if (First->second->GetOuter() == Outer && First->second->GetFName() == Name)
		{
			return First->second;
		}
	}
	return nullptr;
}

void FObjectArray::RemoveStrongReference(const UObject* Object)
{
	auto It = StrongReferences.find(Object);
	if (It != StrongReferences.end() && --It->second == 0)
	{
		StrongReferences.erase(It);
	}
}
