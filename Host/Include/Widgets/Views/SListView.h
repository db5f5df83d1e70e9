#pragma once

#include "CoreTypes.h"
#include "Containers/Map.h"
#include "Framework/SlateDelegates.h"
#include "Misc/Optional.h"
#include "Framework/Views/ITypedTableView.h"
#include "Framework/Views/TableViewTypeTraits.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Views/ITableRow.h"
#include "Widgets/Views/STableViewBase.h"

// A scrolling list of rows, one per item of its items source, generated only for the items
// in view; it keeps the selection (single or multiple) and reports changes of it.
template <typename ItemType>
class SListView : public STableViewBase
{
public:
	typedef typename TListTypeTraits<ItemType>::NullableType NullableItemType;
	typedef typename TSlateDelegates<ItemType>::FOnGenerateRow FOnGenerateRow;
	typedef typename TSlateDelegates<NullableItemType>::FOnSelectionChanged FOnSelectionChanged;
	typedef typename TSlateDelegates<ItemType>::FOnMouseButtonClick FOnMouseButtonClick;

	SLATE_BEGIN_ARGS(SListView<ItemType>)
		: _OnGenerateRow(), _ListItemsSource(nullptr), _ItemHeight(16), _OnSelectionChanged(), _SelectionMode(ESelectionMode::Multi),
		  _ClearSelectionOnClick(true), _IsFocusable(true)
	{
	}
	SLATE_EVENT(FOnGenerateRow, OnGenerateRow)
	SLATE_ITEMS_SOURCE_ARGUMENT(ItemType, ListItemsSource)
	SLATE_ATTRIBUTE(float, ItemHeight)
	SLATE_EVENT(FOnSelectionChanged, OnSelectionChanged)
	SLATE_EVENT(FOnMouseButtonClick, OnMouseButtonClick)
	SLATE_ATTRIBUTE(ESelectionMode::Type, SelectionMode)
	SLATE_ARGUMENT(bool, ClearSelectionOnClick)
	SLATE_ARGUMENT(bool, IsFocusable)
	SLATE_END_ARGS()

	SListView(ETableViewMode::Type InListMode = ETableViewMode::List) : STableViewBase(InListMode) {}

	void Construct(const FArguments& InArgs)
	{
		OnGenerateRow = InArgs._OnGenerateRow;
		ItemsSource = InArgs._ListItemsSource;
		OnSelectionChanged = InArgs._OnSelectionChanged;
		OnClick = InArgs._OnMouseButtonClick;
		SelectionMode = InArgs._SelectionMode;
		bClearSelectionOnClick = InArgs._ClearSelectionOnClick;
		bIsFocusable = InArgs._IsFocusable;
		ConstructChildren();
	}

	void SetItemsSource(const TArray<ItemType>* InListItemsSource)
	{
		ItemsSource = InListItemsSource;
		RequestListRefresh();
	}

	// Selection made in code; the change is reported with SelectInfo.
	void SetSelection(ItemType SoleSelectedItem, ESelectInfo::Type SelectInfo = ESelectInfo::Direct)
	{
		SelectedItems.Reset();
		SelectedItems.Add(SoleSelectedItem);
		SignalSelectionChanged(SelectInfo);
	}
	void SetItemSelection(const ItemType& InItem, bool bSelected, ESelectInfo::Type SelectInfo = ESelectInfo::Direct)
	{
		const bool bWasSelected = SelectedItems.Contains(InItem);
		if (bSelected == bWasSelected)
		{
			return;
		}
		if (bSelected)
		{
			if (SelectionMode.Get() != ESelectionMode::Multi)
			{
				SelectedItems.Reset();
			}
			SelectedItems.Add(InItem);
		}
		else
		{
			SelectedItems.Remove(InItem);
		}
		SignalSelectionChanged(SelectInfo);
	}
	void ClearSelection()
	{
		if (!SelectedItems.IsEmpty())
		{
			SelectedItems.Reset();
			SignalSelectionChanged(ESelectInfo::Direct);
		}
	}
	TArray<ItemType> GetSelectedItems() const { return SelectedItems; }
	int32 GetNumItemsSelected() const { return SelectedItems.Num(); }
	bool IsItemSelected(const ItemType& InItem) const { return SelectedItems.Contains(InItem); }
	TSharedPtr<ITableRow> WidgetFromItem(const ItemType& InItem) const
	{
		const FGenerated* Found = Generated.Find(InItem);
		return Found != nullptr ? Found->Row.ToSharedPtr() : nullptr;
	}
	// On the next layout, an item not wholly in view is scrolled to the middle of the view; an
	// item already in view stays where it is.
	void RequestScrollIntoView(const ItemType& InItem)
	{
		ItemToScrollIntoView = InItem;
		RequestListRefresh();
	}

