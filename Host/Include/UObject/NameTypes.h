#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

// A name: compared and hashed without case, as the engine's names are.
class FName
{
public:
	FName() = default;
	FName(const TCHAR* Name) : Text(Name) {}
	FName(const ANSICHAR* Name) : Text(Name) {}
	explicit FName(const FString& Name) : Text(Name) {}

	FString ToString() const { return IsNone() ? FString(TEXT("None")) : Text; }
	bool IsNone() const { return Text.IsEmpty() || Text.Equals(FString(TEXT("None")), ESearchCase::IgnoreCase); }
	bool operator==(const FName& Other) const { return ToString() == Other.ToString(); }
	bool operator!=(const FName& Other) const { return !(*this == Other); }
	friend uint32 GetTypeHash(const FName& Name) { return GetTypeHash(Name.ToString()); }

private:
	FString Text;
};

#define NAME_None FName()

// Characters an object name may not hold, and those a long package name may not hold.
#define INVALID_OBJECTNAME_CHARACTERS TEXT("\"' ,/.:|&!~\n\r\t@#(){}[]=;^%$`")
#define INVALID_LONGPACKAGE_CHARACTERS TEXT("\\:*?\"<>|' ,.&!~\n\r\t@#")
