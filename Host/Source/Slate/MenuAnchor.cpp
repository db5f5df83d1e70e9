#include "Widgets/Input/SMenuAnchor.h"

#include "Framework/Application/SlateApplication.h"
#include "Widgets/Layout/SBox.h"

SMenuAnchor::~SMenuAnchor()
{
	if (Menu.IsValid() && FSlateApplication::IsInitialized())
	{
		FSlateApplication::Get().DismissMenu(Menu);
	}
}

void SMenuAnchor::Construct(const FArguments& InArgs)
{
	MenuContent = InArgs._MenuContent;
	OnGetMenuContent = InArgs._OnGetMenuContent;
	OnMenuOpenChanged = InArgs._OnMenuOpenChanged;
	Placement = InArgs._Placement;
	ChildSlot[InArgs._Content.Widget];
}

bool SMenuAnchor::ShouldOpenDueToClick() const
{
	return !IsOpen() && DismissedInFrame != FSlateApplication::Get().GetFrameCount();
}

// The menu opens below the anchor (to its right for a submenu); a combo box's menu is at
// least as wide as the combo.
void SMenuAnchor::SetIsOpen(bool InIsOpen, const bool bFocusMenu, const int32)
{
	if (InIsOpen == IsOpen())
	{
		return;
	}
	if (!InIsOpen)
	{
		FSlateApplication::Get().DismissMenu(Menu);
		return;
	}
	const TSharedPtr<SWidget> Content = OnGetMenuContent.IsBound() ? OnGetMenuContent.Execute().ToSharedPtr() : MenuContent;
	if (!Content.IsValid())
	{
		return;
	}
	const FSlateRect Anchor = GetPaintSpaceGeometry().GetLayoutBoundingRect();
	const EMenuPlacement CurrentPlacement = Placement.Get(MenuPlacement_BelowAnchor);
	TSharedRef<SWidget> Wrapped = WrapMenuContent(Content.ToSharedRef());
	if (CurrentPlacement == MenuPlacement_ComboBox || CurrentPlacement == MenuPlacement_ComboBoxRight)
	{
		Wrapped = SNew(SBox).MinDesiredWidth(float(Anchor.GetSize().X))[Wrapped];
	}
	const FVector2D Location = CurrentPlacement == MenuPlacement_MenuRight ? FVector2D(Anchor.Right, Anchor.Top) : FVector2D(Anchor.Left, Anchor.Bottom);
	Menu = FSlateApplication::Get().PushMenu(AsShared(), FWidgetPath(), Wrapped, Location, bFocusMenu);
	if (Menu.IsValid())
	{
		OpenedContent = Content;
		Menu->GetOnMenuDismissed().AddSP(this, &SMenuAnchor::OnMenuClosed);
		OnMenuOpenChanged.ExecuteIfBound(true);
	}
}

void SMenuAnchor::OnMenuClosed(TSharedRef<IMenu>)
{
	Menu.Reset();
	OpenedContent.Reset();
	DismissedInFrame = FSlateApplication::Get().GetFrameCount();
	OnMenuOpenChanged.ExecuteIfBound(false);
}
