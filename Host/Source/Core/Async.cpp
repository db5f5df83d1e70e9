#include "Async/Async.h"
#include "CoreGlobals.h"

#include "Runtime/HostRuntime.h"

void UE::Core::Private::EnqueueGameThreadTask(TUniqueFunction<void()> Function)
{
	// Once the host has shut down there is no game thread left to run the work: a late
	// result from a background thread is dropped, as it would be after the editor quit.
	FHostRuntime::PostToGameThread(MoveTemp(Function));
}

void UE::Core::Private::EnqueueWorkerTask(TUniqueFunction<void()> Function)
{
	const bool bPosted = FHostRuntime::PostToWorker(MoveTemp(Function));
	check(bPosted);
}

void AsyncTask(ENamedThreads::Type Thread, TUniqueFunction<void()> Function)
{
	if (Thread == ENamedThreads::GameThread)
	{
		UE::Core::Private::EnqueueGameThreadTask(MoveTemp(Function));
	}
	else
	{
		UE::Core::Private::EnqueueWorkerTask(MoveTemp(Function));
	}
}

bool IsInGameThread()
{
	FHostRuntime* Runtime = FHostRuntime::Get();
	return Runtime != nullptr && Runtime->IsGameThread();
}
