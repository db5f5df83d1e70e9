#pragma once

#include "CoreTypes.h"
#include "Templates/SharedPointer.h"

// What a list needs to know about its item type: its nullable form and how to test it.
template <typename T>
struct TListTypeTraits
{
	static_assert(sizeof(T) == 0, "Items of a list are shared pointers, shared references or object pointers.");
};

template <typename T>
struct TListTypeTraits<TSharedPtr<T>>
{
	typedef TSharedPtr<T> NullableType;
	static bool IsPtrValid(const TSharedPtr<T>& InPtr) { return InPtr.IsValid(); }
	static void ResetPtr(TSharedPtr<T>& InPtr) { InPtr.Reset(); }
	static TSharedPtr<T> MakeNullPtr() { return nullptr; }
	static TSharedPtr<T> NullableItemTypeConvertToItemType(const TSharedPtr<T>& InPtr) { return InPtr; }
};

template <typename T>
struct TListTypeTraits<TSharedRef<T>>
{
	typedef TSharedPtr<T> NullableType;
	static bool IsPtrValid(const TSharedPtr<T>& InPtr) { return InPtr.IsValid(); }
	static void ResetPtr(TSharedPtr<T>& InPtr) { InPtr.Reset(); }
	static TSharedPtr<T> MakeNullPtr() { return nullptr; }
	static TSharedRef<T> NullableItemTypeConvertToItemType(const TSharedPtr<T>& InPtr) { return InPtr.ToSharedRef(); }
};

template <typename T>
struct TListTypeTraits<T*>
{
	typedef T* NullableType;
	static bool IsPtrValid(T* InPtr) { return InPtr != nullptr; }
	static void ResetPtr(T*& InPtr) { InPtr = nullptr; }
	static T* MakeNullPtr() { return nullptr; }
	static T* NullableItemTypeConvertToItemType(T* InPtr) { return InPtr; }
};
