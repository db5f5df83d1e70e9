#pragma once

#include "CoreTypes.h"

namespace ETimespan
{
	inline constexpr int64 TicksPerSecond = 10000000;
	inline constexpr int64 TicksPerMillisecond = 10000;
	inline constexpr int64 TicksPerDay = 864000000000;
}

struct FTimespan
{
	FTimespan() = default;
	explicit FTimespan(int64 InTicks) : Ticks(InTicks) {}
	static FTimespan FromSeconds(double Seconds) { return FTimespan(int64(Seconds * ETimespan::TicksPerSecond)); }
	double GetTotalSeconds() const { return double(Ticks) / ETimespan::TicksPerSecond; }
	int64 GetTicks() const { return Ticks; }

	int64 Ticks = 0;
};
