#include "Framework/MultiBox/MultiBoxBuilder.h"

#include "Framework/Application/SlateApplication.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	// The menu itself: its entries on the menu background. It takes keyboard focus when it
	// opens, as the editor's menus do.
	class SMenuWidget : public SBorder
	{
	public:
		bool SupportsKeyboardFocus() const override { return true; }
	};
}

FMenuBuilder::FMenuBuilder(const bool bInShouldCloseWindowAfterMenuSelection, TSharedPtr<const FUICommandList>, TSharedPtr<FExtender>, const bool,
	const ISlateStyle* InStyleSet, bool, FName, bool)
	: StyleSet(InStyleSet != nullptr ? InStyleSet : &FCoreStyle::Get()), bCloseWindowAfterMenuSelection(bInShouldCloseWindowAfterMenuSelection)
{
}

void FMenuBuilder::AddMenuEntry(const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon&, const FUIAction& UIAction, FName,
	const EUserInterfaceActionType, FName)
{
	FEntry& Entry = Entries.Emplace_GetRef();
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Action = UIAction;
}

void FMenuBuilder::AddMenuEntry(const FUIAction& UIAction, const TSharedRef<SWidget> Contents, const FName&, const TAttribute<FText>& InToolTip,
	const EUserInterfaceActionType, FName)
{
	FEntry& Entry = Entries.Emplace_GetRef();
	Entry.Widget = Contents;
	Entry.ToolTip = InToolTip;
	Entry.Action = UIAction;
}

void FMenuBuilder::AddWidget(TSharedRef<SWidget> InWidget, const FText&, bool, bool)
{
	FEntry& Entry = Entries.Emplace_GetRef();
	Entry.Kind = FEntry::EKind::Widget;
	Entry.Widget = InWidget;
}

void FMenuBuilder::AddMenuSeparator(FName)
{
	Entries.Emplace_GetRef().Kind = FEntry::EKind::Separator;
}

// A section starts with its heading, and with a separator when other entries come before it.
void FMenuBuilder::BeginSection(FName, const TAttribute<FText>& InHeadingText)
{
	check(!bInSection);
	bInSection = true;
	if (!Entries.IsEmpty())
	{
		AddMenuSeparator();
	}
	if (!InHeadingText.Get(FText()).IsEmpty())
	{
		FEntry& Heading = Entries.Emplace_GetRef();
		Heading.Kind = FEntry::EKind::Heading;
		Heading.Label = InHeadingText;
	}
}

void FMenuBuilder::EndSection()
{
	bInSection = false;
}

// Each entry is a menu button whose label takes the menu's text style; an entry whose action
// cannot run is disabled. Choosing one runs its action and, when asked, closes the menus.
TSharedRef<SWidget> FMenuBuilder::MakeWidget(FMultiBox::FOnMakeMultiBoxBuilderOverride*)
{
	const FMargin BlockPadding = StyleSet->GetMargin("Menu.Block.Padding");
	const FTextBlockStyle& LabelStyle = StyleSet->GetWidgetStyle<FTextBlockStyle>("Menu.Label");
	const bool bClose = bCloseWindowAfterMenuSelection;
	TSharedRef<SVerticalBox> List = SNew(SVerticalBox);
	for (const FEntry& Entry : Entries)
	{
		switch (Entry.Kind)
		{
		case FEntry::EKind::Separator:
			List->AddSlot().AutoHeight().Padding(StyleSet->GetMargin("Menu.Separator.Padding"))
			[
				SNew(SBox).HeightOverride(1.0f)[SNew(SBorder).Padding(0).BorderImage(StyleSet->GetBrush("Menu.Separator"))]
			];
			break;
		case FEntry::EKind::Heading:
			List->AddSlot().AutoHeight().Padding(StyleSet->GetMargin("Menu.Heading.Padding"))
			[
				SNew(STextBlock).Text(Entry.Label).TextStyle(&StyleSet->GetWidgetStyle<FTextBlockStyle>("Menu.Heading"))
			];
			break;
		case FEntry::EKind::Widget:
			List->AddSlot().AutoHeight().Padding(BlockPadding)[Entry.Widget.ToSharedRef()];
			break;
		case FEntry::EKind::Action:
		{
			const FUIAction Action = Entry.Action;
			TSharedPtr<SButton> Button;
			List->AddSlot().AutoHeight()
			[
				SAssignNew(Button, SButton)
				.ButtonStyle(StyleSet, "Menu.Button")
				.ContentPadding(BlockPadding)
				.IsEnabled_Lambda([Action] { return Action.CanExecute(); })
				.ToolTipText(Entry.ToolTip)
				[
					Entry.Widget.IsValid() ? Entry.Widget.ToSharedRef() : SNew(STextBlock).Text(Entry.Label).TextStyle(&LabelStyle)
				]
			];
			Button->SetOnClicked(FOnClicked::CreateLambda(
				[Action, bClose]
				{
					if (bClose)
					{
						FSlateApplication::Get().DismissAllMenus();
					}
					Action.Execute();
					return FReply::Handled();
				}));
			break;
		}
		}
	}
	TSharedRef<SMenuWidget> Menu = MakeShared<SMenuWidget>();
	Menu->SetDebugInfo("SMultiBoxWidget", __FILE__, __LINE__, sizeof(SMenuWidget));
	Menu->Construct(SBorder::FArguments().BorderImage(StyleSet->GetBrush("Menu.Background")).Padding(FMargin(0.0f, 4.0f))[List]);
	return Menu;
}
