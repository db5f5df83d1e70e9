#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Misc/Timespan.h"

// A point in time in 100-nanosecond ticks since midnight, January 1, 0001. UtcNow reads
// the system clock plus the host's test offset; Now is the same instant in local time (the
// time zone and daylight saving rules of the TZ setting).
struct FDateTime
{
	FDateTime() = default;
	explicit FDateTime(int64 InTicks) : Ticks(InTicks) {}
	FDateTime(int32 Year, int32 Month, int32 Day, int32 Hour = 0, int32 Minute = 0, int32 Second = 0, int32 Millisecond = 0);

	static FDateTime UtcNow();
	static FDateTime Now();
	static FDateTime FromUnixTimestamp(int64 UnixTime);

	int64 ToUnixTimestamp() const;
	int64 GetTicks() const { return Ticks; }
	FString ToIso8601() const;

	FTimespan operator-(const FDateTime& Other) const { return FTimespan(Ticks - Other.Ticks); }
	FDateTime operator+(const FTimespan& Span) const { return FDateTime(Ticks + Span.Ticks); }
	bool operator==(const FDateTime& Other) const { return Ticks == Other.Ticks; }
	bool operator<(const FDateTime& Other) const { return Ticks < Other.Ticks; }
	bool operator>(const FDateTime& Other) const { return Ticks > Other.Ticks; }

private:
	int64 Ticks = 0;
};
