#include "Internationalization/Text.h"

#include "Misc/CString.h"

#include <cmath>
#include <cstdio>
#include <functional>

namespace
{
	// The editor's default culture writes whole numbers with "," between groups of three.
	FString GroupedDigits(const FString& Digits)
	{
		FString Result;
		for (int32 Index = 0; Index < Digits.Len(); ++Index)
		{
			if (Index > 0 && (Digits.Len() - Index) % 3 == 0)
			{
				Result += TEXT(',');
			}
			Result += Digits[Index];
		}
		return Result;
	}

	FString Whole(uint64 Magnitude, bool bNegative)
	{
		return (bNegative ? FString(TEXT("-")) : FString()) + GroupedDigits(FString::Printf(TEXT("%llu"), (unsigned long long)Magnitude));
	}

	// At most three decimals, trailing zeros dropped, halves rounded to even.
	FString Fractional(double Value)
	{
		if (!std::isfinite(Value))
		{
			return FString::Printf(TEXT("%f"), Value);
		}
		const double Thousandths = std::nearbyint(std::fabs(Value) * 1000.0);
		const uint64 Units = uint64(Thousandths / 1000.0);
		const uint64 Rest = uint64(Thousandths - double(Units) * 1000.0);
		FString Result = Whole(Units, Value < 0 && Thousandths != 0);
		if (Rest != 0)
		{
			FString Decimals = FString::Printf(TEXT("%03llu"), (unsigned long long)Rest);
			while (Decimals.EndsWith(TEXT("0")))
			{
				Decimals.LeftChopInline(1);
			}
			Result += TEXT(".") + Decimals;
		}
		return Result;
	}

	// Walks the pattern, copying text and replacing each "{Name}" with Lookup(Name); a name
	// that Lookup does not know stays as it is written.
	FText Replace(const FTextFormat& Fmt, const std::function<const FFormatArgumentValue*(const FString&)>& Lookup)
	{
		const FString& Pattern = Fmt.GetSourceString();
		FString Result;
		for (int32 Index = 0; Index < Pattern.Len(); ++Index)
		{
			const TCHAR Char = Pattern[Index];
			if (Char == TEXT('`') && Index + 1 < Pattern.Len()
				&& (Pattern[Index + 1] == TEXT('{') || Pattern[Index + 1] == TEXT('}') || Pattern[Index + 1] == TEXT('`')))
			{
				Result += Pattern[++Index];
				continue;
			}
			const int32 Close = Char == TEXT('{') ? Pattern.Find(TEXT("}"), ESearchCase::CaseSensitive, ESearchDir::FromStart, Index + 1) : INDEX_NONE;
			if (Close == INDEX_NONE)
			{
				Result += Char;
				continue;
			}
			const FString Name = Pattern.Mid(Index + 1, Close - Index - 1);
			const FFormatArgumentValue* Value = Lookup(Name);
			Result += Value != nullptr ? Value->ToFormattedString() : Pattern.Mid(Index, Close - Index + 1);
			Index = Close;
		}
		return FText::FromString(MoveTemp(Result));
	}
}

const FText& FText::GetEmpty()
{
	static const FText Empty;
	return Empty;
}

FText FText::AsNumber(int64 Value)
{
	return FText(Whole(Value < 0 ? uint64(0) - uint64(Value) : uint64(Value), Value < 0));
}

FString FFormatArgumentValue::ToFormattedString() const
{
	switch (Type)
	{
	case EFormatArgumentType::Int:
		return FText::AsNumber(IntValue).ToString();
	case EFormatArgumentType::UInt:
		return Whole(UIntValue, false);
	case EFormatArgumentType::Float:
		return Fractional(FloatValue);
	case EFormatArgumentType::Double:
		return Fractional(DoubleValue);
	case EFormatArgumentType::Text:
		return TextValue.ToString();
	}
	return FString();
}

FText FText::Format(FTextFormat Fmt, const FFormatNamedArguments& InArguments)
{
	return Replace(Fmt, [&InArguments](const FString& Name) -> const FFormatArgumentValue*
	{
		// Argument names compare with case, unlike the map's own keys.
		for (const auto& Pair : InArguments)
		{
			if (Pair.Key.Equals(Name, ESearchCase::CaseSensitive))
			{
				return &Pair.Value;
			}
		}
		return nullptr;
	});
}

FText FText::Format(FTextFormat Fmt, FFormatNamedArguments&& InArguments)
{
	return Format(MoveTemp(Fmt), static_cast<const FFormatNamedArguments&>(InArguments));
}

FText FText::Format(FTextFormat Fmt, const FFormatOrderedArguments& InArguments)
{
	return Replace(Fmt, [&InArguments](const FString& Name) -> const FFormatArgumentValue*
	{
		bool bIndex = !Name.IsEmpty() && Name.Len() <= 9;
		for (const TCHAR Char : Name)
		{
			bIndex = bIndex && Char >= TEXT('0') && Char <= TEXT('9');
		}
		const int32 Index = bIndex ? FCString::Atoi(*Name) : INDEX_NONE;
		return InArguments.IsValidIndex(Index) ? &InArguments[Index] : nullptr;
	});
}

FText FText::Format(FTextFormat Fmt, FFormatOrderedArguments&& InArguments)
{
	return Format(MoveTemp(Fmt), static_cast<const FFormatOrderedArguments&>(InArguments));
}
