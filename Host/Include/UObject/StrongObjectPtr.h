#pragma once

#include "CoreTypes.h"
#include "Templates/UnrealTemplate.h"

#include <type_traits>

class UObject;

namespace UE::CoreUObject::Private
{
	// A strong pointer roots its object for the garbage collector while it holds it.
	void AddStrongReference(const UObject* Object);
	void RemoveStrongReference(const UObject* Object);
}

// Keeps an object alive from code that is not itself an object.
template <typename ObjectType>
class TStrongObjectPtr
{
public:
	TStrongObjectPtr() = default;
	TStrongObjectPtr(TYPE_OF_NULLPTR) {}
	explicit TStrongObjectPtr(ObjectType* InObject) { Attach(InObject); }
	TStrongObjectPtr(const TStrongObjectPtr& Other) { Attach(Other.Object); }
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TStrongObjectPtr(const TStrongObjectPtr<OtherType>& Other)
	{
		Attach(Other.Get());
	}
	TStrongObjectPtr(TStrongObjectPtr&& Other) : Object(Other.Object) { Other.Object = nullptr; }
	~TStrongObjectPtr() { Reset(); }

	TStrongObjectPtr& operator=(const TStrongObjectPtr& Other)
	{
		Reset(Other.Object);
		return *this;
	}
	TStrongObjectPtr& operator=(TStrongObjectPtr&& Other)
	{
		if (this != &Other)
		{
			Reset();
			Object = Other.Object;
			Other.Object = nullptr;
		}
		return *this;
	}

	ObjectType* Get() const { return Object; }
	bool IsValid() const { return Object != nullptr; }
	explicit operator bool() const { return Object != nullptr; }
	ObjectType& operator*() const { return *Object; }
	ObjectType* operator->() const { return Object; }
	void Reset() { Reset(nullptr); }
	void Reset(ObjectType* InNewObject)
	{
		if (InNewObject == Object)
		{
			return;
		}
		ObjectType* Old = Object;
		Object = nullptr;
		Attach(InNewObject);
		if (Old != nullptr)
		{
			UE::CoreUObject::Private::RemoveStrongReference(Old);
		}
	}

	template <typename OtherType>
	bool operator==(const TStrongObjectPtr<OtherType>& Other) const { return Object == Other.Get(); }
	friend uint32 GetTypeHash(const TStrongObjectPtr& Ptr) { return GetTypeHash(static_cast<const void*>(Ptr.Object)); }

private:
	void Attach(ObjectType* InObject)
	{
		Object = InObject;
		if (Object != nullptr)
		{
			UE::CoreUObject::Private::AddStrongReference(Object);
		}
	}

	ObjectType* Object = nullptr;
};
