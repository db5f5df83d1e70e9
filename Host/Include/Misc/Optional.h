#pragma once

#include "CoreTypes.h"

#include <optional>
#include <utility>

struct FNullOpt
{
	explicit constexpr FNullOpt(int) {}
};
inline constexpr FNullOpt NullOpt{0};

// A value that may be unset.
template <typename OptionalType>
class TOptional
{
public:
	TOptional() = default;
	TOptional(FNullOpt) {}
	TOptional(const OptionalType& InValue) : Value(InValue) {}
	TOptional(OptionalType&& InValue) : Value(std::move(InValue)) {}

	template <typename... ArgTypes>
	OptionalType& Emplace(ArgTypes&&... Args)
	{
		return Value.emplace(std::forward<ArgTypes>(Args)...);
	}
	void Reset() { Value.reset(); }

	bool IsSet() const { return Value.has_value(); }
	explicit operator bool() const { return Value.has_value(); }
	const OptionalType& GetValue() const
	{
		check(IsSet());
		return *Value;
	}
	OptionalType& GetValue()
	{
		check(IsSet());
		return *Value;
	}
	OptionalType Get(const OptionalType& DefaultValue) const { return IsSet() ? *Value : DefaultValue; }
	const OptionalType* GetPtrOrNull() const { return IsSet() ? &*Value : nullptr; }
	const OptionalType& operator*() const { return GetValue(); }
	const OptionalType* operator->() const { return &GetValue(); }

	friend bool operator==(const TOptional& A, const TOptional& B) { return A.Value == B.Value; }
	friend bool operator!=(const TOptional& A, const TOptional& B) { return !(A == B); }

private:
	std::optional<OptionalType> Value;
};
