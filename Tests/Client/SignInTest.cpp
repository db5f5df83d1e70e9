#include "ClientTestSupport.h"

#include <nlohmann/json.hpp>

namespace
{
	KVAService::FReply JsonReply(int Status, const nlohmann::json& Body)
	{
		return KVAService::FReply::Json(Status, Body.dump());
	}
}

TEST_F(ClientTest, BrowserSignInWithAVerifiedPkcePair)
{
	EXPECT_FALSE(Client->Connected());
	EXPECT_EQ(SignIn(), TEXT(""));
	EXPECT_TRUE(Client->Connected());
	EXPECT_TRUE(Client->Verifier.IsEmpty());
	EXPECT_TRUE(Client->AttemptId.IsEmpty());
	EXPECT_FALSE(Client->bSigningIn);
	EXPECT_FALSE(Client->ConsentText.IsEmpty());
	EXPECT_EQ(Client->Statements, (TArray<FString>{TEXT("I request immediate access."), TEXT("I acknowledge the withdrawal terms above.")}));
	ASSERT_EQ(Launched.Num(), 1);
	EXPECT_TRUE(Launched[0].StartsWith(TEXT("https://api.kestrova.example/connect/unreal?attempt_id="), ESearchCase::CaseSensitive));

	// The service issued the token only after checking the verifier against the challenge.
	const std::vector<std::string> Tokens = Membership->LiveTokens();
	ASSERT_EQ(Tokens.size(), 1u);
	EXPECT_EQ(KVAText::Utf8(Client->Token), Tokens[0]);
	const auto Starts = RequestsTo("/v1/login/start");
	ASSERT_EQ(Starts.size(), 1u);
	const auto Start = nlohmann::json::parse(Starts[0].Body);
	EXPECT_EQ(Start["client"], "unreal");
	EXPECT_EQ(Start["code_challenge"].get<std::string>().size(), 43u);
	EXPECT_TRUE(Starts[0].Headers.find("authorization") == Starts[0].Headers.end());

	TSharedPtr<FJsonObject> Reply;
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership"), &Reply), TEXT(""));
	EXPECT_TRUE(FKVAClient::Flag(Reply, TEXT("active")));
}

TEST_F(ClientTest, ConfigurationDecidesWhetherBrowserSignInIsOffered)
{
	struct FCase
	{
		const char* Name;
		std::function<void(KVAService::FMembershipSettings&)> Edit;
		const TCHAR* Code;
	};
	const FCase Cases[] = {
		{"capitals", [](auto& S) { S.Login = "BROWSER-PKCE"; S.LoginClients = { "web", "UNREAL" }; }, TEXT("")},
		{"fixture", [](auto& S) { S.bFixture = true; }, TEXT("connection_unavailable")},
		{"membership off", [](auto& S) { S.bMembershipFlag = false; }, TEXT("connection_unavailable")},
		{"other login", [](auto& S) { S.Login = "password"; }, TEXT("connection_unavailable")},
		{"not for this client", [](auto& S) { S.LoginClients = { "web" }; }, TEXT("connection_unavailable")},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		Membership->Change([](auto& S) { S = KVAService::FMembershipSettings(); });
		Membership->Change(Case.Edit);
		Client = MakeShared<FKVAClient>();
		EXPECT_EQ(SignIn(), Case.Code);
	}

	// "membership" absent from the reply counts as not offered.
	Client = MakeShared<FKVAClient>();
	Service.Script("/v1/config", JsonReply(200, { { "login", "browser-pkce" }, { "login_clients", { "unreal" } } }));
	EXPECT_EQ(SignIn(), TEXT("connection_unavailable"));
	// A failed configuration call ends the same way.
	Service.Script("/v1/config", JsonReply(503, { { "error", "maintenance" } }));
	EXPECT_EQ(SignIn(), TEXT("connection_unavailable"));
}

