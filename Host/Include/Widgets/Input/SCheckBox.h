#pragma once

#include "CoreTypes.h"
#include "Misc/Optional.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

DECLARE_DELEGATE_OneParam(FOnCheckStateChanged, ECheckBoxState);

class SImage;

// A box that is checked or not (or undetermined), with content beside it; a click on either
// toggles it. Bound to an attribute, it shows the attribute and only reports clicks.
class SCheckBox : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SCheckBox)
		: _Content(), _Style(&FCoreStyle::Get().GetWidgetStyle<FCheckBoxStyle>("Checkbox")), _Type(), _OnCheckStateChanged(),
		  _IsChecked(ECheckBoxState::Unchecked), _HAlign(HAlign_Fill), _CheckBoxContentUsesAutoWidth(true), _Padding(), _ClickMethod(EButtonClickMethod::DownAndUp),
		  _ForegroundColor(), _BorderBackgroundColor(), _IsFocusable(true)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_STYLE_ARGUMENT(FCheckBoxStyle, Style)
	SLATE_ARGUMENT(TOptional<ESlateCheckBoxType::Type>, Type)
	SLATE_EVENT(FOnCheckStateChanged, OnCheckStateChanged)
	SLATE_ATTRIBUTE(ECheckBoxState, IsChecked)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(bool, CheckBoxContentUsesAutoWidth)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_ARGUMENT(EButtonClickMethod::Type, ClickMethod)
	SLATE_ATTRIBUTE(FSlateColor, ForegroundColor)
	SLATE_ATTRIBUTE(FSlateColor, BorderBackgroundColor)
	SLATE_ARGUMENT(bool, IsFocusable)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	bool IsChecked() const { return IsCheckboxChecked.Get() == ECheckBoxState::Checked; }
	ECheckBoxState GetCheckedState() const { return IsCheckboxChecked.Get(); }
	bool IsPressed() const { return bIsPressed; }
	void SetIsChecked(TAttribute<ECheckBoxState> InIsChecked) { IsCheckboxChecked = std::move(InIsChecked); }
	void ToggleCheckedState();
	void SetStyle(const FCheckBoxStyle* InStyle) { Style = InStyle != nullptr ? InStyle : &FCheckBoxStyle::GetDefault(); }

	bool SupportsKeyboardFocus() const override { return bIsFocusable; }
	bool IsInteractable() const override { return IsEnabled(); }
	FReply OnKeyUp(const FGeometry& MyGeometry, const FKeyEvent& InKeyEvent) override;
	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseButtonUp(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	void OnMouseCaptureLost(const FCaptureLostEvent& CaptureLostEvent) override;

private:
	const FSlateBrush* GetCheckImage() const;
	const FSlateBrush* GetBackgroundImage() const;
	const FSlateBrush* GetToggleImage() const;
	FSlateColor GetStateForeground() const;

	const FCheckBoxStyle* Style = nullptr;
	TAttribute<ECheckBoxState> IsCheckboxChecked;
	FOnCheckStateChanged OnCheckStateChanged;
	TAttribute<FSlateColor> ForegroundColorOverride;
	EButtonClickMethod::Type ClickMethod = EButtonClickMethod::DownAndUp;
	bool bIsFocusable = true;
	bool bIsPressed = false;
};
