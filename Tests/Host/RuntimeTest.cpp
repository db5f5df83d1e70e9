#include "Async/Async.h"
#include "Containers/Ticker.h"
#include "CoreMinimal.h"
#include "HAL/PlatformProcess.h"
#include "HAL/PlatformTime.h"
#include "Misc/Paths.h"
#include "Runtime/HostRuntime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <filesystem>
#include <mutex>

namespace
{
	int32 CountThreads()
	{
		int32 Count = 0;
		for (const auto& Entry : std::filesystem::directory_iterator("/proc/self/task"))
		{
			(void)Entry;
			++Count;
		}
		return Count;
	}

	class HostRuntimeTest : public ::testing::Test
	{
	protected:
		FHostRuntime Host;
	};
}

TEST_F(HostRuntimeTest, WorkFromWorkersReachesTheGameThreadInOrderAndOnlyThere)
{
	constexpr int32 NumProducers = 4;
	constexpr int32 PerProducer = 200;
	TArray<TArray<int32>> Received;
	Received.SetNum(NumProducers);
	int32 OffGameThread = 0;
	std::atomic<int32> WorkerOnGameThread{0};

	for (int32 Producer = 0; Producer < NumProducers; ++Producer)
	{
		Async(EAsyncExecution::ThreadPool, [Producer, &Received, &OffGameThread, &WorkerOnGameThread]
		{
			WorkerOnGameThread += IsInGameThread() ? 1 : 0;
			for (int32 Sequence = 0; Sequence < PerProducer; ++Sequence)
			{
				AsyncTask(ENamedThreads::GameThread, [Producer, Sequence, &Received, &OffGameThread]
				{
					OffGameThread += IsInGameThread() ? 0 : 1;
					Received[Producer].Add(Sequence);
				});
			}
		});
	}
	// Nothing reaches the game thread before it ticks.
	EXPECT_EQ(Received[0].Num(), 0);
	ASSERT_TRUE(Host.PumpUntil([&] {
		int32 Total = 0;
		for (const TArray<int32>& List : Received)
		{
			Total += List.Num();
		}
		return Total == NumProducers * PerProducer;
	}));
	EXPECT_EQ(OffGameThread, 0);
	EXPECT_EQ(WorkerOnGameThread.load(), 0);
	EXPECT_TRUE(IsInGameThread());
	for (const TArray<int32>& List : Received)
	{
		for (int32 Index = 0; Index < List.Num(); ++Index)
		{
			ASSERT_EQ(List[Index], Index);
		}
	}
}

TEST_F(HostRuntimeTest, AsyncReturnsTheResultThroughItsFuture)
{
	TFuture<int32> Future = Async(EAsyncExecution::ThreadPool, [] { return 6 * 7; });
	EXPECT_EQ(Future.Get(), 42);
}

TEST_F(HostRuntimeTest, TickerDelaysRearmingAndRemoval)
{
	FTSTicker& Ticker = FTSTicker::GetCoreTicker();
	int32 OneShot = 0;
	int32 Repeating = 0;
	int32 Removed = 0;
	int32 SelfRemoving = 0;
	int32 NextFrame = 0;

	Ticker.AddTicker(FTickerDelegate::CreateLambda([&](float) { ++OneShot; return false; }), 5.0f);
	Ticker.AddTicker(FTickerDelegate::CreateLambda([&](float) { ++Repeating; return true; }), 2.0f);
	FTSTicker::FDelegateHandle Pending = Ticker.AddTicker(FTickerDelegate::CreateLambda([&](float) { ++Removed; return false; }), 1.0f);
	FTSTicker::FDelegateHandle Self;
	Self = Ticker.AddTicker(FTickerDelegate::CreateLambda([&](float)
	{
		++SelfRemoving;
		FTSTicker::RemoveTicker(Self);
		return true; // asks to run again, but it removed itself
	}), 1.0f);
	Ticker.AddTicker(TEXT("NextFrame"), 0.0f, [&](float) { ++NextFrame; return false; });

	FTSTicker::RemoveTicker(Pending);
	Host.Tick();
	EXPECT_EQ(NextFrame, 1);
	Host.AdvanceClock(1.5);
	Host.Tick();
	EXPECT_EQ(SelfRemoving, 1);
	EXPECT_EQ(Removed, 0);
	EXPECT_EQ(Repeating, 0);
	Host.AdvanceClock(1.0); // t = 2.5
	Host.Tick();
	EXPECT_EQ(Repeating, 1);
	Host.AdvanceClock(2.4); // t = 4.9: the one-shot is not due yet
	Host.Tick();
	EXPECT_EQ(OneShot, 0);
	EXPECT_EQ(Repeating, 2);
	Host.AdvanceClock(0.2); // t = 5.1
	Host.Tick();
	EXPECT_EQ(OneShot, 1);
	Host.AdvanceClock(10.0);
	Host.Tick(); // one fire per frame at most, however long the frame
	Host.Tick();
	EXPECT_EQ(OneShot, 1);
	EXPECT_EQ(Repeating, 3);
	EXPECT_EQ(SelfRemoving, 1);
	EXPECT_EQ(Removed, 0);
	EXPECT_EQ(NextFrame, 1);
	EXPECT_FALSE(Self.Pin().IsValid());
}

