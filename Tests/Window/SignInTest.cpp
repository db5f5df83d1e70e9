#include "WindowTestSupport.h"

#include "Framework/Docking/TabManager.h"
#include "Widgets/Docking/SDockTab.h"

namespace
{
	const FString Connecting = TEXT("Finish signing in in your browser.");
}

TEST_F(WindowTest, SignInThroughTheBrowserListsTheCatalogueAndSignOutEndsTheSession)
{
	// Signed out: heading, subline, "Sign in"; nothing sent yet.
	EXPECT_TRUE(Shows(TEXT("Your library. In Unreal.")));
	EXPECT_TRUE(Shows(TEXT("Find your next asset and add it to your scene.")));
	EXPECT_TRUE(IsEnabled(TEXT("Sign in")));
	EXPECT_FALSE(Shows(TEXT("Account")));
	EXPECT_EQ(Service->Requests().size(), 0u);
	SaveState(TEXT("signed-out"));

	// Connecting: the browser has the page, the member has not answered yet.
	Session->Browser = EBrowser::Ignore;
	ASSERT_EQ(Click(TEXT("Sign in")), TEXT(""));
	ASSERT_TRUE(Pump([this] { return Session->Launched.Num() == 1; }));
	EXPECT_TRUE(Session->Launched[0].StartsWith(TEXT("https://api.kestrova.example/connect/unreal?")));
	EXPECT_TRUE(Library().bSigningIn && Library().bBusy);
	EXPECT_TRUE(TextDrawnIn(Connecting, KVABrand::Warning));
	EXPECT_TRUE(IsEnabled(TEXT("Cancel")));
	EXPECT_FALSE(Shows(TEXT("Sign in")));
	EXPECT_FALSE(Shows(TEXT("Loading")));
	SaveState(TEXT("connecting"));

	// The member allows the editor in the browser; the next poll signs in and lists.
	Membership->Decide(KVAService::FMembership::AttemptOf(KVAText::Utf8(Session->Launched[0])), true);
	ASSERT_TRUE(PumpWithClock([this] { return Library().Client->Connected() && !Library().bBusy; }));
	EXPECT_TRUE(Library().bMember);
	EXPECT_EQ(Library().Products.Num(), 24);
	EXPECT_FALSE(Library().Cursor.IsEmpty());
	for (const TCHAR* Label : {TEXT("Account"), TEXT("Sign out"), TEXT("Library"), TEXT("My downloads"), TEXT("All assets"), TEXT("Refresh"), TEXT("Load more")})
	{
		EXPECT_TRUE(IsEnabled(Label)) << FTCHARToUTF8(Label).Get();
	}
	EXPECT_FALSE(Shows(TEXT("Get the library with membership.")));
	EXPECT_EQ(CountPath("/v1/membership"), 1u);
	ASSERT_EQ(CountPath("/v1/membership/catalog"), 1u);
	EXPECT_EQ(RequestsTo("/v1/membership/catalog")[0].Target, "/v1/membership/catalog?q=&cursor=&limit=24&format=fbx&product_kind=");
	SaveState(TEXT("member"));

	// Signing out forgets the listing but keeps the search text and filters.
	Library().Query = TEXT("kept");
	Library().Kind = TEXT("kit");
	ASSERT_EQ(Membership->LiveTokens().size(), 1u);
	ASSERT_EQ(Click(TEXT("Sign out")), TEXT(""));
	EXPECT_TRUE(Pump([this] { return Membership->LiveTokens().empty(); }));
	EXPECT_TRUE(Shows(TEXT("Sign in")));
	EXPECT_TRUE(Library().Products.IsEmpty());
	EXPECT_TRUE(Library().Previews.IsEmpty());
	EXPECT_TRUE(Library().Cursor.IsEmpty());
	EXPECT_EQ(Library().Query, TEXT("kept"));
	EXPECT_EQ(Library().Kind, TEXT("kit"));
	EXPECT_TRUE(Library().Message.IsEmpty());
}

