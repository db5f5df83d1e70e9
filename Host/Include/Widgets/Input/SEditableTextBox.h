#pragma once

#include "CoreTypes.h"
#include "Framework/SlateDelegates.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Input/SEditableText.h"
#include "Widgets/Layout/SBorder.h"

class SHorizontalBox;

// An editable text inside a border that shows whether it is hovered or focused. Keyboard
// focus given to the box goes on to its text.
class SEditableTextBox : public SBorder
{
public:
	SLATE_BEGIN_ARGS(SEditableTextBox)
		: _Style(&FCoreStyle::Get().GetWidgetStyle<FEditableTextBoxStyle>("NormalEditableTextBox")), _Text(), _HintText(), _Font(), _ForegroundColor(),
		  _ReadOnlyForegroundColor(), _FocusedForegroundColor(), _IsReadOnly(false), _IsPassword(false), _IsCaretMovedWhenGainFocus(true),
		  _SelectAllTextWhenFocused(false), _RevertTextOnEscape(false), _ClearKeyboardFocusOnCommit(true), _MinDesiredWidth(0.0f),
		  _Justification(ETextJustify::Left)
	{
	}
	SLATE_STYLE_ARGUMENT(FEditableTextBoxStyle, Style)
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_ATTRIBUTE(FText, HintText)
	SLATE_ATTRIBUTE(FSlateFontInfo, Font)
	SLATE_ATTRIBUTE(FSlateColor, ForegroundColor)
	SLATE_ATTRIBUTE(FSlateColor, ReadOnlyForegroundColor)
	SLATE_ATTRIBUTE(FSlateColor, FocusedForegroundColor)
	SLATE_ATTRIBUTE(bool, IsReadOnly)
	SLATE_ATTRIBUTE(bool, IsPassword)
	SLATE_ATTRIBUTE(bool, IsCaretMovedWhenGainFocus)
	SLATE_ATTRIBUTE(bool, SelectAllTextWhenFocused)
	SLATE_ATTRIBUTE(bool, RevertTextOnEscape)
	SLATE_ATTRIBUTE(bool, ClearKeyboardFocusOnCommit)
	SLATE_ATTRIBUTE(float, MinDesiredWidth)
	SLATE_ATTRIBUTE(ETextJustify::Type, Justification)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_EVENT(FOnTextChanged, OnTextChanged)
	SLATE_EVENT(FOnTextCommitted, OnTextCommitted)
	SLATE_END_ARGS()

	SEditableTextBox();
	void Construct(const FArguments& InArgs);

	void SetText(const TAttribute<FText>& InNewText) { EditableText->SetText(InNewText); }
	FText GetText() const { return EditableText->GetText(); }
	void SetHintText(const TAttribute<FText>& InHintText) { EditableText->SetHintText(InHintText); }
	FText GetHintText() const { return EditableText->GetHintText(); }
	void SetFont(const TAttribute<FSlateFontInfo>& InFont) { EditableText->SetFont(InFont); }
	void SetStyle(const FEditableTextBoxStyle* InStyle);
	void SelectAllText() { EditableText->SelectAllText(); }
	void ClearSelection() { EditableText->ClearSelection(); }
	const TSharedPtr<SEditableText>& GetEditableText() const { return EditableText; }

	// Focus is the text's: the box has it when its text has it.
	bool SupportsKeyboardFocus() const override { return EditableText->SupportsKeyboardFocus(); }
	bool HasKeyboardFocus() const override;
	FReply OnFocusReceived(const FGeometry& MyGeometry, const FFocusEvent& InFocusEvent) override;

protected:
	const FSlateBrush* GetBorderImage() const;
	FSlateColor DetermineForegroundColor() const;

	const FEditableTextBoxStyle* Style = nullptr;
	TSharedPtr<SEditableText> EditableText;
	TSharedPtr<SHorizontalBox> Box;
	TAttribute<FSlateColor> ForegroundColorOverride;
	TAttribute<FSlateColor> FocusedForegroundColorOverride;
	TAttribute<bool> ReadOnly;
};