TEST_F(ClientTest, StartRepliesThatAreRefused)
{
	const std::string Good = "https://api.kestrova.example/connect/unreal?attempt_id=a1";
	struct FCase
	{
		const char* Name;
		nlohmann::json Start;
		int Status;
		const TCHAR* Code;
	};
	const FCase Cases[] = {
		{"lifetime 901", { { "attempt_id", "a1" }, { "authorization_url", Good }, { "expires_in", 901 } }, 200, TEXT("invalid_response")},
		{"lifetime 0", { { "attempt_id", "a1" }, { "authorization_url", Good }, { "expires_in", 0 } }, 200, TEXT("invalid_response")},
		{"no attempt", { { "authorization_url", Good }, { "expires_in", 60 } }, 200, TEXT("invalid_response")},
		{"other host", { { "attempt_id", "a1" }, { "authorization_url", "https://evil.example/connect/unreal" }, { "expires_in", 60 } }, 200, TEXT("invalid_response")},
		{"port 8443", { { "attempt_id", "a1" }, { "authorization_url", "https://api.kestrova.example:8443/connect/unreal" }, { "expires_in", 60 } }, 200, TEXT("invalid_response")},
		{"fragment", { { "attempt_id", "a1" }, { "authorization_url", Good + "#x" }, { "expires_in", 60 } }, 200, TEXT("invalid_response")},
		{"trailing slash", { { "attempt_id", "a1" }, { "authorization_url", "https://api.kestrova.example/connect/unreal/" }, { "expires_in", 60 } }, 200, TEXT("invalid_response")},
		{"service refusal", { { "error", "client_disabled" } }, 403, TEXT("client_disabled")},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		Launched.Reset();
		Service.Script("/v1/login/start", JsonReply(Case.Status, Case.Start));
		Client = MakeShared<FKVAClient>();
		EXPECT_EQ(SignIn(), Case.Code);
		EXPECT_EQ(Launched.Num(), 0); // the browser stays closed
		EXPECT_FALSE(Client->bSigningIn);
	}
}

TEST_F(ClientTest, PollDelayAndAttemptLifetimeBounds)
{
	struct FCase
	{
		std::optional<int> Interval;
		float Expected;
	};
	const FCase Cases[] = {{1, 2.0f}, {45, 30.0f}, {std::nullopt, 2.0f}, {7, 7.0f}};
	Browser = EBrowser::Ignore;
	for (const FCase& Case : Cases)
	{
		nlohmann::json Start = { { "attempt_id", "a1" }, { "authorization_url", "https://api.kestrova.example/connect/unreal?x=1" }, { "expires_in", 900 } };
		if (Case.Interval)
		{
			Start["interval"] = *Case.Interval;
		}
		Service.Script("/v1/login/start", JsonReply(200, Start));
		Client = MakeShared<FKVAClient>();
		bool bDone = false;
		Client->SignIn([&bDone](const FString&) { bDone = true; });
		ASSERT_TRUE(Host.PumpUntil([&] { return Client->PollTicker.IsValid(); }));
		EXPECT_FLOAT_EQ(Client->PollInterval, Case.Expected);
		EXPECT_TRUE(Client->bSigningIn);
		EXPECT_FALSE(bDone);
	}
}

TEST_F(ClientTest, FirstPollComesAfterTheDelayAndPendingRepliesRearm)
{
	Browser = EBrowser::Ignore;
	Membership->Change([](auto& S) { S.PollIntervalSeconds = 5; });
	std::optional<FString> Code;
	Client->SignIn([&Code](const FString& Result) { Code = Result; });
	ASSERT_TRUE(Host.PumpUntil([&] { return Launched.Num() == 1; }));
	Host.AdvanceClock(4.5);
	Host.PumpUntil([] { return false; }, 0.1);
	EXPECT_TRUE(RequestsTo("/v1/login/poll").empty());
	Host.AdvanceClock(1.0);
	ASSERT_TRUE(Host.PumpUntil([&] { return RequestsTo("/v1/login/poll").size() == 1 && Client->PollTicker.IsValid(); }));
	// Pending: the next poll is armed with the reply's interval; approving ends the wait.
	Membership->Decide(KVAService::FMembership::AttemptOf(KVAText::Utf8(Launched[0])), true);
	ASSERT_TRUE(PumpWithClock([&] { return Code.has_value(); }));
	EXPECT_EQ(*Code, TEXT(""));
	EXPECT_EQ(RequestsTo("/v1/login/poll").size(), 2u);
}

TEST_F(ClientTest, AuthorisedPollRepliesAreChecked)
{
	struct FCase
	{
		nlohmann::json Poll;
		const TCHAR* Code;
	};
	const FCase Cases[] = {
		{{ { "status", "authorized" }, { "access_token", "t" }, { "expires_in", 3600 } }, TEXT("")},
		{{ { "status", "AUTHORIZED" }, { "access_token", "t" }, { "expires_in", 1 } }, TEXT("")},
		{{ { "status", "authorized" }, { "access_token", "t" }, { "expires_in", 3601 } }, TEXT("invalid_session")},
		{{ { "status", "authorized" }, { "access_token", "t" }, { "expires_in", 0 } }, TEXT("invalid_session")},
		{{ { "status", "authorized" }, { "access_token", "" }, { "expires_in", 60 } }, TEXT("invalid_session")},
		{{ { "status", "denied" } }, TEXT("invalid_session")},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Poll.dump());
		Service.Script("/v1/login/poll", JsonReply(200, Case.Poll));
		Client = MakeShared<FKVAClient>();
		EXPECT_EQ(SignIn(), Case.Code);
		EXPECT_EQ(Client->Connected(), FString(Case.Code).IsEmpty());
	}
	// A refusal from the service ends with its own code; the attempt fields stay.
	Service.ClearScripts();
	Browser = EBrowser::Refuse;
	Client = MakeShared<FKVAClient>();
	EXPECT_EQ(SignIn(), TEXT("access_denied"));
	EXPECT_FALSE(Client->AttemptId.IsEmpty());
	EXPECT_FALSE(Client->Verifier.IsEmpty());
}

