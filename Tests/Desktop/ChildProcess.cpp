#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
	using FClock = std::chrono::steady_clock;

	FClock::time_point After(double Seconds)
	{
		return FClock::now() + std::chrono::duration_cast<FClock::duration>(std::chrono::duration<double>(Seconds));
	}

	std::vector<std::string> EnvironmentWith(const std::vector<std::pair<std::string, std::string>>& Overrides)
	{
		std::vector<std::string> Result;
		for (char** Entry = environ; *Entry != nullptr; ++Entry)
		{
			const std::string Line = *Entry;
			bool bOverridden = false;
			for (const auto& [Name, Value] : Overrides)
			{
				bOverridden = bOverridden || Line.compare(0, Name.size() + 1, Name + "=") == 0;
			}
			if (!bOverridden)
			{
				Result.push_back(Line);
			}
		}
		for (const auto& [Name, Value] : Overrides)
		{
			Result.push_back(Name + "=" + Value);
		}
		return Result;
	}

	std::vector<char*> Pointers(std::vector<std::string>& Strings)
	{
		std::vector<char*> Result;
		for (std::string& String : Strings)
		{
			Result.push_back(String.data());
		}
		Result.push_back(nullptr);
		return Result;
	}
}

FChildProcess::FChildProcess(const FOptions& Options)
{
	int Pipe[2];
	if (Options.Arguments.empty() || pipe2(Pipe, O_CLOEXEC) != 0)
	{
		return;
	}
	// Everything the child needs is made before the fork: after it, only exec-safe calls.
	std::vector<std::string> Arguments = Options.Arguments;
	std::vector<std::string> Environment = EnvironmentWith(Options.Environment);
	std::vector<char*> ArgumentPointers = Pointers(Arguments);
	std::vector<char*> EnvironmentPointers = Pointers(Environment);
	const int Null = Options.bQuietErrors ? open("/dev/null", O_WRONLY | O_CLOEXEC) : -1;
	const pid_t Parent = getpid();
	Pid = fork();
	if (Pid == 0)
	{
		prctl(PR_SET_PDEATHSIG, SIGKILL);
		if (getppid() != Parent)
		{
			_exit(127);
		}
		dup2(Pipe[1], STDOUT_FILENO);
		if (Null >= 0)
		{
			dup2(Null, STDERR_FILENO);
		}
		execve(ArgumentPointers[0], ArgumentPointers.data(), EnvironmentPointers.data());
		_exit(127);
	}
	if (Null >= 0)
	{
		close(Null);
	}
	close(Pipe[1]);
	Output = Pipe[0];
}

FChildProcess::~FChildProcess()
{
	if (Pid > 0 && !Wait(0.0))
	{
		kill(Pid, SIGTERM);
		if (!Wait(20.0))
		{
			kill(Pid, SIGKILL);
			Wait(20.0);
		}
	}
	if (Output >= 0)
	{
		close(Output);
	}
}

std::optional<std::string> FChildProcess::ReadLine(double Seconds)
{
	const FClock::time_point Deadline = After(Seconds);
	for (;;)
	{
		const size_t End = Pending.find('\n');
		if (End != std::string::npos)
		{
			std::string Line = Pending.substr(0, End);
			Pending.erase(0, End + 1);
			return Line;
		}
		const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - FClock::now()).count();
		pollfd Poll{Output, POLLIN, 0};
		if (Output < 0 || Left <= 0 || poll(&Poll, 1, int(Left)) <= 0)
		{
			return std::nullopt;
		}
		char Buffer[4096];
		const ssize_t Read = read(Output, Buffer, sizeof(Buffer));
		if (Read <= 0)
		{
			close(Output);
			Output = -1;
			// A last line without its line break.
			std::string Rest = std::move(Pending);
			Pending.clear();
			return Rest.empty() ? std::nullopt : std::optional<std::string>(std::move(Rest));
		}
		Pending.append(Buffer, size_t(Read));
	}
}

std::optional<int> FChildProcess::Wait(double Seconds)
{
	const FClock::time_point Deadline = After(Seconds);
	while (!ExitCode && Pid > 0)
	{
		int Status = 0;
		const pid_t Done = waitpid(Pid, &Status, WNOHANG);
		if (Done == Pid)
		{
			ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
		}
		else if (Done < 0 || FClock::now() >= Deadline)
		{
			break;
		}
		else
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(10));
		}
	}
	return ExitCode;
}

std::string FChildProcess::Find(const std::string& Name)
{
	const char* Path = std::getenv("PATH");
	std::string Folders = Path != nullptr ? Path : "/usr/bin:/bin";
	for (size_t Start = 0; Start <= Folders.size();)
	{
		const size_t End = std::min(Folders.find(':', Start), Folders.size());
		const std::string Candidate = Folders.substr(Start, End - Start) + "/" + Name;
		struct stat Info;
		if (End > Start && stat(Candidate.c_str(), &Info) == 0 && S_ISREG(Info.st_mode) && access(Candidate.c_str(), X_OK) == 0)
		{
			return Candidate;
		}
		Start = End + 1;
	}
	return std::string();
}

std::optional<std::string> FChildProcess::Run(const FOptions& Options, double Seconds)
{
	FChildProcess Process(Options);
	const FClock::time_point Deadline = After(Seconds);
	std::string Text;
	while (std::optional<std::string> Line = Process.ReadLine(std::chrono::duration<double>(Deadline - FClock::now()).count()))
	{
		Text += *Line + "\n";
	}
	const std::optional<int> Code = Process.Wait(std::max(0.0, std::chrono::duration<double>(Deadline - FClock::now()).count()));
	if (!Code || *Code != 0)
	{
		return std::nullopt;
	}
	return Text;
}
