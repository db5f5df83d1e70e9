#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/Set.h"
#include "Templates/UnrealTemplate.h"

namespace UE::Container::Private
{
	struct FPairKey
	{
		template <typename PairType>
		static const auto& Get(const PairType& Pair) { return Pair.Key; }
	};
}

template <typename InKeyType, typename InValueType>
class TMap
{
	using FTable = UE::Container::Private::TSparseHashTable<TPair<InKeyType, InValueType>, UE::Container::Private::FPairKey>;

public:
	typedef InKeyType KeyType;
	typedef InValueType ValueType;
	typedef TPair<InKeyType, InValueType> ElementType;

	TMap() = default;
	TMap(std::initializer_list<ElementType> List)
	{
		for (const ElementType& Element : List)
		{
			Add(Element.Key, Element.Value);
		}
	}

	int32 Num() const { return Table.Elements.Num(); }
	bool IsEmpty() const { return Table.Elements.IsEmpty(); }
	void Empty(int32 = 0) { Table.Empty(); }
	void Reset() { Table.Empty(); }

	// Adding an existing key replaces the pair (key spelling too) where it stands.
	ValueType& Add(const KeyType& Key, const ValueType& Value) { return Emplace(KeyType(Key), ValueType(Value)); }
	ValueType& Add(const KeyType& Key, ValueType&& Value) { return Emplace(KeyType(Key), MoveTemp(Value)); }
	ValueType& Add(const KeyType& Key) { return Emplace(KeyType(Key), ValueType()); }
	ValueType& Emplace(KeyType&& Key, ValueType&& Value)
	{
		return Table.Elements[Table.Emplace(ElementType(MoveTemp(Key), MoveTemp(Value)))].Value;
	}
	ValueType& FindOrAdd(const KeyType& Key)
	{
		ValueType* Found = Find(Key);
		return Found ? *Found : Add(Key);
	}
	ValueType* Find(const KeyType& Key)
	{
		const int32 Index = Table.FindIndex(Key);
		return Index == INDEX_NONE ? nullptr : &Table.Elements[Index].Value;
	}
	const ValueType* Find(const KeyType& Key) const
	{
		const int32 Index = Table.FindIndex(Key);
		return Index == INDEX_NONE ? nullptr : &Table.Elements[Index].Value;
	}
	ValueType FindRef(const KeyType& Key) const
	{
		const ValueType* Found = Find(Key);
		return Found ? *Found : ValueType();
	}
	ValueType& FindChecked(const KeyType& Key)
	{
		ValueType* Found = Find(Key);
		check(Found);
		return *Found;
	}
	const ValueType& FindChecked(const KeyType& Key) const
	{
		const ValueType* Found = Find(Key);
		check(Found);
		return *Found;
	}
	ValueType& operator[](const KeyType& Key) { return FindChecked(Key); }
	const ValueType& operator[](const KeyType& Key) const { return FindChecked(Key); }
	bool Contains(const KeyType& Key) const { return Find(Key) != nullptr; }
	const KeyType* FindKey(const ValueType& Value) const
	{
		for (const ElementType& Element : Table.Elements)
		{
			if (Element.Value == Value)
			{
				return &Element.Key;
			}
		}
		return nullptr;
	}
	int32 Remove(const KeyType& Key)
	{
		const int32 Index = Table.FindIndex(Key);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		Table.RemoveAt(Index);
		return 1;
	}
	bool RemoveAndCopyValue(const KeyType& Key, ValueType& OutValue)
	{
		const int32 Index = Table.FindIndex(Key);
		if (Index == INDEX_NONE)
		{
			return false;
		}
		OutValue = MoveTemp(Table.Elements[Index].Value);
		Table.RemoveAt(Index);
		return true;
	}
	int32 GetKeys(TArray<KeyType>& OutKeys) const
	{
		OutKeys.Reset();
		for (const ElementType& Element : Table.Elements)
		{
			OutKeys.Add(Element.Key);
		}
		return OutKeys.Num();
	}
	void GenerateKeyArray(TArray<KeyType>& OutKeys) const { GetKeys(OutKeys); }
	void GenerateValueArray(TArray<ValueType>& OutValues) const
	{
		OutValues.Reset();
		for (const ElementType& Element : Table.Elements)
		{
			OutValues.Add(Element.Value);
		}
	}

	bool Compact() { return Table.Compact(); }
	bool CompactStable() { return Table.CompactStable(); }

	using TIterator = UE::Container::Private::TRemovableIterator<FTable, ElementType>;
	TIterator CreateIterator() { return TIterator(Table); }

	auto begin() { return Table.Elements.begin(); }
	auto end() { return Table.Elements.end(); }
	auto begin() const { return Table.Elements.begin(); }
	auto end() const { return Table.Elements.end(); }

private:
	FTable Table;
};
