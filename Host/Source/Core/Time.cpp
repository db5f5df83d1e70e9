#include "HAL/PlatformTime.h"
#include "Misc/DateTime.h"

#include <atomic>
#include <chrono>
#include <ctime>

namespace UE::Host::Private
{
	std::atomic<double> GClockOffset{0.0};

	void AddClockOffset(double Seconds)
	{
		double Current = GClockOffset.load();
		while (!GClockOffset.compare_exchange_weak(Current, Current + Seconds))
		{
		}
	}

	void ResetClockOffset()
	{
		GClockOffset.store(0.0);
	}
}

namespace
{
	// Ticks from 0001-01-01 to 1970-01-01.
	constexpr int64 UnixEpochTicks = 621355968000000000;

	int64 DaysFromCivil(int64 Year, int64 Month, int64 Day)
	{
		// Days since 1970-01-01 in the proleptic Gregorian calendar.
		Year -= Month <= 2;
		const int64 Era = (Year >= 0 ? Year : Year - 399) / 400;
		const int64 YearOfEra = Year - Era * 400;
		const int64 DayOfYear = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
		const int64 DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
		return Era * 146097 + DayOfEra - 719468;
	}
}

double FPlatformTime::Seconds()
{
	const auto Since = std::chrono::steady_clock::now().time_since_epoch();
	return std::chrono::duration<double>(Since).count() + UE::Host::Private::GClockOffset.load();
}

uint32 FPlatformTime::Cycles()
{
	return uint32(Cycles64());
}

uint64 FPlatformTime::Cycles64()
{
	return uint64(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
}

FDateTime::FDateTime(int32 Year, int32 Month, int32 Day, int32 Hour, int32 Minute, int32 Second, int32 Millisecond)
{
	const int64 Days = DaysFromCivil(Year, Month, Day);
	Ticks = UnixEpochTicks + Days * ETimespan::TicksPerDay
		+ (int64(Hour) * 3600 + int64(Minute) * 60 + Second) * ETimespan::TicksPerSecond
		+ int64(Millisecond) * ETimespan::TicksPerMillisecond;
}

FDateTime FDateTime::UtcNow()
{
	const auto Since = std::chrono::system_clock::now().time_since_epoch();
	const int64 Nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(Since).count();
	const int64 OffsetTicks = int64(UE::Host::Private::GClockOffset.load() * ETimespan::TicksPerSecond);
	return FDateTime(UnixEpochTicks + Nanoseconds / 100 + OffsetTicks);
}

FDateTime FDateTime::Now()
{
	const FDateTime Utc = UtcNow();
	const time_t Seconds = time_t(Utc.ToUnixTimestamp());
	tm Local {};
	localtime_r(&Seconds, &Local);
	return Utc + FTimespan(int64(Local.tm_gmtoff) * ETimespan::TicksPerSecond);
}

FDateTime FDateTime::FromUnixTimestamp(int64 UnixTime)
{
	return FDateTime(UnixEpochTicks + UnixTime * ETimespan::TicksPerSecond);
}

int64 FDateTime::ToUnixTimestamp() const
{
	return (Ticks - UnixEpochTicks) / ETimespan::TicksPerSecond;
}

FString FDateTime::ToIso8601() const
{
	const int64 Unix = ToUnixTimestamp();
	int64 Days = Unix / 86400;
	int64 Rest = Unix % 86400;
	if (Rest < 0)
	{
		Rest += 86400;
		--Days;
	}
	// Civil date from days since 1970-01-01.
	const int64 Z = Days + 719468;
	const int64 Era = (Z >= 0 ? Z : Z - 146096) / 146097;
	const int64 DayOfEra = Z - Era * 146097;
	const int64 YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
	const int64 DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
	const int64 MonthPart = (5 * DayOfYear + 2) / 153;
	const int64 Day = DayOfYear - (153 * MonthPart + 2) / 5 + 1;
	const int64 Month = MonthPart + (MonthPart < 10 ? 3 : -9);
	const int64 Year = YearOfEra + Era * 400 + (Month <= 2);
	return FString::Printf(TEXT("%04lld-%02lld-%02lldT%02lld:%02lld:%02lld.000Z"), Year, Month, Day, Rest / 3600, (Rest / 60) % 60, Rest % 60);
}
