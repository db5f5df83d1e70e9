#pragma once

#include <cstddef>
#include <cstdint>

// Fixed-width types and character types as the engine defines them on macOS and Linux:
// TCHAR is a 16-bit UTF-16 code unit and TEXT("x") is u"x".
typedef std::uint8_t uint8;
typedef std::uint16_t uint16;
typedef std::uint32_t uint32;
typedef std::uint64_t uint64;
typedef std::int8_t int8;
typedef std::int16_t int16;
typedef std::int32_t int32;
typedef std::int64_t int64;
typedef std::size_t SIZE_T;
typedef std::intptr_t PTRINT;
typedef std::uintptr_t UPTRINT;

typedef char ANSICHAR;
typedef char16_t WIDECHAR;
typedef char8_t UTF8CHAR;
typedef char16_t UTF16CHAR;
typedef char32_t UTF32CHAR;
typedef char16_t TCHAR;
typedef decltype(nullptr) TYPE_OF_NULLPTR;

#define TEXT_PASTE(x) u ## x
#define TEXT(x) TEXT_PASTE(x)

#define FORCEINLINE inline
#define FORCENOINLINE __attribute__((noinline))
#define UE_NODISCARD [[nodiscard]]
#define UE_NODISCARD_CTOR [[nodiscard]]
#define LINE_TERMINATOR TEXT("\n")
#define LINE_TERMINATOR_ANSI "\n"

#define PLATFORM_MAC 0
#define PLATFORM_LINUX 1
#define PLATFORM_WINDOWS 0
#define WITH_EDITOR 1

enum { INDEX_NONE = -1 };

enum EForceInit
{
	ForceInit,
	ForceInitToZero
};
