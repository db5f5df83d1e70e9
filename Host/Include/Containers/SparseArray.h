#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"
#include "Templates/UnrealTemplate.h"

#include <optional>
#include <vector>

// The engine's sparse array: elements keep their index until removed, iteration walks the
// indices in order, and a removed index goes to the head of a free list, so the next Add takes
// the index removed last. TSet and TMap keep their elements here, which is why their iteration
// order is not their insertion order once anything has been removed.
template <typename InElementType>
class TSparseArray
{
public:
	typedef InElementType ElementType;

	int32 Num() const { return int32(Data.size()) - NumFreeIndices; }
	bool IsEmpty() const { return Num() == 0; }
	int32 GetMaxIndex() const { return int32(Data.size()); }
	bool IsAllocated(int32 Index) const { return Data[Index].Element.has_value(); }
	bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < GetMaxIndex() && IsAllocated(Index); }
	bool IsCompact() const { return NumFreeIndices == 0; }

	ElementType& operator[](int32 Index)
	{
		check(IsValidIndex(Index));
		return *Data[Index].Element;
	}
	const ElementType& operator[](int32 Index) const
	{
		check(IsValidIndex(Index));
		return *Data[Index].Element;
	}

	int32 Add(const ElementType& Element) { return Emplace(Element); }
	int32 Add(ElementType&& Element) { return Emplace(MoveTemp(Element)); }
	template <typename... ArgsType>
	int32 Emplace(ArgsType&&... Args)
	{
		const int32 Index = AllocateIndex();
		Data[Index].Element.emplace(Forward<ArgsType>(Args)...);
		return Index;
	}

	void RemoveAt(int32 Index, int32 Count = 1)
	{
		for (; Count; --Count, ++Index)
		{
			check(IsValidIndex(Index));
			Data[Index].Element.reset();
			if (NumFreeIndices)
			{
				Data[FirstFreeIndex].PrevFreeIndex = Index;
			}
			Data[Index].PrevFreeIndex = INDEX_NONE;
			Data[Index].NextFreeIndex = NumFreeIndices > 0 ? FirstFreeIndex : INDEX_NONE;
			FirstFreeIndex = Index;
			++NumFreeIndices;
		}
	}

	void Empty(int32 ExpectedNumElements = 0)
	{
		Data.clear();
		Data.reserve(ExpectedNumElements);
		FirstFreeIndex = INDEX_NONE;
		NumFreeIndices = 0;
	}
	void Reset() { Empty(); }

	// Moves the last elements into the holes, in free-list order: the order changes.
	bool Compact()
	{
		if (NumFreeIndices == 0)
		{
			return false;
		}
		bool bMoved = false;
		int32 EndIndex = GetMaxIndex();
		const int32 TargetIndex = EndIndex - NumFreeIndices;
		for (int32 FreeIndex = FirstFreeIndex; FreeIndex != INDEX_NONE;)
		{
			const int32 NextFreeIndex = Data[FreeIndex].NextFreeIndex;
			if (FreeIndex < TargetIndex)
			{
				do
				{
					--EndIndex;
				}
				while (!IsAllocated(EndIndex));
				Data[FreeIndex].Element = MoveTemp(Data[EndIndex].Element);
				Data[EndIndex].Element.reset();
				bMoved = true;
			}
			FreeIndex = NextFreeIndex;
		}
		Data.resize(TargetIndex);
		FirstFreeIndex = INDEX_NONE;
		NumFreeIndices = 0;
		return bMoved;
	}

	// Closes the holes and keeps the order of the elements.
	bool CompactStable()
	{
		if (NumFreeIndices == 0)
		{
			return false;
		}
		std::vector<FSlot> Compacted;
		Compacted.reserve(Num());
		for (FSlot& Slot : Data)
		{
			if (Slot.Element.has_value())
			{
				Compacted.emplace_back().Element = MoveTemp(Slot.Element);
			}
		}
		Data = MoveTemp(Compacted);
		FirstFreeIndex = INDEX_NONE;
		NumFreeIndices = 0;
		return true;
	}

	template <typename ArrayType, typename ValueType>
	class TBaseIterator
	{
	public:
		TBaseIterator(ArrayType& InArray, int32 StartIndex) : Array(InArray), Index(StartIndex) { Skip(); }
		TBaseIterator& operator++()
		{
			++Index;
			Skip();
			return *this;
		}
		explicit operator bool() const { return Index < Array.GetMaxIndex(); }
		bool operator!=(const TBaseIterator& Other) const { return Index != Other.Index; }
		ValueType& operator*() const { return Array[Index]; }
		ValueType* operator->() const { return &Array[Index]; }
		int32 GetIndex() const { return Index; }

	protected:
		ArrayType& Array;
		int32 Index;

	private:
		void Skip()
		{
			while (Index < Array.GetMaxIndex() && !Array.IsAllocated(Index))
			{
				++Index;
			}
		}
	};

	class TIterator : public TBaseIterator<TSparseArray, ElementType>
	{
	public:
		explicit TIterator(TSparseArray& InArray, int32 StartIndex = 0) : TBaseIterator<TSparseArray, ElementType>(InArray, StartIndex) {}
		// The next ++ moves to the element after the removed one.
		void RemoveCurrent() { this->Array.RemoveAt(this->Index); }
	};
	class TConstIterator : public TBaseIterator<const TSparseArray, const ElementType>
	{
	public:
		explicit TConstIterator(const TSparseArray& InArray, int32 StartIndex = 0) : TBaseIterator<const TSparseArray, const ElementType>(InArray, StartIndex) {}
	};

	TIterator CreateIterator() { return TIterator(*this); }
	TConstIterator CreateConstIterator() const { return TConstIterator(*this); }

	TIterator begin() { return TIterator(*this); }
	TIterator end() { return TIterator(*this, GetMaxIndex()); }
	TConstIterator begin() const { return TConstIterator(*this); }
	TConstIterator end() const { return TConstIterator(*this, GetMaxIndex()); }

private:
	struct FSlot
	{
		std::optional<ElementType> Element;
		int32 PrevFreeIndex = INDEX_NONE;
		int32 NextFreeIndex = INDEX_NONE;
	};

	int32 AllocateIndex()
	{
		if (NumFreeIndices)
		{
			const int32 Index = FirstFreeIndex;
			FirstFreeIndex = Data[Index].NextFreeIndex;
			--NumFreeIndices;
			if (NumFreeIndices)
			{
				Data[FirstFreeIndex].PrevFreeIndex = INDEX_NONE;
			}
			return Index;
		}
		Data.emplace_back();
		return GetMaxIndex() - 1;
	}

	std::vector<FSlot> Data;
	int32 FirstFreeIndex = INDEX_NONE;
	int32 NumFreeIndices = 0;
};
