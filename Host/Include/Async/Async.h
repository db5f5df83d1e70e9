#pragma once

#include "CoreTypes.h"
#include "Async/Future.h"
#include "Async/TaskGraphInterfaces.h"
#include "Templates/Function.h"

#include <future>
#include <memory>
#include <type_traits>

enum class EAsyncExecution
{
	TaskGraph,
	TaskGraphMainThread,
	Thread,
	ThreadIfForkSafe,
	ThreadPool,
	LargeThreadPool
};

namespace UE::Core::Private
{
	// Queues work for the game thread (run by the host loop) or a worker thread.
	void EnqueueGameThreadTask(TUniqueFunction<void()> Function);
	void EnqueueWorkerTask(TUniqueFunction<void()> Function);
}

// Runs Function on the given thread: GameThread queues it for the game thread's loop, any
// other value runs it on a worker thread.
void AsyncTask(ENamedThreads::Type Thread, TUniqueFunction<void()> Function);

template <typename CallableType>
auto Async(EAsyncExecution Execution, CallableType&& Callable, TUniqueFunction<void()> CompletionCallback = nullptr)
	-> TFuture<std::invoke_result_t<std::decay_t<CallableType>&>>
{
	using ResultType = std::invoke_result_t<std::decay_t<CallableType>&>;
	auto Promise = std::make_shared<std::promise<ResultType>>();
	TFuture<ResultType> Future(Promise->get_future().share());
	TUniqueFunction<void()> Task =
		[Promise, Function = std::decay_t<CallableType>(std::forward<CallableType>(Callable)), Completion = std::move(CompletionCallback)]() mutable
	{
		if constexpr (std::is_void_v<ResultType>)
		{
			Function();
			Promise->set_value();
		}
		else
		{
			Promise->set_value(Function());
		}
		if (Completion)
		{
			Completion();
		}
	};
	if (Execution == EAsyncExecution::TaskGraphMainThread)
	{
		UE::Core::Private::EnqueueGameThreadTask(std::move(Task));
	}
	else
	{
		UE::Core::Private::EnqueueWorkerTask(std::move(Task));
	}
	return Future;
}
