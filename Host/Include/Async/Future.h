#pragma once

#include "CoreTypes.h"

#include <chrono>
#include <future>

// The result of an asynchronous call; Get waits for it.
template <typename ResultType>
class TFuture
{
public:
	TFuture() = default;
	explicit TFuture(std::shared_future<ResultType> InFuture) : Future(std::move(InFuture)) {}

	bool IsValid() const { return Future.valid(); }
	bool IsReady() const { return Future.valid() && Future.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }
	void Wait() const { Future.wait(); }
	bool WaitFor(double Seconds) const { return Future.wait_for(std::chrono::duration<double>(Seconds)) == std::future_status::ready; }
	decltype(auto) Get() const { return Future.get(); }

private:
	std::shared_future<ResultType> Future;
};
