#include "WindowTestSupport.h"

#include "HAL/PlatformTime.h"
#include "Widgets/Input/SEditableText.h"
#include "Widgets/Input/SSearchBox.h"
#include "Widgets/Views/STileView.h"

#include <nlohmann/json.hpp>

namespace
{
	// A listing reply of Count minimal products, as the service would page them.
	std::string Page(int32 Count, const std::string& Prefix = "t")
	{
		nlohmann::json Items = nlohmann::json::array();
		for (int32 Index = 0; Index < Count; ++Index)
		{
			const std::string Id = Prefix + std::to_string(Index);
			Items.push_back({{"product_id", Id}, {"title", "Title " + Id}, {"selection_id", "sel-" + Id}, {"kind", "asset"}, {"thumbnail", {{"url", ""}}}});
		}
		return nlohmann::json({{"items", Items}, {"next_cursor", nullptr}}).dump();
	}

	class BrowsingTest : public WindowTest
	{
	protected:
		void SetUp() override
		{
			WindowTest::SetUp();
			SignIn();
		}

		// Puts the caret in the search box by clicking it.
		void FocusSearch()
		{
			ASSERT_EQ(Driver().Click(Library().SearchBox.ToSharedRef()), TEXT(""));
			Frame();
			ASSERT_TRUE(Library().SearchBox->HasKeyboardFocus());
		}

		// The listing sent last, of either tab.
		std::string LastListing() const
		{
			const std::vector<KVAService::FRequestRecord> Sent = Service->Requests();
			for (auto Request = Sent.rbegin(); Request != Sent.rend(); ++Request)
			{
				if (Request->Path == "/v1/membership/catalog" || Request->Path == "/v1/membership/library")
				{
					return Request->Target;
				}
			}
			return std::string();
		}

		size_t Listings() const { return CountPath("/v1/membership/catalog") + CountPath("/v1/membership/library"); }

		// Lets Seconds pass on the test clock, in frames. The clock also runs on its own, so
		// real time spent in the frames counts towards Seconds and a slow machine does not
		// stretch the wait.
		void Wait(double Seconds)
		{
			const double Until = FPlatformTime::Seconds() + Seconds;
			for (double Left = Seconds; Left > 0; Left = Until - FPlatformTime::Seconds())
			{
				Host->AdvanceClock(FMath::Min(Left, 0.1));
				Pump([] { return false; }, 0.02);
			}
		}

		// Clicks "Refresh" and leaves its listing on its way for a while; returns the number of
		// listings sent so far, that one included. The search box has the caret again after.
		size_t RefreshSlowly()
		{
			KVAService::FReply Slow = KVAService::FReply::Json(200, Page(3, "slow"));
			Slow.HeaderDelay = std::chrono::milliseconds(400);
			Service->Script("/v1/membership/catalog", Slow);
			const size_t Before = Listings();
			EXPECT_EQ(Click(TEXT("Refresh")), TEXT(""));
			EXPECT_TRUE(Pump([&] { return Listings() == Before + 1; }));
			Service->ClearScripts();
			EXPECT_TRUE(Library().bBusy);
			FocusSearch();
			return Before + 1;
		}
	};
}

TEST_F(BrowsingTest, TypingSendsOneSearchAfterTheLastKeyStroke)
{
	FocusSearch();
	const size_t Before = Listings();

	// Well inside the pause that ends a search, leaving room for slow frames.
	Type(TEXT("oak"));
	Wait(0.2);
	EXPECT_EQ(Listings(), Before);
	Type(TEXT(" c"));
	Wait(0.2);
	EXPECT_EQ(Listings(), Before);
	Wait(0.3);
	ASSERT_TRUE(Settle());

	EXPECT_EQ(Listings(), Before + 1);
	EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=oak%20c&cursor=&limit=24&format=fbx&product_kind=");
	// "Oak Chair", "Oak Chair 2" and "Oak Chair 3".
	EXPECT_EQ(Library().Products.Num(), 3);
	Wait(1.0);
	EXPECT_EQ(Listings(), Before + 1);
}

