#include "Platform/Transfer.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace KVAPlatform
{
	namespace
	{
		constexpr uint64_t MiB = 1 << 20;

		bool IsRedirect(int32_t Status)
		{
			return Status == 301 || Status == 302 || Status == 303 || Status == 307 || Status == 308;
		}

		std::string_view Trim(std::string_view Text)
		{
			while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t'))
			{
				Text.remove_prefix(1);
			}
			while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t' || Text.back() == '\r' || Text.back() == '\n'))
			{
				Text.remove_suffix(1);
			}
			return Text;
		}

		bool EqualsNoCase(std::string_view A, std::string_view B)
		{
			if (A.size() != B.size())
			{
				return false;
			}
			for (size_t Index = 0; Index < A.size(); ++Index)
			{
				if (std::tolower(static_cast<unsigned char>(A[Index])) != std::tolower(static_cast<unsigned char>(B[Index])))
				{
					return false;
				}
			}
			return true;
		}

		std::optional<uint64_t> ParseLength(std::string_view Text)
		{
			if (Text.empty() || Text.size() > 19)
			{
				return std::nullopt;
			}
			uint64_t Value = 0;
			for (const char C : Text)
			{
				if (C < '0' || C > '9')
				{
					return std::nullopt;
				}
				Value = Value * 10 + static_cast<uint64_t>(C - '0');
			}
			return Value;
		}

	}

	FTransfer::FTransfer(Request InRequest, std::shared_ptr<Cancel> InCancel, std::function<void(Reply)> InCompletion)
		: Req(std::move(InRequest))
		, CancelFlag(std::move(InCancel))
		, Completion(std::move(InCompletion))
	{
	}

	bool FTransfer::OnResponse()
	{
		Rep.Status = PendingStatus;
		Rep.MimeType = PendingMimeType;
		Rep.RetryAfter = PendingRetryAfter;
		if (IsRedirect(Rep.Status))
		{
			Rep.Error = "redirect_denied";
		}
		if (IsCanceled())
		{
			Rep.Error = "canceled";
			return false;
		}
		if (PendingLength && !bPendingChunked && *PendingLength > Req.MaxBytes)
		{
			Rep.Error = "response_too_large";
			return false;
		}
		if (!Req.OutputPath.empty())
		{
			if (Rep.Status != 200)
			{
				Rep.Error = "download_failed";
				return false;
			}
			Output = open(Req.OutputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
			if (Output < 0)
			{
				Rep.Error = "write_failed";
				return false;
			}
		}
		return true;
	}
	bool FTransfer::OnHeaderLine(std::string_view Line)
	{
		LastArrival = FClock::now();
		Line = Trim(Line);
		if (Line.rfind("HTTP/", 0) == 0)
		{
			bInHeaders = true;
			PendingStatus = 0;
			PendingMimeType.clear();
			PendingRetryAfter.clear();
			PendingLength.reset();
			bPendingChunked = false;
			const size_t Space = Line.find(' ');
			if (Space != std::string_view::npos && Line.size() >= Space + 4)
			{
				PendingStatus = static_cast<int32_t>(ParseLength(Line.substr(Space + 1, 3)).value_or(0));
			}
			return true;
		}
		if (!bInHeaders)
		{
			// Trailers after a chunked body change nothing.
			return true;
		}
		if (Line.empty())
		{
			bInHeaders = false;
			// Interim responses (100 Continue and the like) are not the response.
			return (PendingStatus >= 100 && PendingStatus < 200) ? true : OnResponse();
		}
		const size_t Colon = Line.find(':');
		if (Colon == std::string_view::npos)
		{
			return true;
		}
		const std::string_view Name = Line.substr(0, Colon);
		const std::string_view Value = Trim(Line.substr(Colon + 1));
		if (EqualsNoCase(Name, "content-type"))
		{
			PendingMimeType = std::string(Trim(Value.substr(0, Value.find(';'))));
		}
		else if (EqualsNoCase(Name, "retry-after"))
		{
			PendingRetryAfter = std::string(Value);
		}
		else if (EqualsNoCase(Name, "content-length"))
		{
			PendingLength = ParseLength(Value);
		}
		else if (EqualsNoCase(Name, "transfer-encoding"))
		{
			bPendingChunked = true;
		}
		return true;
	}
	bool FTransfer::OnData(const char* Data, size_t Count)
	{
		LastArrival = FClock::now();
		if (IsCanceled())
		{
			Rep.Error = "canceled";
			return false;
		}
		if (Count > Req.MaxBytes - Rep.Received)
		{
			Rep.Error = "response_too_large";
			return false;
		}
		if (Output >= 0)
		{
			size_t Done = 0;
			while (Done < Count)
			{
				const ssize_t Written = write(Output, Data + Done, Count - Done);
				if (Written < 0 && errno == EINTR)
				{
					continue;
				}
				if (Written <= 0)
				{
					Rep.Error = "write_failed";
					return false;
				}
				Done += static_cast<size_t>(Written);
			}
		}
		else
		{
			Rep.Body.insert(Rep.Body.end(), reinterpret_cast<const uint8_t*>(Data), reinterpret_cast<const uint8_t*>(Data) + Count);
		}
		const uint64_t Before = Rep.Received;
		Rep.Received += Count;
		if (Req.Progress && (((Before ^ Rep.Received) >= MiB) || Rep.Received == Req.MaxBytes))
		{
			Req.Progress(Rep.Received);
		}
		return true;
	}
	void FTransfer::Finish(bool bFailed)
	{
		if (Output >= 0)
		{
			// A file system may report a lost write only when the file is closed.
			if (close(Output) != 0 && Rep.Error.empty())
			{
				Rep.Error = "write_failed";
			}
			Output = -1;
		}
		if (bFailed && Rep.Error.empty())
		{
			Rep.Error = IsCanceled() ? "canceled" : "network_failed";
		}
		std::function<void(Reply)> Callback = std::move(Completion);
		Callback(std::move(Rep));
	}
}
