#pragma once

#include "CoreTypes.h"
#include "Serialization/Archive.h"
#include "Templates/UnrealTemplate.h"

#include <type_traits>

class UObject;

// A reference to an object held by another object: a plain pointer in the editor's builds.
template <typename T>
struct TObjectPtr
{
public:
	using ElementType = T;

	TObjectPtr() = default;
	TObjectPtr(TYPE_OF_NULLPTR) {}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TObjectPtr(U* Object) : Pointer(Object)
	{
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TObjectPtr(const TObjectPtr<U>& Other) : Pointer(Other.Get())
	{
	}

	T* Get() const { return Pointer; }
	operator T*() const { return Pointer; }
	explicit operator bool() const { return Pointer != nullptr; }
	T* operator->() const { return Pointer; }
	T& operator*() const { return *Pointer; }
	template <typename U>
	bool IsA() const
	{
		return Pointer != nullptr && Pointer->template IsA<U>();
	}

	template <typename U>
	bool operator==(const TObjectPtr<U>& Other) const { return Pointer == Other.Get(); }
	template <typename U>
	bool operator==(U* Other) const { return Pointer == Other; }
	bool operator==(TYPE_OF_NULLPTR) const { return Pointer == nullptr; }

	friend uint32 GetTypeHash(const TObjectPtr& Ptr) { return GetTypeHash(static_cast<const void*>(Ptr.Pointer)); }

private:
	T* Pointer = nullptr;
};

template <typename T>
FArchive& operator<<(FArchive& Ar, TObjectPtr<T>& Ptr)
{
	UObject* Raw = Ptr.Get();
	Ar << Raw;
	if (Ar.IsLoading())
	{
		Ptr = static_cast<T*>(Raw);
	}
	return Ar;
}

template <typename T>
T* ToRawPtr(const TObjectPtr<T>& Ptr)
{
	return Ptr.Get();
}

template <typename T>
T* ToRawPtr(T* Ptr)
{
	return Ptr;
}
