#pragma once

#include "CoreMinimal.h"
#include "ToolMenuEntry.h"
#include "ToolMenuMisc.h"
#include "ToolMenuOwner.h"

// A named group of entries in a menu, with an optional heading.
struct FToolMenuSection
{
	FToolMenuSection() = default;

	FToolMenuEntry& AddEntry(const FToolMenuEntry& Args);
	FToolMenuEntry& AddMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const TAttribute<FSlateIcon>& InIcon,
		const FToolUIActionChoice& InAction, const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button,
		const FName InTutorialHighlightName = NAME_None);
	FToolMenuEntry& AddSeparator(const FName InName);
	FToolMenuEntry* FindEntry(const FName InName);
	const FToolMenuEntry* FindEntry(const FName InName) const;
	void RemoveEntry(const FName InName);
	int32 RemoveEntriesByOwner(const FToolMenuOwner InOwner);

	FName Name;
	TAttribute<FText> Label;
	FToolMenuInsert InsertPosition;
	FToolMenuOwner Owner;
	TArray<FToolMenuEntry> Blocks;
};
