#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Templates/Function.h"
#include "Templates/SharedPointer.h"

#include <atomic>
#include <functional>
#include <memory>
#include <tuple>
#include <type_traits>

// The object a binding was made on, used to find and remove bindings by owner.
typedef const void* FDelegateUserObjectConst;

// Identifies one binding; multicast delegates hand it out from Add and take it in Remove.
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

struct FDefaultDelegateUserPolicy
{
};

template <typename FuncType, typename UserPolicy = FDefaultDelegateUserPolicy>
class TDelegate;
template <typename FuncType, typename UserPolicy = FDefaultDelegateUserPolicy>
class TMulticastDelegate;

namespace UE::Delegates::Private
{
	// One binding. Immutable once made, so copies of a delegate may share it.
	template <typename RetValType, typename... ParamTypes>
	class TInstance
	{
	public:
		virtual ~TInstance() = default;
		// False once the object the binding depends on is gone.
		virtual bool IsSafeToExecute() const = 0;
		virtual RetValType Execute(ParamTypes... Params) const = 0;
		virtual FDelegateUserObjectConst GetUserObject() const { return nullptr; }
		FDelegateHandle Handle{FDelegateHandle::GenerateNewHandle};
	};

	// Calls a callable with payload values appended after the call's own parameters; a result
	// the delegate does not return is dropped.
	template <typename RetValType, typename FunctorType, typename PayloadTuple, typename... ParamTypes>
	RetValType CallWithPayload(FunctorType&& Functor, const PayloadTuple& Payload, ParamTypes&&... Params)
	{
		return std::apply(
			[&](const auto&... Vars) -> RetValType
			{
				if constexpr (std::is_void_v<RetValType>)
				{
					std::invoke(Functor, std::forward<ParamTypes>(Params)..., Vars...);
				}
				else
				{
					return std::invoke(Functor, std::forward<ParamTypes>(Params)..., Vars...);
				}
			},
			Payload);
	}

	template <typename FunctorType, typename PayloadTuple, typename RetValType, typename... ParamTypes>
	class TFunctorInstance final : public TInstance<RetValType, ParamTypes...>
	{
	public:
		TFunctorInstance(FunctorType&& InFunctor, PayloadTuple&& InPayload) : Functor(MoveTemp(InFunctor)), Payload(MoveTemp(InPayload)) {}
		bool IsSafeToExecute() const override { return true; }
		RetValType Execute(ParamTypes... Params) const override
		{
			return CallWithPayload<RetValType>(Functor, Payload, std::forward<ParamTypes>(Params)...);
		}

	private:
		mutable FunctorType Functor;
		PayloadTuple Payload;
	};

	// A method on a raw object: the caller promises the object outlives the binding.
	template <typename UserClass, typename MethodType, typename PayloadTuple, typename RetValType, typename... ParamTypes>
	class TRawInstance final : public TInstance<RetValType, ParamTypes...>
	{
	public:
		TRawInstance(UserClass* InObject, MethodType InMethod, PayloadTuple&& InPayload) : Object(InObject), Method(InMethod), Payload(MoveTemp(InPayload)) {}
		bool IsSafeToExecute() const override { return true; }
		RetValType Execute(ParamTypes... Params) const override
		{
			return CallWithPayload<RetValType>(Method, Payload, Object, std::forward<ParamTypes>(Params)...);
		}
		FDelegateUserObjectConst GetUserObject() const override { return Object; }

	private:
		UserClass* Object;
		MethodType Method;
		PayloadTuple Payload;
	};

	// A method on a shared object, held weakly: once the object is gone the binding is unbound.
	template <typename UserClass, typename MethodType, typename PayloadTuple, typename RetValType, typename... ParamTypes>
	class TSPInstance final : public TInstance<RetValType, ParamTypes...>
	{
	public:
		TSPInstance(const std::shared_ptr<UserClass>& InObject, MethodType InMethod, PayloadTuple&& InPayload)
			: Object(InObject), RawObject(InObject.get()), Method(InMethod), Payload(MoveTemp(InPayload))
		{
		}
		bool IsSafeToExecute() const override { return !Object.expired(); }
		RetValType Execute(ParamTypes... Params) const override
		{
			// The object stays alive for the length of the call.
			const std::shared_ptr<UserClass> Pinned = Object.lock();
			check(Pinned != nullptr);
			return CallWithPayload<RetValType>(Method, Payload, Pinned.get(), std::forward<ParamTypes>(Params)...);
		}
		FDelegateUserObjectConst GetUserObject() const override { return RawObject; }

