#pragma once

#include "CoreTypes.h"

#include <memory>
#include <type_traits>
#include <utility>

// The engine's shared pointers, built on the standard library's: reference counts are
// atomic, which is the engine's thread-safe mode (the default since UE5).
enum class ESPMode : uint8
{
	NotThreadSafe = 0,
	ThreadSafe = 1
};

template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedRef;
template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedPtr;
template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TWeakPtr;

template <typename ObjectType, ESPMode Mode>
class TSharedPtr
{
public:
	TSharedPtr() = default;
	TSharedPtr(std::nullptr_t) {}
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	explicit TSharedPtr(OtherType* Object) : Ptr(Object) {}
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedPtr<OtherType, Mode>& Other) : Ptr(Other.Std()) {}
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedRef<OtherType, Mode>& Other) : Ptr(Other.Std()) {}
	explicit TSharedPtr(std::shared_ptr<ObjectType> InPtr) : Ptr(std::move(InPtr)) {}

	FORCEINLINE bool IsValid() const { return Ptr != nullptr; }
	FORCEINLINE explicit operator bool() const { return Ptr != nullptr; }
	FORCEINLINE ObjectType* Get() const { return Ptr.get(); }
	FORCEINLINE ObjectType* operator->() const
	{
		check(IsValid());
		return Ptr.get();
	}
	FORCEINLINE ObjectType& operator*() const
	{
		check(IsValid());
		return *Ptr;
	}
	void Reset() { Ptr.reset(); }
	int32 GetSharedReferenceCount() const { return int32(Ptr.use_count()); }
	bool IsUnique() const { return Ptr.use_count() == 1; }
	TSharedRef<ObjectType, Mode> ToSharedRef() const
	{
		check(IsValid());
		return TSharedRef<ObjectType, Mode>(Ptr);
	}
	const std::shared_ptr<ObjectType>& Std() const { return Ptr; }

	template <typename OtherType>
	bool operator==(const TSharedPtr<OtherType, Mode>& Other) const { return Get() == Other.Get(); }
	bool operator==(std::nullptr_t) const { return Ptr == nullptr; }

private:
	std::shared_ptr<ObjectType> Ptr;
};

template <typename ObjectType, ESPMode Mode>
class TSharedRef
{
public:
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedRef(const TSharedRef<OtherType, Mode>& Other) : Ptr(Other.Std()) {}
	explicit TSharedRef(std::shared_ptr<ObjectType> InPtr) : Ptr(std::move(InPtr)) { check(Ptr != nullptr); }
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	explicit TSharedRef(OtherType* Object) : Ptr(Object) { check(Ptr != nullptr); }

	FORCEINLINE ObjectType& Get() const { return *Ptr; }
	FORCEINLINE ObjectType* operator->() const { return Ptr.get(); }
	FORCEINLINE ObjectType& operator*() const { return *Ptr; }
	FORCEINLINE bool IsValid() const { return true; }
	TSharedPtr<ObjectType, Mode> ToSharedPtr() const { return TSharedPtr<ObjectType, Mode>(Ptr); }
	TWeakPtr<ObjectType, Mode> ToWeakPtr() const { return TWeakPtr<ObjectType, Mode>(*this); }
	int32 GetSharedReferenceCount() const { return int32(Ptr.use_count()); }
	const std::shared_ptr<ObjectType>& Std() const { return Ptr; }

	template <typename OtherType>
	bool operator==(const TSharedRef<OtherType, Mode>& Other) const { return &Get() == &Other.Get(); }

private:
	std::shared_ptr<ObjectType> Ptr;
};

