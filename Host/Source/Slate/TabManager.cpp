#include "Framework/Docking/TabManager.h"

#include "Framework/Application/SlateApplication.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/SWindow.h"

namespace
{
	const FDockTabStyle& TabAreaStyle()
	{
		return FCoreStyle::Get().GetWidgetStyle<FDockTabStyle>("Docking.MajorTab");
	}
}

FTabManager::~FTabManager() = default;

FTabSpawnerEntry& FTabManager::RegisterTabSpawner(const FName TabId, const FOnSpawnTab& OnSpawnTab, const FCanSpawnTab& CanSpawnTab)
{
	const TSharedRef<FTabSpawnerEntry> Entry = MakeShareable(new FTabSpawnerEntry(TabId, OnSpawnTab, CanSpawnTab));
	TabSpawner.Add(TabId, Entry);
	return *Entry;
}

bool FTabManager::UnregisterTabSpawner(const FName TabId)
{
	return TabSpawner.Remove(TabId) > 0;
}

void FTabManager::UnregisterAllTabSpawners()
{
	TabSpawner.Empty();
}

bool FTabManager::HasTabSpawner(FName TabId) const
{
	return const_cast<FTabManager*>(this)->FindTabSpawnerFor(TabId) != nullptr;
}

FTabSpawnerEntry* FTabManager::FindTabSpawnerFor(FName TabId)
{
	TSharedRef<FTabSpawnerEntry>* Entry = TabSpawner.Find(TabId);
	return Entry != nullptr ? &Entry->Get() : nullptr;
}

TSharedPtr<SDockTab> FTabManager::TryInvokeTab(const FTabId& TabId, bool bInvokeAsInactive)
{
	if (TSharedPtr<SDockTab> Existing = FindExistingLiveTab(TabId))
	{
		if (!bInvokeAsInactive)
		{
			Existing->ActivateInParent(ETabActivationCause::SetDirectly);
		}
		return Existing;
	}
	FTabSpawnerEntry* Spawner = FindTabSpawnerFor(TabId.TabType);
	if (Spawner == nullptr || !Spawner->OnSpawnTab.IsBound())
	{
		// Nothing registered under that name: no tab.
		return nullptr;
	}
	const TSharedRef<SWindow> Window = GetOrMakeTabWindow();
	const FSpawnTabArgs Args(Window, TabId);
	if (Spawner->CanSpawnTab.IsBound() && !Spawner->CanSpawnTab.Execute(Args))
	{
		return nullptr;
	}
	const TSharedRef<SDockTab> Tab = Spawner->OnSpawnTab.Execute(Args);
	Tab->SetLayoutIdentifier(TabId);
	Tab->ProvideDefaultLabel(Spawner->GetDisplayName());
	Tab->SetTabManager(AsShared());
	Spawner->SpawnedTabPtr = Tab;
	LiveTabs.Add(Tab);
	if (!bInvokeAsInactive || !ForegroundTab.IsValid())
	{
		ForegroundTab = Tab;
	}
	RefreshTabArea();
	return Tab;
}

TSharedPtr<SDockTab> FTabManager::FindExistingLiveTab(const FTabId& TabId) const
{
	for (const TSharedRef<SDockTab>& Tab : LiveTabs)
	{
		if (Tab->GetLayoutIdentifier() == TabId)
		{
			return Tab;
		}
	}
	return nullptr;
}

void FTabManager::SetActiveTab(const TSharedPtr<SDockTab>& NewActiveTab)
{
	if (NewActiveTab.IsValid() && LiveTabs.Contains(NewActiveTab.ToSharedRef()))
	{
		BringToFront(NewActiveTab.ToSharedRef());
	}
}

// The stand-in has no flashing: drawing attention brings the tab forward.
void FTabManager::DrawAttention(const TSharedRef<SDockTab>& TabToHighlight)
{
	BringToFront(TabToHighlight);
}

void FTabManager::BringToFront(const TSharedRef<SDockTab>& Tab)
{
	if (LiveTabs.Contains(Tab))
	{
		ForegroundTab = Tab;
		RefreshTabArea();
	}
}

// The closed handler runs while the tab is still in its window; then the tab leaves the well
// and its neighbour (the one after it, else the one before) comes forward.
void FTabManager::OnTabClosed(const TSharedRef<SDockTab>& ClosedTab)
{
	const int32 Index = LiveTabs.Find(ClosedTab);
	if (Index == INDEX_NONE)
	{
		return;
	}
	const bool bWasInFront = ForegroundTab.Pin() == ClosedTab.ToSharedPtr();
	ClosedTab->NotifyClosed();
	LiveTabs.Remove(ClosedTab);
	if (bWasInFront)
	{
		ForegroundTab = LiveTabs.IsEmpty() ? nullptr : LiveTabs[FMath::Min(Index, LiveTabs.Num() - 1)].ToSharedPtr();
	}
	RefreshTabArea();
}

void FTabManager::CloseAllAreas()
{
	if (TabWindow.IsValid() && FSlateApplication::IsInitialized())
	{
		// Closing the window closes its tabs.
		FSlateApplication::Get().RequestDestroyWindow(TabWindow.ToSharedRef());
	}
	OnTabWindowClosed();
}

