#include "KestrovaService/Service.h"

#include "Certificates.h"

#include <httplib.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace KVAService
{
	namespace
	{
		// Enough workers that fifty transfers at once, some of them stalled, are all served.
		constexpr size_t WorkerCount = 64;
		constexpr size_t MaxRecordedRequests = 20000;

		const std::vector<std::string> ServiceHosts = {
			"api.kestrova.example", "content.kestrova.example", "images.kestrova.example", "kestrova.example", "www.kestrova.example",
		};

		std::string Lower(std::string Text)
		{
			std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
			return Text;
		}

		std::string HostOf(const httplib::Request& Request)
		{
			std::string Host = Request.get_header_value("Host");
			const size_t Colon = Host.rfind(':');
			if (Colon != std::string::npos && Host.find(']') == std::string::npos)
			{
				Host.resize(Colon);
			}
			return Lower(Host);
		}
	}

	FReply FReply::Json(int Status, std::string Body)
	{
		FReply Reply;
		Reply.Status = Status;
		Reply.Headers.emplace_back("Content-Type", "application/json");
		Reply.Body = std::move(Body);
		return Reply;
	}

	FReply FReply::Redirect(int Status, std::string Location)
	{
		FReply Reply = Json(Status, "{}");
		Reply.Headers.emplace_back("Location", std::move(Location));
		return Reply;
	}

	struct FService::FImpl
	{
		std::string AuthorityPem;
		std::string AuthorityFile;
		std::unique_ptr<httplib::SSLServer> Tls;
		std::unique_ptr<httplib::SSLServer> WrongHost;
		std::unique_ptr<httplib::Server> Plain;
		std::vector<std::thread> Listeners;
		uint16_t TlsPort = 0;
		uint16_t WrongHostPort = 0;
		uint16_t PlainPort = 0;

		mutable std::mutex Mutex;
		std::condition_variable Wake;
		bool bStopping = false;
		// Counts ReleaseDelays calls: a wait that sees it change ends at once.
		uint64_t Releases = 0;
		std::map<std::string, FHandler> Routes;
		std::map<std::string, FReply> Scripts;
		std::vector<FRequestRecord> Requests;

		// Sleeps for Duration unless the service stops or the delays are released first; false
		// when it stopped.
		bool Wait(std::chrono::milliseconds Duration)
		{
			std::unique_lock Lock(Mutex);
			const uint64_t Start = Releases;
			Wake.wait_for(Lock, Duration, [this, Start] { return bStopping || Releases != Start; });
			return !bStopping;
		}

		static std::string RouteKey(const std::string& Host, const std::string& Method, const std::string& Path)
		{
			return Lower(Host) + " " + Method + " " + Path;
		}

		FReply Answer(const FRequestRecord& Record)
		{
			FHandler Handler;
			{
				std::lock_guard Lock(Mutex);
				// A long-running service keeps only the recent past.
				if (Requests.size() >= MaxRecordedRequests)
				{
					Requests.erase(Requests.begin(), Requests.begin() + MaxRecordedRequests / 2);
				}
				Requests.push_back(Record);
				const auto Script = Scripts.find(Record.Path);
				if (Script != Scripts.end())
				{
					return Script->second;
				}
				const std::string Key = RouteKey(Record.Host, Record.Method, Record.Path);
				const auto Route = Routes.find(Key);
				if (Route != Routes.end())
				{
					Handler = Route->second;
				}
				else
				{
					// A route whose path ends in "*" takes every path below its prefix.
					for (const auto& [Pattern, Candidate] : Routes)
					{
						if (!Pattern.empty() && Pattern.back() == '*' && Key.compare(0, Pattern.size() - 1, Pattern, 0, Pattern.size() - 1) == 0)
						{
							Handler = Candidate;
							break;
						}
					}
				}
			}
			return Handler ? Handler(Record) : FReply::Json(404, "{\"error\":\"not_found\"}");
		}

		void Serve(const httplib::Request& Request, httplib::Response& Response)
		{
			FRequestRecord Record;
			Record.Method = Request.method;
			Record.Host = HostOf(Request);
			Record.Path = Request.path;
			Record.Target = Request.target;
			for (const auto& [Name, Value] : Request.params)
			{
				Record.Query[Name] = Value;
			}
			for (const auto& [Name, Value] : Request.headers)
			{
				Record.Headers[Lower(Name)] = Value;
			}
			Record.Body = Request.body;
			Write(Answer(Record), Response);
		}

		void Write(const FReply& Reply, httplib::Response& Response)
		{
			if (Reply.HeaderDelay.count() > 0 && !Wait(Reply.HeaderDelay))
			{
				Response.status = 503;
				return;
			}
			Response.status = Reply.Status;
			std::string ContentType;
			for (const auto& [Name, Value] : Reply.Headers)
			{
				if (Lower(Name) == "content-type")
				{
					ContentType = Value;
				}
				else
				{
					Response.set_header(Name, Value);
				}
			}

			const uint64_t Length = Reply.PatternLength.value_or(Reply.Body.size());
			const std::shared_ptr<const std::string> Body = std::make_shared<const std::string>(Reply.Body);
			const std::optional<uint64_t> PatternLength = Reply.PatternLength;
			const std::optional<uint64_t> DropAfter = Reply.DropAfter;
			const size_t ChunkBytes = std::max<size_t>(1, Reply.ChunkBytes);
			const std::chrono::milliseconds ChunkDelay = Reply.ChunkDelay;
			const bool bChunked = Reply.bChunked;

			// Writes the body slice that starts at Offset; false drops the connection.
			auto Provide = [this, Body, PatternLength, Length, DropAfter, ChunkBytes, ChunkDelay, bChunked](size_t Offset, httplib::DataSink& Sink) -> bool
			{
				if (Offset > 0 && ChunkDelay.count() > 0 && !Wait(ChunkDelay))
				{
					return false;
				}
				const uint64_t End = std::min<uint64_t>(DropAfter.value_or(Length), Length);
				if (Offset >= End)
				{
					if (Offset < Length || DropAfter)
					{
						return false;
					}
					if (bChunked)
					{
						Sink.done();
					}
					// A fixed-length body that is complete never gets here; one whose announced
					// length is longer than the body does, and is cut off.
					return bChunked;
				}
				const size_t Count = static_cast<size_t>(std::min<uint64_t>(ChunkBytes, End - Offset));
				if (!PatternLength)
				{
					return Sink.write(Body->data() + Offset, Count);
				}
				thread_local std::string Slice;
				Slice.resize(Count);
				for (size_t Index = 0; Index < Count; ++Index)
				{
					Slice[Index] = static_cast<char>(PatternByte(Offset + Index));
				}
				return Sink.write(Slice.data(), Count);
			};

			if (bChunked)
			{
				Response.set_chunked_content_provider(ContentType, [Provide](size_t Offset, httplib::DataSink& Sink) { return Provide(Offset, Sink); });
			}
			else
			{
				const uint64_t Announced = Reply.AnnouncedLength.value_or(Length);
				if (Announced == 0)
				{
					Response.set_content(std::string(), ContentType);
				}
				else
				{
					Response.set_content_provider(static_cast<size_t>(Announced), ContentType, [Provide](size_t Offset, size_t, httplib::DataSink& Sink) { return Provide(Offset, Sink); });
				}
			}
			if (ContentType.empty())
			{
				Response.headers.erase("Content-Type");
			}
		}

		void Install(httplib::Server& Server)
		{
			const auto Handler = [this](const httplib::Request& Request, httplib::Response& Response) { Serve(Request, Response); };
			Server.Get(".*", Handler);
			Server.Post(".*", Handler);
			Server.Put(".*", Handler);
			Server.Patch(".*", Handler);
			Server.Delete(".*", Handler);
			Server.Options(".*", Handler);
			Server.new_task_queue = [] { return new httplib::ThreadPool(WorkerCount); };
			// Headers and body go out as separate writes; without this, Nagle and delayed ACKs
			// hold every small reply back for about 40 ms.
			Server.set_tcp_nodelay(true);
		}

		bool Listen(httplib::Server& Server, uint16_t& Port)
		{
			if (!Server.is_valid())
			{
				return false;
			}
			Install(Server);
			const int Bound = Server.bind_to_any_port("127.0.0.1");
			if (Bound <= 0)
			{
				return false;
			}
			Port = static_cast<uint16_t>(Bound);
			Listeners.emplace_back([&Server] { Server.listen_after_bind(); });
			// The worker pool exists once the server runs; callers count threads after Start.
			for (int Spin = 0; Spin < 100000 && !Server.is_running(); ++Spin)
			{
				std::this_thread::yield();
			}
			return Server.is_running();
		}
	};

	FService::FService()
		: Impl(std::make_unique<FImpl>())
	{
	}

	FService::~FService()
	{
		Stop();
	}

	bool FService::Start()
	{
		Impl->bStopping = false;
		try
		{
			const FIdentity Authority = MakeAuthority();
			const FIdentity Leaf = MakeLeaf(Authority, ServiceHosts);
			const FIdentity Elsewhere = MakeLeaf(Authority, { "elsewhere.example" });
			Impl->AuthorityPem = ToPem(Authority.Certificate.get());

			char Template[] = "/tmp/kestrova-authority-XXXXXX.pem";
			const int Descriptor = mkstemps(Template, 4);
			if (Descriptor < 0)
			{
				return false;
			}
			Impl->AuthorityFile = Template;
			const bool bWritten = write(Descriptor, Impl->AuthorityPem.data(), Impl->AuthorityPem.size()) == static_cast<ssize_t>(Impl->AuthorityPem.size());
			close(Descriptor);
			if (!bWritten)
			{
				return false;
			}

			Impl->Tls = std::make_unique<httplib::SSLServer>(Leaf.Certificate.get(), Leaf.Key.get());
			Impl->WrongHost = std::make_unique<httplib::SSLServer>(Elsewhere.Certificate.get(), Elsewhere.Key.get());
			Impl->Plain = std::make_unique<httplib::Server>();
			return Impl->Listen(*Impl->Tls, Impl->TlsPort) && Impl->Listen(*Impl->WrongHost, Impl->WrongHostPort) && Impl->Listen(*Impl->Plain, Impl->PlainPort);
		}
		catch (const std::exception&)
		{
			return false;
		}
	}

	void FService::Stop()
	{
		{
			std::lock_guard Lock(Impl->Mutex);
			Impl->bStopping = true;
		}
		Impl->Wake.notify_all();
		for (httplib::Server* Server : { static_cast<httplib::Server*>(Impl->Tls.get()), static_cast<httplib::Server*>(Impl->WrongHost.get()), Impl->Plain.get() })
		{
			if (Server)
			{
				Server->stop();
			}
		}
		for (std::thread& Listener : Impl->Listeners)
		{
			Listener.join();
		}
		Impl->Listeners.clear();
		Impl->Tls.reset();
		Impl->WrongHost.reset();
		Impl->Plain.reset();
		if (!Impl->AuthorityFile.empty())
		{
			std::remove(Impl->AuthorityFile.c_str());
			Impl->AuthorityFile.clear();
		}
	}

	uint16_t FService::Port() const { return Impl->TlsPort; }
	uint16_t FService::WrongHostPort() const { return Impl->WrongHostPort; }
	uint16_t FService::PlainPort() const { return Impl->PlainPort; }
	const std::string& FService::AuthorityFile() const { return Impl->AuthorityFile; }
	const std::string& FService::AuthorityPem() const { return Impl->AuthorityPem; }

	void FService::Route(const std::string& Host, const std::string& Method, const std::string& Path, FHandler Handler)
	{
		std::lock_guard Lock(Impl->Mutex);
		Impl->Routes[FImpl::RouteKey(Host, Method, Path)] = std::move(Handler);
	}

	void FService::Script(const std::string& Path, FReply Reply)
	{
		std::lock_guard Lock(Impl->Mutex);
		Impl->Scripts[Path] = std::move(Reply);
	}

	void FService::ReleaseDelays()
	{
		{
			std::lock_guard Lock(Impl->Mutex);
			++Impl->Releases;
		}
		Impl->Wake.notify_all();
	}

	void FService::ClearScripts()
	{
		std::lock_guard Lock(Impl->Mutex);
		Impl->Scripts.clear();
	}

	std::vector<FRequestRecord> FService::Requests() const
	{
		std::lock_guard Lock(Impl->Mutex);
		return Impl->Requests;
	}

	void FService::ClearRequests()
	{
		std::lock_guard Lock(Impl->Mutex);
		Impl->Requests.clear();
	}
}
