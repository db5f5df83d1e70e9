#pragma once

#include "Containers/Map.h"

namespace UE::Container::Private
{
	struct FSelfKey
	{
		template <typename ElementType>
		static const ElementType& Get(const ElementType& Element) { return Element; }
	};
}

// A set in insertion order; elements compare with operator== and hash with GetTypeHash.
template <typename InElementType>
class TSet
{
	using FTable = UE::Container::Private::TOrderedHashTable<InElementType, UE::Container::Private::FSelfKey>;

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

	int32 Num() const { return Table.Num(); }
	bool IsEmpty() const { return Table.Num() == 0; }
	void Empty(int32 = 0) { Table.Clear(); }
	void Reset() { Table.Clear(); }

	// Adding an element equal to one already present replaces it in place.
	void Add(const ElementType& Element, bool* bIsAlreadyInSetPtr = nullptr)
	{
		auto It = Table.FindIt(Element);
		if (bIsAlreadyInSetPtr)
		{
			*bIsAlreadyInSetPtr = It != Table.Elements.end();
		}
		if (It != Table.Elements.end())
		{
			*It = Element;
			return;
		}
		ElementType Copy(Element);
		Table.Append(MoveTemp(Copy));
	}
	bool Contains(const ElementType& Element) const { return Table.FindIt(Element) != Table.Elements.end(); }
	const ElementType* Find(const ElementType& Element) const
	{
		auto It = Table.FindIt(Element);
		return It == Table.Elements.end() ? nullptr : &*It;
	}
	int32 Remove(const ElementType& Element)
	{
		auto It = Table.FindIt(Element);
		if (It == Table.Elements.end())
		{
			return 0;
		}
		Table.Erase(It);
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

	auto begin() const { return Table.Elements.cbegin(); }
	auto end() const { return Table.Elements.cend(); }

private:
	FTable Table;
};
