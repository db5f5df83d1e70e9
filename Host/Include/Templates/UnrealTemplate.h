#pragma once

#include "CoreTypes.h"

#include <type_traits>
#include <utility>

template <typename T>
FORCEINLINE std::remove_reference_t<T>&& MoveTemp(T&& Obj)
{
	return static_cast<std::remove_reference_t<T>&&>(Obj);
}

template <typename T>
FORCEINLINE T CopyTemp(const T& Val)
{
	return Val;
}

template <typename T>
FORCEINLINE T&& Forward(std::remove_reference_t<T>& Obj)
{
	return static_cast<T&&>(Obj);
}

template <typename T>
FORCEINLINE void Swap(T& A, T& B)
{
	std::swap(A, B);
}

template <typename T, SIZE_T N>
constexpr SIZE_T UE_ARRAY_COUNT_HELPER(T (&)[N]) { return N; }
#define UE_ARRAY_COUNT(Array) (::UE_ARRAY_COUNT_HELPER(Array))

template <typename KeyType, typename ValueType>
struct TPair
{
	KeyType Key;
	ValueType Value;

	TPair() = default;
	TPair(const KeyType& InKey, const ValueType& InValue) : Key(InKey), Value(InValue) {}
	TPair(KeyType&& InKey, ValueType&& InValue) : Key(MoveTemp(InKey)), Value(MoveTemp(InValue)) {}
	bool operator==(const TPair& Other) const { return Key == Other.Key && Value == Other.Value; }
};

// Hashes for the key types the containers meet; FString's lives beside FString.
inline uint32 GetTypeHash(int32 Value) { return uint32(Value); }
inline uint32 GetTypeHash(uint32 Value) { return Value; }
inline uint32 GetTypeHash(int64 Value) { return uint32(uint64(Value) ^ (uint64(Value) >> 32)); }
inline uint32 GetTypeHash(uint64 Value) { return uint32(Value ^ (Value >> 32)); }
template <typename T>
inline uint32 GetTypeHash(T* Pointer)
{
	return GetTypeHash(uint64(reinterpret_cast<UPTRINT>(Pointer)));
}
