#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"

#include <string_view>

// A view of characters someone else owns: a pointer and a length, not necessarily ended by
// a zero.
template <typename CharType>
class TStringView
{
public:
	constexpr TStringView() = default;
	constexpr TStringView(const CharType* InData) : View(InData != nullptr ? std::basic_string_view<CharType>(InData) : std::basic_string_view<CharType>()) {}
	constexpr TStringView(const CharType* InData, int32 InSize) : View(InData, SIZE_T(InSize)) {}
	template <typename StringType = FString>
		requires std::is_same_v<CharType, TCHAR>
	TStringView(const StringType& InString) : View(*InString, SIZE_T(InString.Len()))
	{
	}

	const CharType* GetData() const { return View.data(); }
	int32 Len() const { return int32(View.size()); }
	bool IsEmpty() const { return View.empty(); }
	CharType operator[](int32 Index) const { return View[SIZE_T(Index)]; }
	const CharType* begin() const { return View.data(); }
	const CharType* end() const { return View.data() + View.size(); }

	// Compares character by character; IgnoreCase folds ASCII letters only.
	bool Equals(TStringView Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		if (Len() != Other.Len())
		{
			return false;
		}
		for (int32 Index = 0; Index < Len(); ++Index)
		{
			CharType A = (*this)[Index];
			CharType B = Other[Index];
			if (SearchCase == ESearchCase::IgnoreCase)
			{
				A = (A >= 'A' && A <= 'Z') ? CharType(A - 'A' + 'a') : A;
				B = (B >= 'A' && B <= 'Z') ? CharType(B - 'A' + 'a') : B;
			}
			if (A != B)
			{
				return false;
			}
		}
		return true;
	}

private:
	std::basic_string_view<CharType> View;
};

typedef TStringView<TCHAR> FStringView;
typedef TStringView<ANSICHAR> FAnsiStringView;
