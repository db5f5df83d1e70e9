#pragma once

#include "CoreTypes.h"
#include "Templates/UnrealTemplate.h"
#include "Containers/Array.h"
#include "Misc/CString.h"

#include <cstring>
#include <string>
#include <type_traits>

namespace ESearchCase
{
	enum Type
	{
		CaseSensitive,
		IgnoreCase,
	};
}

namespace ESearchDir
{
	enum Type
	{
		FromStart,
		FromEnd,
	};
}

namespace UE::String::Private
{
	// One Printf argument, captured by type so that the format's conversions can check it.
	struct FFormatArg
	{
		enum class EKind
		{
			Signed,
			Unsigned,
			Double,
			WideText,
			AnsiText,
			Pointer
		};
		EKind Kind;
		int64 Signed = 0;
		uint64 Unsigned = 0;
		double Double = 0;
		const TCHAR* WideText = nullptr;
		const ANSICHAR* AnsiText = nullptr;
		const void* Pointer = nullptr;

		template <typename T>
		static FFormatArg Make(T Value)
		{
			FFormatArg Arg;
			if constexpr (std::is_same_v<T, const TCHAR*> || std::is_same_v<T, TCHAR*>)
			{
				Arg.Kind = EKind::WideText;
				Arg.WideText = Value;
			}
			else if constexpr (std::is_same_v<T, const ANSICHAR*> || std::is_same_v<T, ANSICHAR*>)
			{
				Arg.Kind = EKind::AnsiText;
				Arg.AnsiText = Value;
			}
			else if constexpr (std::is_floating_point_v<T>)
			{
				Arg.Kind = EKind::Double;
				Arg.Double = double(Value);
			}
			else if constexpr (std::is_enum_v<T>)
			{
				Arg.Kind = EKind::Signed;
				Arg.Signed = int64(Value);
			}
			else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
			{
				Arg.Kind = EKind::Signed;
				Arg.Signed = int64(Value);
			}
			else if constexpr (std::is_integral_v<T>)
			{
				Arg.Kind = EKind::Unsigned;
				Arg.Unsigned = uint64(Value);
			}
			else
			{
				static_assert(std::is_pointer_v<T>, "Printf takes numbers and character pointers (use *String for an FString)");
				Arg.Kind = EKind::Pointer;
				Arg.Pointer = static_cast<const void*>(Value);
			}
			return Arg;
		}
	};
}

// The engine's string: UTF-16 code units. Equality and hashing ignore case (as the engine's
// operator== and GetTypeHash do), so maps and sets keyed by FString compare without case.
class FString
{
public:
	typedef TCHAR ElementType;

	FString() = default;
	FString(const TCHAR* Text) : Data(Text ? Text : u"") {}
	FString(const ANSICHAR* Text);
	FString(int32 Count, const TCHAR* Text) : Data(Text, SIZE_T(Count)) {}
	explicit FString(const std::u16string& Text) : Data(Text) {}
	explicit FString(std::u16string&& Text) : Data(std::move(Text)) {}

