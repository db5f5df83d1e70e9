#include "Demo.h"

#include "ContactSheet.h"
#include "EditorSession.h"
#include "LevelPanel.h"

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Window/LibraryWindow.h"

#include "ContentBrowser/ContentBrowserHost.h"
#include "Editor.h"
#include "Engine/Level.h"
#include "Engine/StaticMesh.h"
#include "Engine/World.h"
#include "Framework/Application/SlateApplication.h"
#include "GameFramework/Actor.h"
#include "HAL/FileManager.h"
#include "InputCoreTypes.h"
#include "Misc/Paths.h"
#include "PackageContent.h"
#include "SlateTesting/SlateDriver.h"
#include "Widgets/Input/SSearchBox.h"
#include "Widgets/SWindow.h"
#include "ZipWriter.h"

#include <cstdio>
#include <unistd.h>

namespace
{
	// One run of the demo: narration, pictures and the checks that each step went as it should.
	class FDemo
	{
	public:
		FDemo(FEditorSession& InSession, const FString& InOutput) : Session(InSession), Output(InOutput) {}

		int Run()
		{
			IFileManager::Get().MakeDirectory(*Output, true);
			AddShowroomCrate();
			// The level beside the editor's main window, as the desktop window shows it.
			Panel = SLevelPanel::MakeWindow(*Session.GetUI().GetMainWindow(), LevelPanel);
			Say("Local Kestrova service on 127.0.0.1:%d; the editor's project is %s", int(Session.GetService()->Port()), KVAText::Utf8(FPaths::ProjectDir()).c_str());

			Expect(Session.OpenLibrary().IsEmpty(), "Window > Kestrova opens the library tab");
			Window = Session.FindLibrary();
			Picture(TEXT("signed-out"), TEXT("The library tab, signed out"));

			Click(TEXT("Sign in"));
			Expect(Session.Pump([this] { return !Session.Launched.IsEmpty(); }), "the sign-in page opens in the browser");
			Expect(Window->bSigningIn, "the window waits for the browser");
			Picture(TEXT("connecting"), TEXT("Waiting for the browser"));
			Say("  the browser opens %s and the member allows Unreal Editor", Session.Launched.IsEmpty() ? "nothing" : KVAText::Utf8(Session.Launched.Last()).c_str());
			Expect(Session.PumpWithClock([this] { return Window->Client->Connected() && !Window->bBusy; }), "the editor is signed in");
			WaitForPreviews();
			Say("  signed in as a member; the catalogue lists %d products", Window->Products.Num());
			Picture(TEXT("catalogue"), TEXT("The catalogue"));

			Click(Window->SearchBox.ToSharedRef(), "the search box");
			Type(TEXT("crate"));
			// A search goes out 0.4 s after the last key stroke.
			Session.GetRuntime().AdvanceClock(0.5);
			Expect(Session.Pump([this] { return !Window->bBusy && Window->Query == TEXT("crate") && !Window->Products.IsEmpty(); }), "the search lists crates");
			WaitForPreviews();
			Say("  \"crate\" finds %d products", Window->Products.Num());
			Picture(TEXT("search"), TEXT("Search: crate"));

			Click(Window->SearchBox.ToSharedRef(), "the search box");
			for (int32 Index = 0; Index < 5; ++Index)
			{
				Session.GetDriver().PressKey(EKeys::BackSpace);
			}
			Session.GetDriver().PressKey(EKeys::Enter);
			Settle();
			Click(TEXT("Load more"));
			Settle();
			WaitForPreviews();
			Say("  \"Load more\" appends the next page: %d products", Window->Products.Num());
			Picture(TEXT("load-more"), TEXT("Load more"));

			Click(Window->SearchBox.ToSharedRef(), "the search box");
			Type(TEXT("showroom"));
			Session.GetDriver().PressKey(EKeys::Enter);
			Settle();
			WaitForPreviews();
			Click(TEXT("Showroom Crate"));
			Settle();
			Expect(Window->SelectedFile.IsValid(), "the product's details arrive with its file");
			Picture(TEXT("selection"), TEXT("Showroom Crate chosen"));

			Click(TEXT("Add to Scene"));
			Settle();
			Expect(Window->bConsentRequired, "the service asks for the download consent");
			Say("  the service says: %s", KVAText::Utf8(Window->Message).c_str());
			Picture(TEXT("consent"), TEXT("The download consent"));
			Click(TEXT("I request immediate access."));
			Click(TEXT("I acknowledge the withdrawal terms above."));
			Picture(TEXT("consent-checked"), TEXT("Both statements ticked"));
			Click(TEXT("Confirm"));
			Settle();
			Expect(!Window->bConsentRequired, "the service confirms the consent");

			const int32 ActorsBefore = Actors().Num();
			Click(TEXT("Add to Scene"));
			Deliver();
			Expect(Window->Meshes.Num() == 1 && Window->Message.IsEmpty(), "the package is imported as one static mesh");
			const TArray<AActor*> Placed = Actors();
			Expect(Placed.Num() == ActorsBefore + 1, "one actor is placed in the level");
			Click(TEXT("Show in Content Browser"));
			Session.Frame();
			Expect(!UE::Host::GetContentBrowserSyncs().IsEmpty(), "the Content Browser is asked to show the imported folder");
			const FString Browsed = UE::Host::GetContentBrowserSyncs().IsEmpty() ? FString() : FString::Join(UE::Host::GetContentBrowserSyncs().Last().Folders, TEXT(", "));
			Say("  the Content Browser shows %s", Browsed.IsEmpty() ? "no folder" : KVAText::Utf8(Browsed).c_str());
			Say("  imported into %s; the level holds %d actors, the new one labelled \"%s\"", KVAText::Utf8(Window->Folder).c_str(), Placed.Num(),
				KVAText::Utf8(Placed.Last()->GetActorLabel()).c_str());
			Picture(TEXT("placed"), TEXT("Imported and placed: the asset in the viewport"));

			Expect(GEditor->UndoTransaction(), "Edit > Undo");
			Expect(Actors().Num() == ActorsBefore, "one undo removes the actor again");
			Say("  Undo: the level holds %d actors again; the asset stays in the project", Actors().Num());
			Session.Frame();
			Picture(TEXT("undone"), TEXT("After Undo: the level is empty"));

			Click(TEXT("Sign out"));
			Expect(Session.Pump([this] { return Session.GetMembership()->LiveTokens().empty(); }), "the session ends at the service");
			Picture(TEXT("signed-out-again"), TEXT("Signed out"));

			const FString Sheet = FPaths::Combine(Output, TEXT("contact-sheet.png"));
			KVAEditor::WriteContactSheet(Pictures, 4, Sheet);
			Say("%d pictures and a contact sheet in %s", Pictures.Num(), KVAText::Utf8(Output).c_str());
			FSlateApplication::Get().DestroyWindowImmediately(Panel.ToSharedRef());
			Say(bFailed ? "The demo did not finish as it should." : "Signed out.");
			return bFailed ? 1 : 0;
		}

