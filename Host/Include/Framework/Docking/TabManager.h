#pragma once

#include "CoreMinimal.h"
#include "Framework/Docking/WorkspaceItem.h"
#include "Misc/Attribute.h"
#include "Misc/EnumClassFlags.h"
#include "Textures/SlateIcon.h"

class SDockTab;
class SVerticalBox;
class SWidget;
class SWindow;
class SHorizontalBox;
class SBorder;
class SBox;
class FMultiBox;

enum class ETabIdFlags : uint8
{
	None = 0x0,
	SaveLayout = 0x1,
};
ENUM_CLASS_FLAGS(ETabIdFlags)

// Names a kind of tab, and one instance of it when several may be open.
struct FTabId
{
	FTabId() : TabType(NAME_None), InstanceId(INDEX_NONE), Flags(ETabIdFlags::SaveLayout) {}
	FTabId(const FName InTabType, const int32 InInstanceId) : TabType(InTabType), InstanceId(InInstanceId), Flags(ETabIdFlags::SaveLayout) {}
	FTabId(const FName InTabType) : TabType(InTabType), InstanceId(INDEX_NONE), Flags(ETabIdFlags::SaveLayout) {}
	FTabId(const FName InTabType, const ETabIdFlags InFlags) : TabType(InTabType), InstanceId(INDEX_NONE), Flags(InFlags) {}

	bool ShouldSaveLayout() const { return EnumHasAnyFlags(Flags, ETabIdFlags::SaveLayout); }
	FString ToString() const { return InstanceId == INDEX_NONE ? TabType.ToString() : FString::Printf(TEXT("%s : %d"), *TabType.ToString(), InstanceId); }
	FText ToText() const { return FText::FromString(ToString()); }
	bool operator==(const FTabId& Other) const { return TabType == Other.TabType && (InstanceId == INDEX_NONE || Other.InstanceId == INDEX_NONE || InstanceId == Other.InstanceId); }
	bool operator!=(const FTabId& Other) const { return !(*this == Other); }

	FName TabType;
	int32 InstanceId;
	ETabIdFlags Flags;
};

// What a spawner is told about the tab it is asked to make.
class FSpawnTabArgs
{
public:
	FSpawnTabArgs(const TSharedPtr<SWindow>& InOwnerWindow, const FTabId& InTabBeingSpawenedId) : TabIdBeingSpawned(InTabBeingSpawenedId), OwnerWindow(InOwnerWindow) {}

	const TSharedPtr<SWindow>& GetOwnerWindow() const { return OwnerWindow; }
	const FTabId& GetTabId() const { return TabIdBeingSpawned; }

private:
	FTabId TabIdBeingSpawned;
	TSharedPtr<SWindow> OwnerWindow;
};

DECLARE_DELEGATE_RetVal_OneParam(TSharedRef<SDockTab>, FOnSpawnTab, const FSpawnTabArgs&);
DECLARE_DELEGATE_RetVal_OneParam(bool, FCanSpawnTab, const FSpawnTabArgs&);

namespace ETabSpawnerMenuType
{
	enum Type
	{
		Enabled,
		Disabled,
		Hidden,
	};
}

// How a tab kind is made, and how the editor's menus list it.
struct FTabSpawnerEntry : public FWorkspaceItem
{
	FTabSpawnerEntry(const FName& InTabType, const FOnSpawnTab& InSpawnTabMethod, const FCanSpawnTab& InCanSpawnTab)
		: FWorkspaceItem(InTabType, FText(), FText(), FSlateIcon(), false), TabType(InTabType), OnSpawnTab(InSpawnTabMethod), CanSpawnTab(InCanSpawnTab),
		  MenuType(ETabSpawnerMenuType::Enabled), bAutoGenerateMenuEntry(true)
	{
	}

	FTabSpawnerEntry& SetDisplayName(const FText& InLegibleName)
	{
		DisplayName = InLegibleName;
		return *this;
	}
	FTabSpawnerEntry& SetTooltipText(const FText& InTooltipText)
	{
		TooltipText = InTooltipText;
		return *this;
	}
	FTabSpawnerEntry& SetIcon(const FSlateIcon& InIcon)
	{
		Icon = InIcon;
		return *this;
	}
	FTabSpawnerEntry& SetGroup(const TSharedRef<FWorkspaceItem>& InGroup)
	{
		InGroup->AddItem(SharedThis(this));
		return *this;
	}
	FTabSpawnerEntry& SetMenuType(const TAttribute<ETabSpawnerMenuType::Type>& InMenuType)
	{
		MenuType = InMenuType;
		return *this;
	}
	FTabSpawnerEntry& SetAutoGenerateMenuEntry(bool bInAutoGenerateMenuEntry)
	{
		bAutoGenerateMenuEntry = bInAutoGenerateMenuEntry;
		return *this;
	}

