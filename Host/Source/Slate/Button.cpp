#include "Widgets/Input/SButton.h"

#include "SlateCore/ColorMath.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/Text/STextBlock.h"

SButton::SButton() = default;

void SButton::Construct(const FArguments& InArgs)
{
	// A text given instead of content becomes the button's label.
	TSharedRef<SWidget> Content = InArgs._Content.Widget;
	if (Content == SNullWidget::NullWidget && (InArgs._Text.IsBound() || !InArgs._Text.Get(FText()).IsEmpty()))
	{
		Content = SNew(STextBlock).Visibility(EVisibility::HitTestInvisible).Text(InArgs._Text).TextStyle(InArgs._TextStyle);
	}
	SBorder::Construct(SBorder::FArguments()
		.ContentScale(InArgs._ContentScale)
		.DesiredSizeScale(InArgs._DesiredSizeScale)
		.BorderBackgroundColor(InArgs._ButtonColorAndOpacity)
		.HAlign(InArgs._HAlign)
		.VAlign(InArgs._VAlign)
		.BorderImage(this, &SButton::GetBorder)
		.Padding(this, &SButton::GetCombinedPadding)
		.ShowEffectWhenDisabled(false)[Content]);
	ForegroundColorArgument = InArgs._ForegroundColor;
	SetForegroundColor(TAttribute<FSlateColor>(this, &SButton::GetForegroundFromStyle));
	ContentPadding = InArgs._ContentPadding;
	SetButtonStyle(InArgs._ButtonStyle);
	bIsFocusable = InArgs._IsFocusable;
	OnClicked = InArgs._OnClicked;
	OnPressed = InArgs._OnPressed;
	OnReleased = InArgs._OnReleased;
	OnHovered = InArgs._OnHovered;
	OnUnhovered = InArgs._OnUnhovered;
	ClickMethod = InArgs._ClickMethod;
}

void SButton::SetButtonStyle(const FButtonStyle* InButtonStyle)
{
	Style = InButtonStyle != nullptr ? InButtonStyle : &FButtonStyle::GetDefault();
}

// The brush of the state: disabled, pressed, hovered or normal.
const FSlateBrush* SButton::GetBorder() const
{
	if (!IsInteractable())
	{
		return &Style->Disabled;
	}
	if (IsPressed())
	{
		return &Style->Pressed;
	}
	return IsHovered() ? &Style->Hovered : &Style->Normal;
}

// As the engine's button: enabled is its own state and its parent's, so a button inside a
// disabled panel takes the style's disabled brush (or, when that brush draws nothing, the
// disabled effect), and its content is painted disabled too.
int32 SButton::OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
	int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const bool bEnabled = ShouldBeEnabled(bParentEnabled);
	const bool bShowDisabledEffect = Style->Disabled.DrawAs == ESlateBrushDrawType::NoDrawType;
	const FSlateBrush* Brush = !bShowDisabledEffect && !bEnabled ? &Style->Disabled : GetBorder();
	const ESlateDrawEffect DrawEffects = bShowDisabledEffect && !bEnabled ? ESlateDrawEffect::DisabledEffect : ESlateDrawEffect::None;
	if (Brush != nullptr && Brush->DrawAs != ESlateBrushDrawType::NoDrawType)
	{
		FSlateDrawElement::MakeBox(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(), Brush, DrawEffects,
			UE::Slate::Modulate(Brush->GetTint(InWidgetStyle), InWidgetStyle.GetColorAndOpacityTint(), GetBorderBackgroundColor().GetColor(InWidgetStyle)));
	}
	return SCompoundWidget::OnPaint(Args, AllottedGeometry, MyCullingRect, OutDrawElements, LayerId, InWidgetStyle, bEnabled);
}

FMargin SButton::GetCombinedPadding() const
{
	return ContentPadding.Get() + (IsPressed() ? Style->PressedPadding : Style->NormalPadding);
}

// Unless a foreground was given, the content takes the style's foreground for the state.
FSlateColor SButton::GetForegroundFromStyle() const
{
	const FSlateColor Given = ForegroundColorArgument.Get(FSlateColor::UseStyle());
	if (Given.GetColorUseRule() != ESlateColorStylingMode::UseColor_UseStyle)
	{
		return Given;
	}
	if (!IsInteractable())
	{
		return Style->DisabledForeground;
	}
	if (IsPressed())
	{
		return Style->PressedForeground;
	}
	return IsHovered() ? Style->HoveredForeground : Style->NormalForeground;
}

