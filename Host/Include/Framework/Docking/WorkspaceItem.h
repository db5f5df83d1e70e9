#pragma once

#include "CoreMinimal.h"
#include "Textures/SlateIcon.h"

// An entry of the editor's workspace menu: a name, a tool tip and an icon, and the items
// grouped under it.
class FWorkspaceItem : public TSharedFromThis<FWorkspaceItem>
{
public:
	virtual ~FWorkspaceItem() = default;

	static TSharedRef<FWorkspaceItem> NewGroup(const FText& DisplayName, const FSlateIcon& Icon = FSlateIcon(), const bool bSortChildren = false)
	{
		return MakeShareable(new FWorkspaceItem(NAME_None, DisplayName, FText(), Icon, bSortChildren));
	}

	TSharedRef<FWorkspaceItem> AddGroup(const FText& DisplayName, const FSlateIcon& Icon = FSlateIcon(), const bool bSortChildren = false)
	{
		const TSharedRef<FWorkspaceItem> Group = NewGroup(DisplayName, Icon, bSortChildren);
		AddItem(Group);
		return Group;
	}
	void AddItem(const TSharedRef<FWorkspaceItem>& ItemToAdd)
	{
		ItemToAdd->ParentItem = SharedThis(this);
		ChildItems.Add(ItemToAdd);
	}
	void RemoveItem(const TSharedRef<FWorkspaceItem>& ItemToRemove) { ChildItems.Remove(ItemToRemove); }

	const FText& GetDisplayName() const { return DisplayName; }
	const FText& GetTooltipText() const { return TooltipText; }
	const FSlateIcon& GetIcon() const { return Icon; }
	const TArray<TSharedRef<FWorkspaceItem>>& GetChildItems() const { return ChildItems; }
	TSharedPtr<FWorkspaceItem> GetParent() const { return ParentItem.Pin(); }

protected:
	FWorkspaceItem(const FName& InFuncId, const FText& InDisplayName, const FText& InTooltipText, const FSlateIcon& InIcon, const bool bInSortChildren)
		: Icon(InIcon), DisplayName(InDisplayName), TooltipText(InTooltipText), bSortChildren(bInSortChildren), FuncId(InFuncId)
	{
	}

	FSlateIcon Icon;
	FText DisplayName;
	FText TooltipText;
	bool bSortChildren;
	FName FuncId;
	TArray<TSharedRef<FWorkspaceItem>> ChildItems;
	TWeakPtr<FWorkspaceItem> ParentItem;
};