	// For the rows.
	const ItemType* Private_ItemFromWidget(const ITableRow* TheWidget) const
	{
		for (const auto& Entry : Generated)
		{
			if (&Entry.Value.Row.Get() == TheWidget)
			{
				return &Entry.Key;
			}
		}
		return nullptr;
	}
	ESelectionMode::Type Private_GetSelectionMode() const { return SelectionMode.Get(); }
	// A row was clicked: it becomes the selection (or, single-toggle, leaves it). As the engine's
	// rows do, a click on the item already selected alone changes nothing and signals nothing.
	void Private_OnRowClicked(const ItemType& InItem)
	{
		OnClick.ExecuteIfBound(InItem);
		const ESelectionMode::Type Mode = SelectionMode.Get();
		if (Mode == ESelectionMode::None)
		{
			return;
		}
		if (Mode == ESelectionMode::SingleToggle && IsItemSelected(InItem))
		{
			SelectedItems.Reset();
			SignalSelectionChanged(ESelectInfo::OnMouseClick);
			return;
		}
		if (IsItemSelected(InItem) && SelectedItems.Num() == 1)
		{
			return;
		}
		SelectedItems.Reset();
		SelectedItems.Add(InItem);
		SignalSelectionChanged(ESelectInfo::OnMouseClick);
	}

protected:
	int32 GetNumItemsBeingObserved() const override { return ItemsSource != nullptr ? ItemsSource->Num() : 0; }

	void BeginGeneration() override
	{
		for (auto& Entry : Generated)
		{
			Entry.Value.bUsed = false;
		}
	}

	TSharedRef<SWidget> GenerateRowForIndex(int32 ItemIndex) override
	{
		const ItemType& Item = (*ItemsSource)[ItemIndex];
		FGenerated* Found = Generated.Find(Item);
		if (Found == nullptr)
		{
			check(OnGenerateRow.IsBound());
			const TSharedRef<ITableRow> Row = OnGenerateRow.Execute(Item, StaticCastSharedRef<STableViewBase>(this->AsShared()));
			Found = &Generated.Add(Item, FGenerated{Row, true});
			Row->InitializeRow();
			// A row made while painting has not had its desired size worked out yet.
			Row->AsWidget()->SlatePrepass();
		}
		Found->bUsed = true;
		Found->Row->SetIndexInList(ItemIndex);
		return Found->Row->AsWidget();
	}

	void EndGeneration() override
	{
		TArray<ItemType> Unused;
		for (const auto& Entry : Generated)
		{
			if (!Entry.Value.bUsed)
			{
				Unused.Add(Entry.Key);
			}
		}
		for (const ItemType& Item : Unused)
		{
			Generated.Find(Item)->Row->ResetRow();
			Generated.Remove(Item);
		}
	}

	// Items that left the source lose their rows and their selection.
	void OnItemsRefreshed() override
	{
		const int32 Before = SelectedItems.Num();
		SelectedItems.RemoveAll([this](const ItemType& Item) { return ItemsSource == nullptr || !ItemsSource->Contains(Item); });
		if (SelectedItems.Num() != Before)
		{
			SignalSelectionChanged(ESelectInfo::Direct);
		}
	}

	int32 TakeIndexToScrollIntoView() override
	{
		int32 Index = INDEX_NONE;
		if (ItemToScrollIntoView.IsSet() && ItemsSource != nullptr)
		{
			Index = ItemsSource->Find(ItemToScrollIntoView.GetValue());
		}
		ItemToScrollIntoView.Reset();
		return Index;
	}

	void OnClickedEmptySpace() override
	{
		if (!SelectedItems.IsEmpty() && SelectionMode.Get() != ESelectionMode::None)
		{
			SelectedItems.Reset();
			SignalSelectionChanged(ESelectInfo::OnMouseClick);
		}
	}

	void SignalSelectionChanged(ESelectInfo::Type SelectInfo)
	{
		NullableItemType Selected = TListTypeTraits<ItemType>::MakeNullPtr();
		if (!SelectedItems.IsEmpty())
		{
			Selected = SelectedItems[0];
		}
		OnSelectionChanged.ExecuteIfBound(Selected, SelectInfo);
	}

	struct FGenerated
	{
		TSharedRef<ITableRow> Row;
		bool bUsed = false;
	};

	const TArray<ItemType>* ItemsSource = nullptr;
	FOnGenerateRow OnGenerateRow;
	FOnSelectionChanged OnSelectionChanged;
	FOnMouseButtonClick OnClick;
	TAttribute<ESelectionMode::Type> SelectionMode = ESelectionMode::Multi;
	TArray<ItemType> SelectedItems;
	TMap<ItemType, FGenerated> Generated;
	TOptional<ItemType> ItemToScrollIntoView;
};
