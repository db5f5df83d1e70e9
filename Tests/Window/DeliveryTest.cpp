#include "WindowTestSupport.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "Async/Async.h"
#include "ContentBrowser/ContentBrowserHost.h"
#include "Editor.h"
#include "Engine/Selection.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"
#include "Engine/World.h"
#include "HAL/FileManager.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "ObjectTools.h"
#include "Platform/Keys.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Notifications/SProgressBar.h"
#include "PackageContent.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <nlohmann/json.hpp>

namespace
{
	class DeliveryTest : public WindowTest
	{
	protected:
		void SetUp() override
		{
			WindowTest::SetUp();
			SignIn();
		}

		// A test that stops early leaves no worker waiting at a gate.
		void TearDown() override
		{
			for (const TSharedRef<FPoolGate>& Gate : Gates)
			{
				Open(Gate);
			}
			WindowTest::TearDown();
		}

		// The ASCII box with its geometry taken out: a model node that carries no mesh.
		static std::string NoGeometryModel()
		{
			std::string Box = KVAZip::TestModel("embedded_ascii/box.FBX");
			const size_t Start = Box.find("\tGeometry: ");
			const size_t End = Box.find("\tModel: ");
			const std::string Id = Box.substr(Start + 11, Box.find(',', Start) - Start - 11);
			std::string Result = Box.substr(0, Start) + Box.substr(End);
			const size_t Link = Result.find("C: \"OO\"," + Id + ",");
			Result.erase(Link, Result.find('\n', Link) - Link);
			return Result;
		}

