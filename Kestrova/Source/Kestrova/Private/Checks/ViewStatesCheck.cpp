#include "Checks/CheckSupport.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "Client/KestrovaClient.h"
#include "Window/LibraryWindow.h"

#include "Framework/Application/SlateApplication.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformTime.h"
#include "ImageUtils.h"
#include "Misc/AutomationTest.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "Widgets/SWindow.h"

namespace
{
	const FVector2D WindowSize(1280.0, 800.0);

	// What one named state must show, besides how to get there.
	struct FViewState
	{
		const TCHAR* Name;
		TFunction<void(SKVALibrary&)> Arrange;
		TArray<FString> Enabled;
		TArray<FString> Disabled;
		TArray<FString> Shown;
		TArray<FString> Absent;
	};

	TArray<FKVAProductPtr> Page(const TCHAR* Fixture, bool bLibrary)
	{
		TArray<FKVAProductPtr> Products;
		const TSharedPtr<FJsonObject> Json = KVAChecks::LoadJson(Fixture);
		const TArray<TSharedPtr<FJsonValue>>* Items = nullptr;
		if (Json.IsValid() && Json->TryGetArrayField(TEXT("items"), Items))
		{
			for (const TSharedPtr<FJsonValue>& Item : *Items)
			{
				const TSharedPtr<FJsonObject>* Object = nullptr;
				if (Item->TryGetObject(Object))
				{
					if (FKVAProductPtr Product = FKVAClient::Product(*Object, bLibrary))
					{
						Products.Add(Product);
					}
				}
			}
		}
		return Products;
	}

	// The window as the service would have left it: signed in, a page listed, its previews
	// decoded from the fixed images. Nothing is sent: the session is only on this side.
	void Listed(SKVALibrary& Library, const TCHAR* Fixture = TEXT("catalog.json"), bool bLibrary = false)
	{
		Library.Client->Token = TEXT("fixture");
		Library.Client->TokenExpiry = FPlatformTime::Seconds() + 3600.0;
		Library.Client->ConsentText = TEXT("Downloads start at once. By asking for immediate access you lose the right to withdraw from this download.");
		Library.bMember = true;
		Library.bMyDownloads = bLibrary;
		Library.Products = Page(Fixture, bLibrary);
		for (const FKVAProductPtr& Product : Library.Products)
		{
			if (!Library.Previews.Contains(Product->Thumbnail))
			{
				const TSharedPtr<SKVALibrary::FPreview> Preview = Library.Decode(KVAChecks::LoadBytes(TEXT("Previews/") + FPaths::GetCleanFilename(Product->Thumbnail)));
				if (Preview.IsValid())
				{
					Library.PreviewBytes += Preview->Bytes;
					Library.Previews.Add(Product->Thumbnail, Preview);
				}
			}
		}
	}

	// The first product chosen, with its details.
	void Chosen(SKVALibrary& Library, const TCHAR* Details = TEXT("product.json"))
	{
		Listed(Library);
		Library.Selected = FKVAClient::Product(KVAChecks::LoadJson(Details), false);
		Library.SelectedFile = Library.Selected.IsValid() && !Library.Selected->Files.IsEmpty() ? Library.Selected->Files[0] : nullptr;
	}

	void Busy(SKVALibrary& Library, const TCHAR* Phase)
	{
		Chosen(Library);
		Library.bBusy = true;
		Library.Phase = Phase;
		Library.Progress = 0.42f;
	}

