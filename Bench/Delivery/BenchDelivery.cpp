// kva-bench-delivery WORK [ROUNDS]: "Add to Scene" in the library window of the stand-in editor
// for a package of about 200 MB (six real FBX models of the assimp test set and twelve 16 MiB
// textures), against `curl -o` plus `bsdtar -xf` of the same package from the same local
// service, in one process and one file system (the project and curl's folder both in WORK).
// Rounds alternate which goes first. The editor draws 60 frames a second, as it would.
//
// Ours runs from the click until the extraction's result is handed to the game thread, where
// the "Importing" phase begins. The import, and the placement of a model picked from the list
// with a click on "Add to Scene", follow untimed and are checked.
//
// Prints the package's size in MB, then the medians in seconds, on one line: ours, curl +
// bsdtar, curl, bsdtar; our phases: click to "Downloading" (cache check and ticket), then to
// the last byte on disk (download), then to "Unpacking" (what is left of the verification,
// which follows the download, and the move), then to the hand-over (extraction); and last
// FileHash of the downloaded package alone, what reading it again after the transfer would
// cost. Each round goes to the error stream.

#include "EditorSession.h"

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Platform/Keys.h"
#include "Window/LibraryWindow.h"

#include "CoreMinimal.h"
#include "Editor.h"
#include "HAL/FileManager.h"
#include "InputCoreTypes.h"
#include "Misc/Paths.h"
#include "PackageContent.h"
#include "SlateTesting/SlateDriver.h"
#include "Widgets/Input/SSearchBox.h"
#include "Widgets/Text/STextBlock.h"
#include "ZipWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{
	constexpr double FramePeriod = 1.0 / 60.0;
	constexpr const char* PackageId = "pkg-showroom";
	const char* const Models[] = {"box.fbx", "spider.fbx", "huesitos.fbx", "cubes_with_mirroring_and_pivot.fbx", "cubes_with_names.fbx", "maxPbrMaterial_metalRough.fbx"};
	constexpr int32 Textures = 12;
	constexpr size_t TextureBytes = size_t(16) << 20;
	constexpr int32 DistinctTextures = 4;

	double Now()
	{
		return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
	}

	double Median(std::vector<double> Values)
	{
		std::sort(Values.begin(), Values.end());
		return Values[Values.size() / 2];
	}

	std::string MakePackageBytes()
	{
		KVAZip::FBuilder Builder;
		Builder.Add("license.txt", "Licensed to the member for use in their own projects.\n", KVAZip::Deflated);
		for (const char* Model : Models)
		{
			Builder.Add(std::string("models/") + Model, KVAZip::TestModel(Model), KVAZip::Deflated);
		}
		// Textures do not compress; a few distinct ones, deflated once, stand in for all of them,
		// and each is still inflated, checked and written in full.
		std::vector<std::pair<std::string, std::string>> Blocks;
		for (int32 Index = 0; Index < DistinctTextures; ++Index)
		{
			std::string Data = KVAZip::RandomBytes(TextureBytes, uint32_t(300 + Index));
			std::string Compressed = KVAZip::Deflate(Data);
			Blocks.emplace_back(std::move(Data), std::move(Compressed));
		}
		for (int32 Index = 0; Index < Textures; ++Index)
		{
			const auto& [Data, Compressed] = Blocks[size_t(Index % DistinctTextures)];
			Builder.Add("textures/map" + std::to_string(Index) + ".png", Data, KVAZip::Deflated).Payload = Compressed;
		}
		return Builder.Layout().Serialize();
	}

	// Runs a program with its arguments and waits for it; true when it exits with status 0.
	bool Run(const std::vector<std::string>& Arguments)
	{
		std::vector<char*> Argv;
		for (const std::string& Argument : Arguments)
		{
			Argv.push_back(const_cast<char*>(Argument.c_str()));
		}
		Argv.push_back(nullptr);
		pid_t Child = 0;
		if (posix_spawnp(&Child, Argv[0], nullptr, nullptr, Argv.data(), environ) != 0)
		{
			return false;
		}
		int Status = 0;
		return waitpid(Child, &Status, 0) == Child && WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
	}

	struct FOurs
	{
		double Total = 0;
		double Ticket = 0;
		double Download = 0;
		double Verify = 0;
		double Extract = 0;
		double Hash = 0;
	};

	struct FTheirs
	{
		double Curl = 0;
		double Bsdtar = 0;
	};

	class FDeliveryBench
	{
	public:
		FDeliveryBench(FEditorSession& InSession, const std::filesystem::path& InWork)
			: Session(InSession), Runtime(InSession.GetRuntime()), Driver(InSession.GetDriver()), Work(InWork)
		{
		}

		// Signs in, finds the product with a search and chooses it, all by clicks and keys.
		bool Choose(const FString& Title)
		{
			if (!Session.OpenLibrary().IsEmpty())
			{
				return false;
			}
			Window = Session.FindLibrary();
			if (!Driver.ClickText(TEXT("Sign in")).IsEmpty() || !Session.PumpWithClock([this] { return Window->Client->Connected() && !Window->bBusy; }))
			{
				return false;
			}
			if (!Driver.Click(Window->SearchBox.ToSharedRef()).IsEmpty())
			{
				return false;
			}
			Driver.Type(Title);
			Driver.PressKey(EKeys::Enter);
			return Settle() && Driver.ClickText(Title).IsEmpty() && Settle() && Window->SelectedFile.IsValid();
		}

		std::optional<FOurs> Deliver()
		{
			auto Fail = [](const char* Why) -> std::optional<FOurs>
			{
				std::fprintf(stderr, "kva-bench-delivery: %s\n", Why);
				return std::nullopt;
			};
			// A new delivery of the same file, into an empty cache.
			if (!Window->Meshes.IsEmpty() && !Driver.ClickText(FileLabel()).IsEmpty())
			{
				return Fail("the file could not be chosen again");
			}
			const FString Cache = SKVALibrary::CachePath(*Window->SelectedFile);
			IFileManager::Get().Delete(*Cache, false, false, true);
			// The button is looked for once the click's rebuild has been drawn.
			if (!Settle() || !Window->Meshes.IsEmpty())
			{
				return Fail("the window did not settle with the models forgotten");
			}
			const TSharedPtr<STextBlock> Label = Driver.FindText(TEXT("Add to Scene"));
			if (!Label.IsValid() || !Driver.WhyNotClickable(Label.ToSharedRef()).IsEmpty())
			{
				return Fail("\"Add to Scene\" is not there to click");
			}
			const int32 Actors = Session.GetEditor().CountLevelActors();
			sync();

			FOurs Ours;
			const double Clicked = Now();
			Driver.ClickAt(Driver.GetRect(Label.ToSharedRef()).GetCenter());
			double Downloading = 0;
			double Received = 0;
			double Unpacking = 0;
			double Handed = 0;
			std::filesystem::path Part;
			const std::filesystem::path Downloads(KVAText::Utf8(FPaths::GetPath(Cache)));
			while (Window->bBusy)
			{
				const double FrameStart = Now();
				if (FrameStart > Clicked + 600.0)
				{
					return Fail("the delivery took over ten minutes");
				}
				Runtime.Tick();
				const double Ticked = Now();
				Downloading = Downloading == 0 && Window->Phase == TEXT("Downloading") ? Ticked : Downloading;
				Unpacking = Unpacking == 0 && Window->Phase == TEXT("Unpacking") ? Ticked : Unpacking;
				Driver.Tick();
				// Between frames: the last byte reaching the partial file, and the extraction's
				// result waiting for the game thread (nothing else is queued while unpacking).
				while (Now() < FrameStart + FramePeriod)
				{
					if (Downloading > 0 && Received == 0)
					{
						Part = Part.empty() ? FindPart(Downloads) : Part;
						std::error_code Error;
						Received = !Part.empty() && std::filesystem::file_size(Part, Error) == uint64_t(Window->SelectedFile->SizeBytes) ? Now() : 0;
					}
					if (Unpacking > 0 && Handed == 0 && Runtime.NumQueuedGameThreadTasks() > 0)
					{
						Handed = Now();
					}
					std::this_thread::sleep_for(std::chrono::microseconds(100));
				}
			}
			if (Handed == 0 || Received == 0 || !Window->Message.IsEmpty() || Window->Meshes.Num() != int32(std::size(Models)))
			{
				std::fprintf(stderr, "kva-bench-delivery: the window says \"%s\" with %d models imported\n", KVAText::Utf8(Window->Message).c_str(), Window->Meshes.Num());
				return std::nullopt;
			}
			Ours.Total = Handed - Clicked;
			Ours.Ticket = Downloading - Clicked;
			Ours.Download = Received - Downloading;
			Ours.Verify = Unpacking - Received;
			Ours.Extract = Handed - Unpacking;

			const double HashStart = Now();
			const bool bHashed = KVAPlatform::FileHash(KVAText::Utf8(Cache)) == KVAText::Utf8(Window->SelectedFile->Sha256);
			Ours.Hash = Now() - HashStart;
			if (!bHashed || !PlaceAModel(Actors))
			{
				return Fail("the package's hash or the placement of a model failed");
			}
			// The next round starts without this one's files.
			IFileManager::Get().Delete(*Cache, false, false, true);
			IFileManager::Get().DeleteDirectory(*FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Imported")), false, true);
			return Ours;
		}

		std::optional<FTheirs> CurlAndBsdtar()
		{
			const std::filesystem::path Folder = Work / "curl";
			const std::filesystem::path Zip = Folder / "package.zip";
			const std::filesystem::path Out = Folder / "out";
			std::filesystem::create_directories(Out);
			KVAService::FMembership& Membership = *Session.GetMembership();
			KVAService::FService& Service = *Session.GetService();
			const std::string Url = Membership.TicketUrl(PackageId, Membership.Now() + 300);
			const std::string Route = "content.kestrova.example:443:127.0.0.1:" + std::to_string(Service.Port());
			sync();

			FTheirs Theirs;
			const double Start = Now();
			const bool bFetched = Run({"curl", "-sS", "--fail", "--cacert", Service.AuthorityFile(), "--connect-to", Route, "-o", Zip.string(), Url});
			const double Fetched = Now();
			const bool bExtracted = bFetched && Run({"bsdtar", "-xf", Zip.string(), "-C", Out.string()});
			const double Extracted = Now();
			Theirs.Curl = Fetched - Start;
			Theirs.Bsdtar = Extracted - Fetched;

			std::error_code Error;
			const bool bWhole = bExtracted && std::filesystem::file_size(Zip, Error) == Membership.FindPackage(PackageId)->Bytes.size()
				&& std::filesystem::file_size(Out / "textures/map11.png", Error) == TextureBytes;
			std::filesystem::remove_all(Folder, Error);
			return bWhole ? std::optional<FTheirs>(Theirs) : std::nullopt;
		}

	private:
		bool Settle()
		{
			return Session.Pump([this]
			{
				return !Window->bBusy && Window->PreviewsLoading.IsEmpty() && Window->PreviewQueue.IsEmpty() && Runtime.NumQueuedGameThreadTasks() == 0;
			}, 60.0);
		}

		FString FileLabel() const
		{
			return FString::Printf(TEXT("FBX / %.1f MB"), double(Window->SelectedFile->SizeBytes) / 1048576.0);
		}

		static std::filesystem::path FindPart(const std::filesystem::path& Folder)
		{
			std::error_code Error;
			for (auto It = std::filesystem::directory_iterator(Folder, Error); !Error && It != std::filesystem::directory_iterator(); It.increment(Error))
			{
				if (It->path().extension() == ".part")
				{
					return It->path();
				}
			}
			return std::filesystem::path();
		}

		// Several models open the Content Browser; the member picks one from the list (the first
		// or the last, whichever it does not show already), places it, and takes it away again
		// with Undo.
		bool PlaceAModel(int32 Actors)
		{
			const FString First = Window->Meshes[0].GetAssetName();
			const FString Last = Window->Meshes.Last().GetAssetName();
			// The list shows the model chosen last time; the member opens it and takes another.
			const FString Shown = Window->Meshes[FMath::Clamp(Window->ModelIndex, 0, Window->Meshes.Num() - 1)].GetAssetName();
			const FString Other = Shown == Last ? First : Last;
			if (!Driver.ClickText(Shown).IsEmpty() || !Driver.ClickText(Other).IsEmpty() || !Driver.ClickText(TEXT("Add to Scene")).IsEmpty())
			{
				return false;
			}
			const bool bPlaced = Session.GetEditor().CountLevelActors() == Actors + 1 && Window->Message.IsEmpty();
			return bPlaced && GEditor->UndoTransaction() && Session.GetEditor().CountLevelActors() == Actors;
		}

		FEditorSession& Session;
		FHostRuntime& Runtime;
		const FSlateDriver& Driver;
		std::filesystem::path Work;
		TSharedPtr<SKVALibrary> Window;
	};
}

