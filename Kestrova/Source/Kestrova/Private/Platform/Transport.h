#pragma once

#include "Platform/URLPolicy.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace KVAPlatform
{
	// One HTTPS exchange, filled by the caller and moved into the transfer.
	struct Request
	{
		std::string Method;
		std::string Url;
		std::string Body;
		std::string Token;
		// Empty keeps the response body in memory; otherwise it is streamed into this file.
		std::string OutputPath;
		URLRole Role = URLRole::Api;
		uint64_t MaxBytes = 0;
		// Called on the transfer's thread at each MiB boundary and when MaxBytes is reached.
		std::function<void(uint64_t Received)> Progress;
	};

	// The one result of a transfer. Error is empty when the exchange completed, whatever its status.
	struct Reply
	{
		int32_t Status = 0;
		std::string MimeType;
		std::string Error;
		std::string RetryAfter;
		std::vector<uint8_t> Body;
		uint64_t Received = 0;
	};

	// The caller's cancellation flag, shared with the transfers it governs; they only read it.
	struct Cancel
	{
		std::atomic<bool> bCanceled { false };
	};

	// Sends InRequest and calls Completion exactly once: at once, inside Send, when the request
	// is refused ("unsafe_url"), otherwise on the transfer's own thread. Called on the game
	// thread: the first call loads the engine's SSL module, whose certificate store every
	// connection trusts.
	void Send(Request InRequest, std::shared_ptr<Cancel> InCancel, std::function<void(Reply)> Completion);

	// Waits until every transfer's thread has ended, at most Limit; true when none is left.
	// The module calls it as it shuts down, after cancelling everything: a transfer thread must
	// not outlive the engine modules it uses (the certificate store is read at each connect).
	bool WaitForTransfers(std::chrono::milliseconds Limit);

	// For the embedding process only (tests, the demo): connect every service host's port 443
	// to 127.0.0.1:Port instead, and trust AuthorityPem in addition to the editor's certificate
	// store (an empty AuthorityPem adds none). Port 0 removes the override. Applies to transfers
	// started afterwards.
	void SetRouting(uint16_t Port, std::string AuthorityPem);

	namespace Testing
	{
		// Multiplies the shipping idle and total time-outs of transfers started afterwards, so
		// that a test sees each of them at work without waiting minutes; 1 and 1 restore them.
		// Only tests call this.
		void SetTimeScale(double IdleScale, double TotalScale);
	}
}