		static FString Saved(const TCHAR* Folder) { return FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova"), Folder); }

		// Files and folders below a folder of the saved-data tree, as names relative to it.
		static TArray<FString> Listing(const TCHAR* Folder)
		{
			TArray<FString> Names;
			std::error_code Error;
			const std::filesystem::path Root(KVAText::Utf8(Saved(Folder)));
			for (auto It = std::filesystem::directory_iterator(Root, Error); !Error && It != std::filesystem::directory_iterator(); It.increment(Error))
			{
				Names.Add(KVAText::FromUtf8(It->path().filename().string()));
			}
			Names.Sort();
			return Names;
		}

		static bool PartialDownloads()
		{
			return Listing(TEXT("Downloads")).ContainsByPredicate([](const FString& Name) { return Name.EndsWith(TEXT(".part")); });
		}

		// Nothing half-done stays behind: no partial download and no staging folder. An extraction
		// that was dropped may still be on a worker, however long a busy machine makes it take:
		// once every job on the pool has ended and the game thread has taken their results, its
		// folder is gone or never will be.
		void ExpectNothingLeftBehind()
		{
			Drain(HoldPool());
			Frame();
			EXPECT_EQ(Listing(TEXT("Incoming")), TArray<FString>()) << "staging folders remain";
			// A transfer ends on a thread of its own; its partial file goes when the game thread hears of it.
			EXPECT_TRUE(Pump([] { return !PartialDownloads(); }, 30.0)) << "partial downloads remain after 30 s";
		}

		// Clicks Button and frames until the window is idle; the phases it showed, in order.
		TArray<FString> Deliver(const FString& Button, TFunction<void(const FString&)> OnNewPhase = nullptr)
		{
			TArray<FString> Phases;
			EXPECT_EQ(Click(Button), TEXT(""));
			EXPECT_TRUE(Pump([&]
			{
				if (Phases.IsEmpty() || Phases.Last() != Library().Phase)
				{
					Phases.Add(Library().Phase);
					if (OnNewPhase)
					{
						OnNewPhase(Library().Phase);
					}
				}
				return !Library().bBusy;
			}, 60.0));
			return Phases;
		}

		const KVAService::FPackage& Package(const std::string& PackageId) const
		{
			const KVAService::FPackage* Found = Membership->FindPackage(PackageId);
			EXPECT_NE(Found, nullptr);
			return *Found;
		}

		// The content host hands the package out in 256 KiB pieces with a pause before each.
		void SlowDownload(const std::string& PackageId, int32 PauseMilliseconds)
		{
			KVAService::FReply Slow;
			Slow.Headers.push_back({"Content-Type", "application/zip"});
			Slow.Body = Package(PackageId).Bytes;
			Slow.bChunked = true;
			Slow.ChunkBytes = 256 * 1024;
			Slow.ChunkDelay = std::chrono::milliseconds(PauseMilliseconds);
			Service->Script("/packages/" + PackageId, Slow);
		}

		// Waits until the window shows the phase.
		bool ReachPhase(const FString& Phase)
		{
			return Pump([this, &Phase] { return Library().Phase == Phase; }, 30.0);
		}

		size_t Tickets() const { return CountPath("/v1/membership/downloads") + CountPath("/v1/membership/tickets"); }

		TArray<FString> AssetsUnder(const FString& Folder) const
		{
			TArray<FAssetData> Assets;
			FModuleManager::LoadModuleChecked<FAssetRegistryModule>(TEXT("AssetRegistry")).Get().GetAssetsByPath(FName(*Folder), Assets, true, false);
			TArray<FString> Names;
			for (const FAssetData& Asset : Assets)
			{
				Names.Add(Asset.PackageName.ToString());
			}
			return Names;
		}

		// A package big enough to watch it download: a real model and a 3 MiB texture.
		void AddHeavyCrate()
		{
			AddProduct("heavy", "Heavy Crate", {{"models/crate.fbx", KVAZip::TestModel("box.fbx")}, {"textures/crate.png", KVAZip::RandomBytes(3 << 20, 7)}});
		}

		// A package that takes a while to unpack: 6,000 small files beside its model.
		void AddManyFiles()
		{
			std::vector<std::pair<std::string, std::string>> Members = {{"models/box.fbx", KVAZip::TestModel("box.fbx")}};
			for (int32 Index = 0; Index < 6000; ++Index)
			{
				Members.push_back({"docs/" + std::to_string(Index / 1000) + "/note" + std::to_string(Index) + ".txt", "note " + std::to_string(Index)});
			}
			AddProduct("many", "Many Notes", Members);
		}

		// Tasks that wait on the editor's worker pool, one on each of its workers, until opened.
		struct FPoolGate
		{
			std::mutex Mutex;
			std::condition_variable Wake;
			int32 Running = 0;
			bool bOpen = false;
		};
		// The editor session's pool has four workers.
		static constexpr int32 PoolWorkers = 4;
		TArray<TSharedRef<FPoolGate>> Gates;

		// Occupies every worker; work handed to the pool from now on waits behind the gate.
		TSharedRef<FPoolGate> HoldPool()
		{
			const TSharedRef<FPoolGate> Gate = MakeShared<FPoolGate>();
			Gates.Add(Gate);
			for (int32 Index = 0; Index < PoolWorkers; ++Index)
			{
				Async(EAsyncExecution::ThreadPool, [Gate]
				{
					std::unique_lock Lock(Gate->Mutex);
					++Gate->Running;
					Gate->Wake.notify_all();
					Gate->Wake.wait(Lock, [&Gate] { return Gate->bOpen; });
				});
			}
			std::unique_lock Lock(Gate->Mutex);
			EXPECT_TRUE(Gate->Wake.wait_for(Lock, std::chrono::seconds(120), [&Gate] { return Gate->Running == PoolWorkers; }))
				<< "the editor's worker pool was still busy with earlier jobs after 120 s";
			return Gate;
		}

		static void Open(const TSharedRef<FPoolGate>& Gate)
		{
			{
				std::lock_guard Lock(Gate->Mutex);
				Gate->bOpen = true;
			}
			Gate->Wake.notify_all();
		}

		// Lets the pool go and waits until everything queued on it before has ended: the gate's
		// successor runs on every worker at once only when nothing else is left on any of them.
		void Drain(const TSharedRef<FPoolGate>& Gate)
		{
			Open(Gate);
			Open(HoldPool());
		}

		// Waits, without running a frame, until a worker has handed the game thread its result.
		bool WaitForGameThreadTask()
		{
			const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
			while (Host->NumQueuedGameThreadTasks() == 0)
			{
				if (std::chrono::steady_clock::now() > Deadline)
				{
					return false;
				}
				std::this_thread::sleep_for(std::chrono::milliseconds(2));
			}
			return true;
		}

		void CloseTab()
		{
			const TSharedPtr<SWidget> Tab = Driver().Find(TEXT("SDockTab"));
			ASSERT_TRUE(Tab.IsValid());
			Window.Reset();
			ASSERT_TRUE(StaticCastSharedPtr<SDockTab>(Tab)->RequestCloseTab());
			Frame();
		}
	};
}

TEST_F(DeliveryTest, AddToSceneDeliversImportsAndPlacesOneUndoableActor)
{
	AddHeavyCrate();
	Choose(TEXT("Heavy Crate"));
	SlowDownload("pkg-heavy", 60);
	const TArray<AActor*> Before = Editor->GetLevelActors();
	bool bSawProgress = false;

	const TArray<FString> Phases = Deliver(TEXT("Add to Scene"), [&](const FString& Phase)
	{
		if (Phase == TEXT("Downloading"))
		{
			// The bar fills as the package arrives; everything but Cancel waits.
			ASSERT_TRUE(Pump([this] { return Library().Progress >= 0.3f; }, 30.0));
			const TSharedPtr<SWidget> Bar = Driver().Find(TEXT("SProgressBar"));
			ASSERT_TRUE(Bar.IsValid());
			EXPECT_TRUE(Near(PixelAt(Bar.ToSharedRef(), 0.02f, 0.5f), SRGB(KVABrand::Accent)));
			EXPECT_FALSE(Near(PixelAt(Bar.ToSharedRef(), 0.98f, 0.5f), SRGB(KVABrand::Accent)));
			EXPECT_TRUE(Shows(TEXT("Downloading")));
			EXPECT_TRUE(IsEnabled(TEXT("Cancel")));
			EXPECT_FALSE(IsEnabled(TEXT("Refresh")));
			EXPECT_TRUE(Near(PixelAt(ButtonOf(TEXT("Refresh")).ToSharedRef(), 0.05f, 0.5f), SRGB(KVABrand::Disabled), 4));
			// The kind menu is disabled as a whole; its button inside paints disabled too.
			EXPECT_TRUE(Near(PixelAt(ButtonOf(TEXT("All assets")).ToSharedRef(), 0.05f, 0.5f), SRGB(KVABrand::Disabled), 4));
			EXPECT_FALSE(IsEnabled(TEXT("Add to Scene")));
			SaveState(TEXT("downloading"));
			bSawProgress = true;
		}
		if (Phase == TEXT("Unpacking"))
		{
			EXPECT_FALSE(Driver().Find(TEXT("SProgressBar")).IsValid());
			EXPECT_TRUE(Shows(TEXT("Unpacking")));
			SaveState(TEXT("unpacking"));
		}
	});

	EXPECT_TRUE(bSawProgress);
	EXPECT_EQ(Phases, (TArray<FString>{TEXT("Checking files"), TEXT("Downloading"), TEXT("Unpacking"), TEXT("")}));
	EXPECT_TRUE(Library().Message.IsEmpty());
	ASSERT_EQ(Library().Meshes.Num(), 1);
	UStaticMesh* Mesh = Library().Meshes[0].Get();
	ASSERT_NE(Mesh, nullptr);
	EXPECT_TRUE(Library().Folder.StartsWith(TEXT("/Game/Kestrova/heavy_")));
	EXPECT_TRUE(Library().Installed.Contains(TEXT("heavy|") + KVAText::FromUtf8(Package("pkg-heavy").Sha256)));

	// One actor of the mesh at the origin, labelled with the mesh's name and selected alone.
	const TArray<AActor*> After = Editor->GetLevelActors();
	ASSERT_EQ(After.Num(), Before.Num() + 1);
	AStaticMeshActor* Actor = Cast<AStaticMeshActor>(After.Last());
	ASSERT_NE(Actor, nullptr);
	EXPECT_EQ(Actor->GetStaticMeshComponent()->GetStaticMesh(), Mesh);
	EXPECT_EQ(Actor->GetActorLabel(), Mesh->GetName());
	TArray<AActor*> Selected;
	GEditor->GetSelectedActors()->GetSelectedObjects(Selected);
	EXPECT_EQ(Selected, TArray<AActor*>{Actor});
	EXPECT_EQ(Editor->GetUndoTitles().Last(), TEXT("Add Kestrova asset"));

	// The package is cached, its files preserved, and nothing else is left behind.
	EXPECT_TRUE(IFileManager::Get().FileExists(*SKVALibrary::CachePath(*Library().SelectedFile)));
	EXPECT_EQ(Listing(TEXT("Imported")), TArray<FString>{FPaths::GetCleanFilename(Library().Folder)});
	ExpectNothingLeftBehind();
	// The panel now offers the imported model.
	EXPECT_TRUE(Shows(TEXT("Show in Content Browser")));
	EXPECT_FALSE(Shows(TEXT("Add to Project")));

	// One undo takes exactly that actor away again; the assets stay.
	ASSERT_TRUE(GEditor->UndoTransaction());
	EXPECT_EQ(Editor->GetLevelActors(), Before);
	EXPECT_EQ(Library().Meshes[0].Get(), Mesh);
}

TEST_F(DeliveryTest, ACachedPackageIsReusedOnlyWhileItsHashMatches)
{
	Choose(TEXT("Oak Chair"));
	const FString Label = FString::Printf(TEXT("FBX / %d KB"), int32((Library().SelectedFile->SizeBytes + 1023) / 1024));
	Deliver(TEXT("Add to Project"));
	const FString First = Library().Folder;
	ASSERT_EQ(Library().Meshes.Num(), 1);
	EXPECT_EQ(Tickets(), 1u);
	// Without placement the Content Browser shows the new folder.
	ASSERT_FALSE(UE::Host::GetContentBrowserSyncs().IsEmpty());
	EXPECT_EQ(UE::Host::GetContentBrowserSyncs().Last().Folders, TArray<FString>{First});

	// The same file again: the cached package is used, into a folder of its own.
	ASSERT_EQ(Click(Label), TEXT(""));
	EXPECT_FALSE(Deliver(TEXT("Add to Project")).Contains(TEXT("Downloading")));
	EXPECT_EQ(Tickets(), 1u);
	EXPECT_EQ(CountRequests("/packages/"), 1u);
	EXPECT_NE(Library().Folder, First);
	EXPECT_EQ(Listing(TEXT("Imported")).Num(), 2);

	// A cached file of the right size but other bytes is fetched again and replaced.
	const FString Cached = SKVALibrary::CachePath(*Library().SelectedFile);
	const std::string Bytes = std::string(size_t(IFileManager::Get().FileSize(*Cached)), 'k');
	ASSERT_TRUE(FFileHelper::SaveArrayToFile(TArray<uint8>(reinterpret_cast<const uint8*>(Bytes.data()), int32(Bytes.size())), *Cached));
	ASSERT_EQ(Click(Label), TEXT(""));
	EXPECT_TRUE(Deliver(TEXT("Add to Project")).Contains(TEXT("Downloading")));
	EXPECT_EQ(Tickets(), 2u);
	EXPECT_EQ(KVAPlatform::FileHash(KVAText::Utf8(Cached)), Package("pkg-001").Sha256);
	EXPECT_EQ(Library().Meshes.Num(), 1);
	ExpectNothingLeftBehind();
}

TEST_F(DeliveryTest, PurchasesAskForATicketAndMembershipsForADownload)
{
	AddProduct("nosource", "Sourceless Lamp", {{"models/lamp.fbx", KVAZip::TestModel("phong_cube.fbx")}}, "");
	// The details the service gave for the chosen product, with its source spelt otherwise.
	const auto SpellSource = [this](const std::string& Source)
	{
		const FKVAProduct& Product = *Library().Selected;
		const FKVAFile& File = *Library().SelectedFile;
		nlohmann::json Formats = nlohmann::json::array();
		for (const FString& Format : File.Formats)
		{
			Formats.push_back(KVAText::Utf8(Format));
		}
		const nlohmann::json Record = {{"package_id", KVAText::Utf8(File.PackageId)}, {"sha256", KVAText::Utf8(File.Sha256)},
			{"filename", KVAText::Utf8(File.Filename)}, {"formats", Formats}, {"size_bytes", File.SizeBytes}, {"source", Source},
			{"selection_id", KVAText::Utf8(Product.SelectionId)}};
		Service->Script("/v1/membership/products/" + KVAText::Utf8(Product.SelectionId), KVAService::FReply::Json(200, nlohmann::json({
			{"product_id", KVAText::Utf8(Product.ProductId)}, {"title", KVAText::Utf8(Product.Title)}, {"selection_id", KVAText::Utf8(Product.SelectionId)},
			{"source", Source}, {"download", {{"allowed", true}}}, {"files", {Record}}}).dump()));
	};
	const struct
	{
		FString Title;
		std::string Source;
		std::string Path;
		std::vector<std::string> Keys;
	} Cases[] = {
		{TEXT("Courtyard Scene"), "", "/v1/membership/tickets", {"package_id"}},
		{TEXT("Courtyard Scene"), "Purchase", "/v1/membership/tickets", {"package_id"}},
		{TEXT("Courtyard Scene"), "PURCHASE", "/v1/membership/tickets", {"package_id"}},
		{TEXT("Oak Chair"), "", "/v1/membership/downloads", {"package_id", "selection_id", "idempotency_key"}},
		{TEXT("Oak Chair"), "purchases", "/v1/membership/downloads", {"package_id", "selection_id", "idempotency_key"}},
		{TEXT("Sourceless Lamp"), "", "/v1/membership/downloads", {"package_id", "selection_id", "idempotency_key"}},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(KVAText::Utf8(Case.Title) + " " + Case.Source);
		Service->ClearScripts();
		// Each case delivers afresh: no record of an earlier import offers its models instead.
		Library().Installed.Empty();
		Choose(Case.Title);
		if (!Case.Source.empty())
		{
			SpellSource(Case.Source);
			Choose(Case.Title);
			ASSERT_EQ(Library().Selected->Source, KVAText::FromUtf8(Case.Source));
		}
		// Every case asks the service: nothing comes from the cache.
		IFileManager::Get().Delete(*SKVALibrary::CachePath(*Library().SelectedFile));
		const size_t Before = CountPath(Case.Path);
		Deliver(TEXT("Add to Project"));
		EXPECT_TRUE(Library().Message.IsEmpty()) << KVAText::Utf8(Library().Message);
		ASSERT_EQ(CountPath(Case.Path), Before + 1);
		const nlohmann::ordered_json Body = nlohmann::ordered_json::parse(RequestsTo(Case.Path).back().Body);
		std::vector<std::string> Keys;
		for (const auto& [Key, Value] : Body.items())
		{
			Keys.push_back(Key);
		}
		EXPECT_EQ(Keys, Case.Keys);
		EXPECT_EQ(Body["package_id"], KVAText::Utf8(Library().SelectedFile->PackageId));
		if (Body.contains("idempotency_key"))
		{
			EXPECT_EQ(Body["selection_id"], KVAText::Utf8(Library().Selected->SelectionId));
			EXPECT_EQ(Body["idempotency_key"].get<std::string>().size(), 64u);
		}
	}
}

TEST_F(DeliveryTest, AQueuedTicketSaysTheFilesAreBeingPrepared)
{
	Membership->Change([](KVAService::FMembershipSettings& Settings) { Settings.QueuedTickets = 1; });
	Choose(TEXT("Oak Chair"));
	Deliver(TEXT("Add to Project"));

	EXPECT_EQ(Library().Code, TEXT("files_preparing"));
	EXPECT_TRUE(TextDrawnIn(TEXT("Your files are being prepared. Try again shortly."), KVABrand::Warning));
	EXPECT_EQ(CountRequests("/packages/"), 0u);
	SaveState(TEXT("files-preparing"));

	Deliver(TEXT("Add to Project"));
	EXPECT_TRUE(Library().Code.IsEmpty());
	EXPECT_EQ(Library().Meshes.Num(), 1);
}

TEST_F(DeliveryTest, ATicketMustDescribeTheChosenFile)
{
	// The chosen file lists its formats as "zip" and "fbx".
	const KVAService::FPackage& Chair = Package("pkg-001");
	const nlohmann::json File = {{"package_id", "pkg-001"}, {"sha256", Chair.Sha256}, {"filename", "pkg-001.zip"}, {"formats", {"zip", "fbx"}},
		{"size_bytes", Chair.Bytes.size()}, {"source", "membership"}, {"selection_id", "sel-001"}};
	Service->Script("/v1/membership/products/sel-001", KVAService::FReply::Json(200, nlohmann::json({{"product_id", "kp-001"}, {"title", "Oak Chair"},
		{"selection_id", "sel-001"}, {"source", "membership"}, {"download", {{"allowed", true}}}, {"files", {File}}}).dump()));
	Choose(TEXT("Oak Chair"));
	const auto Ticket = [&](const std::function<void(nlohmann::json&)>& Change)
	{
		nlohmann::json Reply = File;
		Reply["url"] = Membership->TicketUrl("pkg-001", Membership->Now() + 300);
		Reply["expires_at"] = Membership->Now() + 300;
		Change(Reply);
		return Reply.dump();
	};
	const struct
	{
		const char* Label;
		std::string Reply;
		FString Code;
	} Cases[] = {
		{"formats in another order and case", Ticket([](nlohmann::json& T) { T["formats"] = {"FBX", "zip"}; }), TEXT("")},
		{"package id in capitals", Ticket([](nlohmann::json& T) { T["package_id"] = "PKG-001"; }), TEXT("")},
		{"fewer formats", Ticket([](nlohmann::json& T) { T["formats"] = {"fbx"}; }), TEXT("invalid_package")},
		{"another package", Ticket([](nlohmann::json& T) { T["package_id"] = "pkg-002"; }), TEXT("invalid_package")},
		{"another hash", Ticket([&](nlohmann::json& T) { T["sha256"] = Package("pkg-002").Sha256; }), TEXT("invalid_package")},
		{"another size", Ticket([](nlohmann::json& T) { T["size_bytes"] = T["size_bytes"].get<int64_t>() + 1; }), TEXT("invalid_package")},
		{"another file name", Ticket([](nlohmann::json& T) { T["filename"] = "other.zip"; }), TEXT("invalid_package")},
		{"not a file record", R"({"status":"ready"})", TEXT("invalid_package")},
		{"queued in capitals", R"({"status":"Queued"})", TEXT("files_preparing")},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		Service->Script("/v1/membership/downloads", KVAService::FReply::Json(200, Case.Reply));
		if (!Library().Meshes.IsEmpty())
		{
			// The file button brings the delivery buttons back.
			ASSERT_EQ(Click(FString::Printf(TEXT("FBX / %d KB"), int32((Chair.Bytes.size() + 1023) / 1024))), TEXT(""));
		}
		const size_t Downloads = CountRequests("/packages/");
		Deliver(TEXT("Add to Project"));
		EXPECT_EQ(Library().Code, Case.Code);
		EXPECT_EQ(CountRequests("/packages/"), Downloads + (Case.Code.IsEmpty() ? 1u : 0u));
		// A failed check leaves nothing to reuse: the next case fetches again.
		IFileManager::Get().Delete(*SKVALibrary::CachePath(*Library().SelectedFile));
	}
}

TEST_F(DeliveryTest, TheServiceCanAskForConsentAgainOrExpireTheKey)
{
	ASSERT_EQ(Click(TEXT("Garden Spider")), TEXT(""));
	ASSERT_TRUE(Settle());
	Deliver(TEXT("Add to Scene"));
	ASSERT_TRUE(Library().bConsentRequired);
	for (const TCHAR* Statement : {TEXT("I request immediate access."), TEXT("I acknowledge the withdrawal terms above.")})
	{
		ASSERT_EQ(Click(Statement), TEXT(""));
	}
	ASSERT_EQ(Click(TEXT("Confirm")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_FALSE(Library().bConsentRequired);
	ASSERT_TRUE(Library().bImmediateAccess && Library().bAcknowledgeLoss);
	const FString Key = Library().Key();

	// Consent is asked again: the step reopens with both boxes clear.
	Service->Script("/v1/membership/downloads", KVAService::FReply::Json(403, R"({"error":"download_consent_required"})"));
	Deliver(TEXT("Add to Scene"));
	EXPECT_TRUE(Library().bConsentRequired);
	EXPECT_FALSE(Library().bImmediateAccess);
	EXPECT_FALSE(Library().bAcknowledgeLoss);
	EXPECT_FALSE(IsEnabled(TEXT("Check confirmation")));
	EXPECT_EQ(Library().ConsentKeys.FindRef(TEXT("sel-002|pkg-002")), Key);

	// An expired download forgets its key, so the next request is a new one.
	Service->Script("/v1/membership/downloads", KVAService::FReply::Json(410, R"({"error":"download_expired"})"));
	for (const TCHAR* Title : {TEXT("Oak Chair"), TEXT("Garden Spider")})
	{
		ASSERT_EQ(Click(Title), TEXT(""));
		ASSERT_TRUE(Settle());
	}
	Deliver(TEXT("Add to Scene"));
	EXPECT_EQ(Library().Code, TEXT("download_expired"));
	EXPECT_FALSE(Library().ConsentKeys.Contains(TEXT("sel-002|pkg-002")));
	EXPECT_NE(Library().Key(), Key);
}

TEST_F(DeliveryTest, CancellingWhileUnpackingKeepsThePackageForTheNextTry)
{
	AddManyFiles();
	Choose(TEXT("Many Notes"));
	ASSERT_EQ(Click(TEXT("Add to Project")), TEXT(""));
	ASSERT_TRUE(ReachPhase(TEXT("Unpacking")));
	ASSERT_EQ(Click(TEXT("Cancel")), TEXT(""));

	EXPECT_FALSE(Library().bBusy);
	EXPECT_TRUE(Library().Message.IsEmpty());
	EXPECT_TRUE(Library().Meshes.IsEmpty());
	ExpectNothingLeftBehind();
	const FString Cached = SKVALibrary::CachePath(*Library().SelectedFile);
	EXPECT_TRUE(IFileManager::Get().FileExists(*Cached));

	// The next delivery takes the cached package without asking for a ticket.
	const size_t Before = Tickets();
	EXPECT_FALSE(Deliver(TEXT("Add to Project")).Contains(TEXT("Downloading")));
	EXPECT_EQ(Tickets(), Before);
	EXPECT_EQ(Library().Meshes.Num(), 1);
	ExpectNothingLeftBehind();
}

TEST_F(DeliveryTest, AnExtractionFailureShowsTheExtractorsSentence)
{
	AddProduct("nolicence", "Unlicensed Box", {{"models/box.fbx", KVAZip::TestModel("box.fbx")}}, "membership", false);
	Choose(TEXT("Unlicensed Box"));
	Deliver(TEXT("Add to Project"));

	EXPECT_EQ(Library().Message, TEXT("Package license missing."));
	EXPECT_TRUE(Library().Code.IsEmpty());
	EXPECT_TRUE(Library().Phase.IsEmpty());
	EXPECT_TRUE(TextDrawnIn(TEXT("Package license missing."), KVABrand::Error));
	EXPECT_TRUE(IFileManager::Get().FileExists(*SKVALibrary::CachePath(*Library().SelectedFile)));
	ExpectNothingLeftBehind();
	SaveState(TEXT("download-error"));

	// The next plain request reads "Loading", not the last delivery's phase.
	KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"items":[],"next_cursor":null})");
	Slow.HeaderDelay = std::chrono::milliseconds(300);
	Service->Script("/v1/membership/catalog", Slow);
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Pump([this] { return Shows(TEXT("Loading")); }));
	SaveState(TEXT("loading"));
	EXPECT_FALSE(Shows(TEXT("Unpacking")));
	ASSERT_TRUE(Settle());
}

