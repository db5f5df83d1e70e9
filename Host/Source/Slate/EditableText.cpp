#include "Widgets/Input/SEditableText.h"

#include "SlateCore/ColorMath.h"
#include "SlateCore/Text/ShapedText.h"

namespace
{
	TSharedRef<const FShapedText> ShapeLine(const FString& Text, const FSlateFontInfo& Font)
	{
		FShapedText::FRequest Request;
		Request.Text = Text;
		Request.Font = Font;
		return FShapedText::Shape(Request);
	}

	// The caret's width in Slate units.
	constexpr float CaretWidth = 2.0f;
}

SEditableText::SEditableText() = default;

SEditableText::~SEditableText() = default;

void SEditableText::Construct(const FArguments& InArgs)
{
	Style = InArgs._Style != nullptr ? InArgs._Style : &FEditableTextStyle::GetDefault();
	EditedText = InArgs._Text.Get(FText()).ToString();
	CaretIndex = EditedText.Len();
	HintText = InArgs._HintText;
	Font = InArgs._Font;
	ColorAndOpacity = InArgs._ColorAndOpacity;
	IsReadOnlyAttribute = InArgs._IsReadOnly;
	SelectAllTextWhenFocused = InArgs._SelectAllTextWhenFocused;
	RevertTextOnEscape = InArgs._RevertTextOnEscape;
	ClearKeyboardFocusOnCommit = InArgs._ClearKeyboardFocusOnCommit;
	MinDesiredWidth = InArgs._MinDesiredWidth;
	Justification = InArgs._Justification;
	OnTextChanged = InArgs._OnTextChanged;
	OnTextCommitted = InArgs._OnTextCommitted;
}

void SEditableText::SetText(const TAttribute<FText>& InNewText)
{
	const FString NewText = InNewText.Get(FText()).ToString();
	if (!NewText.Equals(EditedText, ESearchCase::CaseSensitive))
	{
		EditedText = NewText;
		CaretIndex = EditedText.Len();
		ClearSelection();
	}
}

void SEditableText::SelectAllText()
{
	SelectionAnchor = 0;
	CaretIndex = EditedText.Len();
}

void SEditableText::GoTo(int32 InCharacterIndex)
{
	CaretIndex = FMath::Clamp(InCharacterIndex, 0, EditedText.Len());
	ClearSelection();
}

void SEditableText::InsertText(const FString& Inserted)
{
	if (AnyTextSelected())
	{
		DeleteRange(FMath::Min(SelectionAnchor, CaretIndex), FMath::Max(SelectionAnchor, CaretIndex));
	}
	EditedText = EditedText.Left(CaretIndex) + Inserted + EditedText.Mid(CaretIndex);
	CaretIndex += Inserted.Len();
	ClearSelection();
	OnTextChanged.ExecuteIfBound(GetText());
}

void SEditableText::DeleteRange(int32 Start, int32 End)
{
	EditedText = EditedText.Left(Start) + EditedText.Mid(End);
	CaretIndex = Start;
	ClearSelection();
}

void SEditableText::Commit(ETextCommit::Type CommitType)
{
	OnTextCommitted.ExecuteIfBound(GetText(), CommitType);
}

// Focus by mouse or keyboard, or given in code: with "select all when focused" the whole
// text is selected, the caret at its end.
FReply SEditableText::OnFocusReceived(const FGeometry&, const FFocusEvent&)
{
	TextAtFocus = EditedText;
	if (SelectAllTextWhenFocused.Get(false))
	{
		SelectAllText();
	}
	return FReply::Handled();
}

// Losing focus commits the text: moved away by the user, cleared, or otherwise.
void SEditableText::OnFocusLost(const FFocusEvent& InFocusEvent)
{
	ClearSelection();
	switch (InFocusEvent.GetCause())
	{
	case EFocusCause::Mouse:
	case EFocusCause::Navigation:
		Commit(ETextCommit::OnUserMovedFocus);
		break;
	case EFocusCause::Cleared:
		Commit(ETextCommit::OnCleared);
		break;
	default:
		Commit(ETextCommit::Default);
		break;
	}
}

FReply SEditableText::OnKeyChar(const FGeometry&, const FCharacterEvent& InCharacterEvent)
{
	const TCHAR Character = InCharacterEvent.GetCharacter();
	// Control characters are keys (Enter, Backspace, Tab), handled when they go down.
	if (Character < 0x20 || Character == 0x7F)
	{
		return FReply::Unhandled();
	}
	if (!IsReadOnly())
	{
		InsertText(FString::Chr(Character));
	}
	return FReply::Handled();
}

