#pragma once

#include "CoreTypes.h"
#include "Framework/Application/IMenu.h"
#include "Framework/SlateDelegates.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

// A widget that opens a menu next to itself (below it, by default). The menu's content is
// given or made each time it opens.
class SMenuAnchor : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SMenuAnchor) : _Content(), _MenuContent(), _OnGetMenuContent(), _Placement(MenuPlacement_BelowAnchor), _FitInWindow(true) {}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ARGUMENT(TSharedPtr<SWidget>, MenuContent)
	SLATE_EVENT(FOnGetContent, OnGetMenuContent)
	SLATE_EVENT(FOnIsOpenChanged, OnMenuOpenChanged)
	SLATE_ATTRIBUTE(EMenuPlacement, Placement)
	SLATE_ARGUMENT(bool, FitInWindow)
	SLATE_END_ARGS()

	~SMenuAnchor() override;
	void Construct(const FArguments& InArgs);

	void SetIsOpen(bool InIsOpen, const bool bFocusMenu = true, const int32 FocusUserIndex = 0);
	bool IsOpen() const { return Menu.IsValid(); }
	// False when the press that would open the menu has just closed it (a click on the anchor
	// of an open menu closes it and must not open it again).
	bool ShouldOpenDueToClick() const;
	void SetMenuContent(TSharedRef<SWidget> InMenuContent) { MenuContent = InMenuContent; }
	void SetOnGetMenuContent(FOnGetContent InOnGetMenuContent) { OnGetMenuContent = InOnGetMenuContent; }

protected:
	// The menu's content for this opening, framed as the anchor wants it.
	virtual TSharedRef<SWidget> WrapMenuContent(const TSharedRef<SWidget>& InContent) const { return InContent; }
	// The content of the menu now open.
	TSharedPtr<SWidget> GetOpenedContent() const { return OpenedContent.Pin(); }

	TSharedPtr<SWidget> MenuContent;
	FOnGetContent OnGetMenuContent;
	FOnIsOpenChanged OnMenuOpenChanged;
	TAttribute<EMenuPlacement> Placement;

private:
	void OnMenuClosed(TSharedRef<IMenu> InMenu);

	TSharedPtr<IMenu> Menu;
	TWeakPtr<SWidget> OpenedContent;
	uint64 DismissedInFrame = ~uint64(0);
};
