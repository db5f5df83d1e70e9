#pragma once

#include "Platform/Transport.h"

#include <chrono>
#include <optional>
#include <string_view>

namespace KVAPlatform
{
	// One transfer and its steps as the HTTP stack reports them: header lines, body chunks and
	// the end. Owned and used by the transfer's own thread alone.
	class FTransfer
	{
	public:
		using FClock = std::chrono::steady_clock;

		FTransfer(Request InRequest, std::shared_ptr<Cancel> InCancel, std::function<void(Reply)> InCompletion);

		const Request& GetRequest() const { return Req; }
		bool IsCanceled() const { return CancelFlag->bCanceled.load(); }
		// The last time anything arrived: for the idle time-out.
		FClock::time_point LastActivity() const { return LastArrival; }

		// One header line, of an interim or the final response; false refuses the response.
		bool OnHeaderLine(std::string_view Line);
		// One chunk of the body, in order; false stops the transfer.
		bool OnData(const char* Data, size_t Count);
		// The stack has let go of the transfer (bFailed: it ended in an error). Closes the file,
		// settles the error code and delivers the one reply.
		void Finish(bool bFailed);

	private:
		bool OnResponse();

		Request Req;
		std::shared_ptr<Cancel> CancelFlag;
		std::function<void(Reply)> Completion;
		Reply Rep;

		// The response whose header lines are arriving; it becomes final at its blank line.
		bool bInHeaders = false;
		int32_t PendingStatus = 0;
		std::string PendingMimeType;
		std::string PendingRetryAfter;
		std::optional<uint64_t> PendingLength;
		bool bPendingChunked = false;

		int Output = -1;
		FClock::time_point LastArrival = FClock::now();
	};
}
