#include "ToolMenu.h"

#include "ToolMenus.h"

namespace
{
	FToolMenuOwner CurrentOwner()
	{
		const UToolMenus* ToolMenus = UToolMenus::TryGet();
		return ToolMenus != nullptr ? ToolMenus->CurrentOwner() : FToolMenuOwner();
	}

	// The index a block or section goes to among others, by its insert position.
	template <typename ItemType>
	int32 InsertIndex(const TArray<ItemType>& Items, const FToolMenuInsert& Position)
	{
		if (Position.Position == EToolMenuInsertType::First)
		{
			return 0;
		}
		if (Position.IsBeforeOrAfter())
		{
			const int32 Found = Items.IndexOfByPredicate([&Position](const ItemType& Item) { return Item.Name == Position.Name; });
			if (Found != INDEX_NONE)
			{
				return Position.Position == EToolMenuInsertType::Before ? Found : Found + 1;
			}
		}
		return Items.Num();
	}
}

FToolMenuEntry FToolMenuEntry::InitMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
	const TAttribute<FSlateIcon>& InIcon, const FToolUIActionChoice& InAction, const EUserInterfaceActionType UserInterfaceActionType,
	const FName InTutorialHighlightName)
{
	FToolMenuEntry Entry(CurrentOwner(), InName, EMultiBlockType::MenuEntry);
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.Action = InAction;
	Entry.UserInterfaceActionType = UserInterfaceActionType;
	Entry.TutorialHighlightName = InTutorialHighlightName;
	return Entry;
}

FToolMenuEntry FToolMenuEntry::InitSeparator(const FName InName)
{
	return FToolMenuEntry(CurrentOwner(), InName, EMultiBlockType::Separator);
}

// An entry of a name already in the section replaces it.
FToolMenuEntry& FToolMenuSection::AddEntry(const FToolMenuEntry& Args)
{
	if (Args.Name != NAME_None)
	{
		if (FToolMenuEntry* Existing = FindEntry(Args.Name))
		{
			*Existing = Args;
			return *Existing;
		}
	}
	const int32 Index = InsertIndex(Blocks, Args.InsertPosition);
	Blocks.Insert(Args, Index);
	return Blocks[Index];
}

FToolMenuEntry& FToolMenuSection::AddMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
	const TAttribute<FSlateIcon>& InIcon, const FToolUIActionChoice& InAction, const EUserInterfaceActionType UserInterfaceActionType,
	const FName InTutorialHighlightName)
{
	return AddEntry(FToolMenuEntry::InitMenuEntry(InName, InLabel, InToolTip, InIcon, InAction, UserInterfaceActionType, InTutorialHighlightName));
}

FToolMenuEntry& FToolMenuSection::AddSeparator(const FName InName)
{
	return AddEntry(FToolMenuEntry::InitSeparator(InName));
}

FToolMenuEntry* FToolMenuSection::FindEntry(const FName InName)
{
	return Blocks.FindByPredicate([InName](const FToolMenuEntry& Entry) { return Entry.Name == InName; });
}

const FToolMenuEntry* FToolMenuSection::FindEntry(const FName InName) const
{
	return Blocks.FindByPredicate([InName](const FToolMenuEntry& Entry) { return Entry.Name == InName; });
}

void FToolMenuSection::RemoveEntry(const FName InName)
{
	Blocks.RemoveAll([InName](const FToolMenuEntry& Entry) { return Entry.Name == InName; });
}

int32 FToolMenuSection::RemoveEntriesByOwner(const FToolMenuOwner InOwner)
{
	return Blocks.RemoveAll([&InOwner](const FToolMenuEntry& Entry) { return Entry.Owner == InOwner; });
}

FToolMenuSection& UToolMenu::FindOrAddSection(const FName SectionName)
{
	if (FToolMenuSection* Found = FindSection(SectionName))
	{
		return *Found;
	}
	return AddSection(SectionName);
}

FToolMenuSection& UToolMenu::FindOrAddSection(const FName SectionName, const TAttribute<FText>& InLabel, const FToolMenuInsert InPosition)
{
	if (FToolMenuSection* Found = FindSection(SectionName))
	{
		return *Found;
	}
	return AddSection(SectionName, InLabel, InPosition);
}

// A section of a name already there keeps its entries and takes the new label and position.
FToolMenuSection& UToolMenu::AddSection(const FName SectionName, const TAttribute<FText>& InLabel, const FToolMenuInsert InPosition)
{
	if (FToolMenuSection* Found = FindSection(SectionName))
	{
		Found->Label = InLabel;
		Found->InsertPosition = InPosition;
		return *Found;
	}
	FToolMenuSection Section;
	Section.Name = SectionName;
	Section.Label = InLabel;
	Section.InsertPosition = InPosition;
	Section.Owner = CurrentOwner();
	const int32 Index = InsertIndex(Sections, InPosition);
	Sections.Insert(std::move(Section), Index);
	return Sections[Index];
}

FToolMenuSection* UToolMenu::FindSection(const FName SectionName)
{
	return Sections.FindByPredicate([SectionName](const FToolMenuSection& Section) { return Section.Name == SectionName; });
}

void UToolMenu::RemoveSection(const FName SectionName)
{
	Sections.RemoveAll([SectionName](const FToolMenuSection& Section) { return Section.Name == SectionName; });
}
