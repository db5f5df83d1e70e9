#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/SparseArray.h"
#include "Templates/UnrealTemplate.h"

#include <unordered_map>

namespace UE::Container::Private
{
	// The engine's set storage: elements in a sparse array, found through a hash of their key.
	// Keys compare with operator== and hash with GetTypeHash, so FString keys are
	// case-insensitive as in the engine. Iteration follows the sparse array's indices.
	template <typename ElementType, typename KeyOf>
	class TSparseHashTable
	{
	public:
		template <typename KeyType>
		int32 FindIndex(const KeyType& Key) const
		{
			auto [First, Last] = Index.equal_range(GetTypeHash(Key));
			for (; First != Last; ++First)
			{
				if (KeyOf::Get(Elements[First->second]) == Key)
				{
					return First->second;
				}
			}
			return INDEX_NONE;
		}

		// As the engine's TSet::Emplace: the new element is allocated first; when its key is
		// already present it replaces that element where it stands and its own index is freed.
		int32 Emplace(ElementType&& Element, bool* bIsAlreadyInSetPtr = nullptr)
		{
			const int32 NewIndex = Elements.Add(MoveTemp(Element));
			// The new element is not hashed yet, so the look-up finds only an older one.
			const int32 Existing = Elements.Num() != 1 ? FindIndex(KeyOf::Get(Elements[NewIndex])) : INDEX_NONE;
			if (bIsAlreadyInSetPtr)
			{
				*bIsAlreadyInSetPtr = Existing != INDEX_NONE;
			}
			if (Existing != INDEX_NONE)
			{
				Elements[Existing] = MoveTemp(Elements[NewIndex]);
				Elements.RemoveAt(NewIndex);
				return Existing;
			}
			Index.emplace(GetTypeHash(KeyOf::Get(Elements[NewIndex])), NewIndex);
			return NewIndex;
		}

		void RemoveAt(int32 ElementIndex)
		{
			auto [First, Last] = Index.equal_range(GetTypeHash(KeyOf::Get(Elements[ElementIndex])));
			for (; First != Last; ++First)
			{
				if (First->second == ElementIndex)
				{
					Index.erase(First);
					break;
				}
			}
			Elements.RemoveAt(ElementIndex);
		}

		void Empty()
		{
			Index.clear();
			Elements.Empty();
		}

		// The engine compacts the elements and then rehashes them all.
		bool Compact() { return Rehash(Elements.Compact()); }
		bool CompactStable() { return Rehash(Elements.CompactStable()); }

		TSparseArray<ElementType> Elements;

	private:
		bool Rehash(bool bMoved)
		{
			Index.clear();
			for (auto It = Elements.CreateIterator(); It; ++It)
			{
				Index.emplace(GetTypeHash(KeyOf::Get(*It)), It.GetIndex());
			}
			return bMoved;
		}

		std::unordered_multimap<uint32, int32> Index;
	};

	// The engine's container iterator: ++ after RemoveCurrent moves to the element that followed.
	template <typename TableType, typename ElementType>
	class TRemovableIterator
	{
	public:
		explicit TRemovableIterator(TableType& InTable) : Table(InTable), It(InTable.Elements.CreateIterator()) {}
		explicit operator bool() const { return bool(It); }
		TRemovableIterator& operator++()
		{
			++It;
			return *this;
		}
		ElementType& operator*() const { return *It; }
		ElementType* operator->() const { return &*It; }
		auto& Key() const { return It->Key; }
		auto& Value() const { return It->Value; }
		void RemoveCurrent() { Table.RemoveAt(It.GetIndex()); }

	private:
		TableType& Table;
		typename TSparseArray<ElementType>::TIterator It;
	};

	struct FSelfKey
	{
		template <typename ElementType>
		static const ElementType& Get(const ElementType& Element) { return Element; }
	};
}

// The engine's set: iteration follows the sparse array's slots (see TSparseArray).
template <typename InElementType>
class TSet
{
	using FTable = UE::Container::Private::TSparseHashTable<InElementType, UE::Container::Private::FSelfKey>;

public:
	typedef InElementType ElementType;

	TSet() = default;
	TSet(std::initializer_list<ElementType> List)
	{
		for (const ElementType& Element : List)
		{
			Add(Element);
		}
	}

	int32 Num() const { return Table.Elements.Num(); }
	bool IsEmpty() const { return Table.Elements.IsEmpty(); }
	void Empty(int32 = 0) { Table.Empty(); }
	void Reset() { Table.Empty(); }

	// Adding an element equal to one already present replaces it in place.
	void Add(const ElementType& Element, bool* bIsAlreadyInSetPtr = nullptr)
	{
		ElementType Copy(Element);
		Table.Emplace(MoveTemp(Copy), bIsAlreadyInSetPtr);
	}
	bool Contains(const ElementType& Element) const { return Table.FindIndex(Element) != INDEX_NONE; }
	const ElementType* Find(const ElementType& Element) const
	{
		const int32 Index = Table.FindIndex(Element);
		return Index == INDEX_NONE ? nullptr : &Table.Elements[Index];
	}
	int32 Remove(const ElementType& Element)
	{
		const int32 Index = Table.FindIndex(Element);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		Table.RemoveAt(Index);
		return 1;
	}
	TArray<ElementType> Array() const
	{
		TArray<ElementType> Result;
		for (const ElementType& Element : Table.Elements)
		{
			Result.Add(Element);
		}
		return Result;
	}

	bool Compact() { return Table.Compact(); }
	bool CompactStable() { return Table.CompactStable(); }

	using TIterator = UE::Container::Private::TRemovableIterator<FTable, ElementType>;
	TIterator CreateIterator() { return TIterator(Table); }

	auto begin() const { return Table.Elements.begin(); }
	auto end() const { return Table.Elements.end(); }

private:
	FTable Table;
};
