// kestrova-service [--blob BYTES]: runs the local Kestrova membership service with its fixtures
// until stdin closes or a signal arrives. Prints "port N" and "authority PATH" once listening.
// With --blob, the content host also serves GET /blob as BYTES pattern bytes (for benchmarks).
#include "KestrovaService/Membership.h"
#include "KestrovaService/Service.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <thread>
#include <unistd.h>

int main(int ArgumentCount, char** Arguments)
{
	std::optional<uint64_t> BlobBytes;
	for (int Index = 1; Index < ArgumentCount; ++Index)
	{
		if (std::strcmp(Arguments[Index], "--blob") == 0 && Index + 1 < ArgumentCount)
		{
			BlobBytes = std::strtoull(Arguments[++Index], nullptr, 10);
		}
		else
		{
			std::fprintf(stderr, "usage: kestrova-service [--blob BYTES]\n");
			return 2;
		}
	}

	// Signals are taken by sigwait below, so every thread started from here blocks them.
	sigset_t Signals;
	sigemptyset(&Signals);
	sigaddset(&Signals, SIGINT);
	sigaddset(&Signals, SIGTERM);
	sigaddset(&Signals, SIGHUP);
	pthread_sigmask(SIG_BLOCK, &Signals, nullptr);

	KVAService::FService Service;
	if (!Service.Start())
	{
		std::fprintf(stderr, "kestrova-service: could not start\n");
		return 1;
	}
	// The whole membership service with its fixtures answers on the service hosts.
	KVAService::FMembership Membership(Service);
	if (BlobBytes)
	{
		Service.Route("content.kestrova.example", "GET", "/blob", [Bytes = *BlobBytes](const KVAService::FRequestRecord&)
		{
			KVAService::FReply Reply;
			Reply.Headers.emplace_back("Content-Type", "application/octet-stream");
			Reply.PatternLength = Bytes;
			return Reply;
		});
	}
	std::printf("port %u\nauthority %s\n", Service.Port(), Service.AuthorityFile().c_str());
	std::fflush(stdout);

	std::thread([]
	{
		char Buffer[256];
		while (read(STDIN_FILENO, Buffer, sizeof(Buffer)) > 0)
		{
		}
		kill(getpid(), SIGTERM);
	}).detach();

	int Received = 0;
	sigwait(&Signals, &Received);
	Service.Stop();
	return 0;
}