TEST_F(DeliveryTest, SeveralModelsOpenTheContentBrowserAndThePickedOneIsPlaced)
{
	Search(TEXT("workshop"));
	ASSERT_EQ(Click(TEXT("Workshop Crates : Set of Three")), TEXT(""));
	ASSERT_TRUE(Settle());
	const int32 Actors = Editor->CountLevelActors();
	Deliver(TEXT("Add to Scene"));

	ASSERT_EQ(Library().Meshes.Num(), 3);
	EXPECT_EQ(Editor->CountLevelActors(), Actors);
	ASSERT_FALSE(UE::Host::GetContentBrowserSyncs().IsEmpty());
	EXPECT_EQ(UE::Host::GetContentBrowserSyncs().Last().Folders, TArray<FString>{Library().Folder});

	// The member picks the third model from the list and places it.
	const FString Third = Library().Meshes[2].GetAssetName();
	ASSERT_EQ(Click(Library().Meshes[0].GetAssetName()), TEXT(""));
	ASSERT_EQ(Click(Third), TEXT(""));
	EXPECT_EQ(Library().ModelIndex, 2);
	EXPECT_TRUE(Shows(Third));
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	ASSERT_EQ(Editor->CountLevelActors(), Actors + 1);
	EXPECT_EQ(Cast<AStaticMeshActor>(Editor->GetLevelActors().Last())->GetStaticMeshComponent()->GetStaticMesh(), Library().Meshes[2].Get());

	// "Show in Content Browser" shows the folder again.
	const int32 Syncs = UE::Host::GetContentBrowserSyncs().Num();
	ASSERT_EQ(Click(TEXT("Show in Content Browser")), TEXT(""));
	EXPECT_EQ(UE::Host::GetContentBrowserSyncs().Num(), Syncs + 1);
}