	TArray<FViewState> States()
	{
		const FString Sentence = TEXT("Could not complete the request. Try again.");
		return {
			{TEXT("signed-out"), [](SKVALibrary&) {}, {TEXT("Sign in")}, {}, {TEXT("Your library. In Unreal."), TEXT("Find your next asset and add it to your scene.")}, {TEXT("Account"), TEXT("Sign out")}},
			{TEXT("connecting"), [](SKVALibrary& L) { L.bBusy = true; L.bSigningIn = true; }, {TEXT("Cancel")}, {}, {TEXT("Finish signing in in your browser.")}, {TEXT("Sign in"), TEXT("Loading")}},
			{TEXT("login-failed"), [](SKVALibrary& L) { L.Finish(TEXT("access_denied")); }, {TEXT("Sign in")}, {}, {Sentence}, {TEXT("Account")}},
			{TEXT("login-expired"), [](SKVALibrary& L) { L.Finish(TEXT("login_expired")); }, {TEXT("Sign in")}, {}, {TEXT("Sign-in expired. Try again.")}, {}},
			{TEXT("session-expired"), [](SKVALibrary& L) { L.Finish(TEXT("login_required")); }, {TEXT("Sign in")}, {}, {TEXT("Sign in to continue.")}, {}},
			{TEXT("member"), [](SKVALibrary& L) { Listed(L); },
				{TEXT("Account"), TEXT("Sign out"), TEXT("Library"), TEXT("My downloads"), TEXT("All assets"), TEXT("Refresh")}, {},
				{TEXT("Oak Chair"), TEXT("Collection"), TEXT("In your library"), TEXT("Scene collection"), TEXT("World"), TEXT("Bundle")},
				{TEXT("Get the library with membership."), TEXT("Loading preview")}},
			{TEXT("nonmember"), [](SKVALibrary& L) { Listed(L); L.bMember = false; }, {TEXT("Join membership")}, {}, {TEXT("Get the library with membership.")}, {}},
			{TEXT("membership-pending"), [](SKVALibrary& L) { Listed(L); L.bMember = false; L.bMembershipPending = true; }, {TEXT("Check again")}, {},
				{TEXT("Your membership is being confirmed.")}, {TEXT("Join membership")}},
			{TEXT("retained"), [](SKVALibrary& L) { Listed(L, TEXT("library.json"), true); }, {TEXT("My downloads"), TEXT("Library")}, {}, {TEXT("In your library")}, {TEXT("Asset")}},
			{TEXT("loading"), [](SKVALibrary& L) { Listed(L); L.bBusy = true; }, {TEXT("Cancel"), TEXT("Account")}, {TEXT("Refresh"), TEXT("Library"), TEXT("All assets")}, {TEXT("Loading")}, {}},
			{TEXT("catalog-empty"), [](SKVALibrary& L) { Listed(L); L.Products.Empty(); }, {TEXT("Refresh")}, {},
				{TEXT("No FBX assets here yet. Open the library for other formats.")}, {TEXT("Load more")}},
			{TEXT("search-empty"), [](SKVALibrary& L) { Listed(L); L.Products.Empty(); L.Query = TEXT("velvet sofa"); }, {TEXT("Refresh")}, {},
				{TEXT("No assets found. Try another search.")}, {}},
			{TEXT("catalog-error"), [](SKVALibrary& L) { Listed(L); L.Finish(TEXT("network_failed")); }, {TEXT("Refresh")}, {}, {Sentence, TEXT("Oak Chair")}, {}},
			{TEXT("download-error"), [](SKVALibrary& L) { Chosen(L); L.Message = TEXT("Package license missing."); L.Rebuild(); }, {TEXT("Add to Scene")}, {}, {TEXT("Package license missing.")}, {}},
			{TEXT("import-error"), [](SKVALibrary& L) { Chosen(L); L.Message = TEXT("Could not import every model. No assets were added to your scene."); L.Rebuild(); },
				{TEXT("Add to Project")}, {}, {TEXT("Could not import every model. No assets were added to your scene.")}, {}},
			{TEXT("pagination"), [](SKVALibrary& L) { Listed(L); L.Cursor = TEXT("8.fixture"); }, {TEXT("Load more")}, {}, {}, {}},
			{TEXT("selection"), [](SKVALibrary& L) { Chosen(L); }, {TEXT("Add to Scene"), TEXT("Add to Project"), TEXT("FBX / 10 KB")}, {},
				{TEXT("FBX models and textures. Materials may need setup.")}, {TEXT("Confirm")}},
			{TEXT("preview-failed"), [](SKVALibrary& L) { Chosen(L); L.Previews.Remove(L.Selected->Thumbnail); L.PreviewsFailed.Add(L.Selected->Thumbnail); },
				{TEXT("Add to Scene")}, {}, {TEXT("Preview unavailable")}, {}},
			{TEXT("consent-required"), [](SKVALibrary& L) { Chosen(L); L.bConsentRequired = true; L.Finish(TEXT("consent_required")); }, {}, {TEXT("Confirm")},
				{TEXT("Review the download consent."), TEXT("I request immediate access."), TEXT("I acknowledge the withdrawal terms above.")}, {TEXT("Add to Scene")}},
			{TEXT("consent-checked"), [](SKVALibrary& L) { Chosen(L); L.bConsentRequired = true; L.bImmediateAccess = true; L.bAcknowledgeLoss = true; },
				{TEXT("Confirm")}, {}, {}, {TEXT("Add to Scene")}},
			{TEXT("confirmation-pending"), [](SKVALibrary& L)
				{
					Chosen(L);
					L.bConsentRequired = true;
					L.bImmediateAccess = true;
					L.bAcknowledgeLoss = true;
					L.ConsentId = TEXT("con-fixture");
					L.Finish(TEXT("confirmation_required"));
				},
				{TEXT("Check confirmation")}, {}, {TEXT("Confirmation pending. Check again shortly.")}, {TEXT("Confirm")}},
			{TEXT("daily-limit"), [](SKVALibrary& L) { Chosen(L); L.Selected->bAllowed = false; L.Selected->Reason = TEXT("daily_limit"); },
				{TEXT("Add to Scene"), TEXT("Add to Project")}, {}, {TEXT("Daily limit reached. Your imported files remain available.")}, {}},
			{TEXT("downloading"), [](SKVALibrary& L) { Busy(L, TEXT("Downloading")); }, {TEXT("Cancel")}, {TEXT("Add to Scene"), TEXT("Refresh")}, {TEXT("Downloading")}, {}},
			{TEXT("unpacking"), [](SKVALibrary& L) { Busy(L, TEXT("Unpacking")); }, {TEXT("Cancel")}, {TEXT("Add to Project")}, {TEXT("Unpacking")}, {}},
			{TEXT("importing"), [](SKVALibrary& L) { Busy(L, TEXT("Importing")); L.bImporting = true; }, {}, {TEXT("Refresh")}, {TEXT("Importing")}, {TEXT("Cancel")}},
			{TEXT("files-preparing"), [](SKVALibrary& L) { Chosen(L); L.Finish(TEXT("files_preparing")); }, {TEXT("Add to Scene")}, {},
				{TEXT("Your files are being prepared. Try again shortly.")}, {}},
		};
	}

