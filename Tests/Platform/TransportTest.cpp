#include "TransportSupport.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <set>
#include <thread>
#include <unistd.h>

using KVAPlatform::Reply;
using KVAPlatform::Request;
using KVAPlatform::URLRole;
using KVAService::FReply;

namespace
{
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
		// Shared, not on the stack: a request that is wrongly sent answers later, on its own
		// thread, when this iteration or the whole test may be over.
		struct FAnswer
		{
			std::mutex Mutex;
			bool bCalled = false;
			Reply Got;
		};
		const auto Answer = std::make_shared<FAnswer>();
		KVAPlatform::Send(std::move(Req), Case.bNullCancel ? nullptr : std::make_shared<KVAPlatform::Cancel>(), [Answer](Reply Rep)
		{
			std::lock_guard Lock(Answer->Mutex);
			Answer->bCalled = true;
			Answer->Got = std::move(Rep);
		});
		std::lock_guard Lock(Answer->Mutex);
		const Reply& Got = Answer->Got;
		ASSERT_TRUE(Answer->bCalled) << Case.Name;
		EXPECT_EQ(Got.Error, "unsafe_url") << Case.Name;
		EXPECT_EQ(Got.Status, 0) << Case.Name;
		EXPECT_TRUE(Got.MimeType.empty() && Got.RetryAfter.empty() && Got.Body.empty() && Got.Received == 0) << Case.Name;
	}
	EXPECT_TRUE(GService->Requests().empty());
}

TEST_F(TransportTest, SendsTheHeadersOfEachRole)
{
	GService->Script("/v1/echo", FReply::Json(200, "{}"));
	GService->Script("/p.webp", FReply::Json(200, "{}"));

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
	const std::vector<KVAService::FRequestRecord> Seen = GService->Requests();
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
	const std::vector<KVAService::FRequestRecord> Seen = GService->Requests();
	ASSERT_EQ(Seen.size(), 1u);
	EXPECT_EQ(Seen[0].Path, "/v1/../admin");
}

TEST_F(TransportTest, ErrorStatusInMemoryIsNotATransportError)
{
	FReply Failing = FReply::Json(500, "{\"error\":\"boom\"}");
	Failing.Headers = { { "Content-Type", "application/json; charset=utf-8" }, { "Retry-After", "120" } };
	GService->Script("/v1/fail", Failing);
	FReply NoContent;
	NoContent.Status = 204;
	GService->Script("/v1/bare", NoContent);

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
		GService->ClearRequests();
		const bool bRedirect = Status != 300 && Status != 304;
		GService->Script("/v1/moved", FReply::Redirect(Status, "https://api.kestrova.example/v1/target"));
		GService->Script("/moved.zip", FReply::Redirect(Status, "https://content.kestrova.example/target.zip"));

		const Reply Call = SendAndWait(Api("/v1/moved"));
		EXPECT_EQ(Call.Error, bRedirect ? "redirect_denied" : "") << Status;
		EXPECT_EQ(Call.Status, Status);

		const std::filesystem::path Output = TempFile("moved-" + std::to_string(Status));
		const Reply File = SendAndWait(Download("/moved.zip", Output, MiB));
		EXPECT_EQ(File.Error, "download_failed") << Status;
		EXPECT_EQ(File.Status, Status);
		EXPECT_FALSE(std::filesystem::exists(Output)) << Status;

		for (const KVAService::FRequestRecord& Seen : GService->Requests())
		{
			EXPECT_TRUE(Seen.Path.find("target") == std::string::npos) << Status;
		}
	}
}

