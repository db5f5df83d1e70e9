// The library window in the stand-in editor, against the local service with a catalogue of
// 480 products of its own beside the fixtures. A round clicks "Refresh" (the first page, 24
// products), then "Load more" until 20 pages (480 products) are listed, and times each page:
// from the moment its completed reply is handed to the game thread until the end of the first
// frame drawn after it (parse, Finish, Rebuild, layout, paint and drawing into pixels).
// Prints the median over the rounds for the first page and for the 20th, in milliseconds, on
// one line; the medians of every page go to the error stream.

#include "EditorSession.h"

#include "Client/KestrovaClient.h"
#include "Window/LibraryWindow.h"

#include "CoreMinimal.h"
#include "SlateTesting/SlateDriver.h"

#include <webp/encode.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace
{
	constexpr int32 PageSize = 24;
	constexpr int32 Pages = 20;

	double Now()
	{
		return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
	}

	double Median(std::vector<double> Values)
	{
		std::sort(Values.begin(), Values.end());
		return Values[Values.size() / 2];
	}

	// A 256 x 256 preview with a gradient, as the image hosts serve them.
	std::string PreviewWebP(int32 Seed)
	{
		constexpr int32 Size = 256;
		std::vector<uint8_t> Pixels(size_t(Size) * Size * 4);
		for (int32 Y = 0; Y < Size; ++Y)
		{
			for (int32 X = 0; X < Size; ++X)
			{
				uint8_t* Pixel = &Pixels[(size_t(Y) * Size + X) * 4];
				Pixel[0] = uint8_t(X + Seed * 13);
				Pixel[1] = uint8_t(Y + Seed * 7);
				Pixel[2] = uint8_t((X ^ Y) + Seed);
				Pixel[3] = 255;
			}
		}
		uint8_t* Output = nullptr;
		const size_t Length = WebPEncodeBGRA(Pixels.data(), Size, Size, Size * 4, 75.0f, &Output);
		std::string Bytes(reinterpret_cast<const char*>(Output), Length);
		WebPFree(Output);
		return Bytes;
	}

	// Products listed as FBX assets, each with a preview of its own address; nothing here
	// downloads their packages.
	void AddCatalogue(KVAService::FMembership& Membership, int32 Count)
	{
		std::vector<std::string> Previews;
		for (int32 Seed = 0; Seed < 8; ++Seed)
		{
			Previews.push_back(PreviewWebP(Seed));
		}
		const KVAService::FPackage Package = KVAService::FMembership::MakePackage("pkg-bench", "not downloaded");
		for (int32 Index = 0; Index < Count; ++Index)
		{
			KVAService::FProduct Product;
			Product.ProductId = "bench-" + std::to_string(Index);
			Product.Title = "Weathered oak chair no. " + std::to_string(Index);
			Product.Kind = "asset";
			Product.SelectionId = "sel-" + Product.ProductId;
			Product.Source = "membership";
			Product.Packages.push_back(Package);
			Membership.AddProduct(Product, Previews[size_t(Index) % Previews.size()]);
		}
	}

	class FWindowBench
	{
	public:
		explicit FWindowBench(FEditorSession& InSession) : Session(InSession), Runtime(InSession.GetRuntime()), Driver(InSession.GetDriver()) {}

		bool SignIn()
		{
			if (!Session.OpenLibrary().IsEmpty())
			{
				return false;
			}
			Window = Session.FindLibrary();
			return Driver.ClickText(TEXT("Sign in")).IsEmpty()
				&& Session.PumpWithClock([this] { return Window->Client->Connected() && !Window->bBusy; })
				&& Settle();
		}

		// Clicks the button and times the page its click brings; nothing when anything else
		// than that page arrived.
		std::optional<double> TimePage(const FString& Label, int32 Expected)
		{
			if (!Settle() || !Driver.ClickText(Label).IsEmpty())
			{
				return std::nullopt;
			}
			// The membership check comes first; its reply sends the page request. Only these
			// two replies reach the game thread: no preview is on its way.
			for (int32 Reply = 0; Reply < 2 && Window->bBusy; ++Reply)
			{
				const std::optional<double> Arrived = WaitForReply();
				if (!Arrived)
				{
					return std::nullopt;
				}
				Runtime.Tick();
				const FSlateRenderedImage Frame = Driver.Render();
				const double Drawn = Now();
				if (!Window->bBusy)
				{
					const bool bShown = Frame.Width > 0 && Window->Products.Num() == Expected && Window->Message.IsEmpty()
						&& Driver.GetShownTexts().Contains(Window->Products[0]->Title);
					return bShown ? std::optional<double>((Drawn - *Arrived) * 1000.0) : std::nullopt;
				}
			}
			return std::nullopt;
		}

	private:
		// Frames until the window is idle and no preview is loading or queued.
		bool Settle()
		{
			return Session.Pump([this]
			{
				return !Window->bBusy && Window->PreviewsLoading.IsEmpty() && Window->PreviewQueue.IsEmpty() && Runtime.NumQueuedGameThreadTasks() == 0;
			}, 60.0);
		}

		// When a completed reply was first seen waiting for the game thread.
		std::optional<double> WaitForReply()
		{
			const double Deadline = Now() + 30.0;
			while (Runtime.NumQueuedGameThreadTasks() == 0)
			{
				if (Now() > Deadline)
				{
					return std::nullopt;
				}
				std::this_thread::sleep_for(std::chrono::microseconds(20));
			}
			return Now();
		}

		FEditorSession& Session;
		FHostRuntime& Runtime;
		const FSlateDriver& Driver;
		TSharedPtr<SKVALibrary> Window;
	};
}

int main(int ArgC, char** ArgV)
{
	const int32 Rounds = ArgC > 1 ? std::max(1, std::atoi(ArgV[1])) : 7;
	FEditorSession Session(FEditorSession::FOptions{});
	if (!Session.IsReady())
	{
		std::fprintf(stderr, "kva-bench-window: the editor session did not start\n");
		return 1;
	}
	AddCatalogue(*Session.GetMembership(), PageSize * Pages);
	FWindowBench Bench(Session);
	if (!Bench.SignIn())
	{
		std::fprintf(stderr, "kva-bench-window: signing in failed\n");
		return 1;
	}

	std::vector<std::vector<double>> Milliseconds(Pages);
	for (int32 Round = 0; Round < Rounds; ++Round)
	{
		for (int32 Page = 0; Page < Pages; ++Page)
		{
			const std::optional<double> Time = Bench.TimePage(Page == 0 ? TEXT("Refresh") : TEXT("Load more"), PageSize * (Page + 1));
			if (!Time)
			{
				std::fprintf(stderr, "kva-bench-window: page %d of round %d did not arrive as it should\n", Page + 1, Round + 1);
				return 1;
			}
			Milliseconds[size_t(Page)].push_back(*Time);
		}
	}

	std::fprintf(stderr, "median ms by page:");
	for (const std::vector<double>& Page : Milliseconds)
	{
		std::fprintf(stderr, " %.2f", Median(Page));
	}
	std::fprintf(stderr, "\n");
	std::printf("%.3f %.3f\n", Median(Milliseconds.front()), Median(Milliseconds.back()));
	return 0;
}