TEST_F(HostRuntimeTest, TickerAddedDuringATickWaitsForTheNextFrame)
{
	int32 Inner = 0;
	FTSTicker::GetCoreTicker().AddTicker(TEXT("Outer"), 0.0f, [&](float)
	{
		FTSTicker::GetCoreTicker().AddTicker(TEXT("Inner"), 0.0f, [&](float) { ++Inner; return false; });
		return false;
	});
	Host.Tick();
	EXPECT_EQ(Inner, 0);
	Host.Tick();
	EXPECT_EQ(Inner, 1);
}

TEST_F(HostRuntimeTest, TestClockMovesEveryClockTogether)
{
	const double Seconds = FPlatformTime::Seconds();
	const int64 Unix = FDateTime::UtcNow().ToUnixTimestamp();
	bool bFired = false;
	FTSTicker::GetCoreTicker().AddTicker(TEXT("Hour"), 3600.0f, [&](float) { bFired = true; return false; });
	Host.Tick();
	EXPECT_FALSE(bFired);

	Host.AdvanceClock(3600.0);
	EXPECT_NEAR(FPlatformTime::Seconds() - Seconds, 3600.0, 5.0);
	EXPECT_NEAR(double(FDateTime::UtcNow().ToUnixTimestamp() - Unix), 3600.0, 5.0);
	Host.Tick();
	EXPECT_TRUE(bFired);
}

TEST(HostRuntime, DateTimeUnixTimestamps)
{
	EXPECT_EQ(FDateTime(1970, 1, 1).ToUnixTimestamp(), 0);
	EXPECT_EQ(FDateTime(2026, 12, 8, 9, 30, 15).ToUnixTimestamp(), 1796722215);
	EXPECT_EQ(FDateTime::FromUnixTimestamp(1796722215).ToIso8601(), TEXT("2026-12-08T09:30:15.000Z"));
	// Fractions of a second are dropped.
	EXPECT_EQ(FDateTime(FDateTime(2000, 1, 1).GetTicks() + 9999999).ToUnixTimestamp(), FDateTime(2000, 1, 1).ToUnixTimestamp());
}

TEST(HostRuntime, NowIsLocalTimeOfTheTimeZone)
{
	const char* const Saved = std::getenv("TZ");
	const std::string Before = Saved ? Saved : "";
	const struct
	{
		const char* Zone;
		int64 OffsetSeconds;
	} Cases[] = {
		{ "UTC0", 0 },
		{ "KVA-3", 3 * 3600 },
		{ "KVA+5:30", -(5 * 3600 + 1800) },
		{ "KVA-14", 14 * 3600 },
	};
	for (const auto& Case : Cases)
	{
		setenv("TZ", Case.Zone, 1);
		tzset();
		const int64 Offset = FDateTime::Now().ToUnixTimestamp() - FDateTime::UtcNow().ToUnixTimestamp();
		EXPECT_NEAR(double(Offset), double(Case.OffsetSeconds), 2.0) << Case.Zone;
	}
	if (Saved)
	{
		setenv("TZ", Before.c_str(), 1);
	}
	else
	{
		unsetenv("TZ");
	}
	tzset();
}

TEST(HostRuntime, ShutdownJoinsEveryThreadAndRemovesTheProject)
{
	const int32 Before = CountThreads();
	std::filesystem::path Project;
	TArray<FString> Launched;
	{
		FHostRuntime Host(6);
		Project = std::filesystem::path(TCHAR_TO_UTF8(*FPaths::ProjectDir()));
		EXPECT_TRUE(std::filesystem::is_directory(Project / "Saved"));
		EXPECT_TRUE(FPaths::ProjectSavedDir().EndsWith(TEXT("/Saved/")));
		EXPECT_GT(CountThreads(), Before);
		std::atomic<int32> Done{0};
		for (int32 Index = 0; Index < 20; ++Index)
		{
			Async(EAsyncExecution::ThreadPool, [&Done] { ++Done; });
		}
		Host.SetLaunchURLHandler([&Launched](const FString& URL) { Launched.Add(URL); });
		FPlatformProcess::LaunchURL(TEXT("https://api.kestrova.example/connect/unreal?a=1"), nullptr, nullptr);
		ASSERT_TRUE(Host.PumpUntil([&] { return Done.load() == 20; }));
		// Game-thread work still queued at shut-down is dropped, never run late.
		AsyncTask(ENamedThreads::GameThread, [&Launched] { Launched.Add(TEXT("late")); });
	}
	EXPECT_EQ(CountThreads(), Before);
	EXPECT_FALSE(std::filesystem::exists(Project));
	EXPECT_EQ(Launched, (TArray<FString>{TEXT("https://api.kestrova.example/connect/unreal?a=1")}));
	EXPECT_FALSE(IsInGameThread());
}
