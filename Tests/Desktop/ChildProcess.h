#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A program the test starts, with its standard output read line by line. It dies with the
// test process, and its destructor ends it (asked first, then killed), so no path of a test
// leaves it running.
class FChildProcess
{
public:
	struct FOptions
	{
		std::vector<std::string> Arguments;
		// Set in the child's environment on top of the test's own.
		std::vector<std::pair<std::string, std::string>> Environment;
		bool bQuietErrors = false;
	};

	explicit FChildProcess(const FOptions& Options);
	~FChildProcess();
	FChildProcess(const FChildProcess&) = delete;
	FChildProcess& operator=(const FChildProcess&) = delete;

	bool IsStarted() const { return Pid > 0; }

	// The next line of output, waiting up to Seconds; nothing at the timeout or the end.
	std::optional<std::string> ReadLine(double Seconds);
	// The exit code once the program ended within Seconds (128 + signal when killed).
	std::optional<int> Wait(double Seconds);

	// Where a program is found on the PATH; empty when it is not.
	static std::string Find(const std::string& Name);
	// Runs a program to its end (at most Seconds) and gives its output, or nothing when it
	// failed or took too long.
	static std::optional<std::string> Run(const FOptions& Options, double Seconds);

private:
	pid_t Pid = -1;
	int Output = -1;
	std::string Pending;
	std::optional<int> ExitCode;
};