	const FName& GetTabType() const { return TabType; }
	ETabSpawnerMenuType::Type GetMenuType() const { return MenuType.Get(); }
	bool GetAutoGenerateMenuEntry() const { return bAutoGenerateMenuEntry; }

private:
	friend class FTabManager;

	FName TabType;
	FOnSpawnTab OnSpawnTab;
	FCanSpawnTab CanSpawnTab;
	TAttribute<ETabSpawnerMenuType::Type> MenuType;
	bool bAutoGenerateMenuEntry;
	TWeakPtr<SDockTab> SpawnedTabPtr;
};

// Makes tabs from registered spawners and keeps the live ones. Its tabs share one well in one
// window, one of them in front; invoking a tab that is open brings it forward instead of
// making another.
class FTabManager : public TSharedFromThis<FTabManager>
{
public:
	virtual ~FTabManager();

	FTabSpawnerEntry& RegisterTabSpawner(const FName TabId, const FOnSpawnTab& OnSpawnTab, const FCanSpawnTab& CanSpawnTab = FCanSpawnTab());
	bool UnregisterTabSpawner(const FName TabId);
	void UnregisterAllTabSpawners();
	bool HasTabSpawner(FName TabId) const;

	virtual TSharedPtr<SDockTab> TryInvokeTab(const FTabId& TabId, bool bInvokeAsInactive = false);
	TSharedPtr<SDockTab> FindExistingLiveTab(const FTabId& TabId) const;
	// Closes every tab (running each one's closed handler) and the window holding them.
	void CloseAllAreas();
	void SetActiveTab(const TSharedPtr<SDockTab>& NewActiveTab);
	TSharedPtr<SDockTab> GetActiveTab() const { return ForegroundTab.Pin(); }
	void DrawAttention(const TSharedRef<SDockTab>& TabToHighlight);

	// For SDockTab: the tab was chosen by the user or in code, or has been closed.
	void BringToFront(const TSharedRef<SDockTab>& Tab);
	void OnTabClosed(const TSharedRef<SDockTab>& ClosedTab);
	// The window holding the tabs has closed, and every tab with it.
	void OnTabWindowClosed();

protected:
	FTabManager() = default;

	virtual FTabSpawnerEntry* FindTabSpawnerFor(FName TabId);
	// The window the tabs are shown in, made when the first tab is spawned.
	virtual TSharedRef<SWindow> GetOrMakeTabWindow() = 0;
	// The window's content: the menu bar (when there is one), the tab well and the front tab's
	// content.
	TSharedRef<SWidget> MakeTabArea();
	void RefreshTabArea();
	void SetTabWindow(const TSharedRef<SWindow>& Window);

	TMap<FName, TSharedRef<FTabSpawnerEntry>> TabSpawner;
	TArray<TSharedRef<SDockTab>> LiveTabs;
	TWeakPtr<SDockTab> ForegroundTab;
	TSharedPtr<SWindow> TabWindow;
	TSharedPtr<SHorizontalBox> TabWell;
	TSharedPtr<SBorder> ContentArea;
	TSharedPtr<SBox> MenuArea;
	TSharedPtr<SWidget> MenuWidget;
};

// The editor's own tab manager: nomad tabs (those that may go anywhere) are registered here.
// The stand-in shows them in one main window of the editor.
class FGlobalTabmanager : public FTabManager
{
public:
	static const TSharedRef<FGlobalTabmanager>& Get();

	FTabSpawnerEntry& RegisterNomadTabSpawner(const FName TabId, const FOnSpawnTab& OnSpawnTab, const FCanSpawnTab& CanSpawnTab = FCanSpawnTab());
	void UnregisterNomadTabSpawner(const FName TabId);
	// The editor's main window: the one given to SetRootWindow, or the one made when the first
	// tab was spawned.
	TSharedPtr<SWindow> GetRootWindow() const { return TabWindow; }
	void SetRootWindow(const TSharedRef<SWindow> InRootWindow) { SetTabWindow(InRootWindow); }
	// The main menu bar, shown above the tabs.
	void SetMenuMultiBox(const TSharedPtr<FMultiBox> NewMenuMutliBox, const TSharedPtr<SWidget> NewMenuWidget);

	// The size of the main window when it is made.
	static constexpr float DefaultWindowWidth = 1280.0f;
	static constexpr float DefaultWindowHeight = 800.0f;

protected:
	FTabSpawnerEntry* FindTabSpawnerFor(FName TabId) override;
	TSharedRef<SWindow> GetOrMakeTabWindow() override;

private:
	FGlobalTabmanager() = default;

	TMap<FName, TSharedRef<FTabSpawnerEntry>> NomadTabSpawner;
};
