#pragma once

#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <type_traits>

// Casts an object to a class it may be; null when it is not one (or when Src is null).
template <typename To, typename From>
To* Cast(From* Src)
{
	if constexpr (std::is_base_of_v<To, std::remove_cv_t<From>>)
	{
		return Src;
	}
	else
	{
		return Src != nullptr && Src->IsA(To::StaticClass()) ? static_cast<To*>(const_cast<std::remove_cv_t<From>*>(Src)) : nullptr;
	}
}

template <typename To, typename From>
const To* Cast(const From* Src)
{
	return Cast<To>(const_cast<From*>(Src));
}

template <typename To, typename From>
To* Cast(const TObjectPtr<From>& Src)
{
	return Cast<To>(Src.Get());
}

template <typename To, typename From>
To* ExactCast(From* Src)
{
	return Src != nullptr && Src->GetClass() == To::StaticClass() ? static_cast<To*>(Src) : nullptr;
}

namespace ECastCheckedType
{
	enum Type
	{
		NullAllowed,
		NullChecked
	};
}

// Casts and stops the program when the object is not of the class (or, unless allowed, null).
template <typename To, typename From>
To* CastChecked(From* Src, ECastCheckedType::Type CheckType = ECastCheckedType::NullChecked)
{
	To* Result = Cast<To>(Src);
	check(Result != nullptr || (Src == nullptr && CheckType == ECastCheckedType::NullAllowed));
	return Result;
}

template <typename To, typename From>
To* CastChecked(const TObjectPtr<From>& Src, ECastCheckedType::Type CheckType = ECastCheckedType::NullChecked)
{
	return CastChecked<To>(Src.Get(), CheckType);
}

template <typename To, typename From>
To* Cast(const TWeakObjectPtr<From>& Src)
{
	return Cast<To>(Src.Get());
}
