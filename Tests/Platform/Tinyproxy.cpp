#include "Tinyproxy.h"

#include "TransportSupport.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
	bool Accepts(uint16_t Port)
	{
		const int Socket = socket(AF_INET, SOCK_STREAM, 0);
		sockaddr_in Address {};
		Address.sin_family = AF_INET;
		Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		Address.sin_port = htons(Port);
		const bool bConnected = connect(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address)) == 0;
		close(Socket);
		return bConnected;
	}

	// Whether the process itself holds the loopback port's listening socket. A connection that
	// is accepted proves only that something listens there: between the look for a free port
	// and the proxy's start, another test's server may have taken it, and the proxy then exits
	// while every request of the test goes to a server that never answers a CONNECT.
	bool OwnsListener(pid_t Process, uint16_t Port)
	{
		char Local[32];
		std::snprintf(Local, sizeof(Local), "0100007F:%04X", Port);
		std::string Inode;
		std::ifstream Table("/proc/net/tcp");
		for (std::string Line; std::getline(Table, Line) && Inode.empty();)
		{
			std::istringstream Fields(Line);
			std::string Slot, Address, Remote, State, Queues, Timer, Retransmits, User, Timeout, Node;
			Fields >> Slot >> Address >> Remote >> State >> Queues >> Timer >> Retransmits >> User >> Timeout >> Node;
			if (Address == Local && State == "0A")
			{
				Inode = Node;
			}
		}
		if (Inode.empty())
		{
			return false;
		}
		const std::string Wanted = "socket:[" + Inode + "]";
		std::error_code Code;
		for (const auto& Entry : std::filesystem::directory_iterator("/proc/" + std::to_string(Process) + "/fd", Code))
		{
			std::error_code LinkCode;
			if (std::filesystem::read_symlink(Entry.path(), LinkCode).string() == Wanted)
			{
				return true;
			}
		}
		return false;
	}
}

FTinyproxy::FTinyproxy()
{
	std::string Template = (std::filesystem::temp_directory_path() / "kva-tinyproxy-XXXXXX").string();
	if (mkdtemp(Template.data()) == nullptr)
	{
		throw std::runtime_error("mkdtemp failed");
	}
	Folder = Template;
	// The free port may be taken between the look and the start; then another is tried.
	for (int Attempt = 0; Attempt < 3 && !Launch(); ++Attempt)
	{
	}
}

FTinyproxy::~FTinyproxy()
{
	Stop();
	std::error_code Code;
	std::filesystem::remove_all(Folder, Code);
}

bool FTinyproxy::Launch()
{
	ListenPort = UnusedLoopbackPort();
	const std::filesystem::path Config = Folder / "tinyproxy.conf";
	std::ofstream(Config) << "Port " << ListenPort << "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\nMaxClients 50\n"
		<< "LogLevel Connect\nLogFile \"" << (Folder / "log").string() << "\"\n";

	posix_spawn_file_actions_t Actions;
	posix_spawn_file_actions_init(&Actions);
	posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, (Folder / "console").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
	posix_spawn_file_actions_adddup2(&Actions, STDOUT_FILENO, STDERR_FILENO);
	const std::string ConfigPath = Config.string();
	char* Arguments[] = { const_cast<char*>("tinyproxy"), const_cast<char*>("-d"), const_cast<char*>("-c"), const_cast<char*>(ConfigPath.c_str()), nullptr };
	const int Result = posix_spawnp(&Pid, "tinyproxy", &Actions, nullptr, Arguments, environ);
	posix_spawn_file_actions_destroy(&Actions);
	if (Result != 0)
	{
		Pid = -1;
		return false;
	}
	for (int Round = 0; Round < 500; ++Round)
	{
		if (Accepts(ListenPort) && OwnsListener(Pid, ListenPort))
		{
			return true;
		}
		if (waitpid(Pid, nullptr, WNOHANG) == Pid)
		{
			Pid = -1;
			return false;
		}
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	}
	Stop();
	return false;
}

void FTinyproxy::Stop()
{
	if (Pid > 0)
	{
		kill(Pid, SIGTERM);
		waitpid(Pid, nullptr, 0);
		Pid = -1;
	}
}

std::vector<std::string> FTinyproxy::Tunnels() const
{
	// Lines such as "... Request (file descriptor 5): CONNECT 127.0.0.1:4433 HTTP/1.1".
	const std::string Marker = "): CONNECT ";
	std::vector<std::string> Targets;
	std::ifstream Log(Folder / "log");
	for (std::string Line; std::getline(Log, Line);)
	{
		const size_t At = Line.find(Marker);
		if (At != std::string::npos)
		{
			const size_t Start = At + Marker.size();
			Targets.push_back(Line.substr(Start, Line.find(' ', Start) - Start));
		}
	}
	return Targets;
}
