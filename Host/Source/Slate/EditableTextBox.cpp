#include "Widgets/Input/SEditableTextBox.h"

#include "Widgets/SBoxPanel.h"

SEditableTextBox::SEditableTextBox() = default;

void SEditableTextBox::Construct(const FArguments& InArgs)
{
	Style = InArgs._Style != nullptr ? InArgs._Style : &FEditableTextBoxStyle::GetDefault();
	ForegroundColorOverride = InArgs._ForegroundColor;
	FocusedForegroundColorOverride = InArgs._FocusedForegroundColor;
	ReadOnly = InArgs._IsReadOnly;
	SBorder::Construct(SBorder::FArguments()
		.BorderImage(this, &SEditableTextBox::GetBorderImage)
		.BorderBackgroundColor(Style->BackgroundColor)
		.ForegroundColor(this, &SEditableTextBox::DetermineForegroundColor)
		.Padding(InArgs._Padding.IsSet() ? InArgs._Padding : TAttribute<FMargin>(Style->Padding))
		[
			SAssignNew(Box, SHorizontalBox)
			+ SHorizontalBox::Slot().FillWidth(1).VAlign(VAlign_Center)
			[
				SAssignNew(EditableText, SEditableText)
				.Text(InArgs._Text)
				.HintText(InArgs._HintText)
				.Font(InArgs._Font.IsSet() ? InArgs._Font : TAttribute<FSlateFontInfo>(Style->Font))
				.ColorAndOpacity(FSlateColor::UseForeground())
				.IsReadOnly(InArgs._IsReadOnly)
				.SelectAllTextWhenFocused(InArgs._SelectAllTextWhenFocused)
				.RevertTextOnEscape(InArgs._RevertTextOnEscape)
				.ClearKeyboardFocusOnCommit(InArgs._ClearKeyboardFocusOnCommit)
				.MinDesiredWidth(InArgs._MinDesiredWidth)
				.Justification(InArgs._Justification)
				.OnTextChanged(InArgs._OnTextChanged)
				.OnTextCommitted(InArgs._OnTextCommitted)
			]
		]);
}

void SEditableTextBox::SetStyle(const FEditableTextBoxStyle* InStyle)
{
	Style = InStyle != nullptr ? InStyle : &FEditableTextBoxStyle::GetDefault();
	SetBorderBackgroundColor(Style->BackgroundColor);
	SetPadding(Style->Padding);
}

bool SEditableTextBox::HasKeyboardFocus() const
{
	return SBorder::HasKeyboardFocus() || EditableText->HasKeyboardFocus();
}

FReply SEditableTextBox::OnFocusReceived(const FGeometry&, const FFocusEvent& InFocusEvent)
{
	FReply Reply = FReply::Handled();
	if (InFocusEvent.GetCause() != EFocusCause::Cleared)
	{
		Reply.SetUserFocus(EditableText.ToSharedRef(), InFocusEvent.GetCause());
	}
	return Reply;
}

const FSlateBrush* SEditableTextBox::GetBorderImage() const
{
	if (ReadOnly.Get(false))
	{
		return &Style->BackgroundImageReadOnly;
	}
	if (EditableText->HasKeyboardFocus())
	{
		return &Style->BackgroundImageFocused;
	}
	return EditableText->IsHovered() || IsHovered() ? &Style->BackgroundImageHovered : &Style->BackgroundImageNormal;
}

FSlateColor SEditableTextBox::DetermineForegroundColor() const
{
	if (ReadOnly.Get(false))
	{
		return Style->ReadOnlyForegroundColor;
	}
	if (EditableText->HasKeyboardFocus())
	{
		return FocusedForegroundColorOverride.IsSet() ? FocusedForegroundColorOverride.Get() : Style->FocusedForegroundColor;
	}
	return ForegroundColorOverride.IsSet() ? ForegroundColorOverride.Get() : Style->ForegroundColor;
}