template <typename ObjectType, ESPMode Mode>
class TWeakPtr
{
public:
	TWeakPtr() = default;
	TWeakPtr(std::nullptr_t) {}
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedPtr<OtherType, Mode>& Shared) : Ptr(Shared.Std()) {}
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedRef<OtherType, Mode>& Shared) : Ptr(Shared.Std()) {}
	template <typename OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TWeakPtr<OtherType, Mode>& Other) : Ptr(Other.Std()) {}
	explicit TWeakPtr(std::weak_ptr<ObjectType> InPtr) : Ptr(std::move(InPtr)) {}

	// Pinning is atomic: either the object is alive for the lifetime of the result, or null.
	TSharedPtr<ObjectType, Mode> Pin() const { return TSharedPtr<ObjectType, Mode>(Ptr.lock()); }
	bool IsValid() const { return !Ptr.expired(); }
	bool IsStale() const { return Ptr.expired(); }
	void Reset() { Ptr.reset(); }
	bool HasSameObject(const void* Other) const { return Pin().Get() == Other; }
	const std::weak_ptr<ObjectType>& Std() const { return Ptr; }

private:
	std::weak_ptr<ObjectType> Ptr;
};

template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedFromThis : public std::enable_shared_from_this<ObjectType>
{
public:
	TSharedRef<ObjectType, Mode> AsShared() { return TSharedRef<ObjectType, Mode>(this->shared_from_this()); }
	TSharedRef<const ObjectType, Mode> AsShared() const { return TSharedRef<const ObjectType, Mode>(this->shared_from_this()); }
	TWeakPtr<ObjectType, Mode> AsWeak() { return TWeakPtr<ObjectType, Mode>(this->weak_from_this()); }
	bool DoesSharedInstanceExist() const { return !this->weak_from_this().expired(); }

protected:
	template <typename OtherType>
	static TSharedRef<OtherType, Mode> SharedThis(OtherType* This)
	{
		return TSharedRef<OtherType, Mode>(std::static_pointer_cast<OtherType>(This->shared_from_this()));
	}
};

template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe, typename... ArgTypes>
TSharedRef<ObjectType, Mode> MakeShared(ArgTypes&&... Args)
{
	return TSharedRef<ObjectType, Mode>(std::make_shared<ObjectType>(std::forward<ArgTypes>(Args)...));
}

template <typename ObjectType>
struct TRawPtrProxy
{
	ObjectType* Object;
	template <typename TargetType, ESPMode Mode>
	operator TSharedPtr<TargetType, Mode>() const { return TSharedPtr<TargetType, Mode>(Object); }
	template <typename TargetType, ESPMode Mode>
	operator TSharedRef<TargetType, Mode>() const { return TSharedRef<TargetType, Mode>(Object); }
};

template <typename ObjectType>
TRawPtrProxy<ObjectType> MakeShareable(ObjectType* Object)
{
	return TRawPtrProxy<ObjectType>{Object};
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
TSharedPtr<CastToType, Mode> StaticCastSharedPtr(const TSharedPtr<CastFromType, Mode>& From)
{
	return TSharedPtr<CastToType, Mode>(std::static_pointer_cast<CastToType>(From.Std()));
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
TSharedRef<CastToType, Mode> StaticCastSharedRef(const TSharedRef<CastFromType, Mode>& From)
{
	return TSharedRef<CastToType, Mode>(std::static_pointer_cast<CastToType>(From.Std()));
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
TSharedRef<CastToType, Mode> ConstCastSharedRef(const TSharedRef<CastFromType, Mode>& From)
{
	return TSharedRef<CastToType, Mode>(std::const_pointer_cast<CastToType>(From.Std()));
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
TSharedPtr<CastToType, Mode> ConstCastSharedPtr(const TSharedPtr<CastFromType, Mode>& From)
{
	return TSharedPtr<CastToType, Mode>(std::const_pointer_cast<CastToType>(From.Std()));
}

template <typename ObjectType, ESPMode Mode>
uint32 GetTypeHash(const TSharedPtr<ObjectType, Mode>& Ptr)
{
	return uint32(reinterpret_cast<UPTRINT>(Ptr.Get()) >> 4);
}
