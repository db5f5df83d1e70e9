#pragma once

#include "CoreMinimal.h"
#include "Framework/Docking/TabManager.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"

class SButton;

enum ETabRole : uint8
{
	MajorTab,
	PanelTab,
	NomadTab,
	DocumentTab,
	NumRoles
};

enum class ETabActivationCause : uint8
{
	UserClickedOnTab,
	SetDirectly,
};

// A tab: the widget itself is the tab's handle in its tab well (label and close button); its
// content is shown in the tab area while the tab is in front.
class SDockTab : public SBorder
{
public:
	DECLARE_DELEGATE_OneParam(FOnTabClosedCallback, TSharedRef<SDockTab>);
	DECLARE_DELEGATE_TwoParams(FOnTabActivatedCallback, TSharedRef<SDockTab>, ETabActivationCause);
	DECLARE_DELEGATE_RetVal(bool, FCanCloseTab);

	SLATE_BEGIN_ARGS(SDockTab)
		: _Content(), _ContentPadding(0.0f), _TabRole(ETabRole::PanelTab), _Label(), _ShouldAutosize(false), _CanEverClose(true),
		  _LabelOverflowPolicy(ETextOverflowPolicy::Ellipsis)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ATTRIBUTE(FMargin, ContentPadding)
	SLATE_ARGUMENT(ETabRole, TabRole)
	SLATE_ATTRIBUTE(FText, Label)
	SLATE_EVENT(FOnTabClosedCallback, OnTabClosed)
	SLATE_EVENT(FOnTabActivatedCallback, OnTabActivated)
	SLATE_ARGUMENT(bool, ShouldAutosize)
	SLATE_EVENT(FCanCloseTab, OnCanCloseTab)
	SLATE_ARGUMENT(bool, CanEverClose)
	SLATE_ARGUMENT(TOptional<ETextOverflowPolicy>, LabelOverflowPolicy)
	SLATE_ATTRIBUTE(FText, ToolTipText)
	SLATE_END_ARGS()

	SDockTab();
	void Construct(const FArguments& InArgs);

	const TSharedRef<SWidget>& GetContent() const { return Content; }
	void SetContent(TSharedRef<SWidget> InContent);
	FMargin GetContentPadding() const { return ContentPadding.Get(); }
	ETabRole GetTabRole() const { return TabRole; }
	// Nomad tabs look like major tabs in a window of their own, as they are here.
	ETabRole GetVisualTabRole() const { return TabRole == ETabRole::NomadTab ? ETabRole::MajorTab : TabRole; }

	FText GetTabLabel() const { return TabLabel.Get(FText()); }
	void SetLabel(const TAttribute<FText>& InTabLabel) { TabLabel = InTabLabel; }
	void SetOnTabClosed(const FOnTabClosedCallback& InDelegate) { OnTabClosed = InDelegate; }
	void SetOnTabActivated(const FOnTabActivatedCallback& InDelegate) { OnTabActivated = InDelegate; }
	void SetCanCloseTab(const FCanCloseTab& InOnTabClosing) { OnCanCloseTab = InOnTabClosing; }

	const FTabId GetLayoutIdentifier() const { return LayoutIdentifier; }
	TSharedPtr<FTabManager> GetTabManagerPtr() const { return MyTabManager.Pin(); }
	TSharedPtr<SWindow> GetParentWindow() const;
	bool IsForeground() const;
	bool IsActive() const { return IsForeground(); }
	void ActivateInParent(ETabActivationCause InActivationCause);
	void DrawAttention();

	bool CanCloseTab() const { return bCanEverClose && (!OnCanCloseTab.IsBound() || OnCanCloseTab.Execute()); }
	// Closes the tab unless it refuses: its closed handler runs, it leaves its well and lets
	// go of its content. True when it closed.
	bool RequestCloseTab();

	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;

	// For the tab manager.
	void SetTabManager(const TSharedPtr<FTabManager>& InTabManager) { MyTabManager = InTabManager; }
	void SetLayoutIdentifier(const FTabId& TabId) { LayoutIdentifier = TabId; }
	void ProvideDefaultLabel(const FText& InDefaultLabel) { DefaultLabel = InDefaultLabel; }
	// The tab is gone from its well: the closed handler runs and the content is released.
	void NotifyClosed();

private:
	const FDockTabStyle& GetCurrentStyle() const;
	const FSlateBrush* GetImageBrush() const;
	FSlateColor GetTabForegroundColor() const;
	EVisibility GetCloseButtonVisibility() const;
	FText GetShownLabel() const;

	TSharedRef<SWidget> Content;
	TAttribute<FMargin> ContentPadding;
	ETabRole TabRole = ETabRole::PanelTab;
	TAttribute<FText> TabLabel;
	FText DefaultLabel;
	FOnTabClosedCallback OnTabClosed;
	FOnTabActivatedCallback OnTabActivated;
	FCanCloseTab OnCanCloseTab;
	bool bCanEverClose = true;
	FTabId LayoutIdentifier;
	TWeakPtr<FTabManager> MyTabManager;
	const FDockTabStyle* MajorTabStyle = nullptr;
	const FDockTabStyle* GenericTabStyle = nullptr;
};
