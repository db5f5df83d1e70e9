#pragma once

#include "CoreTypes.h"
#include "Templates/UnrealTemplate.h"

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

template <typename FuncType>
class TFunction;
template <typename FuncType>
class TUniqueFunction;
template <typename FuncType>
class TFunctionRef;

// A copyable callable wrapper.
template <typename RetType, typename... ParamTypes>
class TFunction<RetType(ParamTypes...)>
{
public:
	TFunction() = default;
	TFunction(std::nullptr_t) {}
	template <typename FunctorType,
		typename = std::enable_if_t<!std::is_same_v<std::decay_t<FunctorType>, TFunction> && std::is_invocable_r_v<RetType, FunctorType&, ParamTypes...>>>
	TFunction(FunctorType&& Functor) : Callable(std::forward<FunctorType>(Functor)) {}

	RetType operator()(ParamTypes... Params) const { return Callable(std::forward<ParamTypes>(Params)...); }
	explicit operator bool() const { return static_cast<bool>(Callable); }
	bool IsSet() const { return static_cast<bool>(Callable); }
	void Reset() { Callable = nullptr; }

private:
	std::function<RetType(ParamTypes...)> Callable;
};

// A move-only callable wrapper: it may own move-only captures.
template <typename RetType, typename... ParamTypes>
class TUniqueFunction<RetType(ParamTypes...)>
{
	struct FCallableBase
	{
		virtual ~FCallableBase() = default;
		virtual RetType Call(ParamTypes... Params) = 0;
	};
	template <typename FunctorType>
	struct TCallable final : FCallableBase
	{
		explicit TCallable(FunctorType&& InFunctor) : Functor(std::move(InFunctor)) {}
		explicit TCallable(const FunctorType& InFunctor) : Functor(InFunctor) {}
		RetType Call(ParamTypes... Params) override { return Functor(std::forward<ParamTypes>(Params)...); }
		FunctorType Functor;
	};

public:
	TUniqueFunction() = default;
	TUniqueFunction(std::nullptr_t) {}
	template <typename FunctorType,
		typename = std::enable_if_t<!std::is_same_v<std::decay_t<FunctorType>, TUniqueFunction> && std::is_invocable_r_v<RetType, std::decay_t<FunctorType>&, ParamTypes...>>>
	TUniqueFunction(FunctorType&& Functor)
		: Callable(std::make_unique<TCallable<std::decay_t<FunctorType>>>(std::forward<FunctorType>(Functor)))
	{
	}
	TUniqueFunction(TUniqueFunction&&) = default;
	TUniqueFunction& operator=(TUniqueFunction&&) = default;
	TUniqueFunction(const TUniqueFunction&) = delete;
	TUniqueFunction& operator=(const TUniqueFunction&) = delete;

	RetType operator()(ParamTypes... Params) const { return Callable->Call(std::forward<ParamTypes>(Params)...); }
	explicit operator bool() const { return Callable != nullptr; }
	bool IsSet() const { return Callable != nullptr; }
	void Reset() { Callable.reset(); }

private:
	std::unique_ptr<FCallableBase> Callable;
};

// A non-owning reference to a callable, valid for the duration of a call.
template <typename RetType, typename... ParamTypes>
class TFunctionRef<RetType(ParamTypes...)>
{
public:
	template <typename FunctorType,
		typename = std::enable_if_t<!std::is_same_v<std::decay_t<FunctorType>, TFunctionRef> && std::is_invocable_r_v<RetType, FunctorType&, ParamTypes...>>>
	TFunctionRef(FunctorType&& Functor)
		: Object(const_cast<void*>(static_cast<const void*>(std::addressof(Functor))))
		, Invoker([](void* Obj, ParamTypes... Params) -> RetType
			{ return (*static_cast<std::remove_reference_t<FunctorType>*>(Obj))(std::forward<ParamTypes>(Params)...); })
	{
	}
	RetType operator()(ParamTypes... Params) const { return Invoker(Object, std::forward<ParamTypes>(Params)...); }

private:
	void* Object;
	RetType (*Invoker)(void*, ParamTypes...);
};
