#pragma once

#include "CoreTypes.h"

#include <string>

namespace UE::String::Private
{
	// Invalid input (an unpaired surrogate, a malformed UTF-8 sequence) becomes '?', the
	// engine's bogus character, one per offending code unit.
	std::string Utf16ToUtf8(const TCHAR* Source, int32 Length);
	std::u16string Utf8ToUtf16(const ANSICHAR* Source, int32 Length);
}

// UTF-16 to UTF-8; the converted bytes live as long as the converter.
class FTCHARToUTF8
{
public:
	explicit FTCHARToUTF8(const TCHAR* Source);
	FTCHARToUTF8(const TCHAR* Source, int32 SourceLength);
	const ANSICHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return int32(Converted.size()); }

private:
	std::string Converted;
};

// UTF-8 to UTF-16; the converted text lives as long as the converter.
class FUTF8ToTCHAR
{
public:
	explicit FUTF8ToTCHAR(const ANSICHAR* Source);
	FUTF8ToTCHAR(const ANSICHAR* Source, int32 SourceLength);
	const TCHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return int32(Converted.size()); }

private:
	std::u16string Converted;
};

#define TCHAR_TO_UTF8(str) (ANSICHAR*)FTCHARToUTF8((const TCHAR*)(str)).Get()
#define UTF8_TO_TCHAR(str) (TCHAR*)FUTF8ToTCHAR((const ANSICHAR*)(str)).Get()
