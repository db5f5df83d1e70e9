#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <type_traits>

// A soft reference: the object's path plus a weak pointer to it once resolved. Get() resolves
// only an object that is in memory; it never loads.
template <class T = UObject>
struct TSoftObjectPtr
{
public:
	using ElementType = T;

	TSoftObjectPtr() = default;
	TSoftObjectPtr(TYPE_OF_NULLPTR) {}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TSoftObjectPtr(U* Object) : ObjectPath(static_cast<const UObject*>(Object)), WeakPtr(Object)
	{
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TSoftObjectPtr(const TObjectPtr<U>& Object) : TSoftObjectPtr(Object.Get())
	{
	}
	explicit TSoftObjectPtr(const FSoftObjectPath& InObjectPath) : ObjectPath(InObjectPath) {}

	// Null if the object is gone, not loaded, or the pointer is null.
	T* Get() const
	{
		if (T* Cached = WeakPtr.Get())
		{
			return Cached;
		}
		UObject* Resolved = ObjectPath.ResolveObject();
		T* Typed = Resolved != nullptr && Resolved->IsA(T::StaticClass()) ? static_cast<T*>(Resolved) : nullptr;
		WeakPtr = Typed;
		return Typed;
	}
	// The stand-in keeps no packages on disk: this finds only what is in memory.
	T* LoadSynchronous() const { return Get(); }
	T* operator->() const { return Get(); }
	T& operator*() const { return *Get(); }

	bool IsValid() const { return Get() != nullptr; }
	bool IsNull() const { return ObjectPath.IsNull(); }
	bool IsPending() const { return !IsNull() && Get() == nullptr; }
	explicit operator bool() const { return IsValid(); }
	void Reset()
	{
		ObjectPath.Reset();
		WeakPtr.Reset();
	}

	const FSoftObjectPath& ToSoftObjectPath() const { return ObjectPath; }
	FString ToString() const { return ObjectPath.ToString(); }
	FString GetLongPackageName() const { return ObjectPath.GetLongPackageName(); }
	FString GetAssetName() const { return ObjectPath.GetAssetName(); }

	bool operator==(const TSoftObjectPtr& Other) const { return ObjectPath == Other.ObjectPath; }
	bool operator!=(const TSoftObjectPtr& Other) const { return !(*this == Other); }
	friend uint32 GetTypeHash(const TSoftObjectPtr& Ptr) { return GetTypeHash(Ptr.ObjectPath); }

private:
	FSoftObjectPath ObjectPath;
	mutable TWeakObjectPtr<T> WeakPtr;
};