TEST_F(WindowTest, FailedExpiredAndCancelledSignInsShowTheirSentence)
{
	struct FCase
	{
		const char* State;
		EBrowser Answer;
		// What happens while the page is open: nothing, the attempt expires, or Cancel.
		enum { Wait, Expire, CancelIt } Then;
		FString Message;
	};
	const FCase Cases[] = {
		{"login-failed", EBrowser::Refuse, FCase::Wait, TEXT("Could not complete the request. Try again.")},
		{"login-expired", EBrowser::Ignore, FCase::Expire, TEXT("Sign-in expired. Try again.")},
		{"cancelled", EBrowser::Ignore, FCase::CancelIt, TEXT("")},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.State);
		Session->Browser = Case.Answer;
		const int32 Before = Session->Launched.Num();
		ASSERT_EQ(Click(TEXT("Sign in")), TEXT(""));
		ASSERT_TRUE(Pump([&] { return Session->Launched.Num() == Before + 1; }));
		if (Case.Then == FCase::CancelIt)
		{
			// An expired attempt may have been abandoned at the service already (when the
			// window's own deadline ran out before the service said so), so count from here.
			const size_t Cancels = CountRequests("/v1/login/cancel");
			ASSERT_EQ(Click(TEXT("Cancel")), TEXT(""));
			// The attempt is abandoned at the service as well.
			EXPECT_TRUE(Pump([&] { return CountRequests("/v1/login/cancel") == Cancels + 1; }));
		}
		else
		{
			if (Case.Then == FCase::Expire)
			{
				// The attempt runs out while the page is open (600 s).
				Host->AdvanceClock(601.0);
			}
			ASSERT_TRUE(PumpWithClock([this] { return !Library().bBusy; }, 10));
		}
		EXPECT_FALSE(Library().Client->Connected());
		EXPECT_FALSE(Library().bSigningIn);
		EXPECT_EQ(Library().Message, Case.Message);
		EXPECT_TRUE(IsEnabled(TEXT("Sign in")));
		EXPECT_FALSE(Shows(Connecting));
		if (!Case.Message.IsEmpty())
		{
			// Without a connection the sentence is always an error, never a notice.
			EXPECT_TRUE(TextDrawnIn(Case.Message, KVABrand::Error));
			SaveState(FString(Case.State));
		}
	}
}

TEST_F(WindowTest, ALostSessionForgetsTheListingAndTheSelection)
{
	SignIn();
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_TRUE(Library().Selected.IsValid());

	ASSERT_TRUE(Pump([this] { return Library().PreviewsLoading.IsEmpty() && Library().PreviewQueue.IsEmpty(); }));
	ASSERT_FALSE(Library().Previews.IsEmpty());

	// The service has ended the session: the next request is answered 401.
	Membership->AdvanceClock(7200);
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());

	EXPECT_EQ(Library().Code, TEXT("login_required"));
	EXPECT_FALSE(Library().Client->Connected());
	EXPECT_FALSE(Library().bMember);
	EXPECT_TRUE(Library().Products.IsEmpty());
	EXPECT_FALSE(Library().Selected.IsValid());
	EXPECT_TRUE(Library().Previews.IsEmpty());
	EXPECT_TRUE(TextDrawnIn(TEXT("Sign in to continue."), KVABrand::Error));
	EXPECT_TRUE(IsEnabled(TEXT("Sign in")));
	SaveState(TEXT("session-expired"));
}

TEST_F(WindowTest, ClosingTheTabMidRequestEndsTheSessionAndDropsTheReply)
{
	SignIn();
	// The next listing takes a while to come back.
	KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"items":[],"next_cursor":null})");
	Slow.HeaderDelay = std::chrono::milliseconds(500);
	Service->Script("/v1/membership/catalog", Slow);
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Pump([this] { return CountRequests("/v1/membership/catalog") == 2; }));
	ASSERT_TRUE(Library().bBusy);
	// A second listing is not queued behind the first, neither by the disabled button nor by Load.
	EXPECT_EQ(Driver().WhyNotClickable(ButtonOf(TEXT("Refresh")).ToSharedRef()), TEXT("disabled"));
	Library().Load(false);
	Frame();
	EXPECT_EQ(CountPath("/v1/membership"), 2u);

	const TSharedPtr<SWidget> Tab = Driver().Find(TEXT("SDockTab"));
	ASSERT_TRUE(Tab.IsValid());
	const TWeakPtr<SKVALibrary> Weak = Window;
	Window.Reset();
	ASSERT_TRUE(StaticCastSharedPtr<SDockTab>(Tab)->RequestCloseTab());
	Frame();

	// The session ends at once, and the late listing changes nothing.
	EXPECT_TRUE(Pump([this] { return Membership->LiveTokens().empty(); }));
	Host->PumpUntil([] { return false; }, 1.0);
	Frame();
	EXPECT_EQ(Weak.Pin(), nullptr);
	EXPECT_FALSE(Driver().Find(TEXT("SKVALibrary")).IsValid());
}

TEST_F(WindowTest, ShuttingTheModuleDownClosesTheOpenWindowFirst)
{
	SignIn();
	ASSERT_EQ(Membership->LiveTokens().size(), 1u);

	ShutDownModule();

	EXPECT_TRUE(Library().bClosed);
	EXPECT_FALSE(Library().Client.IsValid());
	EXPECT_TRUE(Pump([this] { return Membership->LiveTokens().empty(); }));
	// A rebuild after closing does nothing.
	const TArray<FString> Shown = Driver().GetShownTexts();
	Library().Rebuild();
	Frame();
	EXPECT_EQ(Driver().GetShownTexts(), Shown);
	// The spawner has gone with the module: once the tab is closed it cannot be opened again.
	ASSERT_TRUE(StaticCastSharedPtr<SDockTab>(Driver().Find(TEXT("SDockTab")))->RequestCloseTab());
	Frame();
	EXPECT_FALSE(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TEXT("Kestrova"))).IsValid());
}