FReply SEditableText::OnKeyDown(const FGeometry&, const FKeyEvent& InKeyEvent)
{
	const FKey Key = InKeyEvent.GetKey();
	const bool bSelection = AnyTextSelected();
	const int32 SelectionStart = bSelection ? FMath::Min(SelectionAnchor, CaretIndex) : CaretIndex;
	const int32 SelectionEnd = bSelection ? FMath::Max(SelectionAnchor, CaretIndex) : CaretIndex;
	if (Key == EKeys::Left)
	{
		GoTo(bSelection ? SelectionStart : CaretIndex - 1);
	}
	else if (Key == EKeys::Right)
	{
		GoTo(bSelection ? SelectionEnd : CaretIndex + 1);
	}
	else if (Key == EKeys::Home)
	{
		GoTo(0);
	}
	else if (Key == EKeys::End)
	{
		GoTo(EditedText.Len());
	}
	else if (Key == EKeys::A && InKeyEvent.IsControlDown())
	{
		SelectAllText();
	}
	else if ((Key == EKeys::BackSpace || Key == EKeys::Delete) && !IsReadOnly())
	{
		const int32 Start = bSelection ? SelectionStart : (Key == EKeys::BackSpace ? CaretIndex - 1 : CaretIndex);
		const int32 End = bSelection ? SelectionEnd : (Key == EKeys::BackSpace ? CaretIndex : CaretIndex + 1);
		if (Start >= 0 && End <= EditedText.Len() && Start < End)
		{
			DeleteRange(Start, End);
			OnTextChanged.ExecuteIfBound(GetText());
		}
	}
	else if (Key == EKeys::Enter)
	{
		Commit(ETextCommit::OnEnter);
		return ClearKeyboardFocusOnCommit.Get(true) ? FReply::Handled().ClearUserFocus(EFocusCause::Cleared) : FReply::Handled();
	}
	else if (Key == EKeys::Escape && RevertTextOnEscape.Get(false))
	{
		EditedText = TextAtFocus;
		GoTo(EditedText.Len());
		OnTextChanged.ExecuteIfBound(GetText());
	}
	else
	{
		return FReply::Unhandled();
	}
	return FReply::Handled();
}

// A click puts the caret where it lands (focus, which the click also gives, may then
// select everything).
FReply SEditableText::OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	if (MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton)
	{
		return FReply::Unhandled();
	}
	const FVector2D Local = MyGeometry.AbsoluteToLocal(MouseEvent.GetScreenSpacePosition());
	GoTo(ShapeLine(EditedText, GetFont())->FindCaretIndexAt(Local));
	return FReply::Handled();
}

// As wide as the text or the hint, whichever is wider, with room for the caret.
FVector2D SEditableText::ComputeDesiredSize(float) const
{
	const FVector2D TextSize = ShapeLine(EditedText, GetFont())->GetSize();
	const FVector2D HintSize = ShapeLine(HintText.Get(FText()).ToString(), GetFont())->GetSize();
	const double Width = FMath::Max(TextSize.X, HintSize.X) + CaretWidth;
	return FVector2D(FMath::Max(double(MinDesiredWidth.Get(0.0f)), Width), FMath::Max(TextSize.Y, HintSize.Y));
}

int32 SEditableText::OnPaint(const FPaintArgs&, const FGeometry& AllottedGeometry, const FSlateRect&, FSlateWindowElementList& OutDrawElements, int32 LayerId,
	const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const ESlateDrawEffect DrawEffects = ShouldBeEnabled(bParentEnabled) ? ESlateDrawEffect::None : ESlateDrawEffect::DisabledEffect;
	const FLinearColor Inherited = InWidgetStyle.GetColorAndOpacityTint();
	const TSharedRef<const FShapedText> Shaped = ShapeLine(EditedText, GetFont());
	const float LineHeight = Shaped->GetLineHeight();
	const float Slack = float(AllottedGeometry.GetLocalSize().X) - float(Shaped->GetSize().X) - CaretWidth;
	const ETextJustify::Type Justify = Justification.Get(ETextJustify::Left);
	const float TextLeft = Justify == ETextJustify::Center ? Slack * 0.5f : Justify == ETextJustify::Right ? Slack : 0.0f;

	if (AnyTextSelected())
	{
		const float From = float(Shaped->GetCaretPosition(FMath::Min(SelectionAnchor, CaretIndex)).X);
		const float To = float(Shaped->GetCaretPosition(FMath::Max(SelectionAnchor, CaretIndex)).X);
		FSlateDrawElement::MakeBox(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(FVector2D(TextLeft + From, 0), FVector2D(To - From, LineHeight)),
			&Style->BackgroundImageSelected, DrawEffects, UE::Slate::Modulate(Style->BackgroundImageSelected.GetTint(InWidgetStyle), Inherited));
	}
	if (EditedText.IsEmpty())
	{
		// The hint takes the foreground at low opacity.
		const FString Hint = HintText.Get(FText()).ToString();
		if (!Hint.IsEmpty())
		{
			FSlateDrawElement::MakeShapedText(OutDrawElements, LayerId + 1, AllottedGeometry.ToPaintGeometry(FVector2D(TextLeft, 0), Shaped->GetSize()),
				ShapeLine(Hint, GetFont()), DrawEffects, UE::Slate::Modulate(InWidgetStyle.GetSubduedForegroundColor(), Inherited));
		}
	}
	else
	{
		const FSlateColor Color = ColorAndOpacity.IsSet() ? ColorAndOpacity.Get() : Style->ColorAndOpacity;
		FSlateDrawElement::MakeShapedText(OutDrawElements, LayerId + 1, AllottedGeometry.ToPaintGeometry(FVector2D(TextLeft, 0), Shaped->GetSize()), Shaped,
			DrawEffects, UE::Slate::Modulate(Color.GetColor(InWidgetStyle), Inherited));
	}
	// The caret shows while the text has keyboard focus (steadily: it does not blink here).
	if (HasKeyboardFocus())
	{
		const float CaretX = TextLeft + float(Shaped->GetCaretPosition(CaretIndex).X);
		FSlateDrawElement::MakeBox(OutDrawElements, LayerId + 2, AllottedGeometry.ToPaintGeometry(FVector2D(CaretX, 0), FVector2D(CaretWidth, LineHeight)),
			&Style->CaretImage, DrawEffects, UE::Slate::Modulate(Style->CaretImage.GetTint(InWidgetStyle), Inherited));
	}
	return LayerId + 2;
}
