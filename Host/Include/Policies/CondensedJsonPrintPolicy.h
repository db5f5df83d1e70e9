#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

// Writes JSON on one line with no spaces.
template <class CharType>
struct TCondensedJsonPrintPolicy
{
	static void WriteChar(FString* Stream, CharType Char) { *Stream += TCHAR(Char); }
	static void WriteString(FString* Stream, const FString& String) { *Stream += String; }
	static void WriteLineTerminator(FString*) {}
	static void WriteTabs(FString*, int32) {}
	static void WriteSpace(FString*) {}
};
