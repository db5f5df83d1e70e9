#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace KVAService
{
	// One request as the service received it; header names are lower-case.
	struct FRequestRecord
	{
		std::string Method;
		std::string Host;
		std::string Path;
		// The request target as sent: path and query, still percent-encoded.
		std::string Target;
		std::map<std::string, std::string> Query;
		std::map<std::string, std::string> Headers;
		std::string Body;
	};

	// One reply, and every way it can misbehave. Handlers fill it; tests script it.
	struct FReply
	{
		int Status = 200;
		std::vector<std::pair<std::string, std::string>> Headers;
		std::string Body;
		// When set, the body is this many bytes of PatternByte instead of Body (large bodies
		// without holding them in memory).
		std::optional<uint64_t> PatternLength;
		// When set, announced as Content-Length whatever the body's true length; a longer
		// announcement than the body ends in a dropped connection.
		std::optional<uint64_t> AnnouncedLength;
		bool bChunked = false;
		size_t ChunkBytes = 256 * 1024;
		// Waits before the status line, and between body chunks (a long one is a stall).
		std::chrono::milliseconds HeaderDelay { 0 };
		std::chrono::milliseconds ChunkDelay { 0 };
		// When set, the connection is closed after this many body bytes.
		std::optional<uint64_t> DropAfter;

		static FReply Json(int Status, std::string Body);
		static FReply Redirect(int Status, std::string Location);
	};

	// The byte at Offset of a PatternLength body: easy to recompute on the receiving side.
	inline uint8_t PatternByte(uint64_t Offset)
	{
		return static_cast<uint8_t>((Offset * 131 + (Offset >> 16)) & 0xFF);
	}

	using FHandler = std::function<FReply(const FRequestRecord& Request)>;

	// The Kestrova service on loopback: HTTPS with a certificate for every service host, made
	// at start-up with its own authority. Requests are routed by host, method and path; a
	// test can script the reply of any path, which then takes precedence over the routes.
	class FService
	{
	public:
		FService();
		~FService();
		FService(const FService&) = delete;
		FService& operator=(const FService&) = delete;

		// Makes the certificates, writes the authority to a temporary file and starts the
		// listeners on 127.0.0.1 with ephemeral ports. False when anything fails.
		bool Start();
		// Stops the listeners, ends every delay and stall, and removes the authority file.
		void Stop();

		// The TLS listener for the service hosts.
		uint16_t Port() const;
		// A TLS listener whose certificate names another host (for certificate failures).
		uint16_t WrongHostPort() const;
		// A plain-HTTP listener with the same routes.
		uint16_t PlainPort() const;
		const std::string& AuthorityFile() const;
		const std::string& AuthorityPem() const;

		// Path may end in "*" to take every path that starts with what precedes it.
		void Route(const std::string& Host, const std::string& Method, const std::string& Path, FHandler Handler);
		// Every request to Path (any host, any method) gets Reply until ClearScripts.
		void Script(const std::string& Path, FReply Reply);
		void ClearScripts();
		// Ends every delay and stall under way now; those replies go on as scripted.
		void ReleaseDelays();

		// The requests received, oldest first (in a long run, the most recent 10,000 or more).
		std::vector<FRequestRecord> Requests() const;
		void ClearRequests();

	private:
		struct FImpl;
		std::unique_ptr<FImpl> Impl;
	};
}
