#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>

namespace KVABench
{
	inline double Now()
	{
		return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
	}

	// A "Vm...:" line of /proc/self/status in bytes.
	inline uint64_t StatusBytes(const std::string& Field)
	{
		std::ifstream Status("/proc/self/status");
		std::string Line;
		while (std::getline(Status, Line))
		{
			if (Line.rfind(Field + ":", 0) == 0)
			{
				return std::stoull(Line.substr(Field.size() + 1)) * 1024;
			}
		}
		return 0;
	}

	inline std::string ReadAll(const std::string& Path)
	{
		std::ifstream In(Path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
	}
}
