#include "Widgets/Input/SSearchBox.h"

#include "Framework/Application/SlateApplication.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/SBoxPanel.h"

void SSearchBox::Construct(const FArguments& InArgs)
{
	const FSearchBoxStyle* SearchStyle = InArgs._Style != nullptr ? InArgs._Style : &FSearchBoxStyle::GetDefault();
	OnTextChangedDelegate = InArgs._OnTextChanged;
	OnTextCommittedDelegate = InArgs._OnTextCommitted;
	DelayChangeNotificationsWhileTyping = InArgs._DelayChangeNotificationsWhileTyping;
	DelayChangeNotificationsWhileTypingSeconds = InArgs._DelayChangeNotificationsWhileTypingSeconds;
	SEditableTextBox::Construct(SEditableTextBox::FArguments()
		.Style(&SearchStyle->TextBoxStyle)
		.Font(SearchStyle->ActiveFontInfo)
		.HintText(InArgs._HintText)
		.Text(InArgs._InitialText)
		.SelectAllTextWhenFocused(InArgs._SelectAllTextWhenFocused)
		.MinDesiredWidth(InArgs._MinDesiredWidth)
		.OnTextChanged(this, &SSearchBox::HandleTextChanged)
		.OnTextCommitted(this, &SSearchBox::HandleTextCommitted));

	// The glass before the text, the clear button after it.
	Box->InsertSlot(0).AutoWidth().VAlign(VAlign_Center).Padding(SearchStyle->ImagePadding)
	[
		SNew(SImage).Image(&SearchStyle->GlassImage).ColorAndOpacity(FSlateColor::UseForeground())
	];
	Box->AddSlot().AutoWidth().VAlign(VAlign_Center).Padding(SearchStyle->ImagePadding)
	[
		SNew(SButton)
		.ButtonStyle(FCoreStyle::Get(), "NoBorder")
		.ContentPadding(0)
		.Visibility(this, &SSearchBox::GetClearButtonVisibility)
		.OnClicked(this, &SSearchBox::OnClearSearch)
		.IsFocusable(false)
		[
			SNew(SImage).Image(&SearchStyle->ClearImage).ColorAndOpacity(FSlateColor::UseForeground())
		]
	];
}

// With notifications delayed, a change is reported once typing has paused.
void SSearchBox::Tick(const FGeometry&, const double InCurrentTime, const float)
{
	if (PendingChange.IsSet() && InCurrentTime - LastTypingTime >= DelayChangeNotificationsWhileTypingSeconds.Get(0.25f))
	{
		const FText Change = PendingChange.GetValue();
		PendingChange.Reset();
		OnTextChangedDelegate.ExecuteIfBound(Change);
	}
}

void SSearchBox::HandleTextChanged(const FText& NewText)
{
	if (DelayChangeNotificationsWhileTyping.Get(false) && HasKeyboardFocus())
	{
		PendingChange = NewText;
		LastTypingTime = FSlateApplication::Get().GetCurrentTime();
		return;
	}
	OnTextChangedDelegate.ExecuteIfBound(NewText);
}

void SSearchBox::HandleTextCommitted(const FText& NewText, ETextCommit::Type CommitType)
{
	if (PendingChange.IsSet())
	{
		PendingChange.Reset();
		OnTextChangedDelegate.ExecuteIfBound(NewText);
	}
	OnTextCommittedDelegate.ExecuteIfBound(NewText, CommitType);
}

FReply SSearchBox::OnClearSearch()
{
	SetText(FText::GetEmpty());
	OnTextChangedDelegate.ExecuteIfBound(FText::GetEmpty());
	OnTextCommittedDelegate.ExecuteIfBound(FText::GetEmpty(), ETextCommit::OnCleared);
	return FReply::Handled();
}

EVisibility SSearchBox::GetClearButtonVisibility() const
{
	return GetText().IsEmpty() ? EVisibility::Collapsed : EVisibility::Visible;
}