TEST_F(BrowsingTest, TypingWhileBusyWaitsForTheWindowToBeIdle)
{
	const size_t Before = RefreshSlowly();

	Type(TEXT("cube"));
	// The ticker comes round while the request runs, and waits again.
	Wait(0.5);
	EXPECT_EQ(Listings(), Before);
	ASSERT_TRUE(Settle());
	Wait(0.5);
	ASSERT_TRUE(Settle());

	EXPECT_EQ(Listings(), Before + 1);
	EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=cube&cursor=&limit=24&format=fbx&product_kind=");
}

TEST_F(BrowsingTest, EnterSearchesAtOnceButNotWhileBusy)
{
	const size_t Before = RefreshSlowly();

	Type(TEXT("vase"));
	PressEnter();
	ASSERT_TRUE(Settle());
	Wait(1.0);
	// Enter while busy dropped the pending search and sent nothing.
	EXPECT_EQ(Listings(), Before);
	EXPECT_FALSE(Library().SearchTicker.IsValid());

	// Enter also took the caret out of the box, as in the editor; the member clicks back in.
	FocusSearch();
	PressEnter();
	ASSERT_TRUE(Settle());
	EXPECT_EQ(Listings(), Before + 1);
	EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=vase&cursor=&limit=24&format=fbx&product_kind=");
	// "Glass Vase" and "Glass Vase 2".
	EXPECT_EQ(Library().Products.Num(), 2);
}

TEST_F(BrowsingTest, SearchTextIsCutAndSentByteByByte)
{
	const struct
	{
		FString Typed;
		std::string Query;
	} Cases[] = {
		{TEXT("oak & ash+\u00e9/~x"), "oak%20%26%20ash%2B%C3%A9%2F~x"},
		{TEXT("A-Z_0.9"), "A-Z_0.9"},
		{Repeated(u'w', 250), std::string(200, 'w')},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Query);
		FocusSearch();
		Driver().PressKey(EKeys::End);
		for (int32 Index = 0; Index < 260; ++Index)
		{
			Driver().PressKey(EKeys::BackSpace);
		}
		Type(Case.Typed);
		PressEnter();
		ASSERT_TRUE(Settle());
		EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=" + Case.Query + "&cursor=&limit=24&format=fbx&product_kind=");
		EXPECT_LE(Library().Query.Len(), 200);
	}
	// No product matches: the search sentence, not the empty-catalogue one.
	EXPECT_TRUE(Library().Products.IsEmpty());
	EXPECT_TRUE(TextDrawnIn(TEXT("No assets found. Try another search."), KVABrand::TextMuted));
	SaveState(TEXT("search-empty"));
}

TEST_F(BrowsingTest, LoadMoreAppendsTheNextPageAndKeepsTheSelection)
{
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_TRUE(Library().Selected.IsValid());
	const FString Cursor = Library().Cursor;
	ASSERT_FALSE(Cursor.IsEmpty());
	SaveState(TEXT("pagination"));

	ASSERT_EQ(Click(TEXT("Load more")), TEXT(""));
	ASSERT_TRUE(Settle());

	EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=&cursor=" + KVAText::Utf8(Cursor) + "&limit=24&format=fbx&product_kind=");
	EXPECT_EQ(Library().Products.Num(), 30);
	EXPECT_EQ(Library().Products[24]->ProductId, TEXT("kp-025"));
	EXPECT_TRUE(Library().Cursor.IsEmpty());
	EXPECT_FALSE(Shows(TEXT("Load more")));
	EXPECT_TRUE(Library().Selected.IsValid());
	EXPECT_EQ(Library().Grid->GetSelectedItems().Num(), 1);

	// A first page replaces the list and clears the selection.
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(Library().Products.Num(), 24);
	EXPECT_FALSE(Library().Selected.IsValid());
}

