#include "Serialization/JsonSerializer.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace
{
	using FParsed = nlohmann::ordered_json;

	// Converting a parsed tree recurses, so nesting is bounded before anything is parsed.
	constexpr int32 MaxDepth = 512;

	bool DepthWithinLimit(const std::string& Text)
	{
		int32 Depth = 0;
		bool bInString = false;
		for (SIZE_T Index = 0; Index < Text.size(); ++Index)
		{
			const char Char = Text[Index];
			if (bInString)
			{
				if (Char == '\\')
				{
					++Index;
				}
				else if (Char == '"')
				{
					bInString = false;
				}
			}
			else if (Char == '"')
			{
				bInString = true;
			}
			else if (Char == '[' || Char == '{')
			{
				if (++Depth > MaxDepth)
				{
					return false;
				}
			}
			else if (Char == ']' || Char == '}')
			{
				--Depth;
			}
		}
		return true;
	}

	FString ToFString(const std::string& Text)
	{
		return FString(FUTF8ToTCHAR(Text.data(), int32(Text.size())).Get());
	}

	TSharedPtr<FJsonObject> ToObject(const FParsed& Parsed);

	TSharedPtr<FJsonValue> ToValue(const FParsed& Parsed)
	{
		switch (Parsed.type())
		{
		case FParsed::value_t::null:
			return MakeShared<FJsonValueNull>();
		case FParsed::value_t::boolean:
			return MakeShared<FJsonValueBoolean>(Parsed.get<bool>());
		case FParsed::value_t::number_integer:
			return MakeShared<FJsonValueNumber>(double(Parsed.get<int64>()));
		case FParsed::value_t::number_unsigned:
			return MakeShared<FJsonValueNumber>(double(Parsed.get<uint64>()));
		case FParsed::value_t::number_float:
			return MakeShared<FJsonValueNumber>(Parsed.get<double>());
		case FParsed::value_t::string:
			return MakeShared<FJsonValueString>(ToFString(Parsed.get_ref<const std::string&>()));
		case FParsed::value_t::array:
		{
			TArray<TSharedPtr<FJsonValue>> Elements;
			for (const FParsed& Element : Parsed)
			{
				Elements.Add(ToValue(Element));
			}
			return MakeShared<FJsonValueArray>(Elements);
		}
		case FParsed::value_t::object:
			return MakeShared<FJsonValueObject>(ToObject(Parsed));
		default:
			return TSharedPtr<FJsonValue>();
		}
	}

	TSharedPtr<FJsonObject> ToObject(const FParsed& Parsed)
	{
		TSharedPtr<FJsonObject> Object = MakeShared<FJsonObject>();
		for (auto It = Parsed.begin(); It != Parsed.end(); ++It)
		{
			Object->SetField(ToFString(It.key()), ToValue(It.value()));
		}
		return Object;
	}

	bool Parse(TJsonReader<TCHAR>& Reader, FParsed& OutParsed)
	{
		const FTCHARToUTF8 Utf8(*Reader.GetText(), Reader.GetText().Len());
		const std::string Text(Utf8.Get(), SIZE_T(Utf8.Length()));
		if (!DepthWithinLimit(Text))
		{
			Reader.SetErrorMessage(TEXT("Nesting too deep"));
			return false;
		}
		OutParsed = FParsed::parse(Text, nullptr, /*allow_exceptions*/ false);
		if (OutParsed.is_discarded())
		{
			Reader.SetErrorMessage(TEXT("Invalid JSON"));
			return false;
		}
		return true;
	}
}

bool FJsonSerializer::Deserialize(const TSharedRef<TJsonReader<TCHAR>>& Reader, TSharedPtr<FJsonObject>& OutObject)
{
	FParsed Parsed;
	if (!Parse(Reader.Get(), Parsed) || !Parsed.is_object())
	{
		return false;
	}
	OutObject = ToObject(Parsed);
	return true;
}

bool FJsonSerializer::Deserialize(const TSharedRef<TJsonReader<TCHAR>>& Reader, TSharedPtr<FJsonValue>& OutValue)
{
	FParsed Parsed;
	if (!Parse(Reader.Get(), Parsed))
	{
		return false;
	}
	OutValue = ToValue(Parsed);
	return true;
}

bool FJsonSerializer::Deserialize(const TSharedRef<TJsonReader<TCHAR>>& Reader, TArray<TSharedPtr<FJsonValue>>& OutArray)
{
	FParsed Parsed;
	if (!Parse(Reader.Get(), Parsed) || !Parsed.is_array())
	{
		return false;
	}
	for (const FParsed& Element : Parsed)
	{
		OutArray.Add(ToValue(Element));
	}
	return true;
}

FString UE::Json::Private::EscapeJsonString(const FString& String)
{
	FString Out(TEXT("\""));
	for (TCHAR Char : String)
	{
		switch (Char)
		{
		case u'"': Out += TEXT("\\\""); break;
		case u'\\': Out += TEXT("\\\\"); break;
		case u'\b': Out += TEXT("\\b"); break;
		case u'\f': Out += TEXT("\\f"); break;
		case u'\n': Out += TEXT("\\n"); break;
		case u'\r': Out += TEXT("\\r"); break;
		case u'\t': Out += TEXT("\\t"); break;
		default:
			if (Char < 0x20)
			{
				Out += FString::Printf(TEXT("\\u%04x"), uint32(Char));
			}
			else
			{
				Out += Char;
			}
		}
	}
	Out += u'"';
	return Out;
}

FString UE::Json::Private::FormatJsonNumber(double Value)
{
	// Whole numbers print without a fraction; the rest with the precision that round-trips.
	if (std::isfinite(Value) && Value == std::floor(Value) && std::fabs(Value) < 9007199254740992.0)
	{
		return FString::Printf(TEXT("%lld"), (long long)Value);
	}
	return FString::Printf(TEXT("%.17g"), Value);
}
