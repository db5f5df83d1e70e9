#include "Containers/UnrealString.h"

#include "Containers/StringConv.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
	using UE::String::Private::FFormatArg;

	bool SameChar(TCHAR A, TCHAR B, ESearchCase::Type SearchCase)
	{
		return SearchCase == ESearchCase::CaseSensitive ? A == B : FChar::ToLower(A) == FChar::ToLower(B);
	}

	bool MatchesAt(const FString& Text, int32 Position, const FString& Part, ESearchCase::Type SearchCase)
	{
		if (Position < 0 || Position + Part.Len() > Text.Len())
		{
			return false;
		}
		for (int32 Index = 0; Index < Part.Len(); ++Index)
		{
			if (!SameChar(Text[Position + Index], Part[Index], SearchCase))
			{
				return false;
			}
		}
		return true;
	}

	std::string Narrow(const TCHAR* Text)
	{
		return FTCHARToUTF8(Text).Get();
	}
}

FString::FString(const ANSICHAR* Text)
{
	// ANSI text widens code unit by code unit, as the engine's ANSI conversion does.
	for (const ANSICHAR* Char = Text; Char && *Char; ++Char)
	{
		const unsigned char Byte = static_cast<unsigned char>(*Char);
		Data += Byte < 0x80 ? char16_t(Byte) : u'?';
	}
}

bool FString::Equals(const FString& Other, ESearchCase::Type SearchCase) const
{
	return Len() == Other.Len() && Compare(Other, SearchCase) == 0;
}

int32 FString::Compare(const FString& Other, ESearchCase::Type SearchCase) const
{
	return SearchCase == ESearchCase::CaseSensitive ? FCString::Strcmp(**this, *Other) : FCString::Stricmp(**this, *Other);
}

FString FString::Left(int32 Count) const
{
	return FString(Data.substr(0, SIZE_T(std::clamp(Count, 0, Len()))));
}

FString FString::LeftChop(int32 Count) const
{
	return Left(Len() - std::clamp(Count, 0, Len()));
}

FString FString::Right(int32 Count) const
{
	const int32 Keep = std::clamp(Count, 0, Len());
	return FString(Data.substr(SIZE_T(Len() - Keep)));
}

FString FString::RightChop(int32 Count) const
{
	return Right(Len() - std::clamp(Count, 0, Len()));
}

FString FString::Mid(int32 Start, int32 Count) const
{
	// Clamped as the engine clamps: a negative start eats into the count.
	int64 End = int64(Start) + int64(Count);
	const int64 Begin = std::clamp<int64>(Start, 0, Len());
	End = std::clamp<int64>(End, Begin, Len());
	return FString(Data.substr(SIZE_T(Begin), SIZE_T(End - Begin)));
}

bool FString::StartsWith(const FString& Prefix, ESearchCase::Type SearchCase) const
{
	return !Prefix.IsEmpty() && MatchesAt(*this, 0, Prefix, SearchCase);
}

bool FString::EndsWith(const FString& Suffix, ESearchCase::Type SearchCase) const
{
	return !Suffix.IsEmpty() && MatchesAt(*this, Len() - Suffix.Len(), Suffix, SearchCase);
}

int32 FString::Find(const FString& SubString, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir, int32 StartPosition) const
{
	if (SubString.IsEmpty())
	{
		return INDEX_NONE;
	}
	if (SearchDir == ESearchDir::FromStart)
	{
		for (int32 Position = std::max(StartPosition, 0); Position + SubString.Len() <= Len(); ++Position)
		{
			if (MatchesAt(*this, Position, SubString, SearchCase))
			{
				return Position;
			}
		}
		return INDEX_NONE;
	}
	int32 Position = Len() - SubString.Len();
	if (StartPosition != INDEX_NONE)
	{
		Position = std::min(Position, StartPosition - SubString.Len());
	}
	for (; Position >= 0; --Position)
	{
		if (MatchesAt(*this, Position, SubString, SearchCase))
		{
			return Position;
		}
	}
	return INDEX_NONE;
}

