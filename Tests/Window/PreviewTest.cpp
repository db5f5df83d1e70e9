#include "WindowTestSupport.h"

#include "Engine/Texture2D.h"
#include "Slate/DeferredCleanupSlateBrush.h"
#include "Widgets/Input/SSearchBox.h"
#include "Widgets/Views/STileView.h"

#include <webp/encode.h>

namespace
{
	// A flat WebP image of the given size.
	std::string Image(int32 Width, int32 Height, uint8 Shade)
	{
		std::vector<uint8_t> Pixels(size_t(Width) * Height * 4, Shade);
		uint8_t* Output = nullptr;
		const size_t Size = WebPEncodeBGRA(Pixels.data(), Width, Height, Width * 4, 50.0f, &Output);
		std::string Bytes(reinterpret_cast<const char*>(Output), Size);
		WebPFree(Output);
		return Bytes;
	}

	// The grid and its previews need room: a tall main window shows many rows at once.
	class PreviewTest : public WindowTest
	{
	protected:
		explicit PreviewTest(double Height = 1700) { WindowSize = FVector2D(1280, Height); }

		// Products titled "<Prefix> N", each with its own preview (or with Thumbnail when given).
		void AddProducts(const std::string& Prefix, int32 Count, const std::string& Preview, const std::string& Thumbnail = std::string())
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				KVAService::FProduct Product;
				Product.ProductId = Prefix + "-" + std::to_string(Index);
				Product.Title = Prefix + " " + std::to_string(Index);
				Product.Kind = "asset";
				Product.SelectionId = "sel-" + Product.ProductId;
				Product.Source = "membership";
				Product.Thumbnail = Thumbnail;
				// Listed as an FBX product; nothing here downloads it.
				Product.Packages.push_back(KVAService::FMembership::MakePackage("pkg-" + Product.ProductId, "not downloaded"));
				Membership->AddProduct(Product, Preview);
			}
		}

		// Signs in to an empty first page, so that no preview is fetched before the test's own.
		void SignInQuietly()
		{
			Service->Script("/v1/membership/catalog", KVAService::FReply::Json(200, R"({"items":[],"next_cursor":null})"));
			SignIn();
			Service->ClearScripts();
		}

		void LoadAllPages()
		{
			while (Shows(TEXT("Load more")))
			{
				ASSERT_EQ(Click(TEXT("Load more")), TEXT(""));
				ASSERT_TRUE(Settle());
			}
		}

		// Frames until no preview is loading or queued.
		bool PreviewsDone()
		{
			return Pump([this] { return Library().PreviewsLoading.IsEmpty() && Library().PreviewQueue.IsEmpty(); }, 60.0);
		}

		// The preview of ProductId arrives only after Milliseconds, or when the test releases it.
		void Hold(const std::string& ProductId, const std::string& Bytes, int32 Milliseconds)
		{
			KVAService::FReply Held;
			Held.Headers.push_back({"Content-Type", "image/webp"});
			Held.Body = Bytes;
			Held.HeaderDelay = std::chrono::milliseconds(Milliseconds);
			Service->Script("/previews/" + ProductId + ".webp", Held);
		}

		static FString Url(const std::string& ProductId)
		{
			return KVAText::FromUtf8("https://images.kestrova.example/previews/" + ProductId + ".webp");
		}
	};

	class BigPreviewTest : public PreviewTest
	{
	protected:
		BigPreviewTest() : PreviewTest(6200) {}
	};
}

