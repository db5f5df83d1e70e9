#pragma once

#include "CoreMinimal.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// The editor stand-in's process: the thread that creates it becomes the game thread; it owns
// a project folder (with its Saved folder), the worker pool behind Async, the queue of
// game-thread tasks, the core ticker's clock and the test clock. Destroying it joins every
// worker and removes the project folder if it was a temporary one. One exists at a time.
class FHostRuntime
{
public:
	// Without a project folder, a new temporary one is made and removed again at the end.
	explicit FHostRuntime(int32 NumWorkers = 4, const FString& InProjectDir = FString());
	~FHostRuntime();
	FHostRuntime(const FHostRuntime&) = delete;
	FHostRuntime& operator=(const FHostRuntime&) = delete;

	static FHostRuntime* Get();

	// One frame: runs the game-thread tasks queued so far, in order, then the core ticker.
	void Tick();
	// Ticks until Condition holds or TimeoutSeconds of real time have passed; true if it held.
	bool PumpUntil(TFunctionRef<bool()> Condition, double TimeoutSeconds = 10.0);
	// Moves the test clock: FPlatformTime::Seconds, FDateTime::UtcNow and the core ticker
	// all see the same jump.
	void AdvanceClock(double Seconds);

	const FString& GetProjectDir() const { return ProjectDir; }
	bool IsGameThread() const { return std::this_thread::get_id() == GameThreadId; }

	// What FPlatformProcess::LaunchURL does: the demo approves a sign-in, tests record.
	void SetLaunchURLHandler(TFunction<void(const FString&)> Handler);
	void LaunchURL(const FString& URL);

	// From any thread: hand work to the running host, if there is one (false when none).
	static bool PostToGameThread(TUniqueFunction<void()> Task);
	static bool PostToWorker(TUniqueFunction<void()> Task);

	void EnqueueGameThread(TUniqueFunction<void()> Task);
	void EnqueueWorker(TUniqueFunction<void()> Task);
	int32 NumQueuedGameThreadTasks();

private:
	static bool Post(void (FHostRuntime::*Enqueue)(TUniqueFunction<void()>), TUniqueFunction<void()> Task);
	void WorkerLoop();

	std::thread::id GameThreadId;
	FString ProjectDir;
	bool bTemporaryProject = true;
	double LastTickSeconds = 0;

	std::mutex GameMutex;
	std::condition_variable GameWake;
	std::deque<TUniqueFunction<void()>> GameTasks;
	bool bAcceptGameTasks = true;

	std::mutex WorkerMutex;
	std::condition_variable WorkerWake;
	std::deque<TUniqueFunction<void()>> WorkerTasks;
	bool bStopWorkers = false;
	std::vector<std::thread> Workers;

	std::mutex HandlerMutex;
	TFunction<void(const FString&)> LaunchURLHandler;
};
