#include "Runtime/HostRuntime.h"

#include "Containers/Ticker.h"
#include "HAL/PlatformTime.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace UE::Host::Private
{
	void AddClockOffset(double Seconds);
	void ResetClockOffset();
}

namespace
{
	std::atomic<FHostRuntime*> GRuntime{nullptr};
	// Held while work is handed to the runtime and while it detaches at shut-down, so that a
	// background thread never posts into a runtime that is being destroyed.
	std::mutex GRuntimeMutex;

	// The given folder (made if missing), or a new temporary one; with its Saved folder.
	FString MakeProjectDir(const FString& Given)
	{
		std::string Made;
		if (Given.IsEmpty())
		{
			std::string Template = (std::filesystem::temp_directory_path() / "kestrova-project-XXXXXX").string();
			check(mkdtemp(Template.data()) != nullptr);
			Made = Template;
		}
		else
		{
			Made = std::filesystem::absolute(std::filesystem::path(FTCHARToUTF8(*Given).Get())).lexically_normal().string();
		}
		std::filesystem::create_directories(std::filesystem::path(Made) / "Saved");
		while (Made.size() > 1 && Made.back() == '/')
		{
			Made.pop_back();
		}
		return FString(FUTF8ToTCHAR(Made.c_str()).Get()) + TEXT("/");
	}
}

FHostRuntime::FHostRuntime(int32 NumWorkers, const FString& InProjectDir)
	: GameThreadId(std::this_thread::get_id())
	, ProjectDir(MakeProjectDir(InProjectDir))
	, bTemporaryProject(InProjectDir.IsEmpty())
{
	FHostRuntime* Expected = nullptr;
	const bool bFirst = GRuntime.compare_exchange_strong(Expected, this);
	check(bFirst);
	LastTickSeconds = FPlatformTime::Seconds();
	for (int32 Index = 0; Index < NumWorkers; ++Index)
	{
		Workers.emplace_back([this] { WorkerLoop(); });
	}
}

FHostRuntime::~FHostRuntime()
{
	{
		std::lock_guard Detach(GRuntimeMutex);
		std::lock_guard Lock(GameMutex);
		bAcceptGameTasks = false;
	}
	{
		std::lock_guard Lock(WorkerMutex);
		bStopWorkers = true;
	}
	WorkerWake.notify_all();
	for (std::thread& Worker : Workers)
	{
		Worker.join();
	}
	// Game-thread work that was never run is dropped, as when the editor quits.
	std::deque<TUniqueFunction<void()>> Dropped;
	{
		std::lock_guard Lock(GameMutex);
		Dropped.swap(GameTasks);
	}
	Dropped.clear();
	FTSTicker::GetCoreTicker().Reset();
	UE::Host::Private::ResetClockOffset();
	if (bTemporaryProject)
	{
		std::error_code Ignored;
		std::filesystem::remove_all(std::filesystem::path(FTCHARToUTF8(*ProjectDir).Get()), Ignored);
	}
	std::lock_guard Detach(GRuntimeMutex);
	GRuntime.store(nullptr);
}

bool FHostRuntime::PostToGameThread(TUniqueFunction<void()> Task)
{
	return Post(&FHostRuntime::EnqueueGameThread, MoveTemp(Task));
}

bool FHostRuntime::PostToWorker(TUniqueFunction<void()> Task)
{
	return Post(&FHostRuntime::EnqueueWorker, MoveTemp(Task));
}

bool FHostRuntime::Post(void (FHostRuntime::*Enqueue)(TUniqueFunction<void()>), TUniqueFunction<void()> Task)
{
	std::lock_guard Lock(GRuntimeMutex);
	FHostRuntime* Runtime = GRuntime.load();
	if (Runtime == nullptr)
	{
		return false;
	}
	(Runtime->*Enqueue)(MoveTemp(Task));
	return true;
}

FHostRuntime* FHostRuntime::Get()
{
	return GRuntime.load();
}

void FHostRuntime::Tick()
{
	check(IsGameThread());
	std::deque<TUniqueFunction<void()>> Batch;
	{
		std::lock_guard Lock(GameMutex);
		Batch.swap(GameTasks);
	}
	for (TUniqueFunction<void()>& Task : Batch)
	{
		Task();
	}
	Batch.clear();

	const double Now = FPlatformTime::Seconds();
	const double DeltaTime = Now - LastTickSeconds;
	LastTickSeconds = Now;
	FTSTicker::GetCoreTicker().Tick(float(DeltaTime));
}

bool FHostRuntime::PumpUntil(TFunctionRef<bool()> Condition, double TimeoutSeconds)
{
	const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(TimeoutSeconds);
	while (true)
	{
		Tick();
		if (Condition())
		{
			return true;
		}
		if (std::chrono::steady_clock::now() >= Deadline)
		{
			return false;
		}
		std::unique_lock Lock(GameMutex);
		GameWake.wait_for(Lock, std::chrono::milliseconds(1), [this] { return !GameTasks.empty(); });
	}
}

void FHostRuntime::AdvanceClock(double Seconds)
{
	UE::Host::Private::AddClockOffset(Seconds);
}

void FHostRuntime::SetLaunchURLHandler(TFunction<void(const FString&)> Handler)
{
	std::lock_guard Lock(HandlerMutex);
	LaunchURLHandler = MoveTemp(Handler);
}

void FHostRuntime::LaunchURL(const FString& URL)
{
	TFunction<void(const FString&)> Handler;
	{
		std::lock_guard Lock(HandlerMutex);
		Handler = LaunchURLHandler;
	}
	if (Handler)
	{
		Handler(URL);
	}
}

void FHostRuntime::EnqueueGameThread(TUniqueFunction<void()> Task)
{
	{
		std::lock_guard Lock(GameMutex);
		if (!bAcceptGameTasks)
		{
			return;
		}
		GameTasks.push_back(MoveTemp(Task));
	}
	GameWake.notify_one();
}

void FHostRuntime::EnqueueWorker(TUniqueFunction<void()> Task)
{
	{
		// Accepted while stopping too: the workers drain the queue before they exit.
		std::lock_guard Lock(WorkerMutex);
		WorkerTasks.push_back(MoveTemp(Task));
	}
	WorkerWake.notify_one();
}

int32 FHostRuntime::NumQueuedGameThreadTasks()
{
	std::lock_guard Lock(GameMutex);
	return int32(GameTasks.size());
}

void FHostRuntime::WorkerLoop()
{
	while (true)
	{
		TUniqueFunction<void()> Task;
		{
			std::unique_lock Lock(WorkerMutex);
			WorkerWake.wait(Lock, [this] { return bStopWorkers || !WorkerTasks.empty(); });
			// Queued work still runs at shut-down, so that no job is left half-done.
			if (WorkerTasks.empty())
			{
				return;
			}
			Task = MoveTemp(WorkerTasks.front());
			WorkerTasks.pop_front();
		}
		Task();
	}
}
