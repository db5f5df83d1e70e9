#include "Platform/Transport.h"

#include "Platform/Hosts.h"

#include <curl/curl.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace KVAPlatform
{
	namespace
	{
		using FClock = std::chrono::steady_clock;

		constexpr std::chrono::milliseconds IdleLimit { 30'000 };
		constexpr std::chrono::milliseconds StreamingLimit { 1'800'000 };
		constexpr std::chrono::milliseconds InMemoryLimit { 60'000 };
		// The cancel flag is looked at least this often, even while the network is silent.
		constexpr int PollMilliseconds = 100;
		constexpr uint64_t MiB = 1 << 20;
		constexpr long ReceiveBufferBytes = 256 * 1024;

		std::atomic<int64_t> IdleOverride { 0 };
		std::atomic<int64_t> TotalOverride { 0 };

		struct FRouting
		{
			uint16_t Port = 0;
			std::string AuthorityPem;
		};

		std::mutex RoutingMutex;
		std::shared_ptr<const FRouting> CurrentRouting;

		std::shared_ptr<const FRouting> Routing()
		{
			std::lock_guard Lock(RoutingMutex);
			return CurrentRouting;
		}

		bool IsRedirect(int32_t Status)
		{
			return Status == 301 || Status == 302 || Status == 303 || Status == 307 || Status == 308;
		}

		bool IsTokenChar(char C)
		{
			return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || std::string_view("!#$%&'*+-.^_`|~").find(C) != std::string_view::npos;
		}

		// A method outside the HTTP token grammar, or a token with a control byte, would let
		// text from elsewhere write its own request line or headers.
		bool IsInjectionFree(const Request& InRequest)
		{
			if (InRequest.Method.empty())
			{
				return false;
			}
			for (const char C : InRequest.Method)
			{
				if (!IsTokenChar(C))
				{
					return false;
				}
			}
			for (const char C : InRequest.Token)
			{
				if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F)
				{
					return false;
				}
			}
			return true;
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

		// One transfer: everything its thread needs, owned by that thread alone.
		struct FTransfer
		{
			Request Req;
			std::shared_ptr<Cancel> CancelFlag;
			std::function<void(Reply)> Completion;
			Reply Rep;
			std::shared_ptr<const FRouting> Route;
			std::chrono::milliseconds Idle { IdleLimit };
			std::chrono::milliseconds Total { InMemoryLimit };

			// The response whose header lines are arriving; it becomes final at its blank line.
			bool bInHeaders = false;
			int32_t PendingStatus = 0;
			std::string PendingMimeType;
			std::string PendingRetryAfter;
			std::optional<uint64_t> PendingLength;
			bool bPendingChunked = false;

			int Output = -1;
			FClock::time_point LastActivity = FClock::now();

			bool IsCanceled() const
			{
				return CancelFlag->bCanceled.load();
			}

			// The final response's headers are complete; false refuses the response.
			bool OnResponse()
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

			bool OnHeaderLine(std::string_view Line)
			{
				LastActivity = FClock::now();
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

			// One chunk of the body, in order; false stops the transfer.
			bool OnData(const char* Data, size_t Count)
			{
				LastActivity = FClock::now();
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

			void CloseOutput()
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
			}
		};

		size_t OnHeader(char* Buffer, size_t Size, size_t Count, void* User)
		{
			const size_t Bytes = Size * Count;
			return static_cast<FTransfer*>(User)->OnHeaderLine(std::string_view(Buffer, Bytes)) ? Bytes : 0;
		}

		size_t OnWrite(char* Buffer, size_t Size, size_t Count, void* User)
		{
			const size_t Bytes = Size * Count;
			if (Bytes == 0)
			{
				return 0;
			}
			return static_cast<FTransfer*>(User)->OnData(Buffer, Bytes) ? Bytes : 0;
		}

		CURLcode AddAuthority(CURL*, void* SslContext, void* User)
		{
			const FRouting* Route = static_cast<const FRouting*>(User);
			BIO* Pem = BIO_new_mem_buf(Route->AuthorityPem.data(), static_cast<int>(Route->AuthorityPem.size()));
			X509* Authority = Pem ? PEM_read_bio_X509(Pem, nullptr, nullptr, nullptr) : nullptr;
			BIO_free(Pem);
			if (!Authority)
			{
				return CURLE_SSL_CACERT_BADFILE;
			}
			const int bAdded = X509_STORE_add_cert(SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(SslContext)), Authority);
			X509_free(Authority);
			return bAdded ? CURLE_OK : CURLE_SSL_CACERT_BADFILE;
		}

		struct FHandles
		{
			CURL* Easy = curl_easy_init();
			CURLM* Multi = curl_multi_init();
			curl_slist* Headers = nullptr;
			curl_slist* ConnectTo = nullptr;
			bool bAdded = false;

			~FHandles()
			{
				if (bAdded)
				{
					curl_multi_remove_handle(Multi, Easy);
				}
				curl_easy_cleanup(Easy);
				curl_multi_cleanup(Multi);
				curl_slist_free_all(Headers);
				curl_slist_free_all(ConnectTo);
			}
		};

		bool Configure(FHandles& Handles, FTransfer& Transfer)
		{
			CURL* Easy = Handles.Easy;
			const Request& Req = Transfer.Req;
			bool bOk = true;
			const auto Set = [&bOk](CURLcode Code) { bOk = bOk && Code == CURLE_OK; };

			Set(curl_easy_setopt(Easy, CURLOPT_URL, Req.Url.c_str()));
			// The path goes out as the URL policy saw it: no dot segments folded away afterwards.
			Set(curl_easy_setopt(Easy, CURLOPT_PATH_AS_IS, 1L));
			Set(curl_easy_setopt(Easy, CURLOPT_PROTOCOLS_STR, "https"));
			Set(curl_easy_setopt(Easy, CURLOPT_FOLLOWLOCATION, 0L));
			Set(curl_easy_setopt(Easy, CURLOPT_NOSIGNAL, 1L));
			Set(curl_easy_setopt(Easy, CURLOPT_SSL_VERIFYPEER, 1L));
			Set(curl_easy_setopt(Easy, CURLOPT_SSL_VERIFYHOST, 2L));
			Set(curl_easy_setopt(Easy, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2)));
			// The system's authorities from the hashed directory, looked up per certificate: the
			// single bundle file would be parsed whole (some 30 ms) by every transfer.
			Set(curl_easy_setopt(Easy, CURLOPT_CAINFO, nullptr));
			// Ephemeral: no proxy taken from the environment, no connection reuse, and no cookie
			// engine, alt-svc, HSTS or netrc file, which stay off unless asked for.
			Set(curl_easy_setopt(Easy, CURLOPT_PROXY, ""));
			Set(curl_easy_setopt(Easy, CURLOPT_FRESH_CONNECT, 1L));
			Set(curl_easy_setopt(Easy, CURLOPT_FORBID_REUSE, 1L));
			Set(curl_easy_setopt(Easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(Transfer.Idle.count())));
			Set(curl_easy_setopt(Easy, CURLOPT_TIMEOUT_MS, static_cast<long>(Transfer.Total.count())));
			Set(curl_easy_setopt(Easy, CURLOPT_BUFFERSIZE, ReceiveBufferBytes));
			Set(curl_easy_setopt(Easy, CURLOPT_HEADERFUNCTION, &OnHeader));
			Set(curl_easy_setopt(Easy, CURLOPT_HEADERDATA, &Transfer));
			Set(curl_easy_setopt(Easy, CURLOPT_WRITEFUNCTION, &OnWrite));
			Set(curl_easy_setopt(Easy, CURLOPT_WRITEDATA, &Transfer));

			if (!Req.Body.empty())
			{
				Set(curl_easy_setopt(Easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(Req.Body.size())));
				Set(curl_easy_setopt(Easy, CURLOPT_POSTFIELDS, Req.Body.data()));
			}
			if (Req.Method == "POST" && Req.Body.empty())
			{
				Set(curl_easy_setopt(Easy, CURLOPT_POST, 1L));
				Set(curl_easy_setopt(Easy, CURLOPT_POSTFIELDSIZE, 0L));
			}
			else if (Req.Method != "GET" || !Req.Body.empty())
			{
				Set(curl_easy_setopt(Easy, CURLOPT_CUSTOMREQUEST, Req.Method.c_str()));
			}
			if (Req.Method == "HEAD")
			{
				// A reply to HEAD announces a body that never comes.
				Set(curl_easy_setopt(Easy, CURLOPT_NOBODY, 1L));
			}

			const std::string Accept = std::string("Accept: ") + (Req.Role == URLRole::Preview ? "image/webp" : "application/json");
			Handles.Headers = curl_slist_append(Handles.Headers, Accept.c_str());
			if (!Req.Token.empty())
			{
				Handles.Headers = curl_slist_append(Handles.Headers, ("Authorization: Bearer " + Req.Token).c_str());
			}
			if (!Req.Body.empty())
			{
				Handles.Headers = curl_slist_append(Handles.Headers, "Content-Type: application/json");
			}
			// The body goes at once; no round trip waiting for "100 Continue".
			Handles.Headers = curl_slist_append(Handles.Headers, "Expect:");
			bOk = bOk && Handles.Headers;
			Set(curl_easy_setopt(Easy, CURLOPT_HTTPHEADER, Handles.Headers));

			if (Transfer.Route)
			{
				for (const char* Host : Hosts::All)
				{
					const std::string Entry = std::string(Host) + ":443:127.0.0.1:" + std::to_string(Transfer.Route->Port);
					Handles.ConnectTo = curl_slist_append(Handles.ConnectTo, Entry.c_str());
				}
				bOk = bOk && Handles.ConnectTo;
				Set(curl_easy_setopt(Easy, CURLOPT_CONNECT_TO, Handles.ConnectTo));
				Set(curl_easy_setopt(Easy, CURLOPT_SSL_CTX_FUNCTION, &AddAuthority));
				Set(curl_easy_setopt(Easy, CURLOPT_SSL_CTX_DATA, const_cast<FRouting*>(Transfer.Route.get())));
			}
			return bOk;
		}

		// Drives the transfer to its end on the calling thread; true when it ended in error.
		bool Drive(FHandles& Handles, FTransfer& Transfer)
		{
			if (!Handles.Easy || !Handles.Multi || !Configure(Handles, Transfer))
			{
				return true;
			}
			if (curl_multi_add_handle(Handles.Multi, Handles.Easy) != CURLM_OK)
			{
				return true;
			}
			Handles.bAdded = true;
			for (;;)
			{
				int Running = 0;
				if (curl_multi_perform(Handles.Multi, &Running) != CURLM_OK)
				{
					return true;
				}
				int Queued = 0;
				while (CURLMsg* Message = curl_multi_info_read(Handles.Multi, &Queued))
				{
					if (Message->msg == CURLMSG_DONE)
					{
						return Message->data.result != CURLE_OK;
					}
				}
				if (Transfer.IsCanceled() || FClock::now() - Transfer.LastActivity > Transfer.Idle)
				{
					return true;
				}
				if (curl_multi_poll(Handles.Multi, nullptr, 0, PollMilliseconds, nullptr) != CURLM_OK)
				{
					return true;
				}
			}
		}

		void Run(FTransfer& Transfer)
		{
			bool bFailed = true;
			{
				FHandles Handles;
				bFailed = Drive(Handles, Transfer);
			}
			// Handles and file are gone before the caller hears of the end, so a caller may
			// delete, hash or move the file at once.
			Transfer.CloseOutput();
			if (bFailed && Transfer.Rep.Error.empty())
			{
				Transfer.Rep.Error = Transfer.IsCanceled() ? "canceled" : "network_failed";
			}
			std::function<void(Reply)> Completion = std::move(Transfer.Completion);
			Completion(std::move(Transfer.Rep));
		}

		std::chrono::milliseconds Effective(const std::atomic<int64_t>& Override, std::chrono::milliseconds Shipping)
		{
			const int64_t Value = Override.load();
			return Value > 0 ? std::chrono::milliseconds(Value) : Shipping;
		}
	}

	void Send(Request InRequest, std::shared_ptr<Cancel> InCancel, std::function<void(Reply)> Completion)
	{
		const bool bTokenAllowed = InRequest.Token.empty() || InRequest.Role == URLRole::Api;
		if (!SafeURL(InRequest.Url, InRequest.Role) || !bTokenAllowed || !InCancel || !IsInjectionFree(InRequest))
		{
			Reply Refused;
			Refused.Error = "unsafe_url";
			Completion(std::move(Refused));
			return;
		}

		static std::once_flag CurlReady;
		std::call_once(CurlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

		auto Transfer = std::make_shared<FTransfer>();
		Transfer->Idle = Effective(IdleOverride, IdleLimit);
		Transfer->Total = Effective(TotalOverride, InRequest.OutputPath.empty() ? InMemoryLimit : StreamingLimit);
		Transfer->Req = std::move(InRequest);
		Transfer->CancelFlag = std::move(InCancel);
		Transfer->Completion = std::move(Completion);
		Transfer->Route = Routing();
		try
		{
			std::thread([Transfer] { Run(*Transfer); }).detach();
		}
		catch (const std::system_error&)
		{
			// No thread to run on: the one reply is given here instead.
			Reply Failed;
			Failed.Error = "network_failed";
			std::function<void(Reply)> Callback = std::move(Transfer->Completion);
			Callback(std::move(Failed));
		}
	}

	void SetRouting(uint16_t Port, std::string AuthorityPem)
	{
		std::shared_ptr<const FRouting> Next;
		if (Port != 0)
		{
			Next = std::make_shared<const FRouting>(FRouting { Port, std::move(AuthorityPem) });
		}
		std::lock_guard Lock(RoutingMutex);
		CurrentRouting = std::move(Next);
	}

	namespace Testing
	{
		void SetTimeLimits(std::chrono::milliseconds Idle, std::chrono::milliseconds Total)
		{
			IdleOverride = Idle.count();
			TotalOverride = Total.count();
		}
	}
}
