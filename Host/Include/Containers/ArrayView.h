#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"

#include <type_traits>

// A non-owning view of contiguous elements.
template <typename InElementType, typename InSizeType = int32>
class TArrayView
{
public:
	using ElementType = InElementType;
	using SizeType = InSizeType;

	TArrayView() = default;
	TArrayView(ElementType* InData, SizeType InCount) : Data(InData), Count(InCount) {}
	template <typename OtherElementType, typename = std::enable_if_t<std::is_convertible_v<OtherElementType*, ElementType*>>>
	TArrayView(TArray<OtherElementType>& Other) : Data(Other.GetData()), Count(SizeType(Other.Num()))
	{
	}
	template <typename OtherElementType, typename = std::enable_if_t<std::is_convertible_v<const OtherElementType*, ElementType*>>>
	TArrayView(const TArray<OtherElementType>& Other) : Data(Other.GetData()), Count(SizeType(Other.Num()))
	{
	}

	ElementType* GetData() const { return Data; }
	SizeType Num() const { return Count; }
	bool IsEmpty() const { return Count == 0; }
	bool IsValidIndex(SizeType Index) const { return Index >= 0 && Index < Count; }
	ElementType& operator[](SizeType Index) const
	{
		check(IsValidIndex(Index));
		return Data[Index];
	}
	ElementType* begin() const { return Data; }
	ElementType* end() const { return Data + Count; }

private:
	ElementType* Data = nullptr;
	SizeType Count = 0;
};

template <typename T>
using TConstArrayView = TArrayView<const T>;
template <typename T>
using TArrayView64 = TArrayView<T, int64>;
template <typename T>
using TConstArrayView64 = TArrayView<const T, int64>;

template <typename ElementType>
TArrayView<ElementType> MakeArrayView(ElementType* Data, int32 Count)
{
	return TArrayView<ElementType>(Data, Count);
}
