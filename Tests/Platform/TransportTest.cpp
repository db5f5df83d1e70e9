#include "Platform/Transport.h"

#include "KestrovaService/Service.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <set>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using KVAPlatform::Reply;
using KVAPlatform::Request;
using KVAPlatform::URLRole;
using KVAService::FReply;

namespace
{
	constexpr uint64_t MiB = 1 << 20;

	KVAService::FService* Service = nullptr;

	class FServiceEnvironment : public testing::Environment
	{
	public:
		void SetUp() override
		{
			Service = new KVAService::FService();
			ASSERT_TRUE(Service->Start());
			KVAPlatform::SetRouting(Service->Port(), Service->AuthorityPem());
		}

		void TearDown() override
		{
			KVAPlatform::SetRouting(0, std::string());
			delete Service;
			Service = nullptr;
		}
	};

	const testing::Environment* const Environment = testing::AddGlobalTestEnvironment(new FServiceEnvironment);

	class TransportTest : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Service->ClearScripts();
			Service->ClearRequests();
			KVAPlatform::SetRouting(Service->Port(), Service->AuthorityPem());
		}

		void TearDown() override
		{
			KVAPlatform::Testing::SetTimeLimits(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
			for (const std::filesystem::path& Path : Files)
			{
				std::filesystem::remove(Path);
			}
		}

		std::filesystem::path TempFile(const std::string& Name)
		{
			Files.push_back(std::filesystem::temp_directory_path() / ("kva-transport-" + std::to_string(getpid()) + "-" + Name));
			std::filesystem::remove(Files.back());
			return Files.back();
		}

		std::vector<std::filesystem::path> Files;
	};

	Request Api(const std::string& Path, uint64_t MaxBytes = 4 * MiB)
	{
		Request Req;
		Req.Method = "GET";
		Req.Url = "https://api.kestrova.example" + Path;
		Req.Role = URLRole::Api;
		Req.MaxBytes = MaxBytes;
		return Req;
	}

	Request Download(const std::string& Path, const std::filesystem::path& Output, uint64_t MaxBytes)
	{
		Request Req;
		Req.Method = "GET";
		Req.Url = "https://content.kestrova.example" + Path;
		Req.Role = URLRole::Package;
		Req.OutputPath = Output.string();
		Req.MaxBytes = MaxBytes;
		return Req;
	}

	// Sends and waits for the reply; a transfer that never answers fails the test instead of hanging it.
	Reply SendAndWait(Request Req, std::shared_ptr<KVAPlatform::Cancel> Flag = std::make_shared<KVAPlatform::Cancel>())
	{
		auto Promise = std::make_shared<std::promise<Reply>>();
		std::future<Reply> Future = Promise->get_future();
		KVAPlatform::Send(std::move(Req), std::move(Flag), [Promise](Reply Rep) { Promise->set_value(std::move(Rep)); });
		if (Future.wait_for(std::chrono::seconds(60)) != std::future_status::ready)
		{
			ADD_FAILURE() << "no reply within 60 s";
			return Reply();
		}
		return Future.get();
	}

	FReply Pattern(uint64_t Length, bool bChunked = false)
	{
		FReply Reply;
		Reply.Headers.emplace_back("Content-Type", "application/octet-stream");
		Reply.PatternLength = Length;
		Reply.bChunked = bChunked;
		return Reply;
	}

	FReply HeadersAfter(std::chrono::milliseconds Delay)
	{
		FReply Reply = FReply::Json(200, "{}");
		Reply.HeaderDelay = Delay;
		return Reply;
	}

	bool IsPattern(const std::vector<uint8_t>& Bytes)
	{
		for (size_t Index = 0; Index < Bytes.size(); ++Index)
		{
			if (Bytes[Index] != KVAService::PatternByte(Index))
			{
				return false;
			}
		}
		return true;
	}

	std::vector<uint8_t> ReadFile(const std::filesystem::path& Path)
	{
		std::ifstream In(Path, std::ios::binary);
		return std::vector<uint8_t>(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
	}

	size_t CountEntries(const char* Directory)
	{
		size_t Count = 0;
		if (DIR* Dir = opendir(Directory))
		{
			while (readdir(Dir))
			{
				++Count;
			}
			closedir(Dir);
		}
		return Count;
	}

	// Transfer threads end just after their reply, and the in-process service closes its side
	// of a connection a moment later; wait (bounded) until the count is back down.
	size_t Settled(const char* Directory, size_t Target)
	{
		size_t Count = CountEntries(Directory);
		for (int Round = 0; Round < 2000 && Count > Target; ++Round)
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(5));
			Count = CountEntries(Directory);
		}
		return Count;
	}

	size_t SettledThreadCount(size_t Target)
	{
		return Settled("/proc/self/task", Target);
	}

	uint16_t ClosedPort()
	{
		const int Socket = socket(AF_INET, SOCK_STREAM, 0);
		sockaddr_in Address {};
		Address.sin_family = AF_INET;
		Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
		socklen_t Length = sizeof(Address);
		getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
		close(Socket);
		return ntohs(Address.sin_port);
	}
}

