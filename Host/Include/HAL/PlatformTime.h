#pragma once

#include "CoreTypes.h"

// The monotonic clock in seconds. The host adds a test offset so that waits of seconds
// can be tested without sleeping.
struct FPlatformTime
{
	static double Seconds();
	static uint32 Cycles();
	static uint64 Cycles64();
	static double GetSecondsPerCycle() { return 1e-9; }
};
