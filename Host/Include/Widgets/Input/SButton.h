#pragma once

#include "CoreTypes.h"
#include "Framework/SlateDelegates.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"

// A clickable border: its brush shows whether it is hovered, pressed or disabled; a click is
// a press and a release over it (by default), and runs OnClicked.
class SButton : public SBorder
{
public:
	SLATE_BEGIN_ARGS(SButton)
		: _Content(), _ButtonStyle(&FCoreStyle::Get().GetWidgetStyle<FButtonStyle>("Button")),
		  _TextStyle(&FCoreStyle::Get().GetWidgetStyle<FTextBlockStyle>("ButtonText")), _HAlign(HAlign_Fill), _VAlign(VAlign_Fill),
		  _ContentPadding(FMargin(4.0, 2.0)), _Text(), _ClickMethod(EButtonClickMethod::DownAndUp), _TouchMethod(EButtonTouchMethod::DownAndUp),
		  _PressMethod(EButtonPressMethod::DownAndUp), _DesiredSizeScale(FVector2D(1, 1)), _ContentScale(FVector2D(1, 1)),
		  _ButtonColorAndOpacity(FLinearColor::White), _ForegroundColor(FSlateColor::UseStyle()), _IsFocusable(true)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_STYLE_ARGUMENT(FButtonStyle, ButtonStyle)
	SLATE_STYLE_ARGUMENT(FTextBlockStyle, TextStyle)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, ContentPadding)
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_EVENT(FOnClicked, OnClicked)
	SLATE_EVENT(FSimpleDelegate, OnPressed)
	SLATE_EVENT(FSimpleDelegate, OnReleased)
	SLATE_EVENT(FSimpleDelegate, OnHovered)
	SLATE_EVENT(FSimpleDelegate, OnUnhovered)
	SLATE_ARGUMENT(EButtonClickMethod::Type, ClickMethod)
	SLATE_ARGUMENT(EButtonTouchMethod::Type, TouchMethod)
	SLATE_ARGUMENT(EButtonPressMethod::Type, PressMethod)
	SLATE_ATTRIBUTE(FVector2D, DesiredSizeScale)
	SLATE_ATTRIBUTE(FVector2D, ContentScale)
	SLATE_ATTRIBUTE(FSlateColor, ButtonColorAndOpacity)
	SLATE_ATTRIBUTE(FSlateColor, ForegroundColor)
	SLATE_ARGUMENT(bool, IsFocusable)
	SLATE_END_ARGS()

	SButton();
	void Construct(const FArguments& InArgs);

	bool IsPressed() const { return bIsPressed; }
	void SetOnClicked(FOnClicked InOnClicked) { OnClicked = InOnClicked; }
	void SetOnHovered(FSimpleDelegate InOnHovered) { OnHovered = InOnHovered; }
	void SetOnUnhovered(FSimpleDelegate InOnUnhovered) { OnUnhovered = InOnUnhovered; }
	void SetButtonStyle(const FButtonStyle* InButtonStyle);
	void SetContentPadding(TAttribute<FMargin> InContentPadding) { ContentPadding = std::move(InContentPadding); }
	void SetClickMethod(EButtonClickMethod::Type InClickMethod) { ClickMethod = InClickMethod; }

	bool SupportsKeyboardFocus() const override { return bIsFocusable; }
	bool IsInteractable() const override { return IsEnabled(); }
	void OnFocusLost(const FFocusEvent& InFocusEvent) override;
	FReply OnKeyDown(const FGeometry& MyGeometry, const FKeyEvent& InKeyEvent) override;
	FReply OnKeyUp(const FGeometry& MyGeometry, const FKeyEvent& InKeyEvent) override;
	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseButtonUp(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	void OnMouseEnter(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	void OnMouseLeave(const FPointerEvent& MouseEvent) override;
	void OnMouseCaptureLost(const FCaptureLostEvent& CaptureLostEvent) override;

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

	FReply ExecuteOnClick();
	void Press();
	void Release();
	const FSlateBrush* GetBorder() const;
	FMargin GetCombinedPadding() const;
	FSlateColor GetForegroundFromStyle() const;

private:
	const FButtonStyle* Style = nullptr;
	TAttribute<FMargin> ContentPadding;
	TAttribute<FSlateColor> ForegroundColorArgument;
	FOnClicked OnClicked;
	FSimpleDelegate OnPressed;
	FSimpleDelegate OnReleased;
	FSimpleDelegate OnHovered;
	FSimpleDelegate OnUnhovered;
	EButtonClickMethod::Type ClickMethod = EButtonClickMethod::DownAndUp;
	bool bIsFocusable = true;
	bool bIsPressed = false;
};