TEST_F(TransportTest, RefusalsAnswerInsideSendAndSendNothing)
{
	struct FCase
	{
		const char* Name;
		std::function<void(Request&)> Change;
		bool bNullCancel;
	};
	const FCase Cases[] = {
		{ "preview on the content host", [](Request& R) { R.Role = URLRole::Preview; R.Url = "https://content.kestrova.example/p.webp"; }, false },
		{ "token on a preview URL", [](Request& R) { R.Role = URLRole::Preview; R.Url = "https://images.kestrova.example/p.webp"; R.Token = "t"; }, false },
		{ "token on a package URL", [](Request& R) { R.Role = URLRole::Package; R.Url = "https://content.kestrova.example/p.zip"; R.Token = "t"; }, false },
		{ "plain http", [](Request& R) { R.Url = "http://api.kestrova.example/v1/x"; }, false },
		{ "no cancellation record", [](Request&) {}, true },
		{ "method with a line break", [](Request& R) { R.Method = "GET /v1/y HTTP/1.1\r\nX:"; }, false },
		{ "empty method", [](Request& R) { R.Method = ""; }, false },
		{ "token with a line break", [](Request& R) { R.Token = "abc\r\nX-Injected: 1"; }, false },
	};
	for (const FCase& Case : Cases)
	{
		Request Req = Api("/v1/x");
		Case.Change(Req);
		bool bCalled = false;
		Reply Got;
		Got.Status = -1;
		KVAPlatform::Send(std::move(Req), Case.bNullCancel ? nullptr : std::make_shared<KVAPlatform::Cancel>(), [&](Reply Rep)
		{
			bCalled = true;
			Got = std::move(Rep);
		});
		ASSERT_TRUE(bCalled) << Case.Name;
		EXPECT_EQ(Got.Error, "unsafe_url") << Case.Name;
		EXPECT_EQ(Got.Status, 0) << Case.Name;
		EXPECT_TRUE(Got.MimeType.empty() && Got.RetryAfter.empty() && Got.Body.empty() && Got.Received == 0) << Case.Name;
	}
	EXPECT_TRUE(Service->Requests().empty());
}

TEST_F(TransportTest, SendsTheHeadersOfEachRole)
{
	Service->Script("/v1/echo", FReply::Json(200, "{}"));
	Service->Script("/p.webp", FReply::Json(200, "{}"));

	Request Get = Api("/v1/echo");
	Get.Token = "secret-token";
	Request Post = Api("/v1/echo");
	Post.Method = "POST";
	Post.Body = "{\"package_id\":\"p1\"}";
	Request Delete = Api("/v1/echo");
	Delete.Method = "DELETE";
	Request Preview;
	Preview.Method = "GET";
	Preview.Url = "https://images.kestrova.example/p.webp";
	Preview.Role = URLRole::Preview;
	Preview.MaxBytes = MiB;

	for (Request* Req : { &Get, &Post, &Delete, &Preview })
	{
		EXPECT_EQ(SendAndWait(*Req).Error, "");
	}
	const std::vector<KVAService::FRequestRecord> Seen = Service->Requests();
	ASSERT_EQ(Seen.size(), 4u);

	EXPECT_EQ(Seen[0].Method, "GET");
	EXPECT_EQ(Seen[0].Host, "api.kestrova.example");
	EXPECT_EQ(Seen[0].Headers.at("accept"), "application/json");
	EXPECT_EQ(Seen[0].Headers.at("authorization"), "Bearer secret-token");
	EXPECT_EQ(Seen[0].Headers.count("content-type"), 0u);
	EXPECT_EQ(Seen[0].Headers.count("cookie"), 0u);

	EXPECT_EQ(Seen[1].Method, "POST");
	EXPECT_EQ(Seen[1].Body, "{\"package_id\":\"p1\"}");
	EXPECT_EQ(Seen[1].Headers.at("content-type"), "application/json");
	EXPECT_EQ(Seen[1].Headers.count("authorization"), 0u);

	EXPECT_EQ(Seen[2].Method, "DELETE");
	EXPECT_TRUE(Seen[2].Body.empty());

	EXPECT_EQ(Seen[3].Host, "images.kestrova.example");
	EXPECT_EQ(Seen[3].Headers.at("accept"), "image/webp");
}

