#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"

#include <memory>

// An array that owns its elements through pointers, so an element's address never changes.
template <typename T>
class TIndirectArray
{
public:
	using ElementType = T;

	TIndirectArray() = default;
	TIndirectArray(const TIndirectArray&) = delete;
	TIndirectArray& operator=(const TIndirectArray&) = delete;

	int32 Num() const { return Items.Num(); }
	bool IsEmpty() const { return Items.IsEmpty(); }
	bool IsValidIndex(int32 Index) const { return Items.IsValidIndex(Index); }
	T& operator[](int32 Index) { return *Items[Index]; }
	const T& operator[](int32 Index) const { return *Items[Index]; }
	// Takes ownership of Item.
	int32 Add(T* Item) { return Items.Add(std::unique_ptr<T>(Item)); }
	void RemoveAt(int32 Index, int32 Count = 1) { Items.RemoveAt(Index, Count); }
	void Empty() { Items.Empty(); }

private:
	TArray<std::unique_ptr<T>> Items;
};