TEST_F(DeliveryTest, PlacementIsRefusedInAnotherLevelDuringPlayAndOnALockedLevel)
{
	// The member opens another level while the package downloads: the import stays, unplaced.
	AddHeavyCrate();
	Choose(TEXT("Heavy Crate"));
	SlowDownload("pkg-heavy", 40);
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	ASSERT_TRUE(ReachPhase(TEXT("Downloading")));
	Editor->OpenNewLevel();
	ASSERT_TRUE(Settle());
	const FString Refusal = TEXT("Choose an editable level, then add the asset.");
	EXPECT_EQ(Library().Message, Refusal);
	EXPECT_EQ(Editor->CountLevelActors(), 0);
	ASSERT_EQ(Library().Meshes.Num(), 1);
	EXPECT_TRUE(Library().Installed.Contains(TEXT("heavy|") + KVAText::FromUtf8(Package("pkg-heavy").Sha256)));
	EXPECT_FALSE(AssetsUnder(Library().Folder).IsEmpty());

	// Neither during a play session nor on a locked level.
	Editor->StartPlaySession();
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	EXPECT_EQ(Library().Message, Refusal);
	Editor->EndPlaySession();
	Editor->LockCurrentLevel();
	Library().Message.Empty();
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	EXPECT_EQ(Library().Message, Refusal);
	EXPECT_EQ(Editor->CountLevelActors(), 0);

	// In an editable level it goes in.
	Editor->OpenNewLevel();
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	EXPECT_TRUE(Library().Message.IsEmpty());
	EXPECT_EQ(Editor->CountLevelActors(), 1);
}

