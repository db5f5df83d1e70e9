// kva-bench-send PORT AUTHORITY_FILE URL OUTPUT BYTES: downloads URL into OUTPUT with Send,
// routed to the local service, and prints "seconds peak_rss_growth_bytes received".
#include "BenchSupport.h"

#include "Platform/Transport.h"

#include "Runtime/HostRuntime.h"
#include "SslModule.h"

#include <cstdio>
#include <fstream>
#include <future>

int main(int ArgumentCount, char** Arguments)
{
	if (ArgumentCount != 6)
	{
		std::fprintf(stderr, "usage: kva-bench-send PORT AUTHORITY_FILE URL OUTPUT BYTES\n");
		return 2;
	}
	// The calling thread becomes the game thread, which sends; the editor has loaded its SSL
	// module long before, so its certificate store is not part of the measurement.
	FHostRuntime Runtime(1);
	FSslModule::Get();
	KVAPlatform::SetRouting(static_cast<uint16_t>(std::stoul(Arguments[1])), KVABench::ReadAll(Arguments[2]));

	KVAPlatform::Request Req;
	Req.Method = "GET";
	Req.Url = Arguments[3];
	Req.OutputPath = Arguments[4];
	Req.Role = KVAPlatform::URLRole::Package;
	Req.MaxBytes = std::stoull(Arguments[5]);

	// Peak RSS from here on: reset the high-water mark to the current size.
	std::ofstream("/proc/self/clear_refs") << "5";
	const uint64_t Before = KVABench::StatusBytes("VmRSS");
	std::promise<KVAPlatform::Reply> Done;
	const double Start = KVABench::Now();
	KVAPlatform::Send(std::move(Req), std::make_shared<KVAPlatform::Cancel>(), [&Done](KVAPlatform::Reply Rep) { Done.set_value(std::move(Rep)); });
	const KVAPlatform::Reply Rep = Done.get_future().get();
	const double Seconds = KVABench::Now() - Start;
	const uint64_t Peak = KVABench::StatusBytes("VmHWM");
	if (!Rep.Error.empty())
	{
		std::fprintf(stderr, "kva-bench-send: %s\n", Rep.Error.c_str());
		return 1;
	}
	std::printf("%.6f %llu %llu\n", Seconds, static_cast<unsigned long long>(Peak > Before ? Peak - Before : 0), static_cast<unsigned long long>(Rep.Received));
	return 0;
}
