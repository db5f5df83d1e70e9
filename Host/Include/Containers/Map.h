#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Templates/UnrealTemplate.h"

#include <list>
#include <unordered_map>

namespace UE::Container::Private
{
	// Insertion-ordered storage with a hash index: iteration follows insertion, and removing
	// an element keeps the order of the others. Keys compare with operator== and hash with
	// GetTypeHash, so FString keys are case-insensitive as in the engine.
	template <typename ElementType, typename KeyOf>
	class TOrderedHashTable
	{
	public:
		using FIterator = typename std::list<ElementType>::iterator;
		using FConstIterator = typename std::list<ElementType>::const_iterator;

		TOrderedHashTable() = default;
		TOrderedHashTable(const TOrderedHashTable& Other) { CopyFrom(Other); }
		TOrderedHashTable(TOrderedHashTable&&) = default;
		TOrderedHashTable& operator=(const TOrderedHashTable& Other)
		{
			if (this != &Other)
			{
				CopyFrom(Other);
			}
			return *this;
		}
		TOrderedHashTable& operator=(TOrderedHashTable&&) = default;

		template <typename KeyType>
		FIterator FindIt(const KeyType& Key)
		{
			auto [First, Last] = Index.equal_range(GetTypeHash(Key));
			for (; First != Last; ++First)
			{
				if (KeyOf::Get(*First->second) == Key)
				{
					return First->second;
				}
			}
			return Elements.end();
		}
		template <typename KeyType>
		FConstIterator FindIt(const KeyType& Key) const
		{
			return const_cast<TOrderedHashTable*>(this)->FindIt(Key);
		}
		FIterator Append(ElementType&& Element)
		{
			Elements.push_back(MoveTemp(Element));
			FIterator It = std::prev(Elements.end());
			Index.emplace(GetTypeHash(KeyOf::Get(*It)), It);
			return It;
		}
		FIterator Erase(FIterator It)
		{
			auto [First, Last] = Index.equal_range(GetTypeHash(KeyOf::Get(*It)));
			for (; First != Last; ++First)
			{
				if (First->second == It)
				{
					Index.erase(First);
					break;
				}
			}
			return Elements.erase(It);
		}
		void Clear()
		{
			Index.clear();
			Elements.clear();
		}
		int32 Num() const { return int32(Elements.size()); }

		std::list<ElementType> Elements;

	private:
		void CopyFrom(const TOrderedHashTable& Other)
		{
			Clear();
			for (const ElementType& Element : Other.Elements)
			{
				ElementType Copy(Element);
				Append(MoveTemp(Copy));
			}
		}

		std::unordered_multimap<uint32, FIterator> Index;
	};

	template <typename ContainerType, typename IteratorType, typename ElementType>
	class TRemovableIterator
	{
	public:
		TRemovableIterator(ContainerType& InContainer, IteratorType InIt) : Container(InContainer), It(InIt) {}
		explicit operator bool() const { return It != Container.Elements.end(); }
		TRemovableIterator& operator++()
		{
			if (bRemoved)
			{
				bRemoved = false;
			}
			else
			{
				++It;
			}
			return *this;
		}
		ElementType& operator*() const { return *It; }
		ElementType* operator->() const { return &*It; }
		auto& Key() const { return It->Key; }
		auto& Value() const { return It->Value; }
		// Removes the current element; the next ++ moves to the element after it.
		void RemoveCurrent()
		{
			It = Container.Erase(It);
			bRemoved = true;
		}

	private:
		ContainerType& Container;
		IteratorType It;
		bool bRemoved = false;
	};

	struct FPairKey
	{
		template <typename PairType>
		static const auto& Get(const PairType& Pair) { return Pair.Key; }
	};
}

template <typename InKeyType, typename InValueType>
class TMap
{
	using FTable = UE::Container::Private::TOrderedHashTable<TPair<InKeyType, InValueType>, UE::Container::Private::FPairKey>;

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

	int32 Num() const { return Table.Num(); }
	bool IsEmpty() const { return Table.Num() == 0; }
	void Empty(int32 = 0) { Table.Clear(); }
	void Reset() { Table.Clear(); }

	// Adding an existing key replaces its value and keeps its place.
	ValueType& Add(const KeyType& Key, const ValueType& Value) { return Emplace(KeyType(Key), ValueType(Value)); }
	ValueType& Add(const KeyType& Key, ValueType&& Value) { return Emplace(KeyType(Key), MoveTemp(Value)); }
	ValueType& Add(const KeyType& Key) { return Emplace(KeyType(Key), ValueType()); }
	ValueType& Emplace(KeyType&& Key, ValueType&& Value)
	{
		auto It = Table.FindIt(Key);
		if (It != Table.Elements.end())
		{
			It->Key = MoveTemp(Key);
			It->Value = MoveTemp(Value);
			return It->Value;
		}
		return Table.Append(ElementType(MoveTemp(Key), MoveTemp(Value)))->Value;
	}
	ValueType& FindOrAdd(const KeyType& Key)
	{
		ValueType* Found = Find(Key);
		return Found ? *Found : Add(Key);
	}
	ValueType* Find(const KeyType& Key)
	{
		auto It = Table.FindIt(Key);
		return It == Table.Elements.end() ? nullptr : &It->Value;
	}
	const ValueType* Find(const KeyType& Key) const
	{
		auto It = Table.FindIt(Key);
		return It == Table.Elements.end() ? nullptr : &It->Value;
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
		auto It = Table.FindIt(Key);
		if (It == Table.Elements.end())
		{
			return 0;
		}
		Table.Erase(It);
		return 1;
	}
	bool RemoveAndCopyValue(const KeyType& Key, ValueType& OutValue)
	{
		auto It = Table.FindIt(Key);
		if (It == Table.Elements.end())
		{
			return false;
		}
		OutValue = MoveTemp(It->Value);
		Table.Erase(It);
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

	using TIterator = UE::Container::Private::TRemovableIterator<FTable, typename FTable::FIterator, ElementType>;
	TIterator CreateIterator() { return TIterator(Table, Table.Elements.begin()); }

	auto begin() { return Table.Elements.begin(); }
	auto end() { return Table.Elements.end(); }
	auto begin() const { return Table.Elements.cbegin(); }
	auto end() const { return Table.Elements.cend(); }

private:
	FTable Table;
};
