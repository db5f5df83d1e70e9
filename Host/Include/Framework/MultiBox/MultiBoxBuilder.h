#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Framework/Commands/UIAction.h"
#include "Framework/Commands/UICommandInfo.h"
#include "Internationalization/Text.h"
#include "Misc/Attribute.h"
#include "Styling/CoreStyle.h"
#include "Templates/SharedPointer.h"
#include "Textures/SlateIcon.h"
#include "UObject/NameTypes.h"

class FExtender;
class FUICommandList;
class ISlateStyle;
class SWidget;

class FMultiBox
{
public:
	DECLARE_DELEGATE_TwoParams(FOnMakeMultiBoxBuilderOverride, const TSharedRef<FMultiBox>&, const TSharedRef<SWidget>&);
};

// Builds a menu of entries (a label that runs an action), separators, section headings and
// widgets; MakeWidget turns it into the menu's widget. A chosen entry closes the menu when
// the builder was told to.
class FMenuBuilder
{
public:
	FMenuBuilder(const bool bInShouldCloseWindowAfterMenuSelection, TSharedPtr<const FUICommandList> InCommandList,
		TSharedPtr<FExtender> InExtender = TSharedPtr<FExtender>(), const bool bInCloseSelfOnly = false, const ISlateStyle* InStyleSet = &FCoreStyle::Get(),
		bool bInSearchable = true, FName InMenuName = NAME_None, bool bInRecursivelySearchable = true);

	void AddMenuEntry(const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon& InIcon, const FUIAction& UIAction,
		FName InExtensionHook = NAME_None, const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button,
		FName InTutorialHighlightName = NAME_None);
	void AddMenuEntry(const FUIAction& UIAction, const TSharedRef<SWidget> Contents, const FName& InExtensionHook = NAME_None,
		const TAttribute<FText>& InToolTip = TAttribute<FText>(), const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button,
		FName InTutorialHighlightName = NAME_None);
	void AddWidget(TSharedRef<SWidget> InWidget, const FText& Label, bool bNoIndent = false, bool bSearchable = true);
	void AddMenuSeparator(FName InExtensionHook = NAME_None);
	void BeginSection(FName InExtensionHook, const TAttribute<FText>& InHeadingText = TAttribute<FText>());
	void EndSection();

	TSharedRef<SWidget> MakeWidget(FMultiBox::FOnMakeMultiBoxBuilderOverride* InMakeMultiBoxBuilderOverride = nullptr);

private:
	struct FEntry
	{
		enum class EKind
		{
			Action,
			Widget,
			Separator,
			Heading,
		};
		EKind Kind = EKind::Action;
		TAttribute<FText> Label;
		TAttribute<FText> ToolTip;
		FUIAction Action;
		TSharedPtr<SWidget> Widget;
	};

	TArray<FEntry> Entries;
	const ISlateStyle* StyleSet;
	bool bCloseWindowAfterMenuSelection;
	bool bInSection = false;
};
