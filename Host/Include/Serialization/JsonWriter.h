#pragma once

#include "CoreMinimal.h"
#include "Policies/PrettyJsonPrintPolicy.h"
#include "Serialization/JsonTypes.h"

namespace UE::Json::Private
{
	FString EscapeJsonString(const FString& String);
	FString FormatJsonNumber(double Value);
}

// Writes JSON into a string, token by token, laid out as the engine lays it out: with the
// pretty policy, each field on its own line, nested objects opening on the line after their
// name, arrays of plain values on one line ("[ 1, 2 ]").
template <class CharType = TCHAR, class PrintPolicy = TPrettyJsonPrintPolicy<CharType>>
class TJsonWriter
{
public:
	explicit TJsonWriter(FString* InStream, int32 InitialIndentLevel = 0) : Stream(InStream), IndentLevel(InitialIndentLevel) {}

	void WriteObjectStart() { OpenUnnamedScope(EJson::Object, CharType('{'), EJsonToken::CurlyOpen); }
	void WriteObjectStart(const FString& Identifier)
	{
		check(!Stack.IsEmpty() && Stack.Top() == EJson::Object);
		WriteIdentifier(Identifier);
		PrintPolicy::WriteLineTerminator(Stream);
		PrintPolicy::WriteTabs(Stream, IndentLevel);
		OpenScope(EJson::Object, CharType('{'), EJsonToken::CurlyOpen);
	}
	void WriteObjectEnd()
	{
		check(!Stack.IsEmpty() && Stack.Top() == EJson::Object);
		--IndentLevel;
		PrintPolicy::WriteLineTerminator(Stream);
		PrintPolicy::WriteTabs(Stream, IndentLevel);
		PrintPolicy::WriteChar(Stream, CharType('}'));
		Stack.Pop();
		PreviousTokenWritten = EJsonToken::CurlyClose;
	}
	void WriteArrayStart() { OpenUnnamedScope(EJson::Array, CharType('['), EJsonToken::SquareOpen); }
	void WriteArrayStart(const FString& Identifier)
	{
		check(!Stack.IsEmpty() && Stack.Top() == EJson::Object);
		WriteIdentifier(Identifier);
		OpenScope(EJson::Array, CharType('['), EJsonToken::SquareOpen);
	}
	void WriteArrayEnd()
	{
		check(!Stack.IsEmpty() && Stack.Top() == EJson::Array);
		--IndentLevel;
		if (PreviousTokenWritten == EJsonToken::SquareOpen || EJsonToken_IsShortValue(PreviousTokenWritten))
		{
			PrintPolicy::WriteSpace(Stream);
		}
		else
		{
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		PrintPolicy::WriteChar(Stream, CharType(']'));
		Stack.Pop();
		PreviousTokenWritten = EJsonToken::SquareClose;
	}

	void WriteValue(const FString& Identifier, const FString& Value) { WriteIdentifier(Identifier); WriteRaw(UE::Json::Private::EscapeJsonString(Value), EJsonToken::String); }
	void WriteValue(const FString& Identifier, const TCHAR* Value) { WriteValue(Identifier, FString(Value)); }
	void WriteValue(const FString& Identifier, bool Value) { WriteIdentifier(Identifier); WriteBool(Value); }
	void WriteValue(const FString& Identifier, double Value) { WriteIdentifier(Identifier); WriteRaw(UE::Json::Private::FormatJsonNumber(Value), EJsonToken::Number); }
	void WriteValue(const FString& Identifier, int32 Value) { WriteValue(Identifier, double(Value)); }
	void WriteValue(const FString& Identifier, int64 Value) { WriteIdentifier(Identifier); WriteRaw(FString::Printf(TEXT("%lld"), Value), EJsonToken::Number); }
	void WriteNull(const FString& Identifier) { WriteIdentifier(Identifier); WriteRaw(FString(TEXT("null")), EJsonToken::Null); }

	void WriteValue(const FString& Value) { WriteArrayElementPrefix(); WriteRaw(UE::Json::Private::EscapeJsonString(Value), EJsonToken::String); }
	void WriteValue(const TCHAR* Value) { WriteValue(FString(Value)); }
	void WriteValue(bool Value) { WriteArrayElementPrefix(); WriteBool(Value); }
	void WriteValue(double Value) { WriteArrayElementPrefix(); WriteRaw(UE::Json::Private::FormatJsonNumber(Value), EJsonToken::Number); }
	void WriteValue(int32 Value) { WriteValue(double(Value)); }
	void WriteNull() { WriteArrayElementPrefix(); WriteRaw(FString(TEXT("null")), EJsonToken::Null); }

	bool Close() { return Stack.IsEmpty() && PreviousTokenWritten != EJsonToken::None; }

private:
	// The root, or an element of an array: on a line of its own unless it is the first token.
	void OpenUnnamedScope(EJson Scope, CharType Open, EJsonToken Token)
	{
		check(Stack.IsEmpty() || Stack.Top() == EJson::Array);
		if (PreviousTokenWritten != EJsonToken::None)
		{
			WriteCommaIfNeeded();
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		OpenScope(Scope, Open, Token);
	}
	void OpenScope(EJson Scope, CharType Open, EJsonToken Token)
	{
		PrintPolicy::WriteChar(Stream, Open);
		++IndentLevel;
		Stack.Push(Scope);
		PreviousTokenWritten = Token;
	}
	void WriteCommaIfNeeded()
	{
		if (PreviousTokenWritten != EJsonToken::CurlyOpen && PreviousTokenWritten != EJsonToken::SquareOpen && PreviousTokenWritten != EJsonToken::Identifier)
		{
			PrintPolicy::WriteChar(Stream, CharType(','));
		}
	}
	void WriteIdentifier(const FString& Identifier)
	{
		check(!Stack.IsEmpty() && Stack.Top() == EJson::Object);
		WriteCommaIfNeeded();
		PrintPolicy::WriteLineTerminator(Stream);
		PrintPolicy::WriteTabs(Stream, IndentLevel);
		PrintPolicy::WriteString(Stream, UE::Json::Private::EscapeJsonString(Identifier));
		PrintPolicy::WriteChar(Stream, CharType(':'));
		PrintPolicy::WriteSpace(Stream);
		PreviousTokenWritten = EJsonToken::Identifier;
	}
	void WriteArrayElementPrefix()
	{
		check(!Stack.IsEmpty() && Stack.Top() == EJson::Array);
		WriteCommaIfNeeded();
		if (PreviousTokenWritten == EJsonToken::SquareOpen || EJsonToken_IsShortValue(PreviousTokenWritten))
		{
			PrintPolicy::WriteSpace(Stream);
		}
		else
		{
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
	}
	void WriteBool(bool Value) { WriteRaw(FString(Value ? TEXT("true") : TEXT("false")), Value ? EJsonToken::True : EJsonToken::False); }
	void WriteRaw(const FString& Text, EJsonToken Token)
	{
		PrintPolicy::WriteString(Stream, Text);
		PreviousTokenWritten = Token;
	}

	FString* Stream;
	TArray<EJson> Stack;
	EJsonToken PreviousTokenWritten = EJsonToken::None;
	int32 IndentLevel;
};

template <class CharType = TCHAR, class PrintPolicy = TPrettyJsonPrintPolicy<CharType>>
class TJsonWriterFactory
{
public:
	static TSharedRef<TJsonWriter<CharType, PrintPolicy>> Create(FString* const Stream, int32 InitialIndentLevel = 0)
	{
		return MakeShared<TJsonWriter<CharType, PrintPolicy>>(Stream, InitialIndentLevel);
	}
};
