#pragma once

#include "CoreTypes.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

// The engine's dynamic array: int32 indices, the engine's member names, contiguous storage.
template <typename InElementType>
class TArray
{
public:
	typedef InElementType ElementType;
	typedef int32 SizeType;

	TArray() = default;
	TArray(std::initializer_list<ElementType> List) : Items(List) {}
	TArray(const ElementType* Ptr, int32 Count) : Items(Ptr, Ptr + Count) {}

	FORCEINLINE int32 Num() const { return int32(Items.size()); }
	FORCEINLINE bool IsEmpty() const { return Items.empty(); }
	FORCEINLINE bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }
	FORCEINLINE ElementType* GetData() { return Items.data(); }
	FORCEINLINE const ElementType* GetData() const { return Items.data(); }
	FORCEINLINE SIZE_T GetTypeSize() const { return sizeof(ElementType); }
	FORCEINLINE int32 Max() const { return int32(Items.capacity()); }

	FORCEINLINE ElementType& operator[](int32 Index)
	{
		check(IsValidIndex(Index));
		return Items[SIZE_T(Index)];
	}
	FORCEINLINE const ElementType& operator[](int32 Index) const
	{
		check(IsValidIndex(Index));
		return Items[SIZE_T(Index)];
	}
	ElementType& Last(int32 IndexFromTheEnd = 0) { return (*this)[Num() - IndexFromTheEnd - 1]; }
	const ElementType& Last(int32 IndexFromTheEnd = 0) const { return (*this)[Num() - IndexFromTheEnd - 1]; }
	ElementType& Top() { return Last(); }
	const ElementType& Top() const { return Last(); }

	int32 Add(const ElementType& Item) { Items.push_back(Item); return Num() - 1; }
	int32 Add(ElementType&& Item) { Items.push_back(std::move(Item)); return Num() - 1; }
	template <typename... ArgsType>
	int32 Emplace(ArgsType&&... Args) { Items.emplace_back(std::forward<ArgsType>(Args)...); return Num() - 1; }
	template <typename... ArgsType>
	ElementType& Emplace_GetRef(ArgsType&&... Args) { return Items.emplace_back(std::forward<ArgsType>(Args)...); }
	ElementType& Add_GetRef(const ElementType& Item) { Items.push_back(Item); return Items.back(); }
	int32 AddUnique(const ElementType& Item)
	{
		const int32 Index = Find(Item);
		return Index != INDEX_NONE ? Index : Add(Item);
	}
	int32 AddDefaulted(int32 Count = 1) { const int32 Index = Num(); Items.resize(Items.size() + SIZE_T(Count)); return Index; }
	int32 AddZeroed(int32 Count = 1) { const int32 Index = Num(); Items.resize(Items.size() + SIZE_T(Count), ElementType()); return Index; }
	int32 AddUninitialized(int32 Count = 1) { return AddDefaulted(Count); }
	void Push(const ElementType& Item) { Add(Item); }
	ElementType Pop()
	{
		ElementType Result = std::move(Last());
		Items.pop_back();
		return Result;
	}
	void Insert(const ElementType& Item, int32 Index)
	{
		check(Index >= 0 && Index <= Num());
		Items.insert(Items.begin() + Index, Item);
	}
	void Insert(ElementType&& Item, int32 Index)
	{
		check(Index >= 0 && Index <= Num());
		Items.insert(Items.begin() + Index, std::move(Item));
	}
	template <typename OtherType>
	void Append(const OtherType& Other)
	{
		for (const auto& Item : Other)
		{
			Items.push_back(Item);
		}
	}
	void Append(const ElementType* Ptr, int32 Count) { Items.insert(Items.end(), Ptr, Ptr + Count); }
	TArray& operator+=(const TArray& Other) { Append(Other); return *this; }

	void RemoveAt(int32 Index, int32 Count = 1)
	{
		check(Index >= 0 && Count >= 0 && Index + Count <= Num());
		Items.erase(Items.begin() + Index, Items.begin() + Index + Count);
	}
	// O(Count) instead of O(Num): the hole is filled with the elements from the end, so the
	// order is not kept.
	void RemoveAtSwap(int32 Index, int32 Count = 1)
	{
		check(Index >= 0 && Count >= 0 && Index + Count <= Num());
		const int32 FromEnd = std::min(Count, Num() - (Index + Count));
		std::move(Items.end() - FromEnd, Items.end(), Items.begin() + Index);
		Items.erase(Items.end() - Count, Items.end());
	}
	int32 Remove(const ElementType& Item)
	{
		return RemoveAll([&Item](const ElementType& Element) { return Element == Item; });
	}
	int32 RemoveSingle(const ElementType& Item)
	{
		const int32 Index = Find(Item);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		RemoveAt(Index);
		return 1;
	}
	template <typename PredicateType>
	int32 RemoveAll(const PredicateType& Predicate)
	{
		const SIZE_T Before = Items.size();
		Items.erase(std::remove_if(Items.begin(), Items.end(), Predicate), Items.end());
		return int32(Before - Items.size());
	}
	void Empty(int32 Slack = 0) { Items.clear(); Items.shrink_to_fit(); Items.reserve(SIZE_T(Slack)); }
	void Reset(int32 NewSize = 0) { Items.clear(); Items.reserve(SIZE_T(NewSize)); }
	void Reserve(int32 Number) { Items.reserve(SIZE_T(Number)); }
	void SetNum(int32 NewNum) { Items.resize(SIZE_T(NewNum)); }
	void SetNumZeroed(int32 NewNum) { Items.resize(SIZE_T(NewNum), ElementType()); }
	void SetNumUninitialized(int32 NewNum) { Items.resize(SIZE_T(NewNum)); }
	// Sets the size of the array, filling it with the given element.
	void Init(const ElementType& Element, int32 Number) { Items.assign(SIZE_T(Number), Element); }
	void Shrink() { Items.shrink_to_fit(); }

	int32 Find(const ElementType& Item) const
	{
		for (int32 Index = 0; Index < Num(); ++Index)
		{
			if (Items[SIZE_T(Index)] == Item)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	bool Find(const ElementType& Item, int32& Index) const
	{
		Index = Find(Item);
		return Index != INDEX_NONE;
	}
	template <typename KeyType>
	int32 IndexOfByKey(const KeyType& Key) const
	{
		return IndexOfByPredicate([&Key](const ElementType& Element) { return Element == Key; });
	}
	template <typename PredicateType>
	int32 IndexOfByPredicate(PredicateType Predicate) const
	{
		for (int32 Index = 0; Index < Num(); ++Index)
		{
			if (Predicate(Items[SIZE_T(Index)]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename PredicateType>
	ElementType* FindByPredicate(PredicateType Predicate)
	{
		const int32 Index = IndexOfByPredicate(Predicate);
		return Index == INDEX_NONE ? nullptr : &Items[SIZE_T(Index)];
	}
	template <typename PredicateType>
	const ElementType* FindByPredicate(PredicateType Predicate) const
	{
		const int32 Index = IndexOfByPredicate(Predicate);
		return Index == INDEX_NONE ? nullptr : &Items[SIZE_T(Index)];
	}
	template <typename KeyType>
	bool Contains(const KeyType& Key) const { return IndexOfByKey(Key) != INDEX_NONE; }
	template <typename PredicateType>
	bool ContainsByPredicate(PredicateType Predicate) const { return IndexOfByPredicate(Predicate) != INDEX_NONE; }
	template <typename PredicateType>
	TArray FilterByPredicate(PredicateType Predicate) const
	{
		TArray Result;
		for (const ElementType& Item : Items)
		{
			if (Predicate(Item))
			{
				Result.Add(Item);
			}
		}
		return Result;
	}

	void Sort() { std::stable_sort(Items.begin(), Items.end()); }
	template <typename PredicateType>
	void Sort(const PredicateType& Predicate) { std::stable_sort(Items.begin(), Items.end(), Predicate); }
	template <typename PredicateType>
	void StableSort(const PredicateType& Predicate) { std::stable_sort(Items.begin(), Items.end(), Predicate); }
	void StableSort() { std::stable_sort(Items.begin(), Items.end()); }

	bool operator==(const TArray& Other) const { return Items == Other.Items; }
	bool operator!=(const TArray& Other) const { return !(*this == Other); }

	auto begin() { return Items.begin(); }
	auto end() { return Items.end(); }
	auto begin() const { return Items.begin(); }
	auto end() const { return Items.end(); }

private:
	std::vector<ElementType> Items;
};

// The engine's array with 64-bit sizes; here the one array serves both.
template <typename T>
using TArray64 = TArray<T>;

template <typename T>
struct TIsTArray
{
	static constexpr bool Value = false;
};
template <typename T>
struct TIsTArray<TArray<T>>
{
	static constexpr bool Value = true;
};
