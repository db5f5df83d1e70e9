#pragma once

#include "CoreTypes.h"
#include "Framework/SlateDelegates.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Input/SEditableTextBox.h"

// A text box for a search: a magnifying glass, the hint "Search" until told otherwise, and a
// button that clears the text once there is some.
class SSearchBox : public SEditableTextBox
{
public:
	enum SearchDirection
	{
		Previous,
		Next,
	};
	DECLARE_DELEGATE_OneParam(FOnSearch, SSearchBox::SearchDirection);

	SLATE_BEGIN_ARGS(SSearchBox)
		: _Style(&FCoreStyle::Get().GetWidgetStyle<FSearchBoxStyle>("SearchBox")), _HintText(FText::FromString(TEXT("Search"))), _InitialText(),
		  _IsSearching(false), _SelectAllTextWhenFocused(true), _MinDesiredWidth(0.0f), _DelayChangeNotificationsWhileTyping(false),
		  _DelayChangeNotificationsWhileTypingSeconds(0.25f)
	{
	}
	SLATE_STYLE_ARGUMENT(FSearchBoxStyle, Style)
	SLATE_ATTRIBUTE(FText, HintText)
	SLATE_ATTRIBUTE(FText, InitialText)
	SLATE_EVENT(FOnTextChanged, OnTextChanged)
	SLATE_EVENT(FOnTextCommitted, OnTextCommitted)
	SLATE_EVENT(FOnSearch, OnSearch)
	SLATE_ATTRIBUTE(bool, IsSearching)
	SLATE_ATTRIBUTE(bool, SelectAllTextWhenFocused)
	SLATE_ATTRIBUTE(float, MinDesiredWidth)
	SLATE_ATTRIBUTE(bool, DelayChangeNotificationsWhileTyping)
	SLATE_ATTRIBUTE(float, DelayChangeNotificationsWhileTypingSeconds)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	void Tick(const FGeometry& AllottedGeometry, const double InCurrentTime, const float InDeltaTime) override;

private:
	void HandleTextChanged(const FText& NewText);
	void HandleTextCommitted(const FText& NewText, ETextCommit::Type CommitType);
	FReply OnClearSearch();
	EVisibility GetClearButtonVisibility() const;

	FOnTextChanged OnTextChangedDelegate;
	FOnTextCommitted OnTextCommittedDelegate;
	TAttribute<bool> DelayChangeNotificationsWhileTyping;
	TAttribute<float> DelayChangeNotificationsWhileTypingSeconds;
	// A change held back while the user types, and when it was typed.
	TOptional<FText> PendingChange;
	double LastTypingTime = 0;
};