TEST_F(DeliveryTest, AModelWithoutGeometryRollsTheWholeImportBack)
{
	AddProduct("hollow", "Hollow Pedestal", {{"models/a_box.fbx", KVAZip::TestModel("box.fbx")}, {"models/b_empty.fbx", NoGeometryModel()}});
	Choose(TEXT("Hollow Pedestal"));
	const int32 Actors = Editor->CountLevelActors();
	Deliver(TEXT("Add to Scene"));

	EXPECT_EQ(Library().Message, TEXT("Could not import every model. No assets were added to your scene."));
	EXPECT_TRUE(Library().Code.IsEmpty());
	EXPECT_TRUE(Library().Meshes.IsEmpty());
	EXPECT_TRUE(Library().Installed.IsEmpty());
	EXPECT_EQ(Editor->CountLevelActors(), Actors);
	EXPECT_TRUE(AssetsUnder(Library().Folder).IsEmpty());
	EXPECT_TRUE(Listing(TEXT("Imported")).IsEmpty());
	ExpectNothingLeftBehind();
	SaveState(TEXT("import-error"));
}

TEST_F(DeliveryTest, EachImportPastTheCapForgetsTheOldestRecord)
{
	AddProduct("stool", "Pine Stool", {{"models/stool.fbx", KVAZip::TestModel("box.fbx")}});
	for (int32 Index = 0; Index < 128; ++Index)
	{
		Library().Installed.Add(FString::Printf(TEXT("seed-%d|%064d"), Index, Index), SKVALibrary::FInstalled());
	}
	// Two imports past the cap: the engine's map gives the second record the slot the first
	// eviction freed, so the first entry of its iteration is then the newest record.
	Choose(TEXT("Oak Chair"));
	Deliver(TEXT("Add to Project"));
	Choose(TEXT("Pine Stool"));
	Deliver(TEXT("Add to Project"));

	EXPECT_EQ(Library().Installed.Num(), 128);
	EXPECT_FALSE(Library().Installed.Contains(FString::Printf(TEXT("seed-%d|%064d"), 0, 0)));
	EXPECT_FALSE(Library().Installed.Contains(FString::Printf(TEXT("seed-%d|%064d"), 1, 1)));
	EXPECT_TRUE(Library().Installed.Contains(FString::Printf(TEXT("seed-%d|%064d"), 2, 2)));
	EXPECT_TRUE(Library().Installed.Contains(TEXT("kp-001|") + KVAText::FromUtf8(Package("pkg-001").Sha256)));
	EXPECT_TRUE(Library().Installed.Contains(TEXT("stool|") + KVAText::FromUtf8(Package("pkg-stool").Sha256)));
}

