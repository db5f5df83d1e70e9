#include "FrameworkTestSupport.h"

#include "Framework/Docking/TabManager.h"
#include "Modules/ModuleManager.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"
#include "ToolMenus.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	TArray<FString> GEvents;
	const FName LibraryTab(TEXT("LibraryLikeTab"));

	// A module that joins the editor the way an editor plug-in does: a nomad tab, and a Window
	// menu entry that opens it, added once the menus are up; shutting down takes both away.
	class FLibraryLikeModule : public IModuleInterface
	{
	public:
		void StartupModule() override
		{
			GEvents.Add(TEXT("start"));
			FGlobalTabmanager::Get()
				->RegisterNomadTabSpawner(LibraryTab, FOnSpawnTab::CreateRaw(this, &FLibraryLikeModule::Spawn))
				.SetDisplayName(FText::FromString(TEXT("Library")))
				.SetMenuType(ETabSpawnerMenuType::Hidden);
			UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(this, &FLibraryLikeModule::Menu));
		}

		void ShutdownModule() override
		{
			GEvents.Add(TEXT("shutdown"));
			if (TSharedPtr<SDockTab> Tab = FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId(LibraryTab)))
			{
				Tab->RequestCloseTab();
			}
			UToolMenus::UnRegisterStartupCallback(this);
			if (FModuleManager::Get().IsModuleLoaded(TEXT("ToolMenus")))
			{
				UToolMenus::UnregisterOwner(this);
			}
			FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(LibraryTab);
		}

		TSharedRef<SDockTab> Spawn(const FSpawnTabArgs&)
		{
			GEvents.Add(TEXT("spawn"));
			return SNew(SDockTab)
				.TabRole(ETabRole::NomadTab)
				.Label(FText::FromString(TEXT("Library")))
				.OnTabClosed_Lambda([](TSharedRef<SDockTab>) { GEvents.Add(TEXT("tab closed")); })
				[
					SNew(STextBlock).Text(FText::FromString(TEXT("Library content")))
				];
		}

		void Menu()
		{
			GEvents.Add(TEXT("menu"));
			FToolMenuOwnerScoped OwnerScoped(this);
			UToolMenu* WindowMenu = UToolMenus::Get()->ExtendMenu(FHostEditorUI::WindowMenuName);
			FToolMenuSection& Section = WindowMenu->FindOrAddSection(TEXT("WindowLayout"));
			Section.AddMenuEntry(TEXT("OpenLibrary"), FText::FromString(TEXT("Library")), FText::FromString(TEXT("Open the library")), FSlateIcon(),
				FUIAction(FExecuteAction::CreateLambda([]() { FGlobalTabmanager::Get()->TryInvokeTab(FTabId(LibraryTab), false); })));
		}
	};

	bool HasLibraryEntry()
	{
		UToolMenu* Menu = UToolMenus::Get()->FindMenu(FHostEditorUI::WindowMenuName);
		const FToolMenuSection* Section = Menu != nullptr ? Menu->FindSection(TEXT("WindowLayout")) : nullptr;
		return Section != nullptr && Section->FindEntry(TEXT("OpenLibrary")) != nullptr;
	}
}

IMPLEMENT_MODULE(FLibraryLikeModule, LibraryLike)

// The module may load before the editor's user interface is up (as at editor start-up) or
// after it (as when a plug-in is enabled later); either way its menu entry arrives once, opens
// one tab, and everything goes with the module.
TEST(EditorModuleTest, APluginLikeModuleOpensItsTabFromTheWindowMenuAndCleansUp)
{
	struct FCase
	{
		const char* Name;
		bool bLoadBeforeUI;
		TArray<FString> StartEvents;
	};
	const FCase Cases[] = {
		{"loaded at start-up", true, {TEXT("start"), TEXT("menu")}},
		{"loaded later", false, {TEXT("start"), TEXT("menu")}},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		GEvents.Empty();
		FHostRuntime Runtime;
		std::unique_ptr<FHostEditorUI> UI;
		{
			FHostEditor Editor;
			if (!Case.bLoadBeforeUI)
			{
				UI = std::make_unique<FHostEditorUI>();
			}
			FModuleManager::Get().LoadModuleChecked(TEXT("LibraryLike"));
			if (Case.bLoadBeforeUI)
			{
				EXPECT_EQ(GEvents, TArray<FString>{TEXT("start")});
				UI = std::make_unique<FHostEditorUI>();
			}
			EXPECT_EQ(GEvents, Case.StartEvents);
			EXPECT_TRUE(HasLibraryEntry());

			EXPECT_EQ(UI->InvokeMenuEntry(FHostEditorUI::WindowMenuName, TEXT("OpenLibrary")), TEXT(""));
			EXPECT_EQ(UI->InvokeMenuEntry(FHostEditorUI::WindowMenuName, TEXT("OpenLibrary")), TEXT(""));
			const TSharedPtr<STextBlock> Content = UI->GetDriver().FindText(TEXT("Library content"));
			ASSERT_TRUE(Content.IsValid());
			EXPECT_TRUE(UI->GetDriver().IsShown(Content.ToSharedRef()));
			EXPECT_EQ(GEvents.FilterByPredicate([](const FString& Event) { return Event == TEXT("spawn"); }).Num(), 1);

			// Unloaded (as when the plug-in is switched off), it takes its tab, entry and spawner.
			GEvents.Empty();
			EXPECT_TRUE(FModuleManager::Get().UnloadModule(TEXT("LibraryLike")));
			EXPECT_EQ(GEvents, (TArray<FString>{TEXT("shutdown"), TEXT("tab closed")}));
			EXPECT_FALSE(HasLibraryEntry());
			EXPECT_NE(UToolMenus::Get()->FindMenu(FHostEditorUI::WindowMenuName)->FindSection(TEXT("WindowLayout")), nullptr);
			EXPECT_FALSE(FGlobalTabmanager::Get()->HasTabSpawner(LibraryTab));
			EXPECT_FALSE(FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId(LibraryTab)).IsValid());
			EXPECT_FALSE(UI->GetDriver().FindText(TEXT("Library content")).IsValid());
		}
		// The editor session has ended before its window.
		EXPECT_FALSE(FModuleManager::Get().IsModuleLoaded(TEXT("LibraryLike")));
		EXPECT_EQ(UToolMenus::TryGet(), nullptr);
		UI.reset();
	}
}