TEST_F(ClientTest, SecondSignInWhileWaitingDoesNothing)
{
	Browser = EBrowser::Ignore;
	int32 FirstCalls = 0;
	int32 SecondCalls = 0;
	Client->SignIn([&FirstCalls](const FString&) { ++FirstCalls; });
	ASSERT_TRUE(Host.PumpUntil([&] { return Launched.Num() == 1; }));
	Client->SignIn([&SecondCalls](const FString&) { ++SecondCalls; });
	Membership->Decide(KVAService::FMembership::AttemptOf(KVAText::Utf8(Launched[0])), true);
	ASSERT_TRUE(PumpWithClock([&] { return FirstCalls == 1; }));
	Host.PumpUntil([] { return false; }, 0.2);
	EXPECT_EQ(SecondCalls, 0);
	EXPECT_EQ(RequestsTo("/v1/login/start").size(), 1u);
}

TEST_F(ClientTest, CancelLoginTellsTheServiceAndNeverAnswers)
{
	Browser = EBrowser::Ignore;
	int32 Calls = 0;
	Client->SignIn([&Calls](const FString&) { ++Calls; });
	ASSERT_TRUE(Host.PumpUntil([&] { return Client->PollTicker.IsValid(); }));
	const std::string Attempt = KVAText::Utf8(Client->AttemptId);
	const std::string Verifier = KVAText::Utf8(Client->Verifier);
	Client->CancelLogin();
	EXPECT_FALSE(Client->bSigningIn);
	EXPECT_FALSE(Client->PollTicker.IsValid());
	ASSERT_TRUE(Host.PumpUntil([&] { return RequestsTo("/v1/login/cancel").size() == 1; }));
	const auto Body = nlohmann::json::parse(RequestsTo("/v1/login/cancel")[0].Body);
	EXPECT_EQ(Body["attempt_id"], Attempt);
	EXPECT_EQ(Body["code_verifier"], Verifier);
	Host.AdvanceClock(60);
	Host.PumpUntil([] { return false; }, 0.3);
	EXPECT_EQ(Calls, 0);
	EXPECT_TRUE(RequestsTo("/v1/login/poll").empty());
}

TEST_F(ClientTest, AttemptDeadlineEndsWithLoginExpired)
{
	Browser = EBrowser::Ignore;
	Membership->Change([](auto& S) { S.AttemptSeconds = 3; S.PollIntervalSeconds = 2; });
	EXPECT_EQ(SignIn(), TEXT("login_expired"));
	ASSERT_TRUE(Host.PumpUntil([&] { return RequestsTo("/v1/login/cancel").size() == 1; }));
	EXPECT_FALSE(Client->Connected());
}

TEST_F(ClientTest, SignOutNotices)
{
	// Signed out: nothing is sent.
	Client->SignOut();
	Host.PumpUntil([] { return false; }, 0.2);
	EXPECT_TRUE(RequestsTo("/v1/session").empty());

	ASSERT_EQ(SignIn(), TEXT(""));
	const std::string Token = KVAText::Utf8(Client->Token);
	Client->SignOut();
	EXPECT_FALSE(Client->Connected());
	EXPECT_TRUE(Client->ConsentText.IsEmpty());
	EXPECT_TRUE(Client->Statements.IsEmpty());
	ASSERT_TRUE(Host.PumpUntil([&] { return Membership->LiveTokens().empty(); }));
	const auto Notices = RequestsTo("/v1/session");
	ASSERT_EQ(Notices.size(), 1u);
	EXPECT_EQ(Notices[0].Method, "DELETE");
	EXPECT_EQ(Notices[0].Headers.at("authorization"), "Bearer " + Token);

	// Expired: the notice still goes out.
	ASSERT_EQ(SignIn(), TEXT(""));
	Host.AdvanceClock(3601);
	EXPECT_FALSE(Client->Connected());
	Client->SignOut();
	ASSERT_TRUE(Host.PumpUntil([&] { return RequestsTo("/v1/session").size() == 2; }));

	// Review mode: nothing is sent.
	ASSERT_EQ(SignIn(), TEXT(""));
	Client->bReviewOnly = true;
	Client->SignOut();
	Host.PumpUntil([] { return false; }, 0.3);
	EXPECT_EQ(RequestsTo("/v1/session").size(), 2u);
}
