#include "KestrovaModule.h"

#include "Platform/Transport.h"
#include "Window/LibraryWindow.h"

#include "Framework/Commands/UIAction.h"
#include "Framework/Docking/TabManager.h"
#include "Modules/ModuleManager.h"
#include "Textures/SlateIcon.h"
#include "ToolMenus.h"
#include "Widgets/Docking/SDockTab.h"

#define LOCTEXT_NAMESPACE "Kestrova"

namespace
{
	const FName TabName(TEXT("Kestrova"));
}

FKestrovaModule::~FKestrovaModule() = default;

void FKestrovaModule::StartupModule()
{
	// The Window menu entry opens the tab; the tab manager does not list it a second time.
	FGlobalTabmanager::Get()->RegisterNomadTabSpawner(TabName, FOnSpawnTab::CreateRaw(this, &FKestrovaModule::Spawn))
		.SetDisplayName(LOCTEXT("TabTitle", "Kestrova"))
		.SetMenuType(ETabSpawnerMenuType::Hidden);
	UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(this, &FKestrovaModule::Menu));
}

void FKestrovaModule::ShutdownModule()
{
	// Windows close before the spawner goes, so no tab outlives its module's services.
	for (const TWeakPtr<SKVALibrary>& Weak : Windows)
	{
		if (TSharedPtr<SKVALibrary> Window = Weak.Pin())
		{
			Window->Close();
		}
	}
	Windows.Empty();
	// Closing cancelled every request; their threads end within a poll or two, and none may
	// still be connecting once the engine's SSL module, which they use, shuts down after us.
	KVAPlatform::WaitForTransfers(std::chrono::seconds(5));
	UToolMenus::UnRegisterStartupCallback(this);
	if (FModuleManager::Get().IsModuleLoaded(TEXT("ToolMenus")))
	{
		UToolMenus::UnregisterOwner(this);
	}
	FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(TabName);
}

bool FKestrovaModule::SupportsDynamicReloading()
{
	return false;
}

TSharedRef<SDockTab> FKestrovaModule::Spawn(const FSpawnTabArgs&)
{
	const TSharedRef<SKVALibrary> Window = SNew(SKVALibrary);
	const TSharedRef<SDockTab> Tab = SNew(SDockTab)
		.TabRole(ETabRole::NomadTab)
		.Label(LOCTEXT("TabTitle", "Kestrova"))
		[
			Window
		];
	Windows.Add(Window);
	const TWeakPtr<SKVALibrary> Weak = Window;
	Tab->SetOnTabClosed(SDockTab::FOnTabClosedCallback::CreateLambda([Weak](TSharedRef<SDockTab>)
	{
		if (TSharedPtr<SKVALibrary> Closing = Weak.Pin())
		{
			Closing->Close();
		}
	}));
	return Tab;
}

void FKestrovaModule::Menu()
{
	FToolMenuOwnerScoped OwnerScoped(this);
	UToolMenu* WindowMenu = UToolMenus::Get()->ExtendMenu(TEXT("LevelEditor.MainMenu.Window"));
	FToolMenuSection& Section = WindowMenu->FindOrAddSection(TEXT("WindowLayout"));
	Section.AddMenuEntry(TEXT("KestrovaLibrary"),
		LOCTEXT("MenuLabel", "Kestrova"),
		LOCTEXT("MenuToolTip", "Open your asset library"),
		FSlateIcon(),
		FUIAction(FExecuteAction::CreateLambda([]()
		{
			FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabName), false);
		})));
}

#undef LOCTEXT_NAMESPACE

IMPLEMENT_MODULE(FKestrovaModule, Kestrova)
