#pragma once

#include "CoreTypes.h"

// An enumeration value kept in one byte.
template <class TEnum>
class TEnumAsByte
{
public:
	typedef TEnum EnumType;

	TEnumAsByte() = default;
	TEnumAsByte(TEnum InValue) : Value(static_cast<uint8>(InValue)) {}
	explicit TEnumAsByte(int32 InValue) : Value(static_cast<uint8>(InValue)) {}

	TEnum GetValue() const { return static_cast<TEnum>(Value); }
	operator TEnum() const { return GetValue(); }
	bool operator==(TEnum InValue) const { return GetValue() == InValue; }
	bool operator==(TEnumAsByte InValue) const { return Value == InValue.Value; }

private:
	uint8 Value = 0;
};