TEST_F(PreviewTest, TwoFetchesAtATimeAndTheRestQueued)
{
	// Every catalogue preview is held back until the test lets it go.
	for (int32 Index = 1; Index <= 30; ++Index)
	{
		KVAService::FReply Held = KVAService::FReply::Json(404, "{}");
		Held.HeaderDelay = std::chrono::milliseconds(1500);
		Service->Script("/previews/kp-" + std::string(Index < 10 ? "00" : "0") + std::to_string(Index) + ".webp", Held);
	}
	SignIn();
	ASSERT_EQ(Library().Products.Num(), 24);

	// All 24 tiles are on screen: two fetches run, 22 wait in order.
	EXPECT_EQ(Library().PreviewsLoading.Num(), 2);
	ASSERT_EQ(Library().PreviewQueue.Num(), 22);
	EXPECT_EQ(Library().PreviewQueue[0], Url("kp-003"));
	EXPECT_EQ(Library().PreviewQueue.Last(), Url("kp-024"));
	EXPECT_TRUE(Shows(TEXT("Loading preview")));

	ASSERT_TRUE(Pump([this] { return CountRequests("/previews/") == 2; }));
	Service->ClearScripts();
	ASSERT_TRUE(PreviewsDone());
	// The two held ones failed; every other came once and is drawn.
	EXPECT_EQ(Library().PreviewsFailed.Num(), 2);
	EXPECT_EQ(Library().Previews.Num(), 22);
	EXPECT_EQ(CountRequests("/previews/"), 24u);
	EXPECT_EQ(Library().PreviewBytes, 22 * KVAService::FixturePreviewSize * KVAService::FixturePreviewSize * 4);
	Frame();
	EXPECT_EQ(Driver().FindTexts(TEXT("Preview unavailable")).Num(), 2);
	EXPECT_EQ(Driver().FindTexts(TEXT("Loading preview")).Num(), 0);

	// Rebuilt tiles do not ask for failed previews again; "Refresh" does.
	ASSERT_EQ(Click(TEXT("My downloads")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Library")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_TRUE(PreviewsDone());
	EXPECT_EQ(CountPath("/previews/kp-001.webp"), 1u);
	SaveState(TEXT("preview-failed"));
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_TRUE(PreviewsDone());
	EXPECT_EQ(CountPath("/previews/kp-001.webp"), 2u);
	EXPECT_TRUE(Library().PreviewsFailed.IsEmpty());
	EXPECT_TRUE(Library().Previews.Contains(Url("kp-001")) && Library().Previews.Contains(Url("kp-002")));
	EXPECT_EQ(Driver().FindTexts(TEXT("Preview unavailable")).Num(), 0);
}

TEST_F(PreviewTest, OneAddressIsFetchedOnceWhateverItsCase)
{
	AddProducts("Twin", 2, "", "https://images.kestrova.example/previews/kp-005.webp");
	AddProducts("TwinUpper", 1, "", "https://IMAGES.KESTROVA.EXAMPLE/previews/kp-005.webp");
	SignInQuietly();
	Search(TEXT("twin"));
	ASSERT_EQ(Library().Products.Num(), 3);
	ASSERT_TRUE(PreviewsDone());

	EXPECT_EQ(CountPath("/previews/kp-005.webp"), 1u);
	EXPECT_EQ(Library().Previews.Num(), 1);
	EXPECT_TRUE(Library().Previews.Contains(TEXT("https://IMAGES.KESTROVA.EXAMPLE/previews/kp-005.webp")));
	// Each of the three tiles draws the one image.
	EXPECT_EQ(Driver().FindTexts(TEXT("Loading preview")).Num(), 0);
	int32 Drawn = 0;
	for (const TSharedRef<SWidget>& Image : Driver().FindAll(TEXT("SImage")))
	{
		Drawn += FSlateDriver::FindAncestor(Image, TEXT("STableRow<FKVAProductPtr>")).IsValid() && Driver().IsShown(Image) ? 1 : 0;
	}
	EXPECT_EQ(Drawn, 3);
	// The decoded image is a transient texture of the image's size.
	const TSharedPtr<SKVALibrary::FPreview> Preview = Library().Previews.FindRef(Url("kp-005"));
	ASSERT_TRUE(Preview.IsValid());
	EXPECT_EQ(Preview->Texture->GetSizeX(), KVAService::FixturePreviewSize);
	EXPECT_EQ(Preview->Bytes, KVAService::FixturePreviewSize * KVAService::FixturePreviewSize * 4);
	EXPECT_EQ(FDeferredCleanupSlateBrush::TrySlateBrush(Preview->Brush)->GetResourceObject(), Preview->Texture.Get());
}

TEST_F(BigPreviewTest, TheCacheKeepsAtMost96Images)
{
	const std::string Small = Image(16, 16, 90);
	AddProducts("Crowd", 100, Small);
	SignInQuietly();
	// The first two fetches wait until every page is listed, so every other tile asks meanwhile.
	Hold("Crowd-0", Small, 60000);
	Hold("Crowd-1", Small, 60000);
	Search(TEXT("crowd"));
	LoadAllPages();
	ASSERT_EQ(Library().Products.Num(), 100);
	Service->ReleaseDelays();
	ASSERT_TRUE(PreviewsDone());

	// 100 tiles asked at once: two fetched, 96 queued, two dropped; 98 came, the two oldest went.
	EXPECT_EQ(CountRequests("/previews/Crowd-"), 98u);
	EXPECT_EQ(Library().Previews.Num(), 96);
	EXPECT_EQ(Library().PreviewBytes, 96 * 16 * 16 * 4);
	EXPECT_FALSE(Library().Previews.Contains(Url("Crowd-0")));
	EXPECT_FALSE(Library().Previews.Contains(Url("Crowd-1")));
	EXPECT_TRUE(Library().Previews.Contains(Url("Crowd-2")));
	// The newest two stay: with the engine's map they would evict each other, the 97th's slot
	// being the one the first eviction freed.
	EXPECT_TRUE(Library().Previews.Contains(Url("Crowd-96")));
	EXPECT_TRUE(Library().Previews.Contains(Url("Crowd-97")));
}

TEST_F(BigPreviewTest, TheCacheKeepsAtMost64MiBOfPixels)
{
	// 65 images of 512 x 512: one more than 64 MiB holds.
	const std::string Big = Image(512, 512, 120);
	AddProducts("Large", 65, Big);
	SignInQuietly();
	// The first image is the first cached.
	Hold("Large-1", Big, 300);
	Search(TEXT("large"));
	LoadAllPages();
	ASSERT_EQ(Library().Products.Num(), 65);
	ASSERT_TRUE(PreviewsDone());

	EXPECT_EQ(CountRequests("/previews/Large-"), 65u);
	EXPECT_EQ(Library().Previews.Num(), 64);
	EXPECT_EQ(Library().PreviewBytes, 67108864);
	EXPECT_FALSE(Library().Previews.Contains(Url("Large-0")));
}

TEST_F(PreviewTest, QueuedPreviewsAreFetchedInTheOrderTheTilesAskedForThem)
{
	SignInQuietly();
	// Every address that starts loading in a frame is new there: a fetch cannot end in the frame
	// that began it. Within one frame the order is not known, so each frame's starts are sorted.
	TArray<FString> Started;
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Pump([&]
	{
		TArray<FString> New;
		for (const FString& Url : Library().PreviewsLoading)
		{
			if (!Started.Contains(Url))
			{
				New.Add(Url);
			}
		}
		New.Sort();
		Started.Append(New);
		return !Library().bBusy && Library().PreviewsLoading.IsEmpty() && Library().PreviewQueue.IsEmpty();
	}, 60.0));

	TArray<FString> Expected;
	for (int32 Index = 1; Index <= 24; ++Index)
	{
		Expected.Add(Url(std::string(Index < 10 ? "kp-00" : "kp-0") + std::to_string(Index)));
	}
	EXPECT_EQ(Started, Expected);
	EXPECT_EQ(Library().Previews.Num(), 24);
}

TEST_F(BigPreviewTest, AnImageEvictsAsManyOfTheOldestAsItTakesToFit)
{
	// Two half-size images first ("Quince"), then 63 full-size ones ("Rowan"): exactly 64 MiB.
	// One more full-size image ("Sloe") needs both half-size ones to go, and only them.
	AddProducts("Quince", 2, Image(512, 256, 60));
	AddProducts("Rowan", 63, Image(512, 512, 120));
	AddProducts("Sloe", 1, Image(512, 512, 200));
	SignInQuietly();
	// One search at a time, so the cache fills in a known order.
	for (const TCHAR* Word : {TEXT("quince"), TEXT("rowan")})
	{
		Search(Word);
		LoadAllPages();
		ASSERT_TRUE(PreviewsDone());
	}
	ASSERT_EQ(Library().Previews.Num(), 65);
	ASSERT_EQ(Library().PreviewBytes, 67108864);

	Search(TEXT("sloe"));
	ASSERT_TRUE(PreviewsDone());

	EXPECT_EQ(Library().Previews.Num(), 64);
	EXPECT_EQ(Library().PreviewBytes, 67108864);
	EXPECT_FALSE(Library().Previews.Contains(Url("Quince-0")));
	EXPECT_FALSE(Library().Previews.Contains(Url("Quince-1")));
	for (int32 Index = 0; Index < 63; ++Index)
	{
		EXPECT_TRUE(Library().Previews.Contains(Url("Rowan-" + std::to_string(Index)))) << Index;
	}
	EXPECT_TRUE(Library().Previews.Contains(Url("Sloe-0")));
}
