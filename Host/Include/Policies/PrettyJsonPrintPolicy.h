#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

// Writes JSON over several lines, indented with tabs.
template <class CharType>
struct TPrettyJsonPrintPolicy
{
	static void WriteChar(FString* Stream, CharType Char) { *Stream += TCHAR(Char); }
	static void WriteString(FString* Stream, const FString& String) { *Stream += String; }
	static void WriteLineTerminator(FString* Stream) { *Stream += LINE_TERMINATOR; }
	static void WriteTabs(FString* Stream, int32 Count)
	{
		for (int32 Index = 0; Index < Count; ++Index)
		{
			*Stream += TCHAR('\t');
		}
	}
	static void WriteSpace(FString* Stream) { *Stream += TCHAR(' '); }
};
