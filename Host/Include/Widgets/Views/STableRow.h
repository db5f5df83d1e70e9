#pragma once

#include "CoreTypes.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Views/ITableRow.h"
#include "Widgets/Views/SListView.h"

// A row of a list or tile view: its content on the row style's brush, which shows whether
// the row is selected (active while its view has keyboard focus) and hovered. A click on the
// row selects its item.
template <typename ItemType>
class STableRow : public ITableRow, public SBorder
{
public:
	SLATE_BEGIN_ARGS(STableRow<ItemType>)
		: _Style(&FCoreStyle::Get().GetWidgetStyle<FTableRowStyle>("TableView.Row")), _Padding(FMargin(0)), _ShowSelection(true), _Content()
	{
	}
	SLATE_STYLE_ARGUMENT(FTableRowStyle, Style)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_ARGUMENT(bool, ShowSelection)
	SLATE_DEFAULT_SLOT(typename STableRow<ItemType>::FArguments, Content)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs, const TSharedRef<STableViewBase>& InOwnerTableView)
	{
		Style = InArgs._Style != nullptr ? InArgs._Style : &FTableRowStyle::GetDefault();
		bShowSelection = InArgs._ShowSelection;
		OwnerTablePtr = StaticCastSharedRef<SListView<ItemType>>(InOwnerTableView).ToWeakPtr();
		SBorder::Construct(typename SBorder::FArguments()
			.Padding(InArgs._Padding)
			.BorderImage(this, &STableRow::GetBorder)
			.ForegroundColor(this, &STableRow::GetForegroundBasedOnSelection)[InArgs._Content.Widget]);
	}

	void InitializeRow() override {}
	void ResetRow() override {}
	void SetIndexInList(int32 InIndexInList) override { IndexInList = InIndexInList; }
	int32 GetIndexInList() override { return IndexInList; }
	bool IsItemSelected() const override
	{
		const TSharedPtr<SListView<ItemType>> Owner = OwnerTablePtr.Pin();
		const ItemType* Item = Owner.IsValid() ? Owner->Private_ItemFromWidget(this) : nullptr;
		return Item != nullptr && Owner->IsItemSelected(*Item);
	}
	ESelectionMode::Type GetSelectionMode() const override
	{
		const TSharedPtr<SListView<ItemType>> Owner = OwnerTablePtr.Pin();
		return Owner.IsValid() ? Owner->Private_GetSelectionMode() : ESelectionMode::None;
	}
	TSharedRef<SWidget> AsWidget() override { return this->AsShared(); }
	TSharedPtr<SWidget> GetContent() override { return GetContentWidget().ToSharedPtr(); }

	FReply OnMouseButtonDown(const FGeometry&, const FPointerEvent& MouseEvent) override
	{
		const TSharedPtr<SListView<ItemType>> Owner = OwnerTablePtr.Pin();
		const ItemType* Item = Owner.IsValid() ? Owner->Private_ItemFromWidget(this) : nullptr;
		if (MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton || Item == nullptr)
		{
			return FReply::Unhandled();
		}
		Owner->Private_OnRowClicked(*Item);
		return FReply::Handled();
	}

protected:
	const TSharedRef<SWidget>& GetContentWidget() const { return this->ChildSlot.GetWidget(); }

	const FSlateBrush* GetBorder() const
	{
		const TSharedPtr<SListView<ItemType>> Owner = OwnerTablePtr.Pin();
		const bool bIsActive = Owner.IsValid() && Owner->HasKeyboardFocus();
		const bool bHovered = this->IsHovered();
		if (IsItemSelected() && bShowSelection)
		{
			if (bIsActive)
			{
				return bHovered ? &Style->ActiveHoveredBrush : &Style->ActiveBrush;
			}
			return bHovered ? &Style->InactiveHoveredBrush : &Style->InactiveBrush;
		}
		const bool bAllowSelection = GetSelectionMode() != ESelectionMode::None;
		if (IndexInList % 2 == 0)
		{
			return bHovered && bAllowSelection ? &Style->EvenRowBackgroundHoveredBrush : &Style->EvenRowBackgroundBrush;
		}
		return bHovered && bAllowSelection ? &Style->OddRowBackgroundHoveredBrush : &Style->OddRowBackgroundBrush;
	}

	FSlateColor GetForegroundBasedOnSelection() const { return IsItemSelected() && bShowSelection ? Style->SelectedTextColor : Style->TextColor; }

	TWeakPtr<SListView<ItemType>> OwnerTablePtr;
	const FTableRowStyle* Style = nullptr;
	bool bShowSelection = true;
	int32 IndexInList = 0;
};
