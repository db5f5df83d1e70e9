#pragma once

#include "CoreTypes.h"
#include "UObject/WeakObjectPtr.h"

#include <type_traits>

// The typed weak object pointer.
template <class T = UObject, class TWeakObjectPtrBase = FWeakObjectPtr>
struct TWeakObjectPtr
{
public:
	using ElementType = T;

	TWeakObjectPtr() = default;
	TWeakObjectPtr(TYPE_OF_NULLPTR) {}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr(U* Object) : WeakPtr(static_cast<const T*>(Object))
	{
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr(const TWeakObjectPtr<U>& Other) : WeakPtr(Other.GetBase())
	{
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr& operator=(U* Object)
	{
		WeakPtr = static_cast<const T*>(Object);
		return *this;
	}

	T* Get() const { return static_cast<T*>(WeakPtr.Get()); }
	T* Get(bool bEvenIfPendingKill) const { return static_cast<T*>(WeakPtr.Get(bEvenIfPendingKill)); }
	bool IsValid() const { return WeakPtr.IsValid(); }
	bool IsValid(bool bEvenIfPendingKill, bool bThreadsafeTest = false) const { return WeakPtr.IsValid(bEvenIfPendingKill, bThreadsafeTest); }
	bool IsStale(bool bIncludingIfPendingKill = true, bool bThreadsafeTest = false) const { return WeakPtr.IsStale(bIncludingIfPendingKill, bThreadsafeTest); }
	bool IsExplicitlyNull() const { return WeakPtr.IsExplicitlyNull(); }
	void Reset() { WeakPtr.Reset(); }
	explicit operator bool() const { return IsValid(); }
	T* operator->() const { return Get(); }
	T& operator*() const { return *Get(); }

	template <typename U>
	bool operator==(const TWeakObjectPtr<U>& Other) const { return WeakPtr == Other.GetBase(); }
	const TWeakObjectPtrBase& GetBase() const { return WeakPtr; }
	friend uint32 GetTypeHash(const TWeakObjectPtr& Ptr) { return GetTypeHash(Ptr.WeakPtr); }

private:
	TWeakObjectPtrBase WeakPtr;
};

template <typename T>
TWeakObjectPtr<T> MakeWeakObjectPtr(T* Object)
{
	return TWeakObjectPtr<T>(Object);
}
