#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/Map.h"
#include "Containers/UnrealString.h"
#include "Templates/UnrealTemplate.h"

#include <type_traits>

class FTextFormat;
class FFormatArgumentValue;

// Arguments of FText::Format: by name ("{Count}") or by position ("{0}").
typedef TMap<FString, FFormatArgumentValue> FFormatNamedArguments;
typedef TArray<FFormatArgumentValue> FFormatOrderedArguments;

// Display text. Localisation tables are not part of the host: a text is its source string,
// and numbers are written as the editor's default English culture writes them.
class FText
{
public:
	FText() = default;

	static FText FromString(const FString& String) { return FText(String); }
	static FText FromString(FString&& String) { return FText(MoveTemp(String)); }
	static const FText& GetEmpty();
	static FText AsCultureInvariant(const FString& String) { return FText(String); }
	static FText AsLocalizable_Advanced(const TCHAR*, const TCHAR*, const TCHAR* Literal) { return FText(FString(Literal)); }
	// Digits grouped in threes: 1234567 is "1,234,567".
	static FText AsNumber(int64 Value);

	// Replaces each "{Name}" in the pattern with the argument of that name (compared with
	// case), or "{0}", "{1}" ... with the arguments in order. A backtick makes the "{", "}" or
	// "`" after it literal; an argument that is not given stays as written.
	static FText Format(FTextFormat Fmt, const FFormatNamedArguments& InArguments);
	static FText Format(FTextFormat Fmt, FFormatNamedArguments&& InArguments);
	static FText Format(FTextFormat Fmt, const FFormatOrderedArguments& InArguments);
	static FText Format(FTextFormat Fmt, FFormatOrderedArguments&& InArguments);
	template <typename... TArguments>
		requires(sizeof...(TArguments) > 0 && (std::is_constructible_v<FFormatArgumentValue, TArguments&&> && ...))
	static FText Format(FTextFormat Fmt, TArguments&&... Args);
	// Key then value, repeated: FormatNamed(Fmt, TEXT("Count"), 3, TEXT("Name"), Text).
	template <typename... TArguments>
	static FText FormatNamed(FTextFormat Fmt, TArguments&&... Args);
	template <typename... TArguments>
	static FText FormatOrdered(FTextFormat Fmt, TArguments&&... Args);

	const FString& ToString() const { return Source; }
	bool IsEmpty() const { return Source.IsEmpty(); }
	bool EqualTo(const FText& Other) const { return Source.Equals(Other.Source, ESearchCase::CaseSensitive); }

private:
	explicit FText(FString InSource) : Source(MoveTemp(InSource)) {}

	FString Source;
};

// A format pattern, ready to be used by FText::Format any number of times.
class FTextFormat
{
public:
	FTextFormat() = default;
	FTextFormat(const FText& InText) : Pattern(InText) {}
	static FTextFormat FromString(const FString& InString) { return FTextFormat(FText::FromString(InString)); }
	static FTextFormat FromString(FString&& InString) { return FTextFormat(FText::FromString(MoveTemp(InString))); }

	FText GetSourceText() const { return Pattern; }
	const FString& GetSourceString() const { return Pattern.ToString(); }

private:
	FText Pattern;
};

namespace EFormatArgumentType
{
	enum Type : uint8
	{
		Int,
		UInt,
		Float,
		Double,
		Text,
	};
}

// One argument of FText::Format: a number (written as FText::AsNumber writes it, with up to
// three decimals) or a text.
class FFormatArgumentValue
{
public:
	FFormatArgumentValue() : Type(EFormatArgumentType::Text) {}
	FFormatArgumentValue(const int32 Value) : Type(EFormatArgumentType::Int), IntValue(Value) {}
	FFormatArgumentValue(const uint32 Value) : Type(EFormatArgumentType::UInt), UIntValue(Value) {}
	FFormatArgumentValue(const int64 Value) : Type(EFormatArgumentType::Int), IntValue(Value) {}
	FFormatArgumentValue(const uint64 Value) : Type(EFormatArgumentType::UInt), UIntValue(Value) {}
	FFormatArgumentValue(const float Value) : Type(EFormatArgumentType::Float), FloatValue(Value) {}
	FFormatArgumentValue(const double Value) : Type(EFormatArgumentType::Double), DoubleValue(Value) {}
	FFormatArgumentValue(const FText& Value) : Type(EFormatArgumentType::Text), TextValue(Value) {}
	FFormatArgumentValue(FText&& Value) : Type(EFormatArgumentType::Text), TextValue(MoveTemp(Value)) {}

	EFormatArgumentType::Type GetType() const { return Type; }
	int64 GetIntValue() const { return IntValue; }
	uint64 GetUIntValue() const { return UIntValue; }
	float GetFloatValue() const { return FloatValue; }
	double GetDoubleValue() const { return DoubleValue; }
	const FText& GetTextValue() const { return TextValue; }

	// The argument as the formatted text shows it.
	FString ToFormattedString() const;

private:
	EFormatArgumentType::Type Type;
	int64 IntValue = 0;
	uint64 UIntValue = 0;
	float FloatValue = 0;
	double DoubleValue = 0;
	FText TextValue;
};

template <typename... TArguments>
	requires(sizeof...(TArguments) > 0 && (std::is_constructible_v<FFormatArgumentValue, TArguments&&> && ...))
FText FText::Format(FTextFormat Fmt, TArguments&&... Args)
{
	return FormatOrdered(MoveTemp(Fmt), Forward<TArguments>(Args)...);
}

template <typename... TArguments>
FText FText::FormatOrdered(FTextFormat Fmt, TArguments&&... Args)
{
	FFormatOrderedArguments Arguments;
	(Arguments.Add(FFormatArgumentValue(Forward<TArguments>(Args))), ...);
	return Format(MoveTemp(Fmt), MoveTemp(Arguments));
}

namespace UE::Host::Private
{
	inline void AddNamed(FFormatNamedArguments&) {}

	template <typename TName, typename TValue, typename... TRest>
	void AddNamed(FFormatNamedArguments& Arguments, TName&& Name, TValue&& Value, TRest&&... Rest)
	{
		Arguments.Add(FString(Forward<TName>(Name)), FFormatArgumentValue(Forward<TValue>(Value)));
		AddNamed(Arguments, Forward<TRest>(Rest)...);
	}
}

template <typename... TArguments>
FText FText::FormatNamed(FTextFormat Fmt, TArguments&&... Args)
{
	static_assert(sizeof...(Args) % 2 == 0, "FormatNamed takes a name and a value for each argument");
	FFormatNamedArguments Arguments;
	UE::Host::Private::AddNamed(Arguments, Forward<TArguments>(Args)...);
	return Format(MoveTemp(Fmt), MoveTemp(Arguments));
}

#define NSLOCTEXT(InNamespace, InKey, InTextLiteral) FText::AsLocalizable_Advanced(TEXT(InNamespace), TEXT(InKey), TEXT(InTextLiteral))
#define LOCTEXT(InKey, InTextLiteral) NSLOCTEXT(LOCTEXT_NAMESPACE, InKey, InTextLiteral)
#define INVTEXT(InTextLiteral) FText::AsCultureInvariant(TEXT(InTextLiteral))