TEST_F(BrowsingTest, APageIsTakenWholeOrNotAtAll)
{
	const struct
	{
		const char* Label;
		std::string Body;
		FString FirstId;
		FString Code;
	} Cases[] = {
		{"25 items", Page(25), TEXT("kp-001"), TEXT("invalid_response")},
		{"no items field", R"({"next_cursor":null})", TEXT("kp-001"), TEXT("invalid_response")},
		{"items not an array", R"({"items":{}})", TEXT("kp-001"), TEXT("invalid_response")},
		{"an entry that is not an object", R"({"items":[{"product_id":"a","title":"A","selection_id":"s"},7]})", TEXT("kp-001"), TEXT("invalid_response")},
		{"an entry that is not a product", R"({"items":[{"product_id":"a","title":"A","selection_id":"s"},{"title":"no id"}]})", TEXT("kp-001"), TEXT("invalid_response")},
		{"exactly 24 items", Page(24), TEXT("t0"), TEXT("")},
		{"an empty page", Page(0), TEXT(""), TEXT("")},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		Service->Script("/v1/membership/catalog", KVAService::FReply::Json(200, Case.Body));
		ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
		ASSERT_TRUE(Settle());
		EXPECT_EQ(Library().Products.Num(), Case.FirstId.IsEmpty() ? 0 : 24);
		EXPECT_EQ(Library().Products.IsEmpty() ? FString() : Library().Products[0]->ProductId, Case.FirstId);
		EXPECT_EQ(Library().Code, Case.Code);
		if (!Library().Code.IsEmpty())
		{
			// The old list stays, under the failure sentence.
			EXPECT_TRUE(TextDrawnIn(TEXT("Could not complete the request. Try again."), KVABrand::Error));
		}
	}
	EXPECT_TRUE(TextDrawnIn(TEXT("No FBX assets here yet. Open the library for other formats."), KVABrand::TextMuted));
	SaveState(TEXT("catalog-empty"));

	Service->Script("/v1/membership/catalog", KVAService::FReply::Json(503, R"({"error":"maintenance"})"));
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(Library().Code, TEXT("maintenance"));
	SaveState(TEXT("catalog-error"));
}

