#include "Runtime/HostEditorUI.h"

#include "Framework/Application/SlateApplication.h"
#include "Framework/Docking/TabManager.h"
#include "Misc/CoreDelegates.h"
#include "ToolMenus.h"
#include "Widgets/Input/SComboButton.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	FHostEditorUI* GHostEditorUI = nullptr;

	struct FMenuBarMenu
	{
		const TCHAR* Label;
		const TCHAR* MenuName;
	};

	// The level editor's menu bar menus the stand-in has, and the sections the editor gives
	// them before any module extends them.
	const FMenuBarMenu GMenuBarMenus[] = {{TEXT("Window"), FHostEditorUI::WindowMenuName}};

	TSharedRef<SWindow> MakeMainWindow(const FVector2D& WindowSize)
	{
		if (!FSlateApplication::IsInitialized())
		{
			FSlateApplication::Create();
		}
		return SNew(SWindow).Title(FText::FromString(TEXT("Unreal Editor"))).ClientSize(WindowSize);
	}
}

FHostEditorUI::FHostEditorUI(const FVector2D& WindowSize)
	: bStartedSlate(!FSlateApplication::IsInitialized()), MainWindow(MakeMainWindow(WindowSize)), Driver(MainWindow)
{
	check(GHostEditorUI == nullptr);
	GHostEditorUI = this;
	UToolMenu* WindowMenu = UToolMenus::Get()->RegisterMenu(WindowMenuName, NAME_None, EMultiBoxType::Menu, false);
	// Not looked up: the label of the Window menu's layout section.
	WindowMenu->FindOrAddSection(TEXT("WindowLayout"), FText::FromString(TEXT("Layout")));
	FGlobalTabmanager::Get()->SetMenuMultiBox(nullptr, MakeMenuBar());
	FGlobalTabmanager::Get()->SetRootWindow(MainWindow);
	FSlateApplication::Get().AddWindow(MainWindow);
	FCoreDelegates::OnPostEngineInit.Broadcast();
	Driver.Tick();
}

FHostEditorUI::~FHostEditorUI()
{
	FGlobalTabmanager::Get()->CloseAllAreas();
	FGlobalTabmanager::Get()->SetMenuMultiBox(nullptr, nullptr);
	MenuBarButtons.Empty();
	if (bStartedSlate)
	{
		FSlateApplication::Shutdown();
	}
	GHostEditorUI = nullptr;
}

FHostEditorUI* FHostEditorUI::Get()
{
	return GHostEditorUI;
}

// Each menu is made when it opens, so it shows whatever modules have added by then.
TSharedRef<SWidget> FHostEditorUI::MakeMenuBar()
{
	const ISlateStyle& Style = FCoreStyle::Get();
	TSharedRef<SHorizontalBox> Bar = SNew(SHorizontalBox);
	for (const FMenuBarMenu& Menu : GMenuBarMenus)
	{
		const FName MenuName(Menu.MenuName);
		TSharedRef<SComboButton> Button = SNew(SComboButton)
			.ButtonStyle(&Style.GetWidgetStyle<FButtonStyle>("WindowMenuBar.Button"))
			.HasDownArrow(false)
			.ContentPadding(Style.GetMargin("WindowMenuBar.MenuBar.Padding"))
			.ButtonContent()
			[
				SNew(STextBlock).Text(FText::FromString(Menu.Label)).TextStyle(&Style.GetWidgetStyle<FTextBlockStyle>("WindowMenuBar.Label"))
			]
			.OnGetMenuContent_Lambda([MenuName]() { return UToolMenus::Get()->GenerateWidget(MenuName, FToolMenuContext()); });
		Bar->AddSlot().AutoWidth()[Button];
		MenuBarButtons.Add(MenuName, Button);
	}
	return Bar;
}

FString FHostEditorUI::InvokeMenuEntry(const FName MenuName, const FName EntryName) const
{
	const TSharedPtr<SWidget>* Button = MenuBarButtons.Find(MenuName);
	UToolMenu* Menu = UToolMenus::Get()->FindMenu(MenuName);
	if (Button == nullptr || Menu == nullptr)
	{
		return FString::Printf(TEXT("no menu %s in the menu bar"), *MenuName.ToString());
	}
	const FToolMenuEntry* Entry = nullptr;
	for (const FToolMenuSection& Section : Menu->Sections)
	{
		Entry = Entry != nullptr ? Entry : Section.FindEntry(EntryName);
	}
	if (Entry == nullptr)
	{
		return FString::Printf(TEXT("no entry %s in %s"), *EntryName.ToString(), *MenuName.ToString());
	}
	const FString Label = Entry->Label.Get(FText()).ToString();
	FString Why = Driver.Click(Button->ToSharedRef());
	if (!Why.IsEmpty())
	{
		return TEXT("the menu could not be opened: ") + Why;
	}
	Driver.Tick();
	TSharedPtr<STextBlock> Shown;
	for (const TSharedRef<STextBlock>& Text : Driver.FindTexts(Label))
	{
		Shown = !Shown.IsValid() && FSlateDriver::FindAncestor(Text, TEXT("SMultiBoxWidget")).IsValid() ? Text.ToSharedPtr() : Shown;
	}
	if (!Shown.IsValid())
	{
		return FString::Printf(TEXT("the entry %s is not in the open menu"), *Label);
	}
	Why = Driver.Click(Shown.ToSharedRef());
	Driver.Tick();
	return Why;
}
