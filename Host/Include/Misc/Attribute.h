#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Templates/Function.h"

#include <utility>

// A value or a getter bound to one: Get() reads the getter each time, so widgets that read
// their attributes while they lay out and paint show the bound value of that frame.
template <typename ObjectType>
class TAttribute
{
public:
	typedef ObjectType FAttributeType;
	typedef TDelegate<ObjectType()> FGetter;

	TAttribute() = default;
	template <typename OtherType>
	TAttribute(const OtherType& InInitialValue) : Value(static_cast<ObjectType>(InInitialValue)), bIsSet(true)
	{
	}
	TAttribute(ObjectType&& InInitialValue) : Value(std::move(InInitialValue)), bIsSet(true) {}
	template <class SourceType>
	TAttribute(TSharedRef<SourceType> InUserObject, typename FGetter::template TConstMethodPtr<SourceType> InMethodPtr)
		: Getter(FGetter::CreateSP(InUserObject, InMethodPtr)), bIsSet(true)
	{
	}
	template <class SourceType>
	TAttribute(SourceType* InUserObject, typename FGetter::template TConstMethodPtr<SourceType> InMethodPtr)
		: Getter(FGetter::CreateSP(InUserObject, InMethodPtr)), bIsSet(true)
	{
	}

	[[nodiscard]] static TAttribute Create(const FGetter& InGetter) { return TAttribute(InGetter, true); }
	[[nodiscard]] static TAttribute Create(FGetter&& InGetter) { return TAttribute(std::move(InGetter), true); }
	[[nodiscard]] static TAttribute Create(TFunction<ObjectType(void)>&& InLambda)
	{
		return Create(FGetter::CreateLambda(std::move(InLambda)));
	}
	template <typename LambdaType, typename... PayloadTypes>
	[[nodiscard]] static TAttribute CreateLambda(LambdaType&& InCallable, PayloadTypes&&... InputPayload)
	{
		return Create(FGetter::CreateLambda(std::forward<LambdaType>(InCallable), std::forward<PayloadTypes>(InputPayload)...));
	}

	template <typename OtherType>
	void Set(const OtherType& InNewValue)
	{
		Getter.Unbind();
		Value = InNewValue;
		bIsSet = true;
	}
	void Bind(const FGetter& InGetter)
	{
		bIsSet = true;
		Getter = InGetter;
	}
	template <typename LambdaType, typename... PayloadTypes>
	void BindLambda(LambdaType&& InCallable, PayloadTypes&&... InputPayload)
	{
		Bind(FGetter::CreateLambda(std::forward<LambdaType>(InCallable), std::forward<PayloadTypes>(InputPayload)...));
	}
	template <typename... VarTypes>
	void BindStatic(typename FGetter::template TFuncPtr<std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars)
	{
		Bind(FGetter::CreateStatic(InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <class SourceType, typename... VarTypes>
	void BindRaw(SourceType* InUserObject, typename FGetter::template TConstMethodPtr<SourceType, std::decay_t<VarTypes>...> InMethodPtr, VarTypes&&... Vars)
	{
		Bind(FGetter::CreateRaw(InUserObject, InMethodPtr, std::forward<VarTypes>(Vars)...));
	}

	// The value of this moment: a bound getter is asked again on every call.
	const ObjectType& Get() const
	{
		if (Getter.IsBound())
		{
			Value = Getter.Execute();
		}
		return Value;
	}
	const ObjectType& Get(const ObjectType& DefaultValue) const { return bIsSet ? Get() : DefaultValue; }

	bool IsSet() const { return bIsSet; }
	bool IsBound() const { return Getter.IsBound(); }
	const FGetter& GetBinding() const { return Getter; }

private:
	template <typename GetterType>
	TAttribute(GetterType&& InGetter, bool) : Getter(std::forward<GetterType>(InGetter)), bIsSet(true)
	{
	}

	mutable ObjectType Value = ObjectType();
	FGetter Getter;
	bool bIsSet = false;
};