	private:
		std::weak_ptr<UserClass> Object;
		const UserClass* RawObject;
		MethodType Method;
		PayloadTuple Payload;
	};

	// A lambda whose lifetime is tied to a shared object.
	template <typename UserClass, typename FunctorType, typename PayloadTuple, typename RetValType, typename... ParamTypes>
	class TSPLambdaInstance final : public TInstance<RetValType, ParamTypes...>
	{
	public:
		TSPLambdaInstance(const std::shared_ptr<UserClass>& InObject, FunctorType&& InFunctor, PayloadTuple&& InPayload)
			: Object(InObject), RawObject(InObject.get()), Functor(MoveTemp(InFunctor)), Payload(MoveTemp(InPayload))
		{
		}
		bool IsSafeToExecute() const override { return !Object.expired(); }
		RetValType Execute(ParamTypes... Params) const override
		{
			const std::shared_ptr<UserClass> Pinned = Object.lock();
			check(Pinned != nullptr);
			return CallWithPayload<RetValType>(Functor, Payload, std::forward<ParamTypes>(Params)...);
		}
		FDelegateUserObjectConst GetUserObject() const override { return RawObject; }

	private:
		std::weak_ptr<UserClass> Object;
		const UserClass* RawObject;
		mutable FunctorType Functor;
		PayloadTuple Payload;
	};

	// The shared owner of an object that derives from TSharedFromThis.
	template <typename UserClass>
	std::shared_ptr<UserClass> SharedFromObject(UserClass* Object)
	{
		return std::static_pointer_cast<UserClass>(Object->AsShared().Std());
	}
}

// A single-cast delegate: at most one binding; calling an unbound delegate with Execute is an
// error, ExecuteIfBound skips it. Bindings to shared objects hold them weakly.
template <typename RetValType, typename... ParamTypes, typename UserPolicy>
class TDelegate<RetValType(ParamTypes...), UserPolicy>
{
	typedef UE::Delegates::Private::TInstance<RetValType, ParamTypes...> FInstance;

public:
	template <typename UserClass, typename... VarTypes>
	using TMethodPtr = RetValType (UserClass::*)(ParamTypes..., VarTypes...);
	template <typename UserClass, typename... VarTypes>
	using TConstMethodPtr = RetValType (UserClass::*)(ParamTypes..., VarTypes...) const;
	template <typename... VarTypes>
	using TFuncPtr = RetValType (*)(ParamTypes..., VarTypes...);

	TDelegate() = default;
	TDelegate(std::nullptr_t) {}

