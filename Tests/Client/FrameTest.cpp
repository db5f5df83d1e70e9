#include "ClientTestSupport.h"

#include <nlohmann/json.hpp>

#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
	KVAService::FReply JsonReply(int Status, const std::string& Body)
	{
		return KVAService::FReply::Json(Status, Body);
	}
}

TEST_F(ClientTest, EarlyRefusalsAnswerInsideTheCall)
{
	struct FCase
	{
		const TCHAR* Path;
		bool bAnonymous;
		const TCHAR* Code;
	};
	const FCase Cases[] = {
		{TEXT("/v1/membership"), false, TEXT("login_required")},
		{TEXT("/v2/config"), true, TEXT("invalid_request")},
		{TEXT("v1/config"), true, TEXT("invalid_request")},
		{TEXT("/v1/config\n"), true, TEXT("invalid_request")},
		{TEXT("/v1/con\rfig"), true, TEXT("invalid_request")},
	};
	for (const FCase& Case : Cases)
	{
		std::optional<FString> Code;
		Client->API(TEXT("GET"), Case.Path, nullptr, [&Code](TSharedPtr<FJsonObject> Json, const FString& Result)
		{
			EXPECT_FALSE(Json.IsValid());
			Code = Result;
		}, Case.bAnonymous);
		ASSERT_TRUE(Code.has_value()) << KVAText::Utf8(Case.Path);
		EXPECT_EQ(*Code, Case.Code);
	}
	Host.PumpUntil([] { return false; }, 0.2);
	EXPECT_TRUE(Service.Requests().empty());

	// Anonymous calls go out; a capital V passes the frame but not the URL policy.
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/config"), nullptr, true), TEXT(""));
	bool bInside = true;
	std::optional<FString> Code;
	Client->API(TEXT("GET"), TEXT("/V1/config"), nullptr, [&](TSharedPtr<FJsonObject>, const FString& Result) { Code = Result; }, true);
	bInside = Code.has_value();
	ASSERT_TRUE(Host.PumpUntil([&] { return Code.has_value(); }));
	EXPECT_FALSE(bInside);
	EXPECT_EQ(*Code, TEXT("unsafe_url"));

	Client->bReviewOnly = true;
	Code.reset();
	Client->API(TEXT("GET"), TEXT("/whatever"), nullptr, [&](TSharedPtr<FJsonObject>, const FString& Result) { Code = Result; }, true);
	EXPECT_EQ(Code.value_or(TEXT("")), TEXT("review_only"));
}

TEST_F(ClientTest, RepliesBecomeObjectsAndCodes)
{
	struct FCase
	{
		const char* Name;
		KVAService::FReply Reply;
		const TCHAR* Code;
		bool bObject;
	};
	KVAService::FReply Html;
	Html.Status = 500;
	Html.Headers.push_back({ "Content-Type", "text/html" });
	Html.Body = "<html><body>Internal error</body></html>";
	KVAService::FReply Empty = JsonReply(200, "");
	KVAService::FReply Huge = JsonReply(200, "");
	Huge.PatternLength = 4194305;
	const FCase Cases[] = {
		{"success", JsonReply(200, R"({"ok":true})"), TEXT(""), true},
		{"unknown error code", JsonReply(404, R"({"error":"catalog_moved","hint":"x"})"), TEXT("catalog_moved"), true},
		{"error without code", JsonReply(500, R"({"detail":"x"})"), TEXT("request_failed"), true},
		{"empty error code", JsonReply(502, R"({"error":""})"), TEXT("request_failed"), true},
		{"html error", Html, TEXT("invalid_response"), false},
		{"empty success", Empty, TEXT("invalid_response"), false},
		{"array success", JsonReply(200, "[1,2]"), TEXT("invalid_response"), false},
		{"redirect", KVAService::FReply::Redirect(302, "https://api.kestrova.example/v1/elsewhere"), TEXT("redirect_denied"), false},
		{"over 4 MiB", Huge, TEXT("response_too_large"), false},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		Service.Script("/v1/config", Case.Reply);
		TSharedPtr<FJsonObject> Json;
		EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/config"), &Json, true), Case.Code);
		EXPECT_EQ(Json.IsValid(), Case.bObject);
	}
	EXPECT_EQ(FKVAClient::Message(TEXT("catalog_moved")), TEXT("Could not complete the request. Try again."));
}

TEST_F(ClientTest, UnauthorisedReplyEndsTheSignIn)
{
	ASSERT_EQ(SignIn(), TEXT(""));
	Service.Script("/v1/membership/catalog", JsonReply(401, R"({"error":"token_revoked"})"));
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership/catalog")), TEXT("login_required"));
	EXPECT_FALSE(Client->Connected());
	EXPECT_TRUE(Client->Token.IsEmpty());
	bool bSync = false;
	Client->API(TEXT("GET"), TEXT("/v1/membership"), nullptr, [&](TSharedPtr<FJsonObject>, const FString& Code) { bSync = Code == TEXT("login_required"); }, false);
	EXPECT_TRUE(bSync);
}

