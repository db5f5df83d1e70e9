#include "Async/Async.h"
#include "CoreGlobals.h"

#include "Runtime/HostRuntime.h"

void UE::Core::Private::EnqueueGameThreadTask(TUniqueFunction<void()> Function)
{
	FHostRuntime* Runtime = FHostRuntime::Get();
	check(Runtime != nullptr);
	Runtime->EnqueueGameThread(MoveTemp(Function));
}

void UE::Core::Private::EnqueueWorkerTask(TUniqueFunction<void()> Function)
{
	FHostRuntime* Runtime = FHostRuntime::Get();
	check(Runtime != nullptr);
	Runtime->EnqueueWorker(MoveTemp(Function));
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
