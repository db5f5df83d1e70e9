#include "Platform/Transport.h"

#include "Platform/Hosts.h"
#include "Platform/Proxy.h"
#include "Platform/Transfer.h"

#include "Interfaces/ISslCertificateManager.h"
#include "SslModule.h"

#include <curl/curl.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <algorithm>
#include <condition_variable>
#include <cmath>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>

namespace KVAPlatform
{
	namespace
	{
		using FClock = FTransfer::FClock;

		constexpr std::chrono::milliseconds IdleLimit { 30'000 };
		constexpr std::chrono::milliseconds StreamingLimit { 1'800'000 };
		constexpr std::chrono::milliseconds InMemoryLimit { 60'000 };
		// The cancel flag is looked at least this often, even while the network is silent.
		constexpr int PollMilliseconds = 100;
		constexpr long ReceiveBufferBytes = 256 * 1024;

		std::atomic<double> IdleScale { 1.0 };
		std::atomic<double> TotalScale { 1.0 };

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

		// Everything a transfer needs besides its own state: its limits, the editor's certificate
		// store, the routing override and the system's proxy, all fixed when it is sent.
		struct FSettings
		{
			std::chrono::milliseconds Idle;
			std::chrono::milliseconds Total;
			const ISslCertificateManager* Certificates = nullptr;
			std::shared_ptr<const FRouting> Route;
			FProxy Proxy;
		};

		// Every connection trusts the editor's certificate store, handed over as the engine's own
		// HTTP requests hand it to libcurl, and nothing that libcurl's build may have compiled in;
		// the routing override's one extra authority comes on top.
		CURLcode AddAuthorities(CURL*, void* SslContext, void* User)
		{
			const FSettings& Settings = *static_cast<const FSettings*>(User);
			SSL_CTX* Context = static_cast<SSL_CTX*>(SslContext);
			Settings.Certificates->AddCertificatesToSslContext(Context);
			if (!Settings.Route || Settings.Route->AuthorityPem.empty())
			{
				return CURLE_OK;
			}
			const std::string& Pem = Settings.Route->AuthorityPem;
			BIO* PemBio = BIO_new_mem_buf(Pem.data(), static_cast<int>(Pem.size()));
			X509* Authority = PemBio ? PEM_read_bio_X509(PemBio, nullptr, nullptr, nullptr) : nullptr;
			BIO_free(PemBio);
			if (!Authority)
			{
				return CURLE_SSL_CACERT_BADFILE;
			}
			const int bAdded = X509_STORE_add_cert(SSL_CTX_get_cert_store(Context), Authority);
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

		bool Configure(FHandles& Handles, FTransfer& Transfer, const FSettings& Settings)
		{
			CURL* Easy = Handles.Easy;
			const Request& Req = Transfer.GetRequest();
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
			Set(curl_easy_setopt(Easy, CURLOPT_CAINFO, nullptr));
			Set(curl_easy_setopt(Easy, CURLOPT_CAPATH, nullptr));
			Set(curl_easy_setopt(Easy, CURLOPT_SSL_CTX_FUNCTION, &AddAuthorities));
			Set(curl_easy_setopt(Easy, CURLOPT_SSL_CTX_DATA, const_cast<FSettings*>(&Settings)));
			// The system's proxy, through a CONNECT tunnel only, so that TLS and its checks run end
			// to end with the service; none at all unless the settings name one.
			if (Settings.Proxy.Url.empty())
			{
				Set(curl_easy_setopt(Easy, CURLOPT_PROXY, ""));
			}
			else
			{
				bOk = bOk && IsTunnelProxy(Settings.Proxy.Url);
				Set(curl_easy_setopt(Easy, CURLOPT_PROXY, Settings.Proxy.Url.c_str()));
				Set(curl_easy_setopt(Easy, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP)));
				Set(curl_easy_setopt(Easy, CURLOPT_HTTPPROXYTUNNEL, 1L));
				// The proxy's answer to CONNECT is not the service's response.
				Set(curl_easy_setopt(Easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L));
				Set(curl_easy_setopt(Easy, CURLOPT_NOPROXY, Settings.Proxy.Bypass.c_str()));
			}
			// Ephemeral: no connection reuse, and no cookie engine, alt-svc, HSTS or netrc file,
			// which stay off unless asked for.
			Set(curl_easy_setopt(Easy, CURLOPT_FRESH_CONNECT, 1L));
			Set(curl_easy_setopt(Easy, CURLOPT_FORBID_REUSE, 1L));
			Set(curl_easy_setopt(Easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(Settings.Idle.count())));
			Set(curl_easy_setopt(Easy, CURLOPT_TIMEOUT_MS, static_cast<long>(Settings.Total.count())));
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

			if (Settings.Route)
			{
				for (const char* Host : Hosts::All)
				{
					const std::string Entry = std::string(Host) + ":443:127.0.0.1:" + std::to_string(Settings.Route->Port);
					Handles.ConnectTo = curl_slist_append(Handles.ConnectTo, Entry.c_str());
				}
				bOk = bOk && Handles.ConnectTo;
				Set(curl_easy_setopt(Easy, CURLOPT_CONNECT_TO, Handles.ConnectTo));
			}
			return bOk;
		}

		// Drives the transfer to its end on the calling thread; true when it ended in error.
		bool Drive(FHandles& Handles, FTransfer& Transfer, const FSettings& Settings)
		{
			if (!Handles.Easy || !Handles.Multi || !Configure(Handles, Transfer, Settings))
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
				if (Transfer.IsCanceled() || FClock::now() - Transfer.LastActivity() > Settings.Idle)
				{
					return true;
				}
				if (curl_multi_poll(Handles.Multi, nullptr, 0, PollMilliseconds, nullptr) != CURLM_OK)
				{
					return true;
				}
			}
		}

		void Run(FTransfer& Transfer, const FSettings& Settings)
		{
			bool bFailed = true;
			{
				FHandles Handles;
				bFailed = Drive(Handles, Transfer, Settings);
			}
			// Handles are gone, and Finish closes the file, before the caller hears of the end,
			// so a caller may delete, hash or move the file at once.
			Transfer.Finish(bFailed);
		}

		// Transfer threads still running; the module waits for none to be left as it shuts down.
		std::mutex LiveMutex;
		std::condition_variable LiveChanged;
		int32_t LiveTransfers = 0;

		void TransferStarted()
		{
			const std::lock_guard<std::mutex> Lock(LiveMutex);
			++LiveTransfers;
		}

		void TransferEnded()
		{
			const std::lock_guard<std::mutex> Lock(LiveMutex);
			--LiveTransfers;
			LiveChanged.notify_all();
		}

		std::chrono::milliseconds Scaled(std::chrono::milliseconds Shipping, const std::atomic<double>& Scale)
		{
			return std::chrono::milliseconds(std::max<int64_t>(1, std::llround(double(Shipping.count()) * Scale.load())));
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

		FSettings Settings;
		Settings.Idle = Scaled(IdleLimit, IdleScale);
		Settings.Total = Scaled(InRequest.OutputPath.empty() ? InMemoryLimit : StreamingLimit, TotalScale);
		// On the game thread, which alone may load the module; the store outlives every transfer.
		Settings.Certificates = &FSslModule::Get().GetCertificateManager();
		Settings.Route = Routing();
		Settings.Proxy = SystemProxy();
		auto Transfer = std::make_shared<FTransfer>(std::move(InRequest), std::move(InCancel), std::move(Completion));
		try
		{
			TransferStarted();
			// The transfer (and the completion it holds) is released before the count drops.
			std::thread([Transfer, Settings]() mutable { Run(*Transfer, Settings); Transfer.reset(); TransferEnded(); }).detach();
		}
		catch (const std::system_error&)
		{
			TransferEnded();
			// No thread to run on: the one reply is given here instead.
			Transfer->Finish(true);
		}
	}

	bool WaitForTransfers(std::chrono::milliseconds Limit)
	{
		std::unique_lock<std::mutex> Lock(LiveMutex);
		return LiveChanged.wait_for(Lock, Limit, [] { return LiveTransfers == 0; });
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
		void SetTimeScale(double InIdleScale, double InTotalScale)
		{
			IdleScale = InIdleScale;
			TotalScale = InTotalScale;
		}
	}
}