TEST_F(TransportTest, SendsThePathThePolicyChecked)
{
	// Folding "/v1/../admin" to "/admin" after the check would leave the "/v1/" prefix behind.
	Request Req = Api("/v1/../admin");
	Req.Token = "secret-token";
	EXPECT_EQ(SendAndWait(std::move(Req)).Status, 404);
	const std::vector<KVAService::FRequestRecord> Seen = Service->Requests();
	ASSERT_EQ(Seen.size(), 1u);
	EXPECT_EQ(Seen[0].Path, "/v1/../admin");
}

TEST_F(TransportTest, ErrorStatusInMemoryIsNotATransportError)
{
	FReply Failing = FReply::Json(500, "{\"error\":\"boom\"}");
	Failing.Headers = { { "Content-Type", "application/json; charset=utf-8" }, { "Retry-After", "120" } };
	Service->Script("/v1/fail", Failing);
	FReply NoContent;
	NoContent.Status = 204;
	Service->Script("/v1/bare", NoContent);

	const Reply Rep = SendAndWait(Api("/v1/fail"));
	EXPECT_EQ(Rep.Error, "");
	EXPECT_EQ(Rep.Status, 500);
	EXPECT_EQ(Rep.MimeType, "application/json");
	EXPECT_EQ(Rep.RetryAfter, "120");
	EXPECT_EQ(std::string(Rep.Body.begin(), Rep.Body.end()), "{\"error\":\"boom\"}");
	EXPECT_EQ(Rep.Received, Rep.Body.size());

	const Reply Bare = SendAndWait(Api("/v1/bare"));
	EXPECT_EQ(Bare.Error, "");
	EXPECT_EQ(Bare.Status, 204);
	EXPECT_EQ(Bare.MimeType, "");
	EXPECT_EQ(Bare.RetryAfter, "");
}

TEST_F(TransportTest, RedirectsAreNeverFollowed)
{
	for (const int Status : { 301, 302, 303, 307, 308, 300, 304 })
	{
		Service->ClearRequests();
		const bool bRedirect = Status != 300 && Status != 304;
		Service->Script("/v1/moved", FReply::Redirect(Status, "https://api.kestrova.example/v1/target"));
		Service->Script("/moved.zip", FReply::Redirect(Status, "https://content.kestrova.example/target.zip"));

		const Reply Call = SendAndWait(Api("/v1/moved"));
		EXPECT_EQ(Call.Error, bRedirect ? "redirect_denied" : "") << Status;
		EXPECT_EQ(Call.Status, Status);

		const std::filesystem::path Output = TempFile("moved-" + std::to_string(Status));
		const Reply File = SendAndWait(Download("/moved.zip", Output, MiB));
		EXPECT_EQ(File.Error, "download_failed") << Status;
		EXPECT_EQ(File.Status, Status);
		EXPECT_FALSE(std::filesystem::exists(Output)) << Status;

		for (const KVAService::FRequestRecord& Seen : Service->Requests())
		{
			EXPECT_TRUE(Seen.Path.find("target") == std::string::npos) << Status;
		}
	}
}

TEST_F(TransportTest, ByteLimitIsEnforcedOnTheAnnouncedAndTheRunningCount)
{
	const uint64_t Limit = 100'000;
	Service->Script("/v1/announced", Pattern(Limit + 10));
	FReply Streamed = Pattern(Limit + 10, true);
	Streamed.ChunkBytes = 30'000;
	Service->Script("/v1/streamed", Streamed);
	Service->Script("/v1/exact", Pattern(Limit, true));

	const Reply Early = SendAndWait(Api("/v1/announced", Limit));
	EXPECT_EQ(Early.Error, "response_too_large");
	EXPECT_EQ(Early.Status, 200);
	EXPECT_EQ(Early.Received, 0u);
	EXPECT_TRUE(Early.Body.empty());

	const Reply Late = SendAndWait(Api("/v1/streamed", Limit));
	EXPECT_EQ(Late.Error, "response_too_large");
	EXPECT_LE(Late.Received, Limit);
	EXPECT_EQ(Late.Body.size(), Late.Received);
	EXPECT_TRUE(IsPattern(Late.Body));

	const Reply Exact = SendAndWait(Api("/v1/exact", Limit));
	EXPECT_EQ(Exact.Error, "");
	EXPECT_EQ(Exact.Received, Limit);
	EXPECT_TRUE(IsPattern(Exact.Body));
}

