#include "Widgets/Input/SComboButton.h"

#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"

void SComboButton::Construct(const FArguments& InArgs)
{
	Style = InArgs._ComboButtonStyle != nullptr ? InArgs._ComboButtonStyle : &FComboButtonStyle::GetDefault();
	bIsFocusable = InArgs._IsFocusable;
	OnComboBoxOpened = InArgs._OnComboBoxOpened;
	const FButtonStyle* ButtonStyle = InArgs._ButtonStyle != nullptr ? InArgs._ButtonStyle : &Style->ButtonStyle;
	const FMargin& ArrowPadding = Style->DownArrowPadding;
	SMenuAnchor::Construct(SMenuAnchor::FArguments()
		.Placement(InArgs._MenuPlacement)
		.OnMenuOpenChanged(InArgs._OnMenuOpenChanged)
		.OnGetMenuContent(InArgs._OnGetMenuContent)
		[
			SAssignNew(Button, SButton)
			.ButtonStyle(ButtonStyle)
			.ClickMethod(InArgs._ClickMethod)
			.OnClicked(this, &SComboButton::OnButtonClicked)
			.ContentPadding(InArgs._ContentPadding.IsSet() ? InArgs._ContentPadding : TAttribute<FMargin>(Style->ContentPadding))
			.ForegroundColor(InArgs._ForegroundColor)
			.ButtonColorAndOpacity(InArgs._ButtonColorAndOpacity)
			.IsFocusable(InArgs._IsFocusable)
			[
				// The button's content, then the down arrow on the right.
				SNew(SHorizontalBox)
				+ SHorizontalBox::Slot().FillWidth(1).HAlign(InArgs._HAlign).VAlign(InArgs._VAlign)
				[
					SAssignNew(ButtonContentBox, SBox)[InArgs._ButtonContent.Widget]
				]
				+ SHorizontalBox::Slot().AutoWidth().HAlign(HAlign_Center).VAlign(Style->DownArrowAlign).Padding(InArgs._HasDownArrow ? ArrowPadding : FMargin(0))
				[
					SNew(SImage)
					.Visibility(InArgs._HasDownArrow ? EVisibility::Visible : EVisibility::Collapsed)
					.Image(&Style->DownArrowImage)
					.ColorAndOpacity(FSlateColor::UseForeground())
				]
			]
		]);
	if (InArgs._MenuContent.Widget != SNullWidget::NullWidget)
	{
		SetMenuContent(InArgs._MenuContent.Widget);
	}
}

void SComboButton::SetButtonContent(TSharedRef<SWidget> InButtonContent)
{
	ButtonContentBox->SetContent(InButtonContent);
}

TSharedRef<SWidget> SComboButton::WrapMenuContent(const TSharedRef<SWidget>& InContent) const
{
	return SNew(SBorder).BorderImage(&Style->MenuBorderBrush).Padding(Style->MenuBorderPadding)[InContent];
}

// A click opens the menu, unless that same click has just closed it; the menu then takes
// keyboard focus.
FReply SComboButton::OnButtonClicked()
{
	SetIsOpen(ShouldOpenDueToClick(), false);
	FReply Reply = FReply::Handled();
	if (IsOpen())
	{
		OnComboBoxOpened.ExecuteIfBound();
		const TSharedPtr<SWidget> Focus = WidgetToFocus.IsValid() ? WidgetToFocus.Pin() : GetOpenedContent();
		if (bIsFocusable && Focus.IsValid())
		{
			Reply.SetUserFocus(Focus.ToSharedRef(), EFocusCause::SetDirectly);
		}
	}
	return Reply;
}
