// kva-bench-hash FILE: prints "seconds hash" for FileHash of FILE.
#include "BenchSupport.h"

#include "Platform/Keys.h"

#include <cstdio>

int main(int ArgumentCount, char** Arguments)
{
	if (ArgumentCount != 2)
	{
		std::fprintf(stderr, "usage: kva-bench-hash FILE\n");
		return 2;
	}
	const double Start = KVABench::Now();
	const std::string Hash = KVAPlatform::FileHash(Arguments[1]);
	const double Seconds = KVABench::Now() - Start;
	if (Hash.empty())
	{
		return 1;
	}
	std::printf("%.6f %s\n", Seconds, Hash.c_str());
	return 0;
}