	private:
		void Say(const char* Line)
		{
			Say("%s", Line);
		}

		template <typename... ArgTypes>
		void Say(const char* Format, ArgTypes... Args)
			requires(sizeof...(ArgTypes) > 0)
		{
			std::printf(Format, Args...);
			std::printf("\n");
			std::fflush(stdout);
		}

		void Expect(bool bHolds, const char* What)
		{
			if (!bHolds)
			{
				bFailed = true;
				Say("  FAILED: %s", What);
			}
		}

		void Click(const FString& Label)
		{
			const FString Why = Session.GetDriver().ClickText(Label);
			Session.Frame();
			Say("Click \"%s\"%s", KVAText::Utf8(Label).c_str(), Why.IsEmpty() ? "" : (" - could not: " + KVAText::Utf8(Why)).c_str());
			Expect(Why.IsEmpty(), "the click lands");
		}

		void Click(const TSharedRef<SWidget>& Widget, const char* What)
		{
			const FString Why = Session.GetDriver().Click(Widget);
			Session.Frame();
			Say("Click %s", What);
			Expect(Why.IsEmpty(), "the click lands");
		}

		void Type(const FString& Text)
		{
			Session.GetDriver().Type(Text);
			Session.Frame();
			Say("Type \"%s\"", KVAText::Utf8(Text).c_str());
		}

		void Settle()
		{
			Expect(Session.Pump([this] { return !Window->bBusy; }, 60.0), "the window is idle again");
		}

		void WaitForPreviews()
		{
			Session.Pump([this] { return Window->PreviewsLoading.IsEmpty() && Window->PreviewQueue.IsEmpty(); }, 30.0);
			Session.Frame();
		}