// A button with no content asks to be as large as its brush's image.
FVector2D SButton::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	const FVector2D Base = SBorder::ComputeDesiredSize(LayoutScaleMultiplier);
	if (GetContent() != SNullWidget::NullWidget)
	{
		return Base;
	}
	const FSlateBrush* Brush = GetBorder();
	return Brush != nullptr ? Base.ComponentMax(Brush->ImageSize) : Base;
}

FReply SButton::ExecuteOnClick()
{
	return OnClicked.IsBound() ? OnClicked.Execute() : FReply::Handled();
}

void SButton::Press()
{
	if (!bIsPressed)
	{
		bIsPressed = true;
		OnPressed.ExecuteIfBound();
	}
}

void SButton::Release()
{
	if (bIsPressed)
	{
		bIsPressed = false;
		OnReleased.ExecuteIfBound();
	}
}

FReply SButton::OnMouseButtonDown(const FGeometry&, const FPointerEvent& MouseEvent)
{
	if (!IsEnabled() || MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton)
	{
		return FReply::Unhandled();
	}
	Press();
	if (ClickMethod == EButtonClickMethod::MouseDown)
	{
		return ExecuteOnClick();
	}
	if (ClickMethod == EButtonClickMethod::PreciseClick)
	{
		return FReply::Handled();
	}
	// The release must come back here, wherever the pointer goes meanwhile.
	return FReply::Handled().CaptureMouse(AsShared());
}

// A click counts when the pointer is released over the button it was pressed on.
FReply SButton::OnMouseButtonUp(const FGeometry&, const FPointerEvent& MouseEvent)
{
	FReply Reply = FReply::Unhandled();
	const bool bMustBePressed = ClickMethod == EButtonClickMethod::DownAndUp || ClickMethod == EButtonClickMethod::PreciseClick;
	if ((!bMustBePressed || IsPressed()) && MouseEvent.GetEffectingButton() == EKeys::LeftMouseButton)
	{
		Release();
		if (IsEnabled() && ClickMethod != EButtonClickMethod::MouseDown && IsHovered()
			&& (ClickMethod == EButtonClickMethod::MouseUp || ClickMethod == EButtonClickMethod::PreciseClick || HasMouseCapture()))
		{
			Reply = ExecuteOnClick();
		}
		if (!Reply.IsEventHandled())
		{
			Reply = FReply::Handled();
		}
	}
	if (!Reply.GetMouseCaptor().IsValid() && HasMouseCapture())
	{
		Reply.ReleaseMouseCapture();
	}
	return Reply;
}

void SButton::OnMouseEnter(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent)
{
	const bool bWasHovered = IsHovered();
	SBorder::OnMouseEnter(MyGeometry, MouseEvent);
	if (!bWasHovered && IsHovered())
	{
		OnHovered.ExecuteIfBound();
	}
}

void SButton::OnMouseLeave(const FPointerEvent& MouseEvent)
{
	const bool bWasHovered = IsHovered();
	SBorder::OnMouseLeave(MouseEvent);
	if (ClickMethod == EButtonClickMethod::MouseDown)
	{
		Release();
	}
	if (bWasHovered && !IsHovered())
	{
		OnUnhovered.ExecuteIfBound();
	}
}

void SButton::OnMouseCaptureLost(const FCaptureLostEvent&)
{
	Release();
}

void SButton::OnFocusLost(const FFocusEvent&)
{
	Release();
}

// Enter or space press the button; releasing the key clicks it.
FReply SButton::OnKeyDown(const FGeometry&, const FKeyEvent& InKeyEvent)
{
	if (IsEnabled() && (InKeyEvent.GetKey() == EKeys::Enter || InKeyEvent.GetKey() == EKeys::SpaceBar))
	{
		Press();
		return FReply::Handled();
	}
	return FReply::Unhandled();
}

FReply SButton::OnKeyUp(const FGeometry&, const FKeyEvent& InKeyEvent)
{
	if (IsPressed() && (InKeyEvent.GetKey() == EKeys::Enter || InKeyEvent.GetKey() == EKeys::SpaceBar))
	{
		Release();
		return IsEnabled() ? ExecuteOnClick() : FReply::Handled();
	}
	return FReply::Unhandled();
}
