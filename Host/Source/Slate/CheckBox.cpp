#include "Widgets/Input/SCheckBox.h"

#include "Widgets/Images/SImage.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SOverlay.h"

void SCheckBox::Construct(const FArguments& InArgs)
{
	SetStyle(InArgs._Style);
	IsCheckboxChecked = InArgs._IsChecked;
	OnCheckStateChanged = InArgs._OnCheckStateChanged;
	ForegroundColorOverride = InArgs._ForegroundColor;
	ClickMethod = InArgs._ClickMethod;
	bIsFocusable = InArgs._IsFocusable;
	SetForegroundColor(TAttribute<FSlateColor>(this, &SCheckBox::GetStateForeground));
	const TAttribute<FMargin> Padding = InArgs._Padding.IsSet() ? InArgs._Padding : TAttribute<FMargin>(Style->Padding);
	const ESlateCheckBoxType::Type Type = InArgs._Type.IsSet() ? InArgs._Type.GetValue() : Style->CheckBoxType;
	if (Type == ESlateCheckBoxType::ToggleButton)
	{
		ChildSlot
		[
			SNew(SBorder)
			.BorderImage(this, &SCheckBox::GetToggleImage)
			.Padding(Padding)
			.HAlign(InArgs._HAlign)
			[
				InArgs._Content.Widget
			]
		];
		return;
	}
	// The box (its background, the mark over it) and then the content.
	TSharedRef<SHorizontalBox> Row = SNew(SHorizontalBox)
		+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)
		[
			SNew(SOverlay)
			+ SOverlay::Slot()[SNew(SImage).Image(this, &SCheckBox::GetBackgroundImage)]
			+ SOverlay::Slot().HAlign(HAlign_Center).VAlign(VAlign_Center)[SNew(SImage).Image(this, &SCheckBox::GetCheckImage)]
		];
	if (InArgs._Content.Widget != SNullWidget::NullWidget)
	{
		(InArgs._CheckBoxContentUsesAutoWidth ? Row->AddSlot().AutoWidth() : Row->AddSlot().FillWidth(1))
			.VAlign(VAlign_Center)
			.HAlign(InArgs._HAlign)
			.Padding(Padding)[InArgs._Content.Widget];
	}
	ChildSlot[Row];
}

// Checked and undetermined become unchecked; unchecked becomes checked. A bound state is
// left to its owner, who hears of the click.
void SCheckBox::ToggleCheckedState()
{
	const ECheckBoxState State = IsCheckboxChecked.Get();
	const ECheckBoxState NewState = State == ECheckBoxState::Unchecked ? ECheckBoxState::Checked : ECheckBoxState::Unchecked;
	if (!IsCheckboxChecked.IsBound())
	{
		IsCheckboxChecked.Set(NewState);
	}
	OnCheckStateChanged.ExecuteIfBound(NewState);
}

FReply SCheckBox::OnMouseButtonDown(const FGeometry&, const FPointerEvent& MouseEvent)
{
	if (!IsEnabled() || MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton)
	{
		return FReply::Unhandled();
	}
	bIsPressed = true;
	if (ClickMethod == EButtonClickMethod::MouseDown)
	{
		ToggleCheckedState();
		return FReply::Handled();
	}
	return FReply::Handled().CaptureMouse(AsShared());
}

FReply SCheckBox::OnMouseButtonUp(const FGeometry&, const FPointerEvent& MouseEvent)
{
	if (MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton)
	{
		return FReply::Unhandled();
	}
	const bool bWasPressed = bIsPressed;
	bIsPressed = false;
	if (bWasPressed && IsEnabled() && IsHovered() && ClickMethod != EButtonClickMethod::MouseDown)
	{
		ToggleCheckedState();
	}
	FReply Reply = FReply::Handled();
	if (HasMouseCapture())
	{
		Reply.ReleaseMouseCapture();
	}
	return Reply;
}

void SCheckBox::OnMouseCaptureLost(const FCaptureLostEvent&)
{
	bIsPressed = false;
}

FReply SCheckBox::OnKeyUp(const FGeometry&, const FKeyEvent& InKeyEvent)
{
	if (IsEnabled() && (InKeyEvent.GetKey() == EKeys::SpaceBar || InKeyEvent.GetKey() == EKeys::Enter))
	{
		ToggleCheckedState();
		return FReply::Handled();
	}
	return FReply::Unhandled();
}

const FSlateBrush* SCheckBox::GetCheckImage() const
{
	switch (IsCheckboxChecked.Get())
	{
	case ECheckBoxState::Checked:
		return bIsPressed ? &Style->CheckedPressedImage : IsHovered() ? &Style->CheckedHoveredImage : &Style->CheckedImage;
	case ECheckBoxState::Undetermined:
		return bIsPressed ? &Style->UndeterminedPressedImage : IsHovered() ? &Style->UndeterminedHoveredImage : &Style->UndeterminedImage;
	default:
		return bIsPressed ? &Style->UncheckedPressedImage : IsHovered() ? &Style->UncheckedHoveredImage : &Style->UncheckedImage;
	}
}

const FSlateBrush* SCheckBox::GetBackgroundImage() const
{
	return bIsPressed ? &Style->BackgroundPressedImage : IsHovered() ? &Style->BackgroundHoveredImage : &Style->BackgroundImage;
}

// A toggle button shows its state with the images a check box uses for its mark.
const FSlateBrush* SCheckBox::GetToggleImage() const
{
	return GetCheckImage();
}

FSlateColor SCheckBox::GetStateForeground() const
{
	if (ForegroundColorOverride.IsSet())
	{
		return ForegroundColorOverride.Get();
	}
	if (IsCheckboxChecked.Get() == ECheckBoxState::Checked)
	{
		return bIsPressed ? Style->CheckedPressedForeground : IsHovered() ? Style->CheckedHoveredForeground : Style->CheckedForeground;
	}
	return bIsPressed ? Style->PressedForeground : IsHovered() ? Style->HoveredForeground : Style->ForegroundColor;
}
