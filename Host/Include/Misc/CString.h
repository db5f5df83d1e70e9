#pragma once

#include "CoreTypes.h"

// The C-string helpers the engine offers for TCHAR text.
struct FCString
{
	static int32 Strlen(const TCHAR* String);
	static int32 Strcmp(const TCHAR* A, const TCHAR* B);
	static int32 Stricmp(const TCHAR* A, const TCHAR* B);
	static int32 Strnicmp(const TCHAR* A, const TCHAR* B, SIZE_T Count);
	static bool IsNumeric(const TCHAR* String);
	static int32 Atoi(const TCHAR* String);
	static int64 Atoi64(const TCHAR* String);
	static float Atof(const TCHAR* String);
	static double Atod(const TCHAR* String);
	static bool ToBool(const TCHAR* String);
};

// Character classification; case conversion covers ASCII, as comparisons of codes need.
struct FChar
{
	static constexpr TCHAR ToUpper(TCHAR Char) { return (Char >= u'a' && Char <= u'z') ? TCHAR(Char - 32) : Char; }
	static constexpr TCHAR ToLower(TCHAR Char) { return (Char >= u'A' && Char <= u'Z') ? TCHAR(Char + 32) : Char; }
	static constexpr bool IsDigit(TCHAR Char) { return Char >= u'0' && Char <= u'9'; }
	static constexpr bool IsAlpha(TCHAR Char) { return (Char >= u'a' && Char <= u'z') || (Char >= u'A' && Char <= u'Z'); }
	static constexpr bool IsAlnum(TCHAR Char) { return IsDigit(Char) || IsAlpha(Char); }
	static constexpr bool IsHexDigit(TCHAR Char) { return IsDigit(Char) || (Char >= u'a' && Char <= u'f') || (Char >= u'A' && Char <= u'F'); }
	static constexpr bool IsWhitespace(TCHAR Char) { return Char == u' ' || Char == u'\t' || Char == u'\n' || Char == u'\r' || Char == u'\v' || Char == u'\f'; }
	static constexpr bool IsUpper(TCHAR Char) { return Char >= u'A' && Char <= u'Z'; }
	static constexpr bool IsLower(TCHAR Char) { return Char >= u'a' && Char <= u'z'; }
};