		void Picture(const FString& Name, const FString& Caption)
		{
			const FString File = FPaths::Combine(Output, FString::Printf(TEXT("%02d-"), Pictures.Num() + 1) + Name + TEXT(".png"));
			LevelPanel->Refresh();
			Session.Frame();
			Expect(SLevelPanel::SavePicture(*Session.GetUI().GetMainWindow(), *Panel, File), "the picture is written");
			Pictures.Add({File, Caption});
		}

		// Narrates the delivery phase by phase, with a progress bar while the package arrives.
		void Deliver()
		{
			const bool bTerminal = isatty(fileno(stdout)) != 0;
			FString Phase;
			int32 Shown = -1;
			bool bPictured = false;
			Session.Pump([&]
			{
				if (Window->Phase != Phase)
				{
					Phase = Window->Phase;
					if (!Phase.IsEmpty())
					{
						Say("%s  %s", Shown >= 0 && bTerminal ? "\n" : "", KVAText::Utf8(Phase).c_str());
						Picture(Phase.ToLower().Replace(TEXT(" "), TEXT("-")), Phase);
					}
				}
				if (Phase == TEXT("Downloading"))
				{
					// On a terminal the bar moves in place; in a log it gets a line per quarter.
					const int32 Percent = int32(Window->Progress * 100.0f);
					const bool bNewLine = bTerminal ? Percent != Shown : Shown < 0 || Percent / 25 != Shown / 25;
					if (bNewLine)
					{
						Shown = Percent;
						const int32 Filled = Percent / 5;
						std::printf(bTerminal ? "\r    [%s%s] %3d%%" : "    [%s%s] %3d%%\n", std::string(size_t(Filled), '#').c_str(), std::string(size_t(20 - Filled), '.').c_str(), Percent);
						std::fflush(stdout);
					}
					if (!bPictured && Window->Progress >= 0.5f)
					{
						bPictured = true;
						Picture(TEXT("downloading-half"), TEXT("Downloading, halfway"));
					}
				}
				return !Window->bBusy;
			}, 120.0);
			if (bTerminal && Shown >= 0)
			{
				std::printf("\n");
			}
		}

		TArray<AActor*> Actors() const
		{
			TArray<AActor*> Found;
			for (AActor* Actor : GEditor->GetEditorWorldContext().World()->GetCurrentLevel()->Actors)
			{
				if (Actor)
				{
					Found.Add(Actor);
				}
			}
			return Found;
		}

		// A product of the demo's own, big enough to watch it download and asking for consent:
		// a real model and an 8 MiB texture, handed out in pieces.
		void AddShowroomCrate()
		{
			KVAZip::FBuilder Builder;
			Builder.Add("license.txt", "Kestrova member licence for \"Showroom Crate\".\n");
			Builder.Add("models/Showroom_Crate.fbx", KVAZip::CatalogueAsset("Models/crate_medium.fbx"), KVAZip::Deflated);
			Builder.Add("textures/crate_albedo.png", KVAZip::RandomBytes(8 << 20, 42));
			KVAService::FProduct Product;
			Product.ProductId = "kp-showroom";
			Product.Title = "Showroom Crate";
			Product.Kind = "asset";
			Product.SelectionId = "sel-showroom";
			Product.Source = "membership";
			Product.bNeedsConsent = true;
			Product.Packages.push_back(KVAService::FMembership::MakePackage("pkg-showroom", Builder.Layout().Serialize()));
			KVAService::FReply Pieces;
			Pieces.Headers.push_back({"Content-Type", "application/zip"});
			Pieces.Body = Product.Packages[0].Bytes;
			Pieces.bChunked = true;
			Pieces.ChunkBytes = 256 * 1024;
			Pieces.ChunkDelay = std::chrono::milliseconds(40);
			Session.GetMembership()->AddProduct(Product, KVAZip::CatalogueAsset("Previews/showroom-crate.webp"));
			Session.GetService()->Script("/packages/pkg-showroom", Pieces);
		}

		FEditorSession& Session;
		FString Output;
		TSharedPtr<SKVALibrary> Window;
		TSharedPtr<SWindow> Panel;
		TSharedPtr<SLevelPanel> LevelPanel;
		TArray<KVAEditor::FSheetPicture> Pictures;
		bool bFailed = false;
	};
}

namespace KVAEditor
{
	int RunDemo(FEditorSession& Session, const FString& Output)
	{
		return FDemo(Session, Output).Run();
	}
}
