#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// A real HTTP proxy on loopback: Debian's tinyproxy in the foreground, with its configuration
// and log in a private temporary folder. Started by the constructor, stopped with the object.
class FTinyproxy
{
public:
	FTinyproxy();
	~FTinyproxy();
	FTinyproxy(const FTinyproxy&) = delete;
	FTinyproxy& operator=(const FTinyproxy&) = delete;

	bool IsRunning() const { return Pid > 0; }
	uint16_t Port() const { return ListenPort; }
	// The targets of the CONNECT requests it has received so far ("host:port"), oldest first.
	std::vector<std::string> Tunnels() const;
	void Stop();

private:
	bool Launch();

	std::filesystem::path Folder;
	pid_t Pid = -1;
	uint16_t ListenPort = 0;
};
