#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Templates/UnrealTemplate.h"

// Display text. Localisation tables are not part of the host: a text is its source string.
class FText
{
public:
	FText() = default;

	static FText FromString(const FString& String) { return FText(String); }
	static FText FromString(FString&& String) { return FText(MoveTemp(String)); }
	static const FText& GetEmpty();
	static FText AsCultureInvariant(const FString& String) { return FText(String); }
	static FText AsLocalizable_Advanced(const TCHAR*, const TCHAR*, const TCHAR* Literal) { return FText(FString(Literal)); }
	static FText AsNumber(int64 Value) { return FText(FString::Printf(TEXT("%lld"), Value)); }
	// Replaces {0}, {1}, ... with the arguments in order.
	template <typename... ArgTypes>
	static FText Format(const FText& Pattern, const ArgTypes&... Args)
	{
		const FText Values[] = {Args..., FText()};
		return FormatImpl(Pattern, Values, int32(sizeof...(Args)));
	}

	const FString& ToString() const { return Source; }
	bool IsEmpty() const { return Source.IsEmpty(); }
	bool EqualTo(const FText& Other) const { return Source.Equals(Other.Source, ESearchCase::CaseSensitive); }

private:
	explicit FText(FString InSource) : Source(MoveTemp(InSource)) {}
	static FText FormatImpl(const FText& Pattern, const FText* Values, int32 NumValues);

	FString Source;
};

#define NSLOCTEXT(InNamespace, InKey, InTextLiteral) FText::AsLocalizable_Advanced(TEXT(InNamespace), TEXT(InKey), TEXT(InTextLiteral))
#define LOCTEXT(InKey, InTextLiteral) NSLOCTEXT(LOCTEXT_NAMESPACE, InKey, InTextLiteral)
#define INVTEXT(InTextLiteral) FText::AsCultureInvariant(TEXT(InTextLiteral))
