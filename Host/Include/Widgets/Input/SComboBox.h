#pragma once

#include "CoreTypes.h"
#include "Framework/SlateDelegates.h"
#include "Framework/Views/TableViewTypeTraits.h"
#include "Styling/AppStyle.h"
#include "Styling/CoreStyle.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Input/SComboButton.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Text/STextBlock.h"
#include "Widgets/Views/SListView.h"
#include "Widgets/Views/STableRow.h"

DECLARE_DELEGATE(FOnComboBoxOpening);

// A row of a combo box's list.
template <typename OptionType>
class SComboRow : public STableRow<OptionType>
{
public:
	SLATE_BEGIN_ARGS(SComboRow) : _Style(&FCoreStyle::Get().GetWidgetStyle<FTableRowStyle>("ComboBox.Row")), _Padding(FMargin(0)), _Content() {}
	SLATE_STYLE_ARGUMENT(FTableRowStyle, Style)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs, const TSharedRef<STableViewBase>& InOwnerTable)
	{
		STableRow<OptionType>::Construct(
			typename STableRow<OptionType>::FArguments().Style(InArgs._Style).Padding(InArgs._Padding)[InArgs._Content.Widget], InOwnerTable);
	}
};

// A button showing the chosen option that opens the list of options; choosing one closes
// the list and reports the choice.
template <typename OptionType>
class SComboBox : public SComboButton
{
public:
	typedef typename TListTypeTraits<OptionType>::NullableType NullableOptionType;
	typedef typename TSlateDelegates<OptionType>::FOnGenerateWidget FOnGenerateWidget;
	typedef typename TSlateDelegates<NullableOptionType>::FOnSelectionChanged FOnSelectionChanged;
	typedef SListView<OptionType> SComboListType;

