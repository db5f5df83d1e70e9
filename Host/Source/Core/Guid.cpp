#include "Misc/Guid.h"

#include <random>

FGuid FGuid::NewGuid()
{
	// A version-4 style random identifier from the system's entropy source.
	thread_local std::mt19937_64 Generator([]
	{
		std::random_device Device;
		std::seed_seq Seed{Device(), Device(), Device(), Device(), Device(), Device(), Device(), Device()};
		return std::mt19937_64(Seed);
	}());
	FGuid Guid;
	do
	{
		const uint64 High = Generator();
		const uint64 Low = Generator();
		Guid = FGuid(uint32(High >> 32), uint32(High), uint32(Low >> 32), uint32(Low));
	} while (!Guid.IsValid());
	return Guid;
}

FString FGuid::ToString(EGuidFormats Format) const
{
	switch (Format)
	{
	case EGuidFormats::DigitsLower:
		return FString::Printf(TEXT("%08x%08x%08x%08x"), A, B, C, D);
	case EGuidFormats::DigitsWithHyphens:
		return FString::Printf(TEXT("%08X-%04X-%04X-%04X-%04X%08X"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensLower:
		return FString::Printf(TEXT("%08x-%04x-%04x-%04x-%04x%08x"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInBraces:
		return FString::Printf(TEXT("{%08X-%04X-%04X-%04X-%04X%08X}"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInParentheses:
		return FString::Printf(TEXT("(%08X-%04X-%04X-%04X-%04X%08X)"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	default:
		return FString::Printf(TEXT("%08X%08X%08X%08X"), A, B, C, D);
	}
}
