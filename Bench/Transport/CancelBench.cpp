// kva-bench-cancel: the worst of 20 cancel latencies (flag set until reply delivered) during a
// stalled download and during a fast one, against the local service in this process.
// Prints "stalled_worst_seconds fast_worst_seconds".
#include "BenchSupport.h"

#include "KestrovaService/Service.h"
#include "Platform/Transport.h"
#include "Runtime/HostRuntime.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <future>
#include <random>
#include <thread>
#include <unistd.h>

namespace
{
	constexpr uint64_t MiB = 1 << 20;

	// One transfer: wait until the body is flowing (first progress report), wait a random part
	// of the poll interval so the flag lands anywhere in it, then cancel and time the reply.
	double CancelLatency(const std::string& Path, const std::string& Output, std::mt19937& Random)
	{
		auto Flowing = std::make_shared<std::promise<void>>();
		auto bSignalled = std::make_shared<std::atomic<bool>>(false);
		auto Flag = std::make_shared<KVAPlatform::Cancel>();
		KVAPlatform::Request Req;
		Req.Method = "GET";
		Req.Url = "https://content.kestrova.example" + Path;
		Req.Role = KVAPlatform::URLRole::Package;
		Req.OutputPath = Output;
		Req.MaxBytes = 1ull << 40;
		Req.Progress = [Flowing, bSignalled](uint64_t)
		{
			if (!bSignalled->exchange(true))
			{
				Flowing->set_value();
			}
		};
		std::promise<KVAPlatform::Reply> Done;
		std::future<KVAPlatform::Reply> Reply = Done.get_future();
		KVAPlatform::Send(std::move(Req), Flag, [&Done](KVAPlatform::Reply Rep) { Done.set_value(std::move(Rep)); });
		if (Flowing->get_future().wait_for(std::chrono::seconds(30)) != std::future_status::ready)
		{
			return 1e9;
		}
		std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 150'000)(Random)));
		const double Start = KVABench::Now();
		Flag->bCanceled = true;
		if (Reply.wait_for(std::chrono::seconds(30)) != std::future_status::ready)
		{
			return 1e9;
		}
		const double Latency = KVABench::Now() - Start;
		std::filesystem::remove(Output);
		return Reply.get().Error == "canceled" ? Latency : 1e9;
	}
}

int main()
{
	// The calling thread becomes the game thread, which sends.
	FHostRuntime Runtime(1);
	KVAService::FService Service;
	if (!Service.Start())
	{
		std::fprintf(stderr, "kva-bench-cancel: the service did not start\n");
		return 1;
	}
	KVAPlatform::SetRouting(Service.Port(), Service.AuthorityPem());

	KVAService::FReply Stalled;
	Stalled.PatternLength = 64 * MiB;
	Stalled.bChunked = true;
	Stalled.ChunkBytes = 2 * MiB;
	Stalled.ChunkDelay = std::chrono::milliseconds(600'000);
	Service.Script("/stalled", Stalled);
	KVAService::FReply Fast;
	Fast.PatternLength = 1ull << 40;
	Service.Script("/fast", Fast);

	const std::string Output = (std::filesystem::temp_directory_path() / ("kva-bench-cancel-" + std::to_string(getpid()))).string();
	std::mt19937 Random(7);
	double WorstStalled = 0;
	double WorstFast = 0;
	for (int Round = 0; Round < 20; ++Round)
	{
		WorstStalled = std::max(WorstStalled, CancelLatency("/stalled", Output, Random));
		WorstFast = std::max(WorstFast, CancelLatency("/fast", Output, Random));
	}
	std::filesystem::remove(Output);
	Service.Stop();
	std::printf("%.6f %.6f\n", WorstStalled, WorstFast);
	return 0;
}
