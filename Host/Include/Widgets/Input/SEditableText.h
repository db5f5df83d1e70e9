#pragma once

#include "CoreTypes.h"
#include "Framework/SlateDelegates.h"
#include "Framework/Text/TextLayout.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

// One line of text the user edits: typed characters, Backspace and Delete, the caret moved
// with Left, Right, Home and End or a click, Enter to commit. While empty it shows its hint.
class SEditableText : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(SEditableText)
		: _Text(), _HintText(), _Style(&FCoreStyle::Get().GetWidgetStyle<FEditableTextStyle>("NormalEditableText")), _Font(), _ColorAndOpacity(),
		  _IsReadOnly(false), _IsPassword(false), _IsCaretMovedWhenGainFocus(true), _SelectAllTextWhenFocused(false), _RevertTextOnEscape(false),
		  _ClearKeyboardFocusOnCommit(true), _MinDesiredWidth(0.0f), _Justification(ETextJustify::Left)
	{
	}
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_ATTRIBUTE(FText, HintText)
	SLATE_STYLE_ARGUMENT(FEditableTextStyle, Style)
	SLATE_ATTRIBUTE(FSlateFontInfo, Font)
	SLATE_ATTRIBUTE(FSlateColor, ColorAndOpacity)
	SLATE_ATTRIBUTE(bool, IsReadOnly)
	SLATE_ATTRIBUTE(bool, IsPassword)
	SLATE_ATTRIBUTE(bool, IsCaretMovedWhenGainFocus)
	SLATE_ATTRIBUTE(bool, SelectAllTextWhenFocused)
	SLATE_ATTRIBUTE(bool, RevertTextOnEscape)
	SLATE_ATTRIBUTE(bool, ClearKeyboardFocusOnCommit)
	SLATE_ATTRIBUTE(float, MinDesiredWidth)
	SLATE_ATTRIBUTE(ETextJustify::Type, Justification)
	SLATE_EVENT(FOnTextChanged, OnTextChanged)
	SLATE_EVENT(FOnTextCommitted, OnTextCommitted)
	SLATE_END_ARGS()

	SEditableText();
	~SEditableText() override;
	void Construct(const FArguments& InArgs);

	void SetText(const TAttribute<FText>& InNewText);
	FText GetText() const { return FText::FromString(EditedText); }
	void SetHintText(const TAttribute<FText>& InHintText) { HintText = InHintText; }
	FText GetHintText() const { return HintText.Get(FText()); }
	void SetFont(const TAttribute<FSlateFontInfo>& InNewFont) { Font = InNewFont; }
	void SetColorAndOpacity(TAttribute<FSlateColor> InColor) { ColorAndOpacity = std::move(InColor); }
	void SelectAllText();
	void ClearSelection() { SelectionAnchor = INDEX_NONE; }
	bool AnyTextSelected() const { return SelectionAnchor != INDEX_NONE && SelectionAnchor != CaretIndex; }
	// Where the caret stands, as a character index into the text.
	int32 GetCaretIndex() const { return CaretIndex; }
	void GoTo(int32 InCharacterIndex);

	bool SupportsKeyboardFocus() const override { return true; }
	FReply OnFocusReceived(const FGeometry& MyGeometry, const FFocusEvent& InFocusEvent) override;
	void OnFocusLost(const FFocusEvent& InFocusEvent) override;
	FReply OnKeyChar(const FGeometry& MyGeometry, const FCharacterEvent& InCharacterEvent) override;
	FReply OnKeyDown(const FGeometry& MyGeometry, const FKeyEvent& InKeyEvent) override;
	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

private:
	FSlateFontInfo GetFont() const { return Font.IsSet() ? Font.Get() : Style->Font; }
	bool IsReadOnly() const { return IsReadOnlyAttribute.Get(false); }
	// Replaces the selection (or inserts at the caret) and reports the change.
	void InsertText(const FString& Inserted);
	void DeleteRange(int32 Start, int32 End);
	void Commit(ETextCommit::Type CommitType);

	const FEditableTextStyle* Style = nullptr;
	FString EditedText;
	FString TextAtFocus;
	TAttribute<FText> HintText;
	TAttribute<FSlateFontInfo> Font;
	TAttribute<FSlateColor> ColorAndOpacity;
	TAttribute<bool> IsReadOnlyAttribute;
	TAttribute<bool> SelectAllTextWhenFocused;
	TAttribute<bool> RevertTextOnEscape;
	TAttribute<bool> ClearKeyboardFocusOnCommit;
	TAttribute<float> MinDesiredWidth;
	TAttribute<ETextJustify::Type> Justification;
	FOnTextChanged OnTextChanged;
	FOnTextCommitted OnTextCommitted;
	int32 CaretIndex = 0;
	int32 SelectionAnchor = INDEX_NONE;
};