TEST_F(TransportTest, DownloadStreamsToTheFileWithProgress)
{
	struct FCase
	{
		uint64_t Length;
		uint64_t MaxBytes;
		size_t ChunkBytes;
		size_t ExpectedCalls;
	};
	const FCase Cases[] = {
		{ 3 * MiB, 3 * MiB, 256 * 1024, 3 },     // each MiB, the last one also the exact end
		{ 3 * MiB + 600'000, 3 * MiB + 600'000, 300'000, 4 }, // three boundaries, then the exact end
		{ 2 * MiB + 7, 10 * MiB, 300'000, 2 },    // boundaries only: the end is not MaxBytes
	};
	for (const FCase& Case : Cases)
	{
		FReply Body = Pattern(Case.Length, true);
		Body.ChunkBytes = Case.ChunkBytes;
		Service->Script("/pkg.zip", Body);
		const std::filesystem::path Output = TempFile("pkg");
		std::vector<uint64_t> Calls;
		std::thread::id ProgressThread;
		Request Req = Download("/pkg.zip", Output, Case.MaxBytes);
		Req.Progress = [&](uint64_t Received)
		{
			Calls.push_back(Received);
			ProgressThread = std::this_thread::get_id();
		};
		const Reply Rep = SendAndWait(std::move(Req));
		EXPECT_EQ(Rep.Error, "");
		EXPECT_EQ(Rep.Status, 200);
		EXPECT_EQ(Rep.Received, Case.Length);
		EXPECT_TRUE(Rep.Body.empty());
		const std::vector<uint8_t> Written = ReadFile(Output);
		EXPECT_EQ(Written.size(), Case.Length);
		EXPECT_TRUE(IsPattern(Written));
		EXPECT_NE(ProgressThread, std::this_thread::get_id());
		ASSERT_EQ(Calls.size(), Case.ExpectedCalls) << Case.Length;
		for (size_t Index = 0; Index < Calls.size(); ++Index)
		{
			// Each call is the first count at or past its MiB boundary.
			EXPECT_GE(Calls[Index], std::min<uint64_t>((Index + 1) * MiB, Case.MaxBytes));
			EXPECT_LT(Calls[Index], (Index + 1) * MiB + 256 * 1024);
		}
		if (Case.MaxBytes == Case.Length)
		{
			EXPECT_EQ(Calls.back(), Case.MaxBytes);
		}
	}
}

TEST_F(TransportTest, FailedDownloadsKeepTheirPartialFileForTheCaller)
{
	FReply Endless = Pattern(64 * MiB, true);
	Endless.ChunkBytes = 64 * 1024;
	Service->Script("/big.zip", Endless);
	Service->Script("/missing.zip", FReply::Json(404, "{\"error\":\"not_found\"}"));

	const std::filesystem::path Oversized = TempFile("oversized");
	const Reply TooLarge = SendAndWait(Download("/big.zip", Oversized, MiB));
	EXPECT_EQ(TooLarge.Error, "response_too_large");
	EXPECT_LE(TooLarge.Received, MiB);
	ASSERT_TRUE(std::filesystem::exists(Oversized));
	EXPECT_EQ(std::filesystem::file_size(Oversized), TooLarge.Received);

	const std::filesystem::path Missing = TempFile("missing");
	const Reply NotFound = SendAndWait(Download("/missing.zip", Missing, MiB));
	EXPECT_EQ(NotFound.Error, "download_failed");
	EXPECT_EQ(NotFound.Status, 404);
	EXPECT_FALSE(std::filesystem::exists(Missing));

	const Reply NoDirectory = SendAndWait(Download("/big.zip", "/nonexistent-kestrova-dir/file.zip", 64 * MiB));
	EXPECT_EQ(NoDirectory.Error, "write_failed");
	const Reply DiskFull = SendAndWait(Download("/big.zip", "/dev/full", 64 * MiB));
	EXPECT_EQ(DiskFull.Error, "write_failed");
}

TEST_F(TransportTest, CancelEndsStalledAndRunningTransfers)
{
	FReply Stalled = Pattern(4 * MiB, true);
	Stalled.ChunkBytes = 100'000;
	Stalled.ChunkDelay = std::chrono::milliseconds(60'000);
	Service->Script("/stalled.zip", Stalled);
	FReply Trickle = Pattern(64 * MiB, true);
	Trickle.ChunkBytes = 16 * 1024;
	Trickle.ChunkDelay = std::chrono::milliseconds(5);
	Service->Script("/trickle.zip", Trickle);
	Service->Script("/v1/slow", HeadersAfter(std::chrono::milliseconds(60'000)));

	for (const char* Path : { "/stalled.zip", "/trickle.zip" })
	{
		const std::filesystem::path Output = TempFile("canceled");
		auto Flag = std::make_shared<KVAPlatform::Cancel>();
		Request Req = Download(Path, Output, 64 * MiB);
		// Cancel once the first bytes are on the file: the body is flowing, or stalled after it.
		std::thread Canceler([&]
		{
			for (int Round = 0; Round < 2000 && !(std::filesystem::exists(Output) && std::filesystem::file_size(Output) > 0); ++Round)
			{
				std::this_thread::sleep_for(std::chrono::milliseconds(5));
			}
			Flag->bCanceled = true;
		});
		const Reply Rep = SendAndWait(std::move(Req), Flag);
		Canceler.join();
		EXPECT_EQ(Rep.Error, "canceled") << Path;
		EXPECT_EQ(Rep.Status, 200);
		EXPECT_GT(Rep.Received, 0u);
		ASSERT_TRUE(std::filesystem::exists(Output)) << Path;
		EXPECT_EQ(std::filesystem::file_size(Output), Rep.Received);
	}

	// Before any response, and already set at the start.
	auto Flag = std::make_shared<KVAPlatform::Cancel>();
	std::thread Canceler([Flag] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); Flag->bCanceled = true; });
	EXPECT_EQ(SendAndWait(Api("/v1/slow"), Flag).Error, "canceled");
	Canceler.join();
	EXPECT_EQ(SendAndWait(Api("/v1/slow"), Flag).Error, "canceled");
}

TEST_F(TransportTest, NetworkFailures)
{
	FReply Dropped = Pattern(MiB, true);
	Dropped.DropAfter = 300'000;
	Service->Script("/v1/dropped", Dropped);
	FReply Short = Pattern(1000);
	Short.AnnouncedLength = 5000;
	Service->Script("/v1/short", Short);
	FReply Stall = Pattern(MiB, true);
	Stall.ChunkBytes = 1000;
	Stall.ChunkDelay = std::chrono::milliseconds(60'000);
	Service->Script("/v1/stall", Stall);
	Service->Script("/v1/late", HeadersAfter(std::chrono::milliseconds(60'000)));
	FReply Steady = Pattern(MiB, true);
	Steady.ChunkBytes = 1000;
	Steady.ChunkDelay = std::chrono::milliseconds(100);
	Service->Script("/v1/steady", Steady);
	Service->Script("/v1/ok", FReply::Json(200, "{}"));

	struct FCase
	{
		const char* Name;
		uint16_t Port;
		const char* Path;
	};
	const FCase Cases[] = {
		{ "plain HTTP listener", Service->PlainPort(), "/v1/ok" },
		{ "certificate for another host", Service->WrongHostPort(), "/v1/ok" },
		{ "closed port", ClosedPort(), "/v1/ok" },
		{ "connection dropped mid-body", Service->Port(), "/v1/dropped" },
		{ "Content-Length longer than the body", Service->Port(), "/v1/short" },
		{ "stalled body", Service->Port(), "/v1/stall" },
		{ "no response headers", Service->Port(), "/v1/late" },
		{ "steady but past the total time", Service->Port(), "/v1/steady" },
	};
	KVAPlatform::Testing::SetTimeLimits(std::chrono::milliseconds(700), std::chrono::milliseconds(2500));
	for (const FCase& Case : Cases)
	{
		KVAPlatform::SetRouting(Case.Port, Service->AuthorityPem());
		const Reply Rep = SendAndWait(Api(Case.Path));
		EXPECT_EQ(Rep.Error, "network_failed") << Case.Name;
	}

	// Without the extra authority the service's certificate is not trusted.
	KVAPlatform::SetRouting(Service->Port(), std::string());
	EXPECT_EQ(SendAndWait(Api("/v1/ok")).Error, "network_failed");
	KVAPlatform::SetRouting(Service->Port(), Service->AuthorityPem());
	EXPECT_EQ(SendAndWait(Api("/v1/ok")).Error, "");
}

TEST_F(TransportTest, UpperCaseHostReachesTheService)
{
	Service->Script("/v1/ok", FReply::Json(200, "{\"ok\":true}"));
	Request Req = Api("/v1/ok");
	Req.Url = "https://API.Kestrova.Example/v1/ok";
	const Reply Rep = SendAndWait(std::move(Req));
	EXPECT_EQ(Rep.Error, "");
	EXPECT_EQ(Rep.Status, 200);
}

TEST_F(TransportTest, FiftyAtOnceEachGetExactlyOneReplyOnItsOwnThread)
{
	FReply Slowish = Pattern(200'000, true);
	Slowish.ChunkBytes = 50'000;
	Slowish.ChunkDelay = std::chrono::milliseconds(20);
	Service->Script("/v1/many", Slowish);
	const size_t ThreadsBefore = CountEntries("/proc/self/task");

	constexpr int Count = 50;
	std::atomic<int> Calls[Count] = {};
	std::atomic<int> Done { 0 };
	std::mutex Mutex;
	std::set<std::thread::id> ReplyThreads;
	std::vector<std::string> Errors(Count);
	for (int Index = 0; Index < Count; ++Index)
	{
		KVAPlatform::Send(Api("/v1/many"), std::make_shared<KVAPlatform::Cancel>(), [&, Index](Reply Rep)
		{
			std::lock_guard Lock(Mutex);
			Errors[Index] = Rep.Error + (Rep.Received == 200'000 ? "" : " short");
			ReplyThreads.insert(std::this_thread::get_id());
			++Calls[Index];
			++Done;
		});
	}
	for (int Round = 0; Round < 12000 && Done.load() < Count; ++Round)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(5));
	}
	ASSERT_EQ(Done.load(), Count);
	EXPECT_LE(SettledThreadCount(ThreadsBefore), ThreadsBefore);
	for (int Index = 0; Index < Count; ++Index)
	{
		EXPECT_EQ(Calls[Index].load(), 1) << Index;
		EXPECT_EQ(Errors[Index], "") << Index;
	}
	EXPECT_EQ(ReplyThreads.count(std::this_thread::get_id()), 0u);
}

TEST_F(TransportTest, AThousandTransfersLeaveNoThreadOrDescriptorBehind)
{
	Service->Script("/v1/small", FReply::Json(200, "{\"n\":1}"));
	Service->Script("/v1/error", FReply::Json(500, "{}"));
	// Warm-up: libraries that allocate once per process do it here, not inside the count.
	EXPECT_EQ(SendAndWait(Api("/v1/small")).Error, "");
	const size_t ThreadsBefore = SettledThreadCount(CountEntries("/proc/self/task"));
	const size_t DescriptorsBefore = Settled("/proc/self/fd", CountEntries("/proc/self/fd"));

	constexpr int Total = 1000;
	constexpr int Batch = 8;
	int Failures = 0;
	for (int Start = 0; Start < Total; Start += Batch)
	{
		std::vector<std::future<Reply>> Replies;
		for (int Index = Start; Index < Start + Batch; ++Index)
		{
			auto Promise = std::make_shared<std::promise<Reply>>();
			Replies.push_back(Promise->get_future());
			auto Flag = std::make_shared<KVAPlatform::Cancel>();
			// A mix of ends: success, error status, cancellation and refusal.
			Flag->bCanceled = Index % 10 == 3;
			Request Req = Api(Index % 10 == 5 ? "/v1/error" : "/v1/small");
			if (Index % 10 == 7)
			{
				Req.Url = "https://elsewhere.example/v1/small";
			}
			KVAPlatform::Send(std::move(Req), Flag, [Promise](Reply Rep) { Promise->set_value(std::move(Rep)); });
		}
		for (int Index = 0; Index < Batch; ++Index)
		{
			ASSERT_EQ(Replies[Index].wait_for(std::chrono::seconds(60)), std::future_status::ready);
			const Reply Rep = Replies[Index].get();
			const int Kind = (Start + Index) % 10;
			const std::string Expected = Kind == 3 ? "canceled" : Kind == 7 ? "unsafe_url" : "";
			Failures += Rep.Error != Expected;
		}
	}
	EXPECT_EQ(Failures, 0);
	EXPECT_LE(SettledThreadCount(ThreadsBefore), ThreadsBefore);
	EXPECT_LE(Settled("/proc/self/fd", DescriptorsBefore), DescriptorsBefore);
}