bool FString::FindChar(TCHAR Char, int32& Index) const
{
	const SIZE_T Position = Data.find(Char);
	Index = Position == std::u16string::npos ? INDEX_NONE : int32(Position);
	return Index != INDEX_NONE;
}

bool FString::FindLastChar(TCHAR Char, int32& Index) const
{
	const SIZE_T Position = Data.rfind(Char);
	Index = Position == std::u16string::npos ? INDEX_NONE : int32(Position);
	return Index != INDEX_NONE;
}

bool FString::Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir) const
{
	const int32 Position = Find(InS, SearchCase, SearchDir);
	if (Position == INDEX_NONE)
	{
		return false;
	}
	if (LeftS)
	{
		*LeftS = Left(Position);
	}
	if (RightS)
	{
		*RightS = Mid(Position + InS.Len());
	}
	return true;
}

int32 FString::ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delimiter, bool bCullEmpty) const
{
	OutArray.Reset();
	const FString Separator(Delimiter);
	if (Separator.IsEmpty())
	{
		if (!(bCullEmpty && IsEmpty()))
		{
			OutArray.Add(*this);
		}
		return OutArray.Num();
	}
	int32 Start = 0;
	while (true)
	{
		const int32 Position = Find(Separator, ESearchCase::CaseSensitive, ESearchDir::FromStart, Start);
		const FString Part = Position == INDEX_NONE ? Mid(Start) : Mid(Start, Position - Start);
		if (!(bCullEmpty && Part.IsEmpty()))
		{
			OutArray.Add(Part);
		}
		if (Position == INDEX_NONE)
		{
			break;
		}
		Start = Position + Separator.Len();
	}
	return OutArray.Num();
}

FString FString::Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase) const
{
	FString Result(*this);
	Result.ReplaceInline(From, To, SearchCase);
	return Result;
}

int32 FString::ReplaceInline(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase)
{
	const FString Needle(From);
	const FString Replacement(To);
	if (Needle.IsEmpty() || IsEmpty())
	{
		return 0;
	}
	FString Result;
	int32 Count = 0;
	int32 Start = 0;
	while (true)
	{
		const int32 Position = Find(Needle, SearchCase, ESearchDir::FromStart, Start);
		if (Position == INDEX_NONE)
		{
			break;
		}
		Result += Mid(Start, Position - Start);
		Result += Replacement;
		Start = Position + Needle.Len();
		++Count;
	}
	if (Count > 0)
	{
		Result += Mid(Start);
		*this = std::move(Result);
	}
	return Count;
}

FString FString::ToLower() const
{
	FString Result(*this);
	Result.ToLowerInline();
	return Result;
}

FString FString::ToUpper() const
{
	FString Result(*this);
	Result.ToUpperInline();
	return Result;
}

void FString::ToLowerInline()
{
	for (TCHAR& Char : Data)
	{
		Char = FChar::ToLower(Char);
	}
}

void FString::ToUpperInline()
{
	for (TCHAR& Char : Data)
	{
		Char = FChar::ToUpper(Char);
	}
}

FString FString::TrimStart() const
{
	int32 Start = 0;
	while (Start < Len() && FChar::IsWhitespace(Data[SIZE_T(Start)]))
	{
		++Start;
	}
	return Mid(Start);
}

FString FString::TrimEnd() const
{
	int32 End = Len();
	while (End > 0 && FChar::IsWhitespace(Data[SIZE_T(End - 1)]))
	{
		--End;
	}
	return Left(End);
}

FString FString::TrimStartAndEnd() const
{
	return TrimStart().TrimEnd();
}

bool FString::IsNumeric() const
{
	return !IsEmpty() && FCString::IsNumeric(**this);
}

FString FString::FromInt(int32 Value)
{
	return Printf(TEXT("%d"), Value);
}

FString FString::SanitizeFloat(double Value, int32 MinFractionalDigits)
{
	if (Value == 0)
	{
		Value = 0; // no "-0"
	}
	FString Text = Printf(TEXT("%f"), Value);
	int32 Dot = INDEX_NONE;
	if (!Text.FindChar(u'.', Dot))
	{
		return Text;
	}
	int32 End = Text.Len();
	while (End > Dot + 1 + MinFractionalDigits && Text[End - 1] == u'0')
	{
		--End;
	}
	if (End == Dot + 1)
	{
		--End; // drop a bare "."
	}
	return Text.Left(End);
}

