#pragma once

#include "CoreMinimal.h"

// A map keyed by text that knows which of its entries was added first. The engine's TMap keeps
// its pairs in a sparse array whose freed slots are reused by the next Add, so its iteration
// order says nothing about age; a capped cache that evicts "the first entry" of a TMap evicts
// its newest entry as soon as it has evicted once. The order is kept here beside the map.
template <typename ValueType>
class TKVAOldestFirstMap
{
public:
	int32 Num() const { return Map.Num(); }
	bool IsEmpty() const { return Map.IsEmpty(); }
	bool Contains(const FString& Key) const { return Map.Contains(Key); }
	ValueType* Find(const FString& Key) { return Map.Find(Key); }
	const ValueType* Find(const FString& Key) const { return Map.Find(Key); }
	ValueType FindRef(const FString& Key) const { return Map.FindRef(Key); }

	// An entry added again replaces the earlier one and counts as the newest.
	void Add(const FString& Key, ValueType Value)
	{
		Order.Remove(Key);
		Order.Add(Key);
		Map.Add(Key, MoveTemp(Value));
	}
	int32 Remove(const FString& Key)
	{
		Order.Remove(Key);
		return Map.Remove(Key);
	}
	void Empty()
	{
		Order.Empty();
		Map.Empty();
	}

	// The entry added longest ago; null when empty.
	const ValueType* FindOldest() const { return Order.IsEmpty() ? nullptr : Map.Find(Order[0]); }
	void RemoveOldest()
	{
		if (!Order.IsEmpty())
		{
			Map.Remove(Order[0]);
			Order.RemoveAt(0);
		}
	}

private:
	TMap<FString, ValueType> Map;
	// Keys oldest first; FString compares without case here as in the map.
	TArray<FString> Order;
};
