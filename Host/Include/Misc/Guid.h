#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

enum class EGuidFormats
{
	Digits,
	DigitsLower,
	DigitsWithHyphens,
	DigitsWithHyphensLower,
	DigitsWithHyphensInBraces,
	DigitsWithHyphensInParentheses,
	HexValuesInBraces,
	UniqueObjectGuid,
	Short,
	Base36Encoded,
};

struct FGuid
{
	FGuid() = default;
	FGuid(uint32 InA, uint32 InB, uint32 InC, uint32 InD) : A(InA), B(InB), C(InC), D(InD) {}

	static FGuid NewGuid();
	bool IsValid() const { return (A | B | C | D) != 0; }
	void Invalidate() { A = B = C = D = 0; }
	// Digits: 32 upper-case hexadecimal digits.
	FString ToString() const { return ToString(EGuidFormats::Digits); }
	FString ToString(EGuidFormats Format) const;
	bool operator==(const FGuid& Other) const { return A == Other.A && B == Other.B && C == Other.C && D == Other.D; }
	bool operator!=(const FGuid& Other) const { return !(*this == Other); }

	uint32 A = 0;
	uint32 B = 0;
	uint32 C = 0;
	uint32 D = 0;
};
