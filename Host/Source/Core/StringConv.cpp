#include "Containers/StringConv.h"

#include <cstring>

std::string UE::String::Private::Utf16ToUtf8(const TCHAR* Source, int32 Length)
{
	std::string Out;
	Out.reserve(SIZE_T(Length));
	for (int32 Index = 0; Index < Length; ++Index)
	{
		uint32 CodePoint = Source[Index];
		if (CodePoint >= 0xD800 && CodePoint <= 0xDBFF && Index + 1 < Length && Source[Index + 1] >= 0xDC00 && Source[Index + 1] <= 0xDFFF)
		{
			CodePoint = 0x10000 + ((CodePoint - 0xD800) << 10) + (uint32(Source[Index + 1]) - 0xDC00);
			++Index;
		}
		else if (CodePoint >= 0xD800 && CodePoint <= 0xDFFF)
		{
			CodePoint = '?';
		}

		if (CodePoint < 0x80)
		{
			Out += char(CodePoint);
		}
		else if (CodePoint < 0x800)
		{
			Out += char(0xC0 | (CodePoint >> 6));
			Out += char(0x80 | (CodePoint & 0x3F));
		}
		else if (CodePoint < 0x10000)
		{
			Out += char(0xE0 | (CodePoint >> 12));
			Out += char(0x80 | ((CodePoint >> 6) & 0x3F));
			Out += char(0x80 | (CodePoint & 0x3F));
		}
		else
		{
			Out += char(0xF0 | (CodePoint >> 18));
			Out += char(0x80 | ((CodePoint >> 12) & 0x3F));
			Out += char(0x80 | ((CodePoint >> 6) & 0x3F));
			Out += char(0x80 | (CodePoint & 0x3F));
		}
	}
	return Out;
}

std::u16string UE::String::Private::Utf8ToUtf16(const ANSICHAR* Source, int32 Length)
{
	const unsigned char* Bytes = reinterpret_cast<const unsigned char*>(Source);
	std::u16string Out;
	Out.reserve(SIZE_T(Length));
	int32 Index = 0;
	while (Index < Length)
	{
		const uint32 Lead = Bytes[Index];
		int32 Extra = 0;
		uint32 CodePoint = 0;
		uint32 Minimum = 0;
		if (Lead < 0x80)
		{
			Out += char16_t(Lead);
			++Index;
			continue;
		}
		else if (Lead >= 0xC2 && Lead <= 0xDF)
		{
			Extra = 1;
			CodePoint = Lead & 0x1F;
			Minimum = 0x80;
		}
		else if (Lead >= 0xE0 && Lead <= 0xEF)
		{
			Extra = 2;
			CodePoint = Lead & 0x0F;
			Minimum = 0x800;
		}
		else if (Lead >= 0xF0 && Lead <= 0xF4)
		{
			Extra = 3;
			CodePoint = Lead & 0x07;
			Minimum = 0x10000;
		}
		else
		{
			Out += u'?';
			++Index;
			continue;
		}

		bool bValid = Index + Extra < Length;
		for (int32 Offset = 1; bValid && Offset <= Extra; ++Offset)
		{
			const uint32 Next = Bytes[Index + Offset];
			bValid = (Next & 0xC0) == 0x80;
			CodePoint = (CodePoint << 6) | (Next & 0x3F);
		}
		// Overlong forms, encoded surrogates and code points past U+10FFFF are not text.
		bValid = bValid && CodePoint >= Minimum && CodePoint <= 0x10FFFF && !(CodePoint >= 0xD800 && CodePoint <= 0xDFFF);
		if (!bValid)
		{
			Out += u'?';
			++Index;
			continue;
		}
		if (CodePoint >= 0x10000)
		{
			CodePoint -= 0x10000;
			Out += char16_t(0xD800 + (CodePoint >> 10));
			Out += char16_t(0xDC00 + (CodePoint & 0x3FF));
		}
		else
		{
			Out += char16_t(CodePoint);
		}
		Index += Extra + 1;
	}
	return Out;
}

namespace
{
	int32 Utf16Length(const TCHAR* Source)
	{
		int32 Length = 0;
		while (Source && Source[Length])
		{
			++Length;
		}
		return Length;
	}
}

FTCHARToUTF8::FTCHARToUTF8(const TCHAR* Source)
	: FTCHARToUTF8(Source, Utf16Length(Source))
{
}

FTCHARToUTF8::FTCHARToUTF8(const TCHAR* Source, int32 SourceLength)
	: Converted(Source ? UE::String::Private::Utf16ToUtf8(Source, SourceLength) : std::string())
{
}

FUTF8ToTCHAR::FUTF8ToTCHAR(const ANSICHAR* Source)
	: FUTF8ToTCHAR(Source, Source ? int32(std::strlen(Source)) : 0)
{
}

FUTF8ToTCHAR::FUTF8ToTCHAR(const ANSICHAR* Source, int32 SourceLength)
	: Converted(Source ? UE::String::Private::Utf8ToUtf16(Source, SourceLength) : std::u16string())
{
}