	const KVAChecks::FShownText* FindShown(const TArray<KVAChecks::FShownText>& Texts, const FString& Text)
	{
		return Texts.FindByPredicate([&Text](const KVAChecks::FShownText& Shown) { return Shown.Text.Equals(Text, ESearchCase::CaseSensitive); });
	}
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FKestrovaViewStatesCheck, "Kestrova.Window.ViewStates",
	EAutomationTestFlags::EditorContext | EAutomationTestFlags::EngineFilter)

bool FKestrovaViewStatesCheck::RunTest(const FString&)
{
	if (!TestTrue(TEXT("The checks' fixed files are found"), IFileManager::Get().FileExists(*FPaths::Combine(KVAChecks::FixtureDir(), TEXT("catalog.json")))))
	{
		return false;
	}
	const TSharedRef<SWindow> Host = SNew(SWindow).Title(FText::FromString(TEXT("Kestrova view states"))).ClientSize(WindowSize);
	FSlateApplication::Get().AddWindow(Host);
	const FString Folder = FPaths::Combine(FPaths::AutomationDir(), TEXT("Kestrova"));
	IFileManager::Get().MakeDirectory(*Folder, true);

	for (const FViewState& State : States())
	{
		const TSharedRef<SKVALibrary> Library = SNew(SKVALibrary);
		Host->SetContent(Library);
		State.Arrange(*Library);
		Library->Rebuild();
		// The tiles are made on the first frame and laid out on the next.
		FSlateApplication::Get().Tick();
		FSlateApplication::Get().Tick();

		TArray<FColor> Pixels;
		FIntVector Size;
		const FString Name = State.Name;
		if (TestTrue(Name + TEXT(": a screenshot is taken"), FSlateApplication::Get().TakeScreenshot(Library, Pixels, Size)))
		{
			TestEqual(Name + TEXT(": the screenshot's width"), Size.X, int32(WindowSize.X));
			TArray64<uint8> Png;
			FImageUtils::PNGCompressImageArray(Size.X, Size.Y, Pixels, Png);
			TestTrue(Name + TEXT(": the screenshot is saved"), FFileHelper::SaveArrayToFile(Png, *FPaths::Combine(Folder, Name + TEXT(".png"))));
		}

		const TArray<KVAChecks::FShownText> Texts = KVAChecks::ShownTexts(Library);
		for (const FString& Text : State.Shown)
		{
			TestNotNull(*(Name + TEXT(" shows \"") + Text + TEXT("\"")), FindShown(Texts, Text));
		}
		for (const FString& Text : State.Absent)
		{
			TestNull(*(Name + TEXT(" does not show \"") + Text + TEXT("\"")), FindShown(Texts, Text));
		}
		for (const FString& Text : State.Enabled)
		{
			const KVAChecks::FShownText* Shown = FindShown(Texts, Text);
			TestTrue(Name + TEXT(": \"") + Text + TEXT("\" can be pressed"), Shown && Shown->bEnabled);
		}
		for (const FString& Text : State.Disabled)
		{
			const KVAChecks::FShownText* Shown = FindShown(Texts, Text);
			TestTrue(Name + TEXT(": \"") + Text + TEXT("\" is shown disabled"), Shown && !Shown->bEnabled);
		}

		// The fixed session exists only here: nothing is to be ended at the service.
		Library->Client->Token.Empty();
		Library->Close();
	}
	FSlateApplication::Get().RequestDestroyWindow(Host);
	return true;
}

#endif