TEST_F(TransportTest, ByteLimitIsEnforcedOnTheAnnouncedAndTheRunningCount)
{
	const uint64_t Limit = 100'000;
	GService->Script("/v1/announced", Pattern(Limit + 10));
	FReply Streamed = Pattern(Limit + 10, true);
	Streamed.ChunkBytes = 30'000;
	GService->Script("/v1/streamed", Streamed);
	GService->Script("/v1/exact", Pattern(Limit, true));
	GService->Script("/v1/announced-exact", Pattern(Limit));

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

	// A length announced at exactly the limit is within it.
	const Reply AnnouncedExact = SendAndWait(Api("/v1/announced-exact", Limit));
	EXPECT_EQ(AnnouncedExact.Error, "");
	EXPECT_EQ(AnnouncedExact.Received, Limit);
	EXPECT_TRUE(IsPattern(AnnouncedExact.Body));
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
		GService->Script("/pkg.zip", Body);
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
	GService->Script("/big.zip", Endless);
	GService->Script("/missing.zip", FReply::Json(404, "{\"error\":\"not_found\"}"));

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

TEST_F(TransportTest, DownloadsTakeOnlyStatus200)
{
	// Each answer carries exactly the bytes asked for: only the status is wrong.
	constexpr uint64_t Length = 300'000;
	for (const int Status : { 201, 202, 203, 206, 226, 299 })
	{
		FReply Reply = Pattern(Length);
		Reply.Status = Status;
		if (Status == 206)
		{
			Reply.Headers.emplace_back("Content-Range", "bytes 0-299999/300000");
		}
		GService->Script("/partial.zip", Reply);
		const std::filesystem::path Output = TempFile("status-" + std::to_string(Status));

		const KVAPlatform::Reply Rep = SendAndWait(Download("/partial.zip", Output, Length));

		EXPECT_EQ(Rep.Error, "download_failed") << Status;
		EXPECT_EQ(Rep.Status, Status);
		EXPECT_EQ(Rep.Received, 0u) << Status;
		EXPECT_FALSE(std::filesystem::exists(Output)) << Status;
	}
}

TEST_F(TransportTest, CancelEndsStalledAndRunningTransfers)
{
	FReply Stalled = Pattern(4 * MiB, true);
	Stalled.ChunkBytes = 100'000;
	Stalled.ChunkDelay = std::chrono::milliseconds(60'000);
	GService->Script("/stalled.zip", Stalled);
	FReply Trickle = Pattern(64 * MiB, true);
	Trickle.ChunkBytes = 16 * 1024;
	Trickle.ChunkDelay = std::chrono::milliseconds(5);
	GService->Script("/trickle.zip", Trickle);
	GService->Script("/v1/slow", HeadersAfter(std::chrono::milliseconds(60'000)));

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
	GService->Script("/v1/dropped", Dropped);
	FReply Short = Pattern(1000);
	Short.AnnouncedLength = 5000;
	GService->Script("/v1/short", Short);
	FReply Stall = Pattern(MiB, true);
	Stall.ChunkBytes = 1000;
	Stall.ChunkDelay = std::chrono::milliseconds(60'000);
	GService->Script("/v1/stall", Stall);
	GService->Script("/v1/late", HeadersAfter(std::chrono::milliseconds(60'000)));
	FReply Steady = Pattern(MiB, true);
	Steady.ChunkBytes = 1000;
	Steady.ChunkDelay = std::chrono::milliseconds(100);
	GService->Script("/v1/steady", Steady);
	GService->Script("/v1/ok", FReply::Json(200, "{}"));

	struct FCase
	{
		const char* Name;
		uint16_t Port;
		const char* Path;
	};
	const FCase Cases[] = {
		{ "plain HTTP listener", GService->PlainPort(), "/v1/ok" },
		{ "certificate for another host", GService->WrongHostPort(), "/v1/ok" },
		{ "closed port", UnusedLoopbackPort(), "/v1/ok" },
		{ "connection dropped mid-body", GService->Port(), "/v1/dropped" },
		{ "Content-Length longer than the body", GService->Port(), "/v1/short" },
		{ "stalled body", GService->Port(), "/v1/stall" },
		{ "no response headers", GService->Port(), "/v1/late" },
		{ "steady but past the total time", GService->Port(), "/v1/steady" },
	};
	// 0.7 s without a byte, 2.5 s in all for a reply in memory.
	KVAPlatform::Testing::SetTimeScale(0.7 / 30, 2.5 / 60);
	for (const FCase& Case : Cases)
	{
		KVAPlatform::SetRouting(Case.Port, GService->AuthorityPem());
		const Reply Rep = SendAndWait(Api(Case.Path));
		EXPECT_EQ(Rep.Error, "network_failed") << Case.Name;
	}

	// Without the extra authority the service's certificate is not trusted.
	KVAPlatform::SetRouting(GService->Port(), std::string());
	EXPECT_EQ(SendAndWait(Api("/v1/ok")).Error, "network_failed");
	KVAPlatform::SetRouting(GService->Port(), GService->AuthorityPem());
	EXPECT_EQ(SendAndWait(Api("/v1/ok")).Error, "");
}

TEST_F(TransportTest, DefaultTimeLimitsAreTheOnesARequestGets)
{
	// 30 s without a byte; 60 s in all for a reply in memory, 1,800 s for one streamed to a file.
	// Scaled down, each shows at the moment its own limit gives and at no other.
	FReply Trickle = Pattern(MiB, true);
	Trickle.ChunkBytes = 1000;
	Trickle.ChunkDelay = std::chrono::milliseconds(100);
	GService->Script("/v1/trickle", Trickle);
	GService->Script("/trickle.zip", Trickle);
	GService->Script("/v1/silent", HeadersAfter(std::chrono::milliseconds(60'000)));
	GService->Script("/silent.zip", HeadersAfter(std::chrono::milliseconds(60'000)));

	const struct
	{
		const char* Name;
		double IdleScale;
		double TotalScale;
		bool bFile;
		const char* Path;
		double Seconds;
	} Cases[] = {
		{ "no byte, in memory: the idle limit", 1.0 / 30, 1.0 / 30, false, "/v1/silent", 1.0 },
		{ "no byte, to a file: the idle limit", 1.0 / 30, 1.0 / 1000, true, "/silent.zip", 1.0 },
		{ "a steady trickle in memory: the total limit", 1.0 / 30, 1.0 / 30, false, "/v1/trickle", 2.0 },
		{ "a steady trickle to a file: the longer total limit", 1.0 / 30, 1.0 / 1000, true, "/trickle.zip", 1.8 },
	};
	for (const auto& Case : Cases)
	{
		KVAPlatform::Testing::SetTimeScale(Case.IdleScale, Case.TotalScale);
		const Request Req = Case.bFile ? Download(Case.Path, TempFile("limits"), 64 * MiB) : Api(Case.Path, 64 * MiB);
		const auto Start = std::chrono::steady_clock::now();

		const Reply Rep = SendAndWait(Req);

		const double Elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
		EXPECT_EQ(Rep.Error, "network_failed") << Case.Name;
		// The poll that notices a limit comes at most 0.1 s late; a busy machine adds more.
		EXPECT_GE(Elapsed, Case.Seconds - 0.05) << Case.Name;
		EXPECT_LT(Elapsed, Case.Seconds + 0.75) << Case.Name;
	}
}

TEST_F(TransportTest, UpperCaseHostReachesTheService)
{
	GService->Script("/v1/ok", FReply::Json(200, "{\"ok\":true}"));
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
	GService->Script("/v1/many", Slowish);
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
	GService->Script("/v1/small", FReply::Json(200, "{\"n\":1}"));
	GService->Script("/v1/error", FReply::Json(500, "{}"));
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