void FString::PathAppend(const FString& Other)
{
	if (!IsEmpty() && Data.back() != u'/' && !Other.IsEmpty() && Other[0] != u'/')
	{
		Data += u'/';
	}
	else if (!IsEmpty() && Data.back() == u'/' && !Other.IsEmpty() && Other[0] == u'/')
	{
		Data.pop_back();
	}
	Data += Other.Data;
}

FString FString::FormatImpl(const TCHAR* Format, const FFormatArg* Args, int32 NumArgs)
{
	FString Out;
	int32 NextArg = 0;
	auto TakeArg = [&]() -> const FFormatArg&
	{
		check(NextArg < NumArgs);
		return Args[NextArg++];
	};

	for (const TCHAR* Cursor = Format; *Cursor; ++Cursor)
	{
		if (*Cursor != u'%')
		{
			Out += *Cursor;
			continue;
		}
		++Cursor;
		if (*Cursor == u'%')
		{
			Out += u'%';
			continue;
		}
		// Collect flags, width, precision and length, then print through the C library.
		std::string Spec = "%";
		while (*Cursor == u'-' || *Cursor == u'+' || *Cursor == u' ' || *Cursor == u'#' || *Cursor == u'0')
		{
			Spec += char(*Cursor++);
		}
		int32 Width = 0;
		int32 Precision = -1;
		while (FChar::IsDigit(*Cursor))
		{
			Width = Width * 10 + (*Cursor - u'0');
			Spec += char(*Cursor++);
		}
		if (*Cursor == u'.')
		{
			Spec += char(*Cursor++);
			Precision = 0;
			while (FChar::IsDigit(*Cursor))
			{
				Precision = Precision * 10 + (*Cursor - u'0');
				Spec += char(*Cursor++);
			}
		}
		while (*Cursor == u'l' || *Cursor == u'h' || *Cursor == u'z' || *Cursor == u'j')
		{
			++Cursor; // every integer argument is already widened to 64 bits
		}
		const TCHAR Conversion = *Cursor;
		check(Conversion != 0);
		char Buffer[512];
		switch (Conversion)
		{
		case u'd':
		case u'i':
		{
			const FFormatArg& Arg = TakeArg();
			const long long Value = Arg.Kind == FFormatArg::EKind::Unsigned ? (long long)Arg.Unsigned : (long long)Arg.Signed;
			std::snprintf(Buffer, sizeof(Buffer), (Spec + "lld").c_str(), Value);
			Out += FString(Buffer);
			break;
		}
		case u'u':
		case u'x':
		case u'X':
		case u'o':
		{
			const FFormatArg& Arg = TakeArg();
			const unsigned long long Value = Arg.Kind == FFormatArg::EKind::Signed ? (unsigned long long)Arg.Signed : (unsigned long long)Arg.Unsigned;
			std::snprintf(Buffer, sizeof(Buffer), (Spec + "ll" + char(Conversion)).c_str(), Value);
			Out += FString(Buffer);
			break;
		}
		case u'f':
		case u'F':
		case u'e':
		case u'E':
		case u'g':
		case u'G':
		{
			const FFormatArg& Arg = TakeArg();
			const double Value = Arg.Kind == FFormatArg::EKind::Double ? Arg.Double
				: Arg.Kind == FFormatArg::EKind::Signed ? double(Arg.Signed) : double(Arg.Unsigned);
			std::snprintf(Buffer, sizeof(Buffer), (Spec + char(Conversion)).c_str(), Value);
			Out += FString(Buffer);
			break;
		}
		case u'c':
		{
			const FFormatArg& Arg = TakeArg();
			Out += TCHAR(Arg.Kind == FFormatArg::EKind::Unsigned ? Arg.Unsigned : uint64(Arg.Signed));
			break;
		}
		case u's':
		{
			const FFormatArg& Arg = TakeArg();
			FString Text;
			if (Arg.Kind == FFormatArg::EKind::WideText)
			{
				Text = FString(Arg.WideText ? Arg.WideText : TEXT("(null)"));
			}
			else if (Arg.Kind == FFormatArg::EKind::AnsiText)
			{
				Text = FString(FUTF8ToTCHAR(Arg.AnsiText ? Arg.AnsiText : "(null)").Get());
			}
			else
			{
				check(!"%s needs a character string");
			}
			// Width pads with spaces, '-' aligns left; precision cuts.
			const bool bLeft = Spec.find('-') != std::string::npos;
			if (Precision >= 0)
			{
				Text = Text.Left(Precision);
			}
			const int32 Pad = std::max(0, Width - Text.Len());
			if (!bLeft)
			{
				Out += FString(std::u16string(SIZE_T(Pad), u' '));
			}
			Out += Text;
			if (bLeft)
			{
				Out += FString(std::u16string(SIZE_T(Pad), u' '));
			}
			break;
		}
		case u'p':
		{
			const FFormatArg& Arg = TakeArg();
			std::snprintf(Buffer, sizeof(Buffer), "%p", Arg.Pointer);
			Out += FString(Buffer);
			break;
		}
		default:
			check(!"unsupported Printf conversion");
		}
	}
	return Out;
}

