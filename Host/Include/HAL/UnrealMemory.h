#pragma once

#include "CoreTypes.h"

#include <cstdlib>
#include <cstring>

// The engine's memory functions, on the C library's.
struct FMemory
{
	static void* Memcpy(void* Dest, const void* Src, SIZE_T Count) { return Count == 0 ? Dest : std::memcpy(Dest, Src, Count); }
	static void* Memmove(void* Dest, const void* Src, SIZE_T Count) { return Count == 0 ? Dest : std::memmove(Dest, Src, Count); }
	static int32 Memcmp(const void* Buf1, const void* Buf2, SIZE_T Count) { return Count == 0 ? 0 : std::memcmp(Buf1, Buf2, Count); }
	static void* Memset(void* Dest, uint8 Char, SIZE_T Count) { return Count == 0 ? Dest : std::memset(Dest, Char, Count); }
	static void* Memzero(void* Dest, SIZE_T Count) { return Memset(Dest, 0, Count); }
	static void* Malloc(SIZE_T Count) { return std::malloc(Count == 0 ? 1 : Count); }
	static void* Realloc(void* Original, SIZE_T Count) { return std::realloc(Original, Count == 0 ? 1 : Count); }
	static void Free(void* Original) { std::free(Original); }
};