TEST_F(ClientTest, TooManyRequestsStartsABoundedBackOff)
{
	struct FCase
	{
		const char* RetryAfter;
		double Seconds;
	};
	const FCase Cases[] = {
		{"5", 5}, {"0", 60}, {nullptr, 60}, {"Wed, 21 Oct 2026 07:28:00 GMT", 60}, {"86400", 3600}, {"0.5", 1}, {"-3", 60}, {"abc", 60},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.RetryAfter ? Case.RetryAfter : "(absent)");
		Client = MakeShared<FKVAClient>();
		KVAService::FReply Slow = JsonReply(429, R"({"error":"rate_limited"})");
		if (Case.RetryAfter)
		{
			Slow.Headers.push_back({ "Retry-After", Case.RetryAfter });
		}
		Service.Script("/v1/config", Slow);
		EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/config"), nullptr, true), TEXT("rate_limited"));
		Service.ClearScripts();
		const size_t Sent = Service.Requests().size();

		// Just before the end every call is answered at once; just after, it goes out again.
		Host.AdvanceClock(Case.Seconds - 0.25);
		bool bRefused = false;
		Client->API(TEXT("GET"), TEXT("/v1/config"), nullptr, [&](TSharedPtr<FJsonObject>, const FString& Code) { bRefused = Code == TEXT("retry_later"); }, true);
		EXPECT_TRUE(bRefused);
		EXPECT_EQ(Service.Requests().size(), Sent);
		Client->Cancel(); // the back-off outlives cancellation
		Host.AdvanceClock(0.5);
		EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/config"), nullptr, true), TEXT(""));
	}
	EXPECT_EQ(FKVAClient::Message(TEXT("retry_later")), TEXT("Please wait before trying again."));
}

TEST_F(ClientTest, RepliesAfterCancelOrDestructionReachNobody)
{
	KVAService::FReply Late = JsonReply(200, R"({"ok":true})");
	Late.HeaderDelay = std::chrono::milliseconds(300);
	Service.Script("/v1/config", Late);

	int32 Calls = 0;
	Client->API(TEXT("GET"), TEXT("/v1/config"), nullptr, [&Calls](TSharedPtr<FJsonObject>, const FString&) { ++Calls; }, true);
	const uint32 Before = Client->Generation;
	Client->Cancel();
	EXPECT_EQ(Client->Generation, Before + 1);
	EXPECT_TRUE(Client->Pending.IsEmpty());
	Client->Cancel(); // nothing pending: only the generation moves
	EXPECT_EQ(Client->Generation, Before + 2);

	Client->API(TEXT("GET"), TEXT("/v1/config"), nullptr, [&Calls](TSharedPtr<FJsonObject>, const FString&) { ++Calls; }, true);
	TWeakPtr<FKVAClient> Weak = Client;
	Client.Reset();
	EXPECT_FALSE(Weak.IsValid());
	Host.PumpUntil([] { return false; }, 1.0);
	EXPECT_EQ(Calls, 0);
}

TEST_F(ClientTest, TransportCodesReachCallersUnchanged)
{
	// A server that closes the connection after half the announced body.
	KVAService::FReply Dropped = JsonReply(200, std::string(200, ' '));
	Dropped.DropAfter = 100;
	Dropped.AnnouncedLength = 200;
	Service.Script("/v1/config", Dropped);
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/config"), nullptr, true), TEXT("network_failed"));

	// The service host routed to a listener whose certificate names another host.
	Service.ClearScripts();
	KVAPlatform::SetRouting(Service.WrongHostPort(), Service.AuthorityPem());
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/config"), nullptr, true), TEXT("network_failed"));
	KVAPlatform::SetRouting(Service.Port(), Service.AuthorityPem());
}

TEST_F(ClientTest, TokenStaysInMemoryAndGoesOnlyToTheApiHost)
{
	ASSERT_EQ(SignIn(), TEXT(""));
	const std::string Token = KVAText::Utf8(Client->Token);
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership/catalog")), TEXT(""));

	// Previews and packages are fetched without it.
	const KVAService::FPackage* Package = Membership->FindPackage("pkg-004");
	ASSERT_NE(Package, nullptr);
	std::optional<FString> PreviewCode;
	Client->Preview(TEXT("https://images.kestrova.example/previews/kp-004.webp"), [&](TArray<uint8>, const FString& Code) { PreviewCode = Code; });
	ASSERT_TRUE(Host.PumpUntil([&] { return PreviewCode.has_value(); }));
	Client->SignOut();
	ASSERT_TRUE(Host.PumpUntil([&] { return RequestsTo("/v1/session").size() == 1; }));

	for (const KVAService::FRequestRecord& Request : Service.Requests())
	{
		const auto Authorization = Request.Headers.find("authorization");
		if (Authorization != Request.Headers.end())
		{
			EXPECT_EQ(Request.Host, "api.kestrova.example") << Request.Path;
		}
		EXPECT_EQ(Request.Body.find(Token), std::string::npos) << Request.Path;
	}

	// Nothing this process wrote holds it: not the project, not its temporary folder (private
	// to this test binary, so nothing else lies there).
	const std::filesystem::path Temporary = std::filesystem::temp_directory_path();
	ASSERT_NE(Temporary.filename().string().find("kva-client-tests-"), std::string::npos);
	for (const std::filesystem::path& Root : { std::filesystem::path(KVAText::Utf8(FPaths::ProjectDir())), Temporary })
	{
		std::error_code Error;
		for (auto It = std::filesystem::recursive_directory_iterator(Root, std::filesystem::directory_options::skip_permission_denied, Error);
			 It != std::filesystem::recursive_directory_iterator(); It.increment(Error))
		{
			if (Error || !It->is_regular_file(Error) || It->file_size(Error) > (8u << 20))
			{
				continue;
			}
			std::ifstream Stream(It->path(), std::ios::binary);
			const std::string Content((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
			EXPECT_EQ(Content.find(Token), std::string::npos) << It->path();
		}
	}
}