	SLATE_BEGIN_ARGS(SComboBox)
		: _Content(), _ComboBoxStyle(&FAppStyle::Get().GetWidgetStyle<FComboBoxStyle>("ComboBox")), _ButtonStyle(nullptr),
		  _ItemStyle(&FAppStyle::Get().GetWidgetStyle<FTableRowStyle>("ComboBox.Row")), _ContentPadding(), _ForegroundColor(FSlateColor::UseStyle()),
		  _OptionsSource(nullptr), _OnSelectionChanged(), _OnGenerateWidget(), _InitiallySelectedItem(TListTypeTraits<OptionType>::MakeNullPtr()),
		  _MaxListHeight(450.0f), _HasDownArrow(true), _IsFocusable(true)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_STYLE_ARGUMENT(FComboBoxStyle, ComboBoxStyle)
	SLATE_STYLE_ARGUMENT(FButtonStyle, ButtonStyle)
	SLATE_STYLE_ARGUMENT(FTableRowStyle, ItemStyle)
	SLATE_ATTRIBUTE(FMargin, ContentPadding)
	SLATE_ATTRIBUTE(FSlateColor, ForegroundColor)
	SLATE_ITEMS_SOURCE_ARGUMENT(OptionType, OptionsSource)
	SLATE_EVENT(FOnSelectionChanged, OnSelectionChanged)
	SLATE_EVENT(FOnGenerateWidget, OnGenerateWidget)
	SLATE_EVENT(FOnComboBoxOpening, OnComboBoxOpening)
	SLATE_ARGUMENT(NullableOptionType, InitiallySelectedItem)
	SLATE_ARGUMENT(float, MaxListHeight)
	SLATE_ARGUMENT(bool, HasDownArrow)
	SLATE_ARGUMENT(bool, IsFocusable)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs)
	{
		const FComboBoxStyle* ComboStyle = InArgs._ComboBoxStyle != nullptr ? InArgs._ComboBoxStyle : &FComboBoxStyle::GetDefault();
		ItemStyle = InArgs._ItemStyle;
		MenuRowPadding = ComboStyle->MenuRowPadding;
		OnGenerateWidget = InArgs._OnGenerateWidget;
		OnSelectionChanged = InArgs._OnSelectionChanged;
		OptionsSource = InArgs._OptionsSource;

		TSharedRef<SWidget> ListContent = SNew(SBox).MaxDesiredHeight(InArgs._MaxListHeight)
		[
			SAssignNew(ComboListView, SComboListType)
			.ListItemsSource(InArgs._OptionsSource)
			.OnGenerateRow(this, &SComboBox::GenerateMenuItemRow)
			.OnSelectionChanged(this, &SComboBox::OnSelectionChanged_Internal)
			.SelectionMode(ESelectionMode::Single)
		];
		TSharedRef<SWidget> ButtonContent = InArgs._Content.Widget;
		if (ButtonContent == SNullWidget::NullWidget)
		{
			ButtonContent = SNew(STextBlock).Text(FText::FromString(TEXT("No Content Provided"))).ColorAndOpacity(FLinearColor::Red);
		}
		SComboButton::Construct(SComboButton::FArguments()
			.ComboButtonStyle(&ComboStyle->ComboButtonStyle)
			.ButtonStyle(InArgs._ButtonStyle)
			.ButtonContent()[ButtonContent]
			.MenuContent()[ListContent]
			.HasDownArrow(InArgs._HasDownArrow)
			.ContentPadding(InArgs._ContentPadding.IsSet() ? InArgs._ContentPadding : TAttribute<FMargin>(ComboStyle->ContentPadding))
			.ForegroundColor(InArgs._ForegroundColor)
			.IsFocusable(InArgs._IsFocusable));
		this->SetMenuContentWidgetToFocus(ComboListView);

		// The initial choice is shown and held without being reported.
		SelectedItem = InArgs._InitiallySelectedItem;
		if (TListTypeTraits<OptionType>::IsPtrValid(SelectedItem))
		{
			bSettingInCode = true;
			ComboListView->SetSelection(TListTypeTraits<OptionType>::NullableItemTypeConvertToItemType(SelectedItem));
			bSettingInCode = false;
		}
	}

	void ClearSelection() { ComboListView->ClearSelection(); }
	void SetSelectedItem(NullableOptionType InSelectedItem)
	{
		if (TListTypeTraits<OptionType>::IsPtrValid(InSelectedItem))
		{
			ComboListView->SetSelection(TListTypeTraits<OptionType>::NullableItemTypeConvertToItemType(InSelectedItem));
		}
		else
		{
			ComboListView->ClearSelection();
		}
	}
	NullableOptionType GetSelectedItem() { return SelectedItem; }
	void RefreshOptions() { ComboListView->RequestListRefresh(); }
	void SetOptionsSource(const TArray<OptionType>* InOptionsSource)
	{
		OptionsSource = InOptionsSource;
		ComboListView->SetItemsSource(InOptionsSource);
	}

private:
	TSharedRef<ITableRow> GenerateMenuItemRow(OptionType InItem, const TSharedRef<STableViewBase>& OwnerTable)
	{
		TSharedRef<SWidget> Content = OnGenerateWidget.IsBound() ? OnGenerateWidget.Execute(InItem) : SNullWidget::NullWidget;
		return SNew(SComboRow<OptionType>, OwnerTable).Style(ItemStyle).Padding(MenuRowPadding)[Content];
	}

	// A choice differing from the current one is reported; any choice but keyboard
	// navigation closes the list.
	void OnSelectionChanged_Internal(NullableOptionType ProposedSelection, ESelectInfo::Type SelectInfo)
	{
		if (bSettingInCode)
		{
			return;
		}
		if (ProposedSelection != SelectedItem)
		{
			SelectedItem = ProposedSelection;
			OnSelectionChanged.ExecuteIfBound(ProposedSelection, SelectInfo);
		}
		if (SelectInfo != ESelectInfo::OnNavigation && SelectInfo != ESelectInfo::Direct)
		{
			this->SetIsOpen(false);
		}
	}

	TSharedPtr<SComboListType> ComboListView;
	const TArray<OptionType>* OptionsSource = nullptr;
	const FTableRowStyle* ItemStyle = nullptr;
	FMargin MenuRowPadding;
	FOnGenerateWidget OnGenerateWidget;
	FOnSelectionChanged OnSelectionChanged;
	NullableOptionType SelectedItem = TListTypeTraits<OptionType>::MakeNullPtr();
	bool bSettingInCode = false;
};