	template <typename... VarTypes>
	[[nodiscard]] static TDelegate CreateStatic(TFuncPtr<std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars)
	{
		TDelegate Result;
		Result.BindStatic(InFunc, std::forward<VarTypes>(Vars)...);
		return Result;
	}
	template <typename FunctorType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		TDelegate Result;
		Result.BindLambda(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
		return Result;
	}
	template <typename UserClass, ESPMode Mode, typename FunctorType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSPLambda(const TSharedRef<UserClass, Mode>& InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		TDelegate Result;
		Result.BindSPLambda(InUserObject, std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
		return Result;
	}
	template <typename UserClass, ESPMode Mode, typename FunctorType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSPLambda(const TSharedPtr<UserClass, Mode>& InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		return CreateSPLambda(InUserObject.ToSharedRef(), std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename FunctorType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSPLambda(UserClass* InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		TDelegate Result;
		Result.template BindSharedLambda<UserClass>(UE::Delegates::Private::SharedFromObject(InUserObject), std::forward<FunctorType>(InFunctor),
			std::forward<VarTypes>(Vars)...);
		return Result;
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateRaw(UserClass* InUserObject, MethodType InFunc, VarTypes&&... Vars)
	{
		TDelegate Result;
		Result.BindRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
		return Result;
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, MethodType InFunc, VarTypes&&... Vars)
	{
		TDelegate Result;
		Result.BindSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...);
		return Result;
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const TSharedPtr<UserClass, Mode>& InUserObjectRef, MethodType InFunc, VarTypes&&... Vars)
	{
		return CreateSP(InUserObjectRef.ToSharedRef(), InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(UserClass* InUserObject, MethodType InFunc, VarTypes&&... Vars)
	{
		TDelegate Result;
		Result.BindSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
		return Result;
	}

	template <typename... VarTypes>
	void BindStatic(TFuncPtr<std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars)
	{
		BindFunctor(InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename FunctorType, typename... VarTypes>
	void BindLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		BindFunctor(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, ESPMode Mode, typename FunctorType, typename... VarTypes>
	void BindSPLambda(const TSharedRef<UserClass, Mode>& InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		BindSharedLambda<UserClass>(InUserObject.Std(), std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	void BindRaw(UserClass* InUserObject, MethodType InFunc, VarTypes&&... Vars)
	{
		typedef std::tuple<std::decay_t<VarTypes>...> FPayload;
		Instance = std::make_shared<UE::Delegates::Private::TRawInstance<UserClass, MethodType, FPayload, RetValType, ParamTypes...>>(
			InUserObject, InFunc, FPayload(std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	void BindSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, MethodType InFunc, VarTypes&&... Vars)
	{
		BindShared<UserClass>(InUserObjectRef.Std(), InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, ESPMode Mode, typename MethodType, typename... VarTypes>
	void BindSP(const TSharedPtr<UserClass, Mode>& InUserObjectRef, MethodType InFunc, VarTypes&&... Vars)
	{
		BindSP(InUserObjectRef.ToSharedRef(), InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	void BindSP(UserClass* InUserObject, MethodType InFunc, VarTypes&&... Vars)
	{
		BindShared<UserClass>(UE::Delegates::Private::SharedFromObject(InUserObject), InFunc, std::forward<VarTypes>(Vars)...);
	}

	void Unbind() { Instance.reset(); }
	bool IsBound() const { return Instance != nullptr && Instance->IsSafeToExecute(); }
	bool IsBoundToObject(FDelegateUserObjectConst InUserObject) const
	{
		return InUserObject != nullptr && Instance != nullptr && Instance->GetUserObject() == InUserObject;
	}
	FDelegateHandle GetHandle() const { return Instance ? Instance->Handle : FDelegateHandle(); }

	RetValType Execute(ParamTypes... Params) const
	{
		// Hold the binding for the call: the callee may rebind or unbind this delegate.
		const std::shared_ptr<const FInstance> Held = Instance;
		check(Held != nullptr && Held->IsSafeToExecute());
		return Held->Execute(std::forward<ParamTypes>(Params)...);
	}
	bool ExecuteIfBound(ParamTypes... Params) const
		requires std::is_void_v<RetValType>
	{
		const std::shared_ptr<const FInstance> Held = Instance;
		if (Held == nullptr || !Held->IsSafeToExecute())
		{
			return false;
		}
		Held->Execute(std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	template <typename FunctorType, typename... VarTypes>
	void BindFunctor(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		typedef std::tuple<std::decay_t<VarTypes>...> FPayload;
		typedef std::decay_t<FunctorType> FFunctor;
		Instance = std::make_shared<UE::Delegates::Private::TFunctorInstance<FFunctor, FPayload, RetValType, ParamTypes...>>(
			FFunctor(std::forward<FunctorType>(InFunctor)), FPayload(std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	void BindShared(const std::shared_ptr<UserClass>& Object, MethodType InFunc, VarTypes&&... Vars)
	{
		typedef std::tuple<std::decay_t<VarTypes>...> FPayload;
		Instance = std::make_shared<UE::Delegates::Private::TSPInstance<UserClass, MethodType, FPayload, RetValType, ParamTypes...>>(
			Object, InFunc, FPayload(std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename FunctorType, typename... VarTypes>
	void BindSharedLambda(const std::shared_ptr<UserClass>& Object, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		typedef std::tuple<std::decay_t<VarTypes>...> FPayload;
		typedef std::decay_t<FunctorType> FFunctor;
		Instance = std::make_shared<UE::Delegates::Private::TSPLambdaInstance<UserClass, FFunctor, FPayload, RetValType, ParamTypes...>>(
			Object, FFunctor(std::forward<FunctorType>(InFunctor)), FPayload(std::forward<VarTypes>(Vars)...));
	}

	std::shared_ptr<const FInstance> Instance;
};

// A multicast delegate: any number of bindings, each called by Broadcast. As in the engine,
// the bindings are called in reverse order of addition, and bindings added during a
// broadcast wait for the next one.
template <typename... ParamTypes, typename UserPolicy>
class TMulticastDelegate<void(ParamTypes...), UserPolicy>
{
public:
	typedef TDelegate<void(ParamTypes...), UserPolicy> FDelegate;

	FDelegateHandle Add(const FDelegate& InNewDelegate)
	{
		if (!InNewDelegate.GetHandle().IsValid())
		{
			return FDelegateHandle();
		}
		InvocationList.Add(InNewDelegate);
		return InNewDelegate.GetHandle();
	}
	template <typename... VarTypes>
	FDelegateHandle AddStatic(typename FDelegate::template TFuncPtr<std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateStatic(InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename FunctorType, typename... VarTypes>
	FDelegateHandle AddLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateLambda(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename FunctorType, typename... VarTypes>
	FDelegateHandle AddSPLambda(const UserClass& InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateSPLambda(InUserObject, std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename MethodType, typename... VarTypes>
	FDelegateHandle AddRaw(UserClass* InUserObject, MethodType InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserObjectType, typename MethodType, typename... VarTypes>
	FDelegateHandle AddSP(const UserObjectType& InUserObject, MethodType InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}

	bool Remove(FDelegateHandle Handle)
	{
		return Handle.IsValid() && InvocationList.RemoveAll([&Handle](const FDelegate& Delegate) { return Delegate.GetHandle() == Handle; }) > 0;
	}
	int32 RemoveAll(FDelegateUserObjectConst InUserObject)
	{
		return InvocationList.RemoveAll([InUserObject](const FDelegate& Delegate) { return Delegate.IsBoundToObject(InUserObject); });
	}
	void Clear() { InvocationList.Reset(); }
	bool IsBound() const { return InvocationList.ContainsByPredicate([](const FDelegate& Delegate) { return Delegate.IsBound(); }); }
	bool IsBoundToObject(FDelegateUserObjectConst InUserObject) const
	{
		return InvocationList.ContainsByPredicate([InUserObject](const FDelegate& Delegate) { return Delegate.IsBoundToObject(InUserObject); });
	}

	void Broadcast(ParamTypes... Params) const
	{
		// A callee may add or remove bindings; the call goes to those present when it began.
		const TArray<FDelegate> Snapshot = InvocationList;
		for (int32 Index = Snapshot.Num() - 1; Index >= 0; --Index)
		{
			const FDelegate& Delegate = Snapshot[Index];
			if (IsStillListed(Delegate.GetHandle()))
			{
				Delegate.ExecuteIfBound(Params...);
			}
		}
	}

private:
	bool IsStillListed(FDelegateHandle Handle) const
	{
		return InvocationList.ContainsByPredicate([&Handle](const FDelegate& Delegate) { return Delegate.GetHandle() == Handle; });
	}

	TArray<FDelegate> InvocationList;
};

#include "Delegates/DelegateCombinations.h"

DECLARE_DELEGATE(FSimpleDelegate);
DECLARE_MULTICAST_DELEGATE(FSimpleMulticastDelegate);
