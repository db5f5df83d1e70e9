#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Templates/Function.h"
#include "Templates/SharedPointer.h"

#include <atomic>

// Identifies one binding of a multicast delegate.
class FDelegateHandle
{
public:
	enum EGenerateNewHandleType
	{
		GenerateNewHandle
	};
	FDelegateHandle() = default;
	explicit FDelegateHandle(EGenerateNewHandleType) : ID(NextID.fetch_add(1) + 1) {}
	bool IsValid() const { return ID != 0; }
	void Reset() { ID = 0; }
	bool operator==(const FDelegateHandle& Other) const { return ID == Other.ID; }
	bool operator!=(const FDelegateHandle& Other) const { return ID != Other.ID; }

private:
	uint64 ID = 0;
	static inline std::atomic<uint64> NextID{0};
};

template <typename FuncType>
class TDelegate;

// A single-cast delegate. Shared-pointer bindings hold the object weakly and are unbound
// once it is gone, as in the engine.
template <typename RetValType, typename... ParamTypes>
class TDelegate<RetValType(ParamTypes...)>
{
public:
	TDelegate() = default;
	TDelegate(std::nullptr_t) {}

	template <typename FunctorType>
	static TDelegate CreateLambda(FunctorType&& Functor)
	{
		TDelegate Result;
		Result.BindLambda(std::forward<FunctorType>(Functor));
		return Result;
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	static TDelegate CreateSP(const TSharedRef<UserClass, Mode>& Object, MethodType Method, VarTypes... Vars)
	{
		TDelegate Result;
		Result.BindSP(Object, Method, Vars...);
		return Result;
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	static TDelegate CreateSP(const TSharedPtr<UserClass, Mode>& Object, MethodType Method, VarTypes... Vars)
	{
		return CreateSP(Object.ToSharedRef(), Method, Vars...);
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	static TDelegate CreateSP(UserClass* Object, MethodType Method, VarTypes... Vars)
	{
		return CreateSP(StaticCastSharedRef<UserClass>(Object->AsShared()), Method, Vars...);
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	static TDelegate CreateRaw(UserClass* Object, MethodType Method, VarTypes... Vars)
	{
		TDelegate Result;
		Result.Callable = [Object, Method, Vars...](ParamTypes... Params) -> RetValType
		{ return (Object->*Method)(std::forward<ParamTypes>(Params)..., Vars...); };
		return Result;
	}
	template <typename FunctionType, typename... VarTypes>
	static TDelegate CreateStatic(FunctionType Function, VarTypes... Vars)
	{
		TDelegate Result;
		Result.Callable = [Function, Vars...](ParamTypes... Params) -> RetValType
		{ return Function(std::forward<ParamTypes>(Params)..., Vars...); };
		return Result;
	}
	template <typename UserClass, ESPMode Mode, typename FunctorType>
	static TDelegate CreateSPLambda(const TSharedRef<UserClass, Mode>& Object, FunctorType&& Functor)
	{
		TDelegate Result;
		Result.Callable = std::forward<FunctorType>(Functor);
		Result.Owner = std::static_pointer_cast<const void>(Object.Std());
		Result.bHasOwner = true;
		return Result;
	}

	template <typename FunctorType>
	void BindLambda(FunctorType&& Functor)
	{
		Callable = std::forward<FunctorType>(Functor);
		bHasOwner = false;
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	void BindSP(const TSharedRef<UserClass, Mode>& Object, MethodType Method, VarTypes... Vars)
	{
		TWeakPtr<UserClass, Mode> Weak(Object);
		Callable = [Weak, Method, Vars...](ParamTypes... Params) -> RetValType
		{
			TSharedPtr<UserClass, Mode> Pinned = Weak.Pin();
			check(Pinned.IsValid());
			return (Pinned.Get()->*Method)(std::forward<ParamTypes>(Params)..., Vars...);
		};
		Owner = std::weak_ptr<const void>(std::static_pointer_cast<const void>(Object.Std()));
		bHasOwner = true;
	}
	void Unbind()
	{
		Callable.Reset();
		bHasOwner = false;
		Owner.reset();
	}

	bool IsBound() const { return static_cast<bool>(Callable) && (!bHasOwner || !Owner.expired()); }
	RetValType Execute(ParamTypes... Params) const
	{
		check(IsBound());
		return Callable(std::forward<ParamTypes>(Params)...);
	}
	bool ExecuteIfBound(ParamTypes... Params) const
		requires std::is_void_v<RetValType>
	{
		// Hold the owner for the duration of the call.
		std::shared_ptr<const void> Pinned = Owner.lock();
		if (!Callable || (bHasOwner && !Pinned))
		{
			return false;
		}
		Callable(std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	TFunction<RetValType(ParamTypes...)> Callable;
	std::weak_ptr<const void> Owner;
	bool bHasOwner = false;
};

// A multicast delegate: every binding is called, in the order they were added.
template <typename... ParamTypes>
class TMulticastDelegate
{
public:
	using FDelegate = TDelegate<void(ParamTypes...)>;

	FDelegateHandle Add(const FDelegate& Delegate)
	{
		FDelegateHandle Handle(FDelegateHandle::GenerateNewHandle);
		Bindings.Add({Handle, Delegate});
		return Handle;
	}
	template <typename FunctorType>
	FDelegateHandle AddLambda(FunctorType&& Functor)
	{
		return Add(FDelegate::CreateLambda(std::forward<FunctorType>(Functor)));
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	FDelegateHandle AddSP(const TSharedRef<UserClass, Mode>& Object, MethodType Method, VarTypes... Vars)
	{
		return Add(FDelegate::CreateSP(Object, Method, Vars...));
	}
	bool Remove(FDelegateHandle Handle)
	{
		return Bindings.RemoveAll([&Handle](const FBinding& Binding) { return Binding.Handle == Handle; }) > 0;
	}
	void Clear() { Bindings.Reset(); }
	bool IsBound() const { return !Bindings.IsEmpty(); }
	void Broadcast(ParamTypes... Params) const
	{
		const TArray<FBinding> Snapshot = Bindings;
		for (const FBinding& Binding : Snapshot)
		{
			Binding.Delegate.ExecuteIfBound(Params...);
		}
	}

private:
	struct FBinding
	{
		FDelegateHandle Handle;
		FDelegate Delegate;
	};
	TArray<FBinding> Bindings;
};

#define DECLARE_DELEGATE(DelegateName) typedef TDelegate<void()> DelegateName;
#define DECLARE_DELEGATE_OneParam(DelegateName, P1) typedef TDelegate<void(P1)> DelegateName;
#define DECLARE_DELEGATE_TwoParams(DelegateName, P1, P2) typedef TDelegate<void(P1, P2)> DelegateName;
#define DECLARE_DELEGATE_ThreeParams(DelegateName, P1, P2, P3) typedef TDelegate<void(P1, P2, P3)> DelegateName;
#define DECLARE_DELEGATE_RetVal(R, DelegateName) typedef TDelegate<R()> DelegateName;
#define DECLARE_DELEGATE_RetVal_OneParam(R, DelegateName, P1) typedef TDelegate<R(P1)> DelegateName;
#define DECLARE_DELEGATE_RetVal_TwoParams(R, DelegateName, P1, P2) typedef TDelegate<R(P1, P2)> DelegateName;
#define DECLARE_MULTICAST_DELEGATE(DelegateName) typedef TMulticastDelegate<> DelegateName;
#define DECLARE_MULTICAST_DELEGATE_OneParam(DelegateName, P1) typedef TMulticastDelegate<P1> DelegateName;
#define DECLARE_MULTICAST_DELEGATE_TwoParams(DelegateName, P1, P2) typedef TMulticastDelegate<P1, P2> DelegateName;