int main(int ArgC, char** ArgV)
{
	if (ArgC < 2)
	{
		std::fprintf(stderr, "usage: kva-bench-delivery WORK [ROUNDS]\n");
		return 2;
	}
	const std::filesystem::path Work = std::filesystem::absolute(ArgV[1]);
	const int32 Rounds = ArgC > 2 ? std::max(1, std::atoi(ArgV[2])) : 5;

	FEditorSession::FOptions Options;
	Options.ProjectDir = KVAText::FromUtf8((Work / "project").string());
	FEditorSession Session(Options);
	if (!Session.IsReady())
	{
		std::fprintf(stderr, "kva-bench-delivery: the editor session did not start\n");
		return 1;
	}
	KVAService::FProduct Product;
	Product.ProductId = "showroom";
	Product.Title = "Showroom Set";
	Product.Kind = "collection";
	Product.SelectionId = "sel-showroom";
	Product.Source = "membership";
	Product.bInLibrary = true;
	Product.Packages.push_back(KVAService::FMembership::MakePackage(PackageId, MakePackageBytes()));
	const double Megabytes = double(Product.Packages[0].Bytes.size()) / 1e6;
	Session.GetMembership()->AddProduct(std::move(Product));

	FDeliveryBench Bench(Session, Work);
	if (!Bench.Choose(TEXT("Showroom Set")))
	{
		std::fprintf(stderr, "kva-bench-delivery: choosing the product failed\n");
		return 1;
	}
	std::vector<FOurs> Ours;
	std::vector<FTheirs> Theirs;
	for (int32 Round = 0; Round < Rounds; ++Round)
	{
		for (int32 Turn = 0; Turn < 2; ++Turn)
		{
			if ((Round + Turn) % 2 == 0)
			{
				const std::optional<FOurs> Time = Bench.Deliver();
				if (!Time)
				{
					std::fprintf(stderr, "kva-bench-delivery: round %d: the delivery did not end with the models imported and one placed\n", Round + 1);
					return 1;
				}
				Ours.push_back(*Time);
			}
			else
			{
				const std::optional<FTheirs> Time = Bench.CurlAndBsdtar();
				if (!Time)
				{
					std::fprintf(stderr, "kva-bench-delivery: round %d: curl or bsdtar failed\n", Round + 1);
					return 1;
				}
				Theirs.push_back(*Time);
			}
		}
		std::fprintf(stderr, "round %d: ours %.3f s (ticket %.3f, download %.3f, verify %.3f, extract %.3f; hash alone %.3f), curl %.3f s + bsdtar %.3f s\n", Round + 1,
			Ours.back().Total, Ours.back().Ticket, Ours.back().Download, Ours.back().Verify, Ours.back().Extract, Ours.back().Hash, Theirs.back().Curl, Theirs.back().Bsdtar);
	}

	auto Of = [](const auto& Runs, auto Field)
	{
		std::vector<double> Values;
		for (const auto& Run : Runs)
		{
			Values.push_back(Field(Run));
		}
		return Median(Values);
	};
	std::printf("%.1f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f\n", Megabytes,
		Of(Ours, [](const FOurs& Run) { return Run.Total; }),
		Of(Theirs, [](const FTheirs& Run) { return Run.Curl + Run.Bsdtar; }),
		Of(Theirs, [](const FTheirs& Run) { return Run.Curl; }),
		Of(Theirs, [](const FTheirs& Run) { return Run.Bsdtar; }),
		Of(Ours, [](const FOurs& Run) { return Run.Ticket; }),
		Of(Ours, [](const FOurs& Run) { return Run.Download; }),
		Of(Ours, [](const FOurs& Run) { return Run.Verify; }),
		Of(Ours, [](const FOurs& Run) { return Run.Extract; }),
		Of(Ours, [](const FOurs& Run) { return Run.Hash; }));
	return 0;
}
