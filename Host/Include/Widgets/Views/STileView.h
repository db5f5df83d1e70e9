#pragma once

#include "CoreTypes.h"
#include "Widgets/Views/SListView.h"

// A list whose rows are tiles of ItemWidth x ItemHeight, as many to a line as fit the width.
template <typename ItemType>
class STileView : public SListView<ItemType>
{
public:
	typedef typename TListTypeTraits<ItemType>::NullableType NullableItemType;
	typedef typename TSlateDelegates<ItemType>::FOnGenerateRow FOnGenerateRow;
	typedef typename TSlateDelegates<NullableItemType>::FOnSelectionChanged FOnSelectionChanged;
	typedef typename TSlateDelegates<ItemType>::FOnMouseButtonClick FOnMouseButtonClick;

	SLATE_BEGIN_ARGS(STileView<ItemType>)
		: _OnGenerateTile(), _ListItemsSource(nullptr), _ItemHeight(128), _ItemWidth(128), _ItemAlignment(EListItemAlignment::EvenlyDistributed),
		  _OnSelectionChanged(), _SelectionMode(ESelectionMode::Multi), _ClearSelectionOnClick(true), _IsFocusable(true)
	{
		this->_Clipping = EWidgetClipping::ClipToBounds;
	}
	SLATE_EVENT(FOnGenerateRow, OnGenerateTile)
	SLATE_ITEMS_SOURCE_ARGUMENT(ItemType, ListItemsSource)
	SLATE_ATTRIBUTE(float, ItemHeight)
	SLATE_ATTRIBUTE(float, ItemWidth)
	SLATE_ATTRIBUTE(EListItemAlignment, ItemAlignment)
	SLATE_EVENT(FOnSelectionChanged, OnSelectionChanged)
	SLATE_EVENT(FOnMouseButtonClick, OnMouseButtonClick)
	SLATE_ATTRIBUTE(ESelectionMode::Type, SelectionMode)
	SLATE_ARGUMENT(bool, ClearSelectionOnClick)
	SLATE_ARGUMENT(bool, IsFocusable)
	SLATE_END_ARGS()

	STileView() : SListView<ItemType>(ETableViewMode::Tile) {}

	void Construct(const FArguments& InArgs)
	{
		this->OnGenerateRow = InArgs._OnGenerateTile;
		this->ItemsSource = InArgs._ListItemsSource;
		this->OnSelectionChanged = InArgs._OnSelectionChanged;
		this->OnClick = InArgs._OnMouseButtonClick;
		this->SelectionMode = InArgs._SelectionMode;
		this->bClearSelectionOnClick = InArgs._ClearSelectionOnClick;
		this->bIsFocusable = InArgs._IsFocusable;
		this->ItemWidth = InArgs._ItemWidth;
		this->ItemHeight = InArgs._ItemHeight;
		this->ItemAlignment = InArgs._ItemAlignment;
		this->ConstructChildren();
	}
};