void FTabManager::OnTabWindowClosed()
{
	const TArray<TSharedRef<SDockTab>> Closing = LiveTabs;
	for (const TSharedRef<SDockTab>& Tab : Closing)
	{
		Tab->NotifyClosed();
	}
	LiveTabs.Empty();
	ForegroundTab.Reset();
	// The closed window may live on with its widgets; the tabs' widgets leave it.
	if (TabWell.IsValid())
	{
		TabWell->ClearChildren();
		ContentArea->SetContent(SNullWidget::NullWidget);
	}
	TabWindow.Reset();
	TabWell.Reset();
	ContentArea.Reset();
	MenuArea.Reset();
}

// The tab well above the area that shows the front tab's content.
TSharedRef<SWidget> FTabManager::MakeTabArea()
{
	const FDockTabStyle& Style = TabAreaStyle();
	const TWeakPtr<FTabManager> WeakThis = AsShared();
	return SNew(SBorder)
		.BorderImage(&Style.TabWellBrush)
		.Padding(0.0f)
		[
			SNew(SVerticalBox)
			+ SVerticalBox::Slot()
			.AutoHeight()
			[
				SAssignNew(MenuArea, SBox)
				[
					MenuWidget.IsValid() ? MenuWidget.ToSharedRef() : SNullWidget::NullWidget
				]
			]
			+ SVerticalBox::Slot()
			.AutoHeight()
			.Padding(0.0f, 2.0f, 0.0f, 0.0f)
			[
				SAssignNew(TabWell, SHorizontalBox)
			]
			+ SVerticalBox::Slot()
			.FillHeight(1.0f)
			[
				SAssignNew(ContentArea, SBorder)
				.BorderImage(&Style.ContentAreaBrush)
				.Padding_Lambda([WeakThis]()
				{
					const TSharedPtr<FTabManager> This = WeakThis.Pin();
					const TSharedPtr<SDockTab> Front = This.IsValid() ? This->GetActiveTab() : nullptr;
					return Front.IsValid() ? Front->GetContentPadding() : FMargin(0.0f);
				})
			]
		];
}

void FTabManager::RefreshTabArea()
{
	if (!TabWell.IsValid() || !ContentArea.IsValid())
	{
		return;
	}
	// A negative overlap leaves that much room between tabs.
	const float Gap = FMath::Max(0.0f, -TabAreaStyle().OverlapWidth);
	TabWell->ClearChildren();
	for (const TSharedRef<SDockTab>& Tab : LiveTabs)
	{
		TabWell->AddSlot().AutoWidth().Padding(0.0f, 0.0f, Gap, 0.0f)[Tab];
	}
	const TSharedPtr<SDockTab> Front = ForegroundTab.Pin();
	ContentArea->SetContent(Front.IsValid() ? Front->GetContent() : SNullWidget::NullWidget);
}

// The window shows the tab area from now on, and closing it closes the tabs.
void FTabManager::SetTabWindow(const TSharedRef<SWindow>& Window)
{
	TabWindow = Window;
	Window->SetContent(MakeTabArea());
	const TWeakPtr<FTabManager> WeakThis = AsShared();
	Window->SetOnWindowClosed(FOnWindowClosed::CreateLambda([WeakThis](const TSharedRef<SWindow>&)
	{
		if (TSharedPtr<FTabManager> This = WeakThis.Pin())
		{
			This->OnTabWindowClosed();
		}
	}));
	RefreshTabArea();
}

const TSharedRef<FGlobalTabmanager>& FGlobalTabmanager::Get()
{
	static const TSharedRef<FGlobalTabmanager> Instance = MakeShareable(new FGlobalTabmanager());
	return Instance;
}

FTabSpawnerEntry& FGlobalTabmanager::RegisterNomadTabSpawner(const FName TabId, const FOnSpawnTab& OnSpawnTab, const FCanSpawnTab& CanSpawnTab)
{
	const TSharedRef<FTabSpawnerEntry> Entry = MakeShareable(new FTabSpawnerEntry(TabId, OnSpawnTab, CanSpawnTab));
	NomadTabSpawner.Add(TabId, Entry);
	return *Entry;
}

void FGlobalTabmanager::UnregisterNomadTabSpawner(const FName TabId)
{
	NomadTabSpawner.Remove(TabId);
}

FTabSpawnerEntry* FGlobalTabmanager::FindTabSpawnerFor(FName TabId)
{
	if (TSharedRef<FTabSpawnerEntry>* Entry = NomadTabSpawner.Find(TabId))
	{
		return &Entry->Get();
	}
	return FTabManager::FindTabSpawnerFor(TabId);
}

TSharedRef<SWindow> FGlobalTabmanager::GetOrMakeTabWindow()
{
	if (!TabWindow.IsValid())
	{
		const TSharedRef<SWindow> Window = SNew(SWindow)
			.Title(FText::FromString(TEXT("Unreal Editor")))
			.ClientSize(FVector2D(DefaultWindowWidth, DefaultWindowHeight));
		SetTabWindow(Window);
		FSlateApplication::Get().AddWindow(Window);
	}
	return TabWindow.ToSharedRef();
}

void FGlobalTabmanager::SetMenuMultiBox(const TSharedPtr<FMultiBox>, const TSharedPtr<SWidget> NewMenuWidget)
{
	MenuWidget = NewMenuWidget;
	if (MenuArea.IsValid())
	{
		MenuArea->SetContent(MenuWidget.IsValid() ? MenuWidget.ToSharedRef() : SNullWidget::NullWidget);
	}
}
