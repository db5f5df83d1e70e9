#pragma once

#include "CoreTypes.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Input/SMenuAnchor.h"

class SButton;

// A button with a down arrow that opens a menu below itself; a second click closes it.
class SComboButton : public SMenuAnchor
{
public:
	SLATE_BEGIN_ARGS(SComboButton)
		: _ComboButtonStyle(&FCoreStyle::Get().GetWidgetStyle<FComboButtonStyle>("ComboButton")), _ButtonStyle(nullptr), _ButtonContent(),
		  _MenuContent(), _IsFocusable(true), _HasDownArrow(true), _ForegroundColor(FSlateColor::UseStyle()), _ButtonColorAndOpacity(FLinearColor::White),
		  _ContentPadding(), _MenuPlacement(MenuPlacement_ComboBox), _HAlign(HAlign_Fill), _VAlign(VAlign_Center), _ClickMethod(EButtonClickMethod::DownAndUp)
	{
	}
	SLATE_STYLE_ARGUMENT(FComboButtonStyle, ComboButtonStyle)
	SLATE_STYLE_ARGUMENT(FButtonStyle, ButtonStyle)
	SLATE_NAMED_SLOT(FArguments, ButtonContent)
	SLATE_NAMED_SLOT(FArguments, MenuContent)
	SLATE_EVENT(FOnGetContent, OnGetMenuContent)
	SLATE_EVENT(FOnIsOpenChanged, OnMenuOpenChanged)
	SLATE_EVENT(FSimpleDelegate, OnComboBoxOpened)
	SLATE_ARGUMENT(bool, IsFocusable)
	SLATE_ARGUMENT(bool, HasDownArrow)
	SLATE_ATTRIBUTE(FSlateColor, ForegroundColor)
	SLATE_ATTRIBUTE(FSlateColor, ButtonColorAndOpacity)
	SLATE_ATTRIBUTE(FMargin, ContentPadding)
	SLATE_ATTRIBUTE(EMenuPlacement, MenuPlacement)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ARGUMENT(EButtonClickMethod::Type, ClickMethod)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	void SetButtonContent(TSharedRef<SWidget> InButtonContent);
	void SetMenuContentWidgetToFocus(TWeakPtr<SWidget> InWidget) { WidgetToFocus = InWidget; }
	const TSharedPtr<SButton>& GetButton() const { return Button; }

protected:
	TSharedRef<SWidget> WrapMenuContent(const TSharedRef<SWidget>& InContent) const override;
	FReply OnButtonClicked();

	const FComboButtonStyle* Style = nullptr;
	TSharedPtr<SButton> Button;
	TSharedPtr<class SBox> ButtonContentBox;
	TWeakPtr<SWidget> WidgetToFocus;
	FSimpleDelegate OnComboBoxOpened;
	bool bIsFocusable = true;
};