uint32 GetTypeHash(const FString& String)
{
	// FNV-1a over the case-folded code units, so that keys equal without case hash alike.
	uint32 Hash = 2166136261u;
	for (TCHAR Char : String)
	{
		const uint32 Folded = FChar::ToLower(Char);
		Hash = (Hash ^ (Folded & 0xFF)) * 16777619u;
		Hash = (Hash ^ (Folded >> 8)) * 16777619u;
	}
	return Hash;
}

int32 FCString::Strlen(const TCHAR* String)
{
	int32 Length = 0;
	while (String[Length])
	{
		++Length;
	}
	return Length;
}

int32 FCString::Strcmp(const TCHAR* A, const TCHAR* B)
{
	for (;; ++A, ++B)
	{
		if (*A != *B || !*A)
		{
			return int32(*A) - int32(*B);
		}
	}
}

int32 FCString::Stricmp(const TCHAR* A, const TCHAR* B)
{
	return Strnicmp(A, B, SIZE_T(-1));
}

int32 FCString::Strnicmp(const TCHAR* A, const TCHAR* B, SIZE_T Count)
{
	for (; Count > 0; ++A, ++B, --Count)
	{
		const TCHAR LowerA = FChar::ToLower(*A);
		const TCHAR LowerB = FChar::ToLower(*B);
		if (LowerA != LowerB || !LowerA)
		{
			return int32(LowerA) - int32(LowerB);
		}
	}
	return 0;
}

bool FCString::IsNumeric(const TCHAR* String)
{
	// The engine's rule: an optional sign, digits and at most one '.', nothing else.
	if (*String == u'-' || *String == u'+')
	{
		++String;
	}
	bool bHasDot = false;
	for (; *String; ++String)
	{
		if (*String == u'.')
		{
			if (bHasDot)
			{
				return false;
			}
			bHasDot = true;
		}
		else if (!FChar::IsDigit(*String))
		{
			return false;
		}
	}
	return true;
}

int32 FCString::Atoi(const TCHAR* String)
{
	return int32(std::strtol(Narrow(String).c_str(), nullptr, 10));
}

int64 FCString::Atoi64(const TCHAR* String)
{
	return int64(std::strtoll(Narrow(String).c_str(), nullptr, 10));
}

float FCString::Atof(const TCHAR* String)
{
	return float(Atod(String));
}

double FCString::Atod(const TCHAR* String)
{
	return std::strtod(Narrow(String).c_str(), nullptr);
}

bool FCString::ToBool(const TCHAR* String)
{
	if (Stricmp(String, TEXT("True")) == 0 || Stricmp(String, TEXT("Yes")) == 0 || Stricmp(String, TEXT("On")) == 0)
	{
		return true;
	}
	if (Stricmp(String, TEXT("False")) == 0 || Stricmp(String, TEXT("No")) == 0 || Stricmp(String, TEXT("Off")) == 0)
	{
		return false;
	}
	return Atoi(String) != 0;
}