TEST_F(DeliveryTest, ClosingTheTabInAnyPhaseEndsEverythingCleanly)
{
	AddHeavyCrate();
	AddManyFiles();
	const struct
	{
		const char* Phase;
		TFunction<void()> Reach;
	} Cases[] = {
		{"signing in", [this] { Session->Browser = EBrowser::Ignore; ASSERT_EQ(Click(TEXT("Sign in")), TEXT("")); ASSERT_TRUE(Pump([this] { return Session->Launched.Num() > 0; })); }},
		{"loading", [this]
		{
			SignIn();
			KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"items":[],"next_cursor":null})");
			Slow.HeaderDelay = std::chrono::milliseconds(500);
			Service->Script("/v1/membership/catalog", Slow);
			ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
		}},
		{"details", [this]
		{
			SignIn();
			KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"product_id":"kp-001","title":"Oak Chair","selection_id":"sel-001"})");
			Slow.HeaderDelay = std::chrono::milliseconds(500);
			Service->Script("/v1/membership/products/sel-001", Slow);
			ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
		}},
		{"consent", [this]
		{
			SignIn();
			ASSERT_EQ(Click(TEXT("Garden Spider")), TEXT(""));
			ASSERT_TRUE(Settle());
			Deliver(TEXT("Add to Scene"));
			ASSERT_EQ(Click(TEXT("I request immediate access.")), TEXT(""));
			ASSERT_EQ(Click(TEXT("I acknowledge the withdrawal terms above.")), TEXT(""));
			KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"consent_id":"con-1","status":"confirmed"})");
			Slow.HeaderDelay = std::chrono::milliseconds(500);
			Service->Script("/v1/membership/consent", Slow);
			ASSERT_EQ(Click(TEXT("Confirm")), TEXT(""));
		}},
		{"checking files", [this] { SignIn(); Choose(TEXT("Oak Chair")); ASSERT_EQ(Click(TEXT("Add to Project")), TEXT("")); }},
		{"downloading", [this]
		{
			SignIn();
			Choose(TEXT("Heavy Crate"));
			SlowDownload("pkg-heavy", 100);
			ASSERT_EQ(Click(TEXT("Add to Project")), TEXT(""));
			ASSERT_TRUE(ReachPhase(TEXT("Downloading")));
		}},
		{"unpacking", [this] { SignIn(); Choose(TEXT("Many Notes")); ASSERT_EQ(Click(TEXT("Add to Project")), TEXT("")); ASSERT_TRUE(ReachPhase(TEXT("Unpacking"))); }},
	};
	ASSERT_EQ(Click(TEXT("Sign out")), TEXT(""));
	bool bFirst = true;
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Phase);
		if (!bFirst)
		{
			Session->Browser = EBrowser::Approve;
			Service->ClearScripts();
			OpenTab();
		}
		bFirst = false;
		Case.Reach();
		const TWeakPtr<SKVALibrary> Weak = Window;
		const int32 Actors = Editor->CountLevelActors();
		const TSharedPtr<std::atomic<bool>> Extraction = Library().CancelFlag;
		CloseTab();
		// A running extraction is told to stop as the tab closes, not when its result comes back.
		if (Extraction.IsValid())
		{
			EXPECT_TRUE(Extraction->load());
		}
		EXPECT_EQ(Extraction.IsValid(), std::string(Case.Phase) == "unpacking");

		// Whatever was on its way arrives to nobody; the session is over at the service.
		Service->ReleaseDelays();
		Host->PumpUntil([] { return false; }, 1.0);
		Frame();
		EXPECT_FALSE(Weak.IsValid());
		EXPECT_TRUE(Pump([this] { return Membership->LiveTokens().empty(); }));
		EXPECT_EQ(Editor->CountLevelActors(), Actors);
		ExpectNothingLeftBehind();
	}
}