TEST_F(WindowTest, ChoosingTheMenuEntryAgainBringsTheOpenTabForward)
{
	ASSERT_EQ(UI->InvokeMenuEntry(TEXT("LevelEditor.MainMenu.Window"), TEXT("KestrovaLibrary")), TEXT(""));
	Frame();
	EXPECT_EQ(Driver().FindAll(TEXT("SKVALibrary")).Num(), 1);
	EXPECT_EQ(Driver().Find(TEXT("SKVALibrary")), StaticCastSharedPtr<SWidget>(Window));
}

TEST_F(WindowTest, AClosedWindowsGridAndButtonsDoNothing)
{
	SignIn();
	ASSERT_TRUE(Pump([this] { return Library().PreviewsLoading.IsEmpty() && Library().PreviewQueue.IsEmpty(); }));
	const FString LastTitle = Library().Products.Last()->Title;
	ASSERT_FALSE(Shows(LastTitle));

	// The editor shuts the module down; the tab and its grid stay on screen.
	ShutDownModule();
	ASSERT_TRUE(Library().bClosed);
	const TSharedPtr<SWidget> Grid = Driver().Find(TEXT("STileView<FKVAProductPtr>"));
	ASSERT_TRUE(Grid.IsValid());
	const size_t Previews = CountRequests("/previews/");

	// Scrolling lays out lines of tiles that were never made: they come up empty, and nothing
	// reaches for the released client.
	for (int32 Notch = 0; Notch < 40; ++Notch)
	{
		Driver().Scroll(Driver().GetRect(Grid.ToSharedRef()).GetCenter(), -1.0f);
		Frame();
	}
	EXPECT_FALSE(Shows(LastTitle));
	EXPECT_EQ(CountRequests("/previews/"), Previews);

	// The membership page is not opened for a closed window.
	const int32 Launched = Session->Launched.Num();
	ASSERT_EQ(Click(TEXT("Account")), TEXT(""));
	Frame();
	EXPECT_EQ(Session->Launched.Num(), Launched);
}

TEST_F(WindowTest, ATokenThatRunsOutWhileTheWindowIsOpenEndsTheSession)
{
	const struct
	{
		const char* Label;
		TFunction<void()> Act;
	} Triggers[] = {
		// In this order each finds what it clicks: the catalogue's first page has a cursor, and
		// the search text, kind and tab stay for the next sign-in.
		{"Load more", [this] { ASSERT_EQ(Click(TEXT("Load more")), TEXT("")); }},
		{"Refresh", [this] { ASSERT_EQ(Click(TEXT("Refresh")), TEXT("")); }},
		{"the kind menu", [this] { ASSERT_EQ(Click(TEXT("All assets")), TEXT("")); ASSERT_EQ(Click(TEXT("Kits")), TEXT("")); }},
		{"a tab", [this] { ASSERT_EQ(Click(TEXT("My downloads")), TEXT("")); }},
	};
	for (const auto& Trigger : Triggers)
	{
		SCOPED_TRACE(Trigger.Label);
		// Previews are slow to come, so some are still on their way or waiting.
		for (int32 Index = 1; Index <= 30; ++Index)
		{
			KVAService::FReply Held = KVAService::FReply::Json(404, "{}");
			Held.HeaderDelay = std::chrono::milliseconds(700);
			Service->Script("/previews/kp-" + std::string(Index < 10 ? "00" : "0") + std::to_string(Index) + ".webp", Held);
		}
		SignIn();
		if (&Trigger == &Triggers[0])
		{
			// The full catalogue page: two previews on their way and the rest waiting.
			ASSERT_FALSE(Library().PreviewQueue.IsEmpty());
		}

		// The token's hour passes with the window open.
		Host->AdvanceClock(3601.0);
		const size_t Requests = Service->Requests().size();
		const TArray<FString> Waiting = Library().PreviewQueue;
		Trigger.Act();
		Frame();

		EXPECT_EQ(Library().Code, TEXT("login_required"));
		EXPECT_TRUE(TextDrawnIn(TEXT("Sign in to continue."), KVABrand::Error));
		EXPECT_TRUE(IsEnabled(TEXT("Sign in")));
		EXPECT_FALSE(Shows(TEXT("Refresh")));
		EXPECT_TRUE(Library().Products.IsEmpty());
		// Nothing more is fetched for the session that ended: no listing, no waiting preview.
		EXPECT_TRUE(Library().PreviewQueue.IsEmpty());
		EXPECT_TRUE(Library().PreviewsLoading.IsEmpty());
		Host->PumpUntil([] { return false; }, 1.5);
		Frame();
		const std::vector<KVAService::FRequestRecord> Sent = Service->Requests();
		for (size_t Index = Requests; Index < Sent.size(); ++Index)
		{
			// A preview fetch already on its way may reach the service late; none that waited
			// is sent, and no request of the service's API.
			const FString Url = KVAText::FromUtf8("https://" + Sent[Index].Host + Sent[Index].Target);
			EXPECT_FALSE(Waiting.Contains(Url) || Sent[Index].Path.rfind("/v1/", 0) == 0)
				<< "sent after the session ended: " << Sent[Index].Method << " " << Sent[Index].Target;
		}
		Service->ClearScripts();
	}
}