	FORCEINLINE const TCHAR* operator*() const { return Data.c_str(); }
	FORCEINLINE int32 Len() const { return int32(Data.size()); }
	FORCEINLINE bool IsEmpty() const { return Data.empty(); }
	FORCEINLINE bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Len(); }
	void Empty() { Data.clear(); }
	void Reset() { Data.clear(); }
	void Reserve(int32 Count) { Data.reserve(SIZE_T(Count)); }
	TCHAR& operator[](int32 Index)
	{
		check(IsValidIndex(Index));
		return Data[SIZE_T(Index)];
	}
	const TCHAR& operator[](int32 Index) const
	{
		check(IsValidIndex(Index));
		return Data[SIZE_T(Index)];
	}
	const std::u16string& ToStdString() const { return Data; }

	FString& operator+=(const FString& Other) { Data += Other.Data; return *this; }
	FString& operator+=(const TCHAR* Other) { Data += Other; return *this; }
	FString& operator+=(TCHAR Char) { Data += Char; return *this; }
	FString& AppendChar(TCHAR Char) { Data += Char; return *this; }
	FString& Append(const FString& Other) { Data += Other.Data; return *this; }
	FString& Append(const TCHAR* Text, int32 Count) { Data.append(Text, SIZE_T(Count)); return *this; }
	FString& operator/=(const FString& Other) { PathAppend(Other); return *this; }

	friend FString operator+(const FString& A, const FString& B) { return FString(A.Data + B.Data); }
	friend FString operator+(const FString& A, const TCHAR* B) { return FString(A.Data + B); }
	friend FString operator+(const TCHAR* A, const FString& B) { return FString(A + B.Data); }
	friend FString operator+(const FString& A, TCHAR B) { return FString(A.Data + B); }
	// Joins two path parts with exactly one "/".
	friend FString operator/(const FString& A, const FString& B)
	{
		FString Result(A);
		Result.PathAppend(B);
		return Result;
	}
	friend FString operator/(const FString& A, const TCHAR* B) { return A / FString(B); }

	bool Equals(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const;
	int32 Compare(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const;
	friend bool operator==(const FString& A, const FString& B) { return A.Equals(B, ESearchCase::IgnoreCase); }
	friend bool operator==(const FString& A, const TCHAR* B) { return A.Equals(FString(B), ESearchCase::IgnoreCase); }
	friend bool operator!=(const FString& A, const FString& B) { return !(A == B); }
	friend bool operator!=(const FString& A, const TCHAR* B) { return !(A == B); }
	// Ordering ignores case, as the engine's operator< does.
	friend bool operator<(const FString& A, const FString& B) { return A.Compare(B, ESearchCase::IgnoreCase) < 0; }

	FString Left(int32 Count) const;
	FString LeftChop(int32 Count) const;
	FString Right(int32 Count) const;
	FString RightChop(int32 Count) const;
	FString Mid(int32 Start, int32 Count = 0x7fffffff) const;
	void LeftInline(int32 Count) { *this = Left(Count); }
	void LeftChopInline(int32 Count) { *this = LeftChop(Count); }
	void RightChopInline(int32 Count) { *this = RightChop(Count); }
	void MidInline(int32 Start, int32 Count = 0x7fffffff) { *this = Mid(Start, Count); }

	bool StartsWith(const FString& Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool EndsWith(const FString& Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	int32 Find(const FString& SubString, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const;
	bool Contains(const FString& SubString, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const
	{
		return Find(SubString, SearchCase, SearchDir) != INDEX_NONE;
	}
	bool FindChar(TCHAR Char, int32& Index) const;
	bool FindLastChar(TCHAR Char, int32& Index) const;
	bool Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const;
	int32 ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delimiter, bool bCullEmpty = true) const;

	FString Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	int32 ReplaceInline(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);
	FString ToLower() const;
	FString ToUpper() const;
	void ToLowerInline();
	void ToUpperInline();
	FString TrimStart() const;
	FString TrimEnd() const;
	FString TrimStartAndEnd() const;
	void TrimStartAndEndInline() { *this = TrimStartAndEnd(); }

	bool IsNumeric() const;
	bool ToBool() const { return FCString::ToBool(**this); }

	static FString FromInt(int32 Value);
	static FString SanitizeFloat(double Value, int32 MinFractionalDigits = 1);
	static FString Chr(TCHAR Char) { return FString(1, &Char); }
	template <typename RangeType>
	static FString Join(const RangeType& Range, const TCHAR* Separator)
	{
		FString Result;
		bool bFirst = true;
		for (const auto& Element : Range)
		{
			if (!bFirst)
			{
				Result += Separator;
			}
			Result += Element;
			bFirst = false;
		}
		return Result;
	}

	// printf-style formatting; %s takes a TCHAR string (pass *String for an FString).
	template <typename... ArgTypes>
	static FString Printf(const TCHAR* Format, ArgTypes... Args)
	{
		using namespace UE::String::Private;
		const FFormatArg Captured[] = {FFormatArg::Make(Args)..., FFormatArg::Make(0)};
		return FormatImpl(Format, Captured, int32(sizeof...(Args)));
	}

	auto begin() { return Data.begin(); }
	auto end() { return Data.end(); }
	auto begin() const { return Data.begin(); }
	auto end() const { return Data.end(); }

private:
	static FString FormatImpl(const TCHAR* Format, const UE::String::Private::FFormatArg* Args, int32 NumArgs);
	void PathAppend(const FString& Other);

	std::u16string Data;
};

uint32 GetTypeHash(const FString& String);

inline FString LexToString(const FString& Value) { return Value; }
inline FString LexToString(int32 Value) { return FString::FromInt(Value); }