TEST_F(DeliveryTest, SigningOutMidDeliveryLeavesNoPhaseForTheNextSession)
{
	AddHeavyCrate();
	SlowDownload("pkg-heavy", 150);
	Choose(TEXT("Heavy Crate"));
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	ASSERT_TRUE(ReachPhase(TEXT("Downloading")));
	ASSERT_EQ(Click(TEXT("Sign out")), TEXT(""));
	EXPECT_TRUE(Library().Phase.IsEmpty());
	Service->ClearScripts();

	// The next session's first listing is a plain request: "Loading", and no progress bar.
	KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"items":[],"next_cursor":null})");
	Slow.HeaderDelay = std::chrono::milliseconds(600);
	Service->Script("/v1/membership/catalog", Slow);
	const size_t Listings = CountRequests("/v1/membership/catalog");
	ASSERT_EQ(Click(TEXT("Sign in")), TEXT(""));
	ASSERT_TRUE(PumpWithClock([&] { return CountRequests("/v1/membership/catalog") > Listings; }));
	Frame();
	ASSERT_TRUE(Library().bBusy);
	EXPECT_TRUE(Shows(TEXT("Loading")));
	EXPECT_FALSE(Shows(TEXT("Downloading")));
	EXPECT_FALSE(Driver().Find(TEXT("SProgressBar")).IsValid());
	ASSERT_TRUE(Settle());
	ExpectNothingLeftBehind();
}

TEST_F(DeliveryTest, ACancelWhileTheCacheIsCheckedSendsNoTicketAndNoDownload)
{
	Choose(TEXT("Oak Chair"));
	const size_t Before = Tickets();
	// The cache check cannot start until the test lets the pool go.
	const TSharedRef<FPoolGate> Gate = HoldPool();
	ASSERT_EQ(Click(TEXT("Add to Project")), TEXT(""));
	ASSERT_EQ(Library().Phase, TEXT("Checking files"));
	ASSERT_EQ(Click(TEXT("Cancel")), TEXT(""));
	Drain(Gate);

	// The check's answer came back to a window that has moved on.
	ASSERT_TRUE(Pump([this] { return Host->NumQueuedGameThreadTasks() == 0; }));
	EXPECT_FALSE(Pump([this, Before] { return Tickets() > Before || CountRequests("/packages/") > 0 || Library().bBusy; }, 2.0));
	EXPECT_TRUE(Library().Phase.IsEmpty());
	EXPECT_TRUE(Library().Meshes.IsEmpty());
	EXPECT_EQ(Tickets(), Before);
	EXPECT_EQ(CountRequests("/packages/"), 0u);
}

TEST_F(DeliveryTest, AnExtractionThatEndsAfterItsResultWasDroppedLeavesNoStagingFolder)
{
	const struct
	{
		const char* Label;
		bool bCloseTab;
	} Cases[] = {
		{"cancelled", false},
		{"tab closed", true},
	};
	// Thousands of members keep the extraction going for many frames, so its phase is seen
	// however fast the machine (a one-model package can unpack between two frames).
	AddManyFiles();
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		Choose(TEXT("Many Notes"));
		ASSERT_TRUE(Pump([this] { return Library().PreviewsLoading.IsEmpty() && Library().PreviewQueue.IsEmpty(); }));
		ASSERT_EQ(Click(TEXT("Add to Project")), TEXT(""));
		ASSERT_TRUE(ReachPhase(TEXT("Unpacking")));
		// The extraction completes and its result waits for the game thread.
		ASSERT_TRUE(WaitForGameThreadTask()) << "the extraction did not end within 30 s";
		ASSERT_EQ(Listing(TEXT("Incoming")).Num(), 1);
		const TWeakPtr<SKVALibrary> Weak = Window;
		if (Case.bCloseTab)
		{
			CloseTab();
		}
		else
		{
			ASSERT_EQ(Click(TEXT("Cancel")), TEXT(""));
		}
		Frame();
		EXPECT_EQ(Listing(TEXT("Incoming")), TArray<FString>());
		ExpectNothingLeftBehind();
		if (!Case.bCloseTab)
		{
			EXPECT_TRUE(Library().Meshes.IsEmpty());
			EXPECT_TRUE(Library().Installed.IsEmpty());
		}
		else
		{
			EXPECT_FALSE(Weak.IsValid());
		}
	}
}

TEST_F(DeliveryTest, ChoosingAProductWhoseMeshesAreGoneOffersItsDeliveryAgain)
{
	const struct
	{
		FString Title;
		FString Search;
		int32 Models;
	} Cases[] = {
		{TEXT("Oak Chair"), TEXT("oak chair"), 1},
		{TEXT("Workshop Crates : Set of Three"), TEXT("workshop"), 3},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(KVAText::Utf8(Case.Title));
		// A new listing forgets the selection; the tile is then chosen afresh.
		const auto ChooseAgain = [&]
		{
			Search(Case.Search);
			ASSERT_EQ(Click(Case.Title), TEXT(""));
			ASSERT_TRUE(Settle());
		};
		Search(Case.Search);
		ASSERT_EQ(Click(Case.Title), TEXT(""));
		ASSERT_TRUE(Settle());
		Deliver(TEXT("Add to Project"));
		ASSERT_EQ(Library().Meshes.Num(), Case.Models);
		const TArray<TSoftObjectPtr<UStaticMesh>> Imported = Library().Meshes;

		// Chosen again while the meshes are loaded, the panel offers them.
		ChooseAgain();
		ASSERT_EQ(Library().Meshes.Num(), Case.Models);
		for (int32 Index = 0; Index < Case.Models; ++Index)
		{
			EXPECT_EQ(Library().Meshes[Index].Get(), Imported[Index].Get());
		}
		EXPECT_TRUE(Shows(TEXT("Show in Content Browser")));

		// One of them is deleted from the project: nothing of the record can be placed.
		ASSERT_EQ(ObjectTools::DeleteObjectsUnchecked({Imported.Last().Get()}), 1);
		ChooseAgain();
		EXPECT_TRUE(Library().Meshes.IsEmpty());
		EXPECT_FALSE(Shows(TEXT("Show in Content Browser")));
		EXPECT_TRUE(IsEnabled(TEXT("Add to Scene")));
		EXPECT_TRUE(IsEnabled(TEXT("Add to Project")));
	}
}