TEST_F(BrowsingTest, TabsAndKindsChooseWhatIsListed)
{
	ASSERT_EQ(Click(TEXT("All assets")), TEXT(""));
	ASSERT_EQ(Click(TEXT("Kits")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=&cursor=&limit=24&format=fbx&product_kind=kit");
	EXPECT_EQ(Library().Kind, TEXT("kit"));
	EXPECT_TRUE(Shows(TEXT("Kits")));

	ASSERT_EQ(Click(TEXT("Kits")), TEXT(""));
	ASSERT_EQ(Click(TEXT("All assets")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("My downloads")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(LastListing(), "/v1/membership/library?q=&cursor=&limit=24&format=fbx&product_kind=");
	EXPECT_TRUE(Library().bMyDownloads);
	// Everything in the member's own library is theirs.
	ASSERT_FALSE(Library().Products.IsEmpty());
	for (const FKVAProductPtr& Product : Library().Products)
	{
		EXPECT_TRUE(Product->bOwned);
	}
	// The active tab is drawn as the primary button.
	EXPECT_TRUE(Near(PixelAt(ButtonOf(TEXT("My downloads")).ToSharedRef(), 0.05f, 0.5f), SRGB(KVABrand::Accent)));
	EXPECT_TRUE(Near(PixelAt(ButtonOf(TEXT("Library")).ToSharedRef(), 0.05f, 0.5f), SRGB(FLinearColor(0.00749903f, 0.00749903f, 0.00913406f))));
	SaveState(TEXT("retained"));

	Service->Script("/v1/membership/library", KVAService::FReply::Json(200, Page(0)));
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_TRUE(Shows(TEXT("No downloads yet. Find your next asset in the library.")));

	// A kind the menu does not offer reads as the last entry.
	Library().Kind = TEXT("diorama");
	Library().Rebuild();
	Frame();
	EXPECT_TRUE(Shows(TEXT("Bundles")));
}

TEST_F(BrowsingTest, TilesLabelTheProductAndItsPreviewState)
{
	Service->Script("/v1/membership/catalog", KVAService::FReply::Json(200, R"({"items":[
		{"product_id":"a","title":"Owned scene","selection_id":"s1","kind":"scene","owned":true,"thumbnail":{"url":""}},
		{"product_id":"b","title":"A collection","selection_id":"s2","kind":"Collection","thumbnail":{"url":""}},
		{"product_id":"c","title":"A scene","selection_id":"s3","kind":"scene","thumbnail":{"url":""}},
		{"product_id":"d","title":"A scene collection","selection_id":"s4","kind":"scene_collection","thumbnail":{"url":""}},
		{"product_id":"e","title":"A kit","selection_id":"s5","kind":"KIT","thumbnail":{"url":""}},
		{"product_id":"f","title":"A world","selection_id":"s6","kind":"world","thumbnail":{"url":""}},
		{"product_id":"g","title":"A bundle","selection_id":"s7","kind":"bundle","thumbnail":{"url":""}},
		{"product_id":"h","title":"An asset","selection_id":"s8","kind":"asset","thumbnail":{"url":""}},
		{"product_id":"i","title":"No kind at all, and a title far too long to fit on one line of a tile","selection_id":"s9","thumbnail":{"url":""}}
	]})"));
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Library().Products.Num(), 9);

	const TArray<FString> Labels = {TEXT("In your library"), TEXT("Collection"), TEXT("Scene"), TEXT("Scene collection"), TEXT("Kit"), TEXT("World"),
		TEXT("Bundle"), TEXT("Asset"), TEXT("Asset")};
	const TArray<TSharedRef<SWidget>> Rows = Driver().FindAll(TEXT("STableRow<FKVAProductPtr>"));
	ASSERT_EQ(Rows.Num(), 9);
	for (int32 Index = 0; Index < Rows.Num(); ++Index)
	{
		SCOPED_TRACE(Index);
		TArray<FString> Texts;
		for (const TSharedRef<STextBlock>& Text : Driver().FindTexts(Labels[Index]))
		{
			if (FSlateDriver::FindAncestor(Text, TEXT("STableRow<FKVAProductPtr>")) == Rows[Index].ToSharedPtr())
			{
				Texts.Add(Labels[Index]);
			}
		}
		EXPECT_EQ(Texts.Num(), 1) << FTCHARToUTF8(*Labels[Index]).Get();
	}
	// No address, no image and no fetch: the caption says so.
	EXPECT_EQ(Driver().FindTexts(TEXT("Preview unavailable")).Num(), 9);
	EXPECT_FALSE(Library().PreviewsLoading.Contains(TEXT("")) || Library().PreviewQueue.Contains(TEXT("")) || Library().PreviewsFailed.Contains(TEXT("")));
	// A long title stays on one line and ends in an ellipsis.
	const TSharedPtr<STextBlock> Long = Driver().FindText(TEXT("No kind at all, and a title far too long to fit on one line of a tile"));
	ASSERT_TRUE(Long.IsValid());
	const FSlateRect Rect = Driver().GetRect(Long.ToSharedRef());
	EXPECT_LE(Rect.Right - Rect.Left, 205.0f);
	EXPECT_LT(Rect.Bottom - Rect.Top, 25.0f);
}

TEST_F(BrowsingTest, TheSearchBoxKeepsFocusCaretAndTextAcrossARebuild)
{
	FocusSearch();
	Type(TEXT("oa"));
	Driver().PressKey(EKeys::Left);
	const TSharedPtr<SSearchBox> Box = Library().SearchBox;
	// The debounced listing arrives and rebuilds the whole window.
	Wait(0.5);
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Library().SearchBox, Box);
	EXPECT_TRUE(Box->HasKeyboardFocus());
	Type(TEXT("k"));
	EXPECT_EQ(Box->GetText().ToString(), TEXT("oka"));
}

TEST_F(BrowsingTest, TheGridKeepsTheMembersPlaceAcrossRebuilds)
{
	const auto GridRect = [this] { return Driver().GetRect(Library().Grid.ToSharedRef()); };
	// Where a product's tile title is drawn; empty when its tile is not on screen. The details
	// panel shows the chosen product's title too, beside the grid: only a title drawn within the
	// grid's columns is its tile's.
	const auto TitleRect = [this, GridRect](const FString& Title)
	{
		for (const TSharedRef<STextBlock>& Text : Driver().FindTexts(Title))
		{
			const FSlateRect Rect = Driver().GetRect(Text);
			if (Rect.Right > Rect.Left && Rect.Left >= GridRect().Left && Rect.Right <= GridRect().Right)
			{
				return Rect;
			}
		}
		return FSlateRect();
	};
	const auto Inside = [](const FSlateRect& Rect, const FSlateRect& View)
	{
		return Rect.Bottom > Rect.Top && Rect.Top >= View.Top && Rect.Bottom <= View.Bottom;
	};
	const auto Wheel = [&](int32 Notches)
	{
		for (int32 Notch = 0; Notch < Notches; ++Notch)
		{
			Driver().Scroll(GridRect().GetCenter(), -1.0f);
			Frame();
		}
	};

	// The wheel goes down until a tile on the third line or below is wholly in view.
	FString Lower;
	for (int32 Notch = 0; Notch < 40 && Lower.IsEmpty(); ++Notch)
	{
		Wheel(1);
		for (int32 Index = 2 * Library().Grid->GetNumItemsPerLine(); Index < Library().Products.Num(); ++Index)
		{
			if (Inside(TitleRect(Library().Products[Index]->Title), GridRect()))
			{
				Lower = Library().Products[Index]->Title;
			}
		}
	}
	ASSERT_FALSE(Lower.IsEmpty());
	ASSERT_GT(Library().Grid->GetScrollOffset(), 0.0f);

	// Choosing it opens the details panel: the grid has fewer columns, and the chosen tile is
	// still in sight after both rebuilds (the choice and its details).
	ASSERT_EQ(Click(Lower), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_TRUE(Library().Selected.IsValid());
	EXPECT_EQ(Library().Selected->Title, Lower);
	EXPECT_TRUE(Inside(TitleRect(Lower), GridRect())) << "the chosen tile is out of view";
	EXPECT_GT(Library().Grid->GetScrollOffset(), 0.0f);

	// "Load more" at the bottom of the grid: the same tiles stay where they were drawn, and the
	// new ones follow below.
	Wheel(40);
	const float Offset = Library().Grid->GetScrollOffset();
	TArray<TPair<FString, float>> Drawn;
	for (const FKVAProductPtr& Product : Library().Products)
	{
		const FSlateRect Rect = TitleRect(Product->Title);
		if (Inside(Rect, GridRect()))
		{
			Drawn.Add({Product->Title, float(Rect.Top)});
		}
	}
	ASSERT_FALSE(Drawn.IsEmpty());
	ASSERT_EQ(Click(TEXT("Load more")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Library().Products.Num(), 30);
	EXPECT_FLOAT_EQ(Library().Grid->GetScrollOffset(), Offset);
	for (const TPair<FString, float>& Tile : Drawn)
	{
		EXPECT_NEAR(TitleRect(Tile.Key).Top, Tile.Value, 0.5f) << FTCHARToUTF8(*Tile.Key).Get();
	}
	Wheel(40);
	EXPECT_TRUE(Inside(TitleRect(Library().Products.Last()->Title), GridRect()));

	// Another listing starts at the top.
	ASSERT_EQ(Click(TEXT("My downloads")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(Library().Grid->GetScrollOffset(), 0.0f);
	EXPECT_TRUE(Inside(TitleRect(Library().Products[0]->Title), GridRect()));
}

TEST_F(BrowsingTest, ACursorIsOnlySentWithTheListingItCameFrom)
{
	const auto BackToTheCatalogue = [this]
	{
		if (Library().bMyDownloads)
		{
			ASSERT_EQ(Click(TEXT("Library")), TEXT(""));
			ASSERT_TRUE(Settle());
		}
		if (!Library().Kind.IsEmpty())
		{
			ASSERT_EQ(Click(TEXT("Kits")), TEXT(""));
			ASSERT_EQ(Click(TEXT("All assets")), TEXT(""));
			ASSERT_TRUE(Settle());
		}
		if (!Library().Query.IsEmpty())
		{
			Search(TEXT(""));
		}
		ASSERT_TRUE(Settle());
		ASSERT_EQ(LastListing(), "/v1/membership/catalog?q=&cursor=&limit=24&format=fbx&product_kind=");
		ASSERT_FALSE(Library().Cursor.IsEmpty());
	};
	const struct
	{
		const char* Label;
		TFunction<void()> Switch;
		std::string FirstPage;
	} Cases[] = {
		{"another tab", [this] { ASSERT_EQ(Click(TEXT("My downloads")), TEXT("")); },
			"/v1/membership/library?q=&cursor=&limit=24&format=fbx&product_kind="},
		{"another kind", [this] { ASSERT_EQ(Click(TEXT("All assets")), TEXT("")); ASSERT_EQ(Click(TEXT("Kits")), TEXT("")); },
			"/v1/membership/catalog?q=&cursor=&limit=24&format=fbx&product_kind=kit"},
		{"another search", [this] { Search(TEXT("oak")); },
			"/v1/membership/catalog?q=oak&cursor=&limit=24&format=fbx&product_kind="},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		BackToTheCatalogue();
		// The switch does not arrive: the service is busy, and the old list stays with its cursor.
		Service->Script("/v1/membership", KVAService::FReply::Json(503, R"({"error":"maintenance"})"));
		Case.Switch();
		ASSERT_TRUE(Settle());
		Service->ClearScripts();
		ASSERT_EQ(Library().Code, TEXT("maintenance"));
		ASSERT_EQ(Library().Products.Num(), 24);
		ASSERT_TRUE(Shows(TEXT("Load more")));

		// "More" of the listing asked for is its first page, never the old listing's next one.
		ASSERT_EQ(Click(TEXT("Load more")), TEXT(""));
		ASSERT_TRUE(Settle());
		EXPECT_EQ(Library().Code, TEXT(""));
		EXPECT_EQ(LastListing(), Case.FirstPage);
		EXPECT_LE(Library().Products.Num(), 24);
	}
}

TEST_F(BrowsingTest, TheSearchLeavesAtTheFirstFrameFourTenthsOfASecondAfterTheKeyStroke)
{
	FocusSearch();
	const size_t Before = Listings();
	// The debounce counts from the ticker's clock as of this tick, so the key stroke follows it at once.
	Host->Tick();
	const double Typed = FPlatformTime::Seconds();
	Driver().Type(TEXT("o"));

	// Small steps of the test clock: each frame either sends nothing yet, or is the first that
	// begins 0.4 s after the key stroke. A few milliseconds cover the clock read after the tick.
	double SentAt = -1.0;
	for (int32 Step = 0; Step < 200 && SentAt < 0; ++Step)
	{
		Host->AdvanceClock(0.01);
		const double FrameStart = FPlatformTime::Seconds() - Typed;
		Frame();
		if (Library().bBusy)
		{
			SentAt = FPlatformTime::Seconds() - Typed;
			EXPECT_GE(SentAt, 0.395) << "the search left before the pause after the key stroke was over";
		}
		else
		{
			ASSERT_LT(FrameStart, 0.405) << "no search in a frame that began " << FrameStart << " s after the key stroke";
		}
	}
	ASSERT_GE(SentAt, 0.0) << "no search within 2 s of test clock";
	ASSERT_TRUE(Settle());
	Wait(1.0);
	EXPECT_EQ(Listings(), Before + 1);
	EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=o&cursor=&limit=24&format=fbx&product_kind=");
}

TEST_F(BrowsingTest, OnlyTheNextCursorOfTheLastPageKeepsPagingAndItIsSentEscaped)
{
	const auto Listing = [](const std::string& CursorField)
	{
		return R"({"items":[{"product_id":"p","title":"Paged","selection_id":"s","kind":"asset","thumbnail":{"url":""}}])"
			+ CursorField + "}";
	};
	const struct
	{
		const char* Label;
		std::string Reply;
		FString Cursor;
	} Cases[] = {
		{"no next_cursor at all", Listing(""), TEXT("")},
		{"a null next_cursor", Listing(R"(,"next_cursor":null)"), TEXT("")},
		{"an empty next_cursor", Listing(R"(,"next_cursor":"")"), TEXT("")},
		{"another cursor", Listing(R"(,"next_cursor":"c2")"), TEXT("c2")},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		Service->Script("/v1/membership/catalog", KVAService::FReply::Json(200, Listing(R"(,"next_cursor":"p 2&kind=x/\u00e9")")));
		ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
		ASSERT_TRUE(Settle());
		ASSERT_EQ(Library().Cursor, TEXT("p 2&kind=x/\u00e9"));

		// A failing first page keeps the cursor of the list still shown.
		Service->Script("/v1/membership/catalog", KVAService::FReply::Json(503, R"({"error":"maintenance"})"));
		ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
		ASSERT_TRUE(Settle());
		EXPECT_EQ(Library().Cursor, TEXT("p 2&kind=x/\u00e9"));
		ASSERT_TRUE(Shows(TEXT("Load more")));

		Service->Script("/v1/membership/catalog", KVAService::FReply::Json(200, Case.Reply));
		ASSERT_EQ(Click(TEXT("Load more")), TEXT(""));
		ASSERT_TRUE(Settle());
		EXPECT_EQ(LastListing(), "/v1/membership/catalog?q=&cursor=p%202%26kind%3Dx%2F%C3%A9&limit=24&format=fbx&product_kind=");
		EXPECT_EQ(Library().Products.Num(), 2);
		EXPECT_EQ(Library().Cursor, Case.Cursor);
		EXPECT_EQ(Shows(TEXT("Load more")), !Case.Cursor.IsEmpty());
	}
}

TEST_F(BrowsingTest, ATileClickedWhileBusyChoosesNothing)
{
	const size_t Details = CountRequests("/v1/membership/products/");
	RefreshSlowly();

	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	EXPECT_FALSE(Library().Selected.IsValid());
	ASSERT_TRUE(Settle());
	EXPECT_FALSE(Library().Selected.IsValid());
	EXPECT_EQ(CountRequests("/v1/membership/products/"), Details);
}

// Every control the busy state gates looks disabled while a request runs, the kind menu's
// button as much as Refresh beside it: both are secondary buttons, so they paint alike in
// either state.
TEST_F(BrowsingTest, TheKindButtonLooksDisabledWhileBusyAsRefreshDoes)
{
	const auto ButtonOf = [this](const FString& Label)
	{
		const TSharedPtr<STextBlock> Text = Driver().FindText(Label);
		EXPECT_TRUE(Text.IsValid()) << KVAText::Utf8(Label);
		return FSlateDriver::FindAncestor(Text.ToSharedRef(), TEXT("SButton")).ToSharedRef();
	};
	// A point of each button's fill, clear of its label and its border.
	const auto Fills = [&]
	{
		Driver().MoveTo(FVector2D(1.0, 1.0));
		Frame();
		return std::make_pair(PixelAt(ButtonOf(TEXT("All assets")), 0.5f, 0.15f), PixelAt(ButtonOf(TEXT("Refresh")), 0.5f, 0.15f));
	};
	const auto [KindIdle, RefreshIdle] = Fills();
	EXPECT_EQ(KindIdle, RefreshIdle);

	RefreshSlowly();
	const auto [KindBusy, RefreshBusy] = Fills();
	ASSERT_TRUE(Library().bBusy);
	EXPECT_NE(RefreshBusy, RefreshIdle) << "Refresh does not look disabled";
	EXPECT_EQ(KindBusy, RefreshBusy) << "the kind button looks alive while busy";
	// The labels are dimmed alike: their brightest strokes are as bright as each other.
	const auto Brightest = [this](const FString& Label)
	{
		const FSlateRect Rect = Driver().GetRect(Driver().FindText(Label).ToSharedRef());
		const FSlateRenderedImage Image = Driver().Render();
		int32 Most = 0;
		for (int32 Y = int32(Rect.Top); Y < int32(Rect.Bottom); ++Y)
		{
			for (int32 X = int32(Rect.Left); X < int32(Rect.Right); ++X)
			{
				Most = FMath::Max(Most, int32(Image.At(X, Y).G));
			}
		}
		return Most;
	};
	EXPECT_NEAR(Brightest(TEXT("All assets")), Brightest(TEXT("Refresh")), 8) << "the kind label is not dimmed";
	EXPECT_NE(Click(TEXT("All assets")), TEXT(""));
	ASSERT_TRUE(Settle());
}