TEST_F(DeliveryTest, TheBusyRowOffersCancelAgainAfterEveryResult)
{
	AddProduct("hollow", "Hollow Pedestal", {{"models/a_box.fbx", KVAZip::TestModel("box.fbx")}, {"models/b_empty.fbx", NoGeometryModel()}});
	// The next listing is slow, so the busy row can be looked at.
	const auto CancelOffered = [this]
	{
		KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"items":[],"next_cursor":null})");
		Slow.HeaderDelay = std::chrono::milliseconds(300);
		Service->Script("/v1/membership/catalog", Slow);
		EXPECT_EQ(Click(TEXT("Refresh")), TEXT(""));
		EXPECT_TRUE(Library().bBusy);
		const bool bOffered = IsEnabled(TEXT("Cancel"));
		EXPECT_TRUE(Settle());
		Service->ClearScripts();
		return bOffered;
	};
	const struct
	{
		const char* Label;
		TFunction<void()> Result;
	} Cases[] = {
		{"an import", [this] { Choose(TEXT("Oak Chair")); Deliver(TEXT("Add to Project")); ASSERT_EQ(Library().Meshes.Num(), 1); }},
		{"a failed import", [this]
		{
			Choose(TEXT("Hollow Pedestal"));
			Deliver(TEXT("Add to Project"));
			ASSERT_EQ(Library().Message, TEXT("Could not import every model. No assets were added to your scene."));
		}},
		// An import that was under way when a request ended: the request's end settles the window.
		{"a result while importing", [this]
		{
			KVAService::FReply Slow = KVAService::FReply::Json(200, R"({"items":[],"next_cursor":null})");
			Slow.HeaderDelay = std::chrono::milliseconds(300);
			Service->Script("/v1/membership/catalog", Slow);
			ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
			Library().bImporting = true;
			ASSERT_TRUE(Settle());
			Service->ClearScripts();
		}},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		Case.Result();
		EXPECT_FALSE(Library().bImporting);
		EXPECT_TRUE(CancelOffered());
	}
}

TEST_F(DeliveryTest, CancelDropsTheReplyOfTheRequestUnderWay)
{
	AddHeavyCrate();
	const auto Slow = [](const std::string& Body)
	{
		KVAService::FReply Reply = KVAService::FReply::Json(200, Body);
		Reply.HeaderDelay = std::chrono::milliseconds(400);
		return Reply;
	};
	const struct
	{
		const char* Label;
		TFunction<void()> Start;
		TFunction<void()> Unchanged;
	} Cases[] = {
		{"listing", [&]
		{
			Service->Script("/v1/membership/catalog", Slow(R"({"items":[],"next_cursor":null})"));
			ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
		}, [this] { EXPECT_EQ(Library().Products.Num(), 24); }},
		{"details", [&]
		{
			Service->Script("/v1/membership/products/sel-001", Slow(R"({"product_id":"kp-001","title":"Oak Chair","selection_id":"sel-001"})"));
			ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
		}, [this]
		{
			ASSERT_TRUE(Library().Selected.IsValid());
			EXPECT_EQ(Library().Selected->ProductId, TEXT("kp-001"));
			EXPECT_FALSE(Library().SelectedFile.IsValid());
		}},
		{"consent", [&]
		{
			ASSERT_EQ(Click(TEXT("Garden Spider")), TEXT(""));
			ASSERT_TRUE(Settle());
			Deliver(TEXT("Add to Scene"));
			ASSERT_EQ(Click(TEXT("I request immediate access.")), TEXT(""));
			ASSERT_EQ(Click(TEXT("I acknowledge the withdrawal terms above.")), TEXT(""));
			Service->Script("/v1/membership/consent", Slow(R"({"consent_id":"con-1","status":"confirmed"})"));
			ASSERT_EQ(Click(TEXT("Confirm")), TEXT(""));
		}, [this]
		{
			EXPECT_TRUE(Library().ConsentId.IsEmpty());
			EXPECT_TRUE(Library().bConsentRequired);
		}},
		{"download", [&]
		{
			Choose(TEXT("Heavy Crate"));
			SlowDownload("pkg-heavy", 40);
			ASSERT_EQ(Click(TEXT("Add to Project")), TEXT(""));
			ASSERT_TRUE(ReachPhase(TEXT("Downloading")));
		}, [this]
		{
			EXPECT_TRUE(Library().Meshes.IsEmpty());
			EXPECT_FALSE(IFileManager::Get().FileExists(*SKVALibrary::CachePath(*Library().SelectedFile)));
		}},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		const size_t Sent = Service->Requests().size();
		Case.Start();
		ASSERT_TRUE(Library().bBusy);
		ASSERT_TRUE(Pump([&] { return Service->Requests().size() > Sent; }));
		ASSERT_EQ(Click(TEXT("Cancel")), TEXT(""));
		EXPECT_FALSE(Library().bBusy);

		// Long enough for the reply to have come, to a client that no longer waits for it.
		Host->PumpUntil([] { return false; }, 2.0);
		Service->ClearScripts();
		Frame();
		EXPECT_FALSE(Library().bBusy);
		EXPECT_TRUE(Library().Code.IsEmpty()) << KVAText::Utf8(Library().Code);
		EXPECT_TRUE(Library().Message.IsEmpty());
		EXPECT_TRUE(Library().Phase.IsEmpty());
		Case.Unchanged();
		ExpectNothingLeftBehind();
	}
}
