#pragma once

#include "CoreTypes.h"
#include "Brushes/SlateNoResource.h"
#include "Fonts/SlateFontInfo.h"
#include "Layout/Margin.h"
#include "Math/Color.h"
#include "Math/Vector2D.h"
#include "Styling/SlateBrush.h"
#include "Styling/SlateColor.h"
#include "Styling/SlateWidgetStyle.h"
#include "Types/SlateEnums.h"

enum class ECheckBoxState : uint8
{
	Unchecked,
	Checked,
	Undetermined,
};

namespace ESlateCheckBoxType
{
	enum Type : int
	{
		CheckBox,
		ToggleButton,
	};
}

// What to do with text that does not fit its width.
enum class ETextOverflowPolicy : uint8
{
	Clip = 0,
	Ellipsis,
	MultilineEllipsis,
};

enum class ETextTransformPolicy : uint8
{
	None = 0,
	ToLower,
	ToUpper,
};

// The style of the look of a text block.
struct FTextBlockStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FTextBlockStyle& GetDefault();

	FTextBlockStyle& SetFont(const FSlateFontInfo& InFont) { Font = InFont; return *this; }
	FTextBlockStyle& SetFontSize(float InSize) { Font.Size = InSize; return *this; }
	FTextBlockStyle& SetTypefaceFontName(const FName& InTypefaceName) { Font.TypefaceFontName = InTypefaceName; return *this; }
	FTextBlockStyle& SetColorAndOpacity(const FSlateColor& InColorAndOpacity) { ColorAndOpacity = InColorAndOpacity; return *this; }
	FTextBlockStyle& SetShadowOffset(const FVector2D& InShadowOffset) { ShadowOffset = InShadowOffset; return *this; }
	FTextBlockStyle& SetShadowColorAndOpacity(const FLinearColor& InShadowColorAndOpacity) { ShadowColorAndOpacity = InShadowColorAndOpacity; return *this; }
	FTextBlockStyle& SetSelectedBackgroundColor(const FSlateColor& InSelectedBackgroundColor) { SelectedBackgroundColor = InSelectedBackgroundColor; return *this; }
	FTextBlockStyle& SetHighlightColor(const FLinearColor& InHighlightColor) { HighlightColor = InHighlightColor; return *this; }
	FTextBlockStyle& SetHighlightShape(const FSlateBrush& InHighlightShape) { HighlightShape = InHighlightShape; return *this; }
	FTextBlockStyle& SetStrikeBrush(const FSlateBrush& InStrikeBrush) { StrikeBrush = InStrikeBrush; return *this; }
	FTextBlockStyle& SetUnderlineBrush(const FSlateBrush& InUnderlineBrush) { UnderlineBrush = InUnderlineBrush; return *this; }
	FTextBlockStyle& SetTransformPolicy(ETextTransformPolicy InTransformPolicy) { TransformPolicy = InTransformPolicy; return *this; }
	FTextBlockStyle& SetOverflowPolicy(ETextOverflowPolicy InOverflowPolicy) { OverflowPolicy = InOverflowPolicy; return *this; }

	FSlateFontInfo Font;
	FSlateColor ColorAndOpacity;
	FVector2D ShadowOffset;
	FLinearColor ShadowColorAndOpacity = FLinearColor::Black;
	FSlateColor SelectedBackgroundColor = FSlateColor::UseForeground();
	FLinearColor HighlightColor = FLinearColor::Black;
	FSlateBrush HighlightShape;
	FSlateBrush StrikeBrush;
	FSlateBrush UnderlineBrush;
	ETextTransformPolicy TransformPolicy = ETextTransformPolicy::None;
	ETextOverflowPolicy OverflowPolicy = ETextOverflowPolicy::Clip;
};

// The style of the brushes, foreground colours and paddings of a button in each state.
struct FButtonStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FButtonStyle& GetDefault();

	FButtonStyle& SetNormal(const FSlateBrush& InNormal) { Normal = InNormal; return *this; }
	FButtonStyle& SetHovered(const FSlateBrush& InHovered) { Hovered = InHovered; return *this; }
	FButtonStyle& SetPressed(const FSlateBrush& InPressed) { Pressed = InPressed; return *this; }
	FButtonStyle& SetDisabled(const FSlateBrush& InDisabled) { Disabled = InDisabled; return *this; }
	FButtonStyle& SetNormalForeground(const FSlateColor& InNormalForeground) { NormalForeground = InNormalForeground; return *this; }
	FButtonStyle& SetHoveredForeground(const FSlateColor& InHoveredForeground) { HoveredForeground = InHoveredForeground; return *this; }
	FButtonStyle& SetPressedForeground(const FSlateColor& InPressedForeground) { PressedForeground = InPressedForeground; return *this; }
	FButtonStyle& SetDisabledForeground(const FSlateColor& InDisabledForeground) { DisabledForeground = InDisabledForeground; return *this; }
	FButtonStyle& SetNormalPadding(const FMargin& InNormalPadding) { NormalPadding = InNormalPadding; return *this; }
	FButtonStyle& SetPressedPadding(const FMargin& InPressedPadding) { PressedPadding = InPressedPadding; return *this; }

	FSlateBrush Normal;
	FSlateBrush Hovered;
	FSlateBrush Pressed;
	FSlateBrush Disabled = FSlateNoResource();
	FSlateColor NormalForeground = FSlateColor::UseForeground();
	FSlateColor HoveredForeground = FSlateColor::UseForeground();
	FSlateColor PressedForeground = FSlateColor::UseForeground();
	FSlateColor DisabledForeground = FSlateColor::UseForeground();
	FMargin NormalPadding;
	FMargin PressedPadding;
};

// The style of a button that opens a menu: its button, arrow and menu border.
struct FComboButtonStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FComboButtonStyle& GetDefault();

	FComboButtonStyle& SetButtonStyle(const FButtonStyle& InButtonStyle) { ButtonStyle = InButtonStyle; return *this; }
	FComboButtonStyle& SetDownArrowImage(const FSlateBrush& InDownArrowImage) { DownArrowImage = InDownArrowImage; return *this; }
	FComboButtonStyle& SetShadowOffset(const FVector2D& InShadowOffset) { ShadowOffset = InShadowOffset; return *this; }
	FComboButtonStyle& SetShadowColorAndOpacity(const FLinearColor& InShadowColorAndOpacity) { ShadowColorAndOpacity = InShadowColorAndOpacity; return *this; }
	FComboButtonStyle& SetMenuBorderBrush(const FSlateBrush& InMenuBorderBrush) { MenuBorderBrush = InMenuBorderBrush; return *this; }
	FComboButtonStyle& SetMenuBorderPadding(const FMargin& InMenuBorderPadding) { MenuBorderPadding = InMenuBorderPadding; return *this; }
	FComboButtonStyle& SetContentPadding(const FMargin& InContentPadding) { ContentPadding = InContentPadding; return *this; }
	FComboButtonStyle& SetDownArrowPadding(const FMargin& InDownArrowPadding) { DownArrowPadding = InDownArrowPadding; return *this; }
	FComboButtonStyle& SetDownArrowAlign(EVerticalAlignment InDownArrowAlign) { DownArrowAlign = InDownArrowAlign; return *this; }

	FButtonStyle ButtonStyle;
	FSlateBrush DownArrowImage;
	FVector2D ShadowOffset;
	FLinearColor ShadowColorAndOpacity = FLinearColor::Black;
	FSlateBrush MenuBorderBrush;
	FMargin MenuBorderPadding;
	FMargin ContentPadding = FMargin(5);
	FMargin DownArrowPadding = FMargin(2.0f);
	EVerticalAlignment DownArrowAlign = VAlign_Center;
};

// The style of a combo box: its combo button and the padding of its rows.
struct FComboBoxStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FComboBoxStyle& GetDefault();

	FComboBoxStyle& SetComboButtonStyle(const FComboButtonStyle& InComboButtonStyle) { ComboButtonStyle = InComboButtonStyle; return *this; }
	FComboBoxStyle& SetContentPadding(const FMargin& InContentPadding) { ContentPadding = InContentPadding; return *this; }
	FComboBoxStyle& SetMenuRowPadding(const FMargin& InMenuRowPadding) { MenuRowPadding = InMenuRowPadding; return *this; }

	FComboButtonStyle ComboButtonStyle;
	FMargin ContentPadding = FMargin(4, 2);
	FMargin MenuRowPadding = FMargin(0);
};

// The style of a check box or toggle button in each state.
struct FCheckBoxStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FCheckBoxStyle& GetDefault();

	FCheckBoxStyle& SetCheckBoxType(ESlateCheckBoxType::Type InCheckBoxType) { CheckBoxType = InCheckBoxType; return *this; }
	FCheckBoxStyle& SetUncheckedImage(const FSlateBrush& InUncheckedImage) { UncheckedImage = InUncheckedImage; return *this; }
	FCheckBoxStyle& SetUncheckedHoveredImage(const FSlateBrush& InUncheckedHoveredImage) { UncheckedHoveredImage = InUncheckedHoveredImage; return *this; }
	FCheckBoxStyle& SetUncheckedPressedImage(const FSlateBrush& InUncheckedPressedImage) { UncheckedPressedImage = InUncheckedPressedImage; return *this; }
	FCheckBoxStyle& SetCheckedImage(const FSlateBrush& InCheckedImage) { CheckedImage = InCheckedImage; return *this; }
	FCheckBoxStyle& SetCheckedHoveredImage(const FSlateBrush& InCheckedHoveredImage) { CheckedHoveredImage = InCheckedHoveredImage; return *this; }
	FCheckBoxStyle& SetCheckedPressedImage(const FSlateBrush& InCheckedPressedImage) { CheckedPressedImage = InCheckedPressedImage; return *this; }
	FCheckBoxStyle& SetUndeterminedImage(const FSlateBrush& InUndeterminedImage) { UndeterminedImage = InUndeterminedImage; return *this; }
	FCheckBoxStyle& SetUndeterminedHoveredImage(const FSlateBrush& InUndeterminedHoveredImage) { UndeterminedHoveredImage = InUndeterminedHoveredImage; return *this; }
	FCheckBoxStyle& SetUndeterminedPressedImage(const FSlateBrush& InUndeterminedPressedImage) { UndeterminedPressedImage = InUndeterminedPressedImage; return *this; }
	FCheckBoxStyle& SetBackgroundImage(const FSlateBrush& InBackgroundImage) { BackgroundImage = InBackgroundImage; return *this; }
	FCheckBoxStyle& SetBackgroundHoveredImage(const FSlateBrush& InBackgroundHoveredImage) { BackgroundHoveredImage = InBackgroundHoveredImage; return *this; }
	FCheckBoxStyle& SetBackgroundPressedImage(const FSlateBrush& InBackgroundPressedImage) { BackgroundPressedImage = InBackgroundPressedImage; return *this; }
	FCheckBoxStyle& SetPadding(const FMargin& InPadding) { Padding = InPadding; return *this; }
	FCheckBoxStyle& SetForegroundColor(const FSlateColor& InForegroundColor) { ForegroundColor = InForegroundColor; return *this; }
	FCheckBoxStyle& SetHoveredForeground(const FSlateColor& InHoveredForeground) { HoveredForeground = InHoveredForeground; return *this; }
	FCheckBoxStyle& SetPressedForeground(const FSlateColor& InPressedForeground) { PressedForeground = InPressedForeground; return *this; }
	FCheckBoxStyle& SetCheckedForeground(const FSlateColor& InCheckedForeground) { CheckedForeground = InCheckedForeground; return *this; }
	FCheckBoxStyle& SetCheckedHoveredForeground(const FSlateColor& InCheckedHoveredForeground) { CheckedHoveredForeground = InCheckedHoveredForeground; return *this; }
	FCheckBoxStyle& SetCheckedPressedForeground(const FSlateColor& InCheckedPressedForeground) { CheckedPressedForeground = InCheckedPressedForeground; return *this; }
	FCheckBoxStyle& SetUndeterminedForeground(const FSlateColor& InUndeterminedForeground) { UndeterminedForeground = InUndeterminedForeground; return *this; }
	FCheckBoxStyle& SetBorderBackgroundColor(const FSlateColor& InBorderBackgroundColor) { BorderBackgroundColor = InBorderBackgroundColor; return *this; }

	ESlateCheckBoxType::Type CheckBoxType = ESlateCheckBoxType::CheckBox;
	FSlateBrush UncheckedImage;
	FSlateBrush UncheckedHoveredImage;
	FSlateBrush UncheckedPressedImage;
	FSlateBrush CheckedImage;
	FSlateBrush CheckedHoveredImage;
	FSlateBrush CheckedPressedImage;
	FSlateBrush UndeterminedImage;
	FSlateBrush UndeterminedHoveredImage;
	FSlateBrush UndeterminedPressedImage;
	FSlateBrush BackgroundImage = FSlateNoResource();
	FSlateBrush BackgroundHoveredImage = FSlateNoResource();
	FSlateBrush BackgroundPressedImage = FSlateNoResource();
	FMargin Padding = FMargin(2, 0, 0, 0);
	FSlateColor ForegroundColor = FSlateColor::UseForeground();
	FSlateColor HoveredForeground = FSlateColor::UseForeground();
	FSlateColor PressedForeground = FSlateColor::UseForeground();
	FSlateColor CheckedForeground = FSlateColor::UseForeground();
	FSlateColor CheckedHoveredForeground = FSlateColor::UseForeground();
	FSlateColor CheckedPressedForeground = FSlateColor::UseForeground();
	FSlateColor UndeterminedForeground = FSlateColor::UseForeground();
	FSlateColor BorderBackgroundColor = FLinearColor::White;
};

// The style of editable text: font, colour, selection and caret.
struct FEditableTextStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	FEditableTextStyle();
	static const FEditableTextStyle& GetDefault();

	FEditableTextStyle& SetFont(const FSlateFontInfo& InFont) { Font = InFont; return *this; }
	FEditableTextStyle& SetColorAndOpacity(const FSlateColor& InColorAndOpacity) { ColorAndOpacity = InColorAndOpacity; return *this; }
	FEditableTextStyle& SetBackgroundImageSelected(const FSlateBrush& InBackgroundImageSelected) { BackgroundImageSelected = InBackgroundImageSelected; return *this; }
	FEditableTextStyle& SetBackgroundImageComposing(const FSlateBrush& InBackgroundImageComposing) { BackgroundImageComposing = InBackgroundImageComposing; return *this; }
	FEditableTextStyle& SetCaretImage(const FSlateBrush& InCaretImage) { CaretImage = InCaretImage; return *this; }

	FSlateFontInfo Font;
	FSlateColor ColorAndOpacity = FSlateColor::UseForeground();
	FSlateBrush BackgroundImageSelected;
	FSlateBrush BackgroundImageComposing;
	FSlateBrush CaretImage;
};

// The style of a scroll bar's track and thumb.
struct FScrollBarStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FScrollBarStyle& GetDefault();

	FScrollBarStyle& SetHorizontalBackgroundImage(const FSlateBrush& InHorizontalBackgroundImage) { HorizontalBackgroundImage = InHorizontalBackgroundImage; return *this; }
	FScrollBarStyle& SetVerticalBackgroundImage(const FSlateBrush& InVerticalBackgroundImage) { VerticalBackgroundImage = InVerticalBackgroundImage; return *this; }
	FScrollBarStyle& SetNormalThumbImage(const FSlateBrush& InNormalThumbImage) { NormalThumbImage = InNormalThumbImage; return *this; }
	FScrollBarStyle& SetHoveredThumbImage(const FSlateBrush& InHoveredThumbImage) { HoveredThumbImage = InHoveredThumbImage; return *this; }
	FScrollBarStyle& SetDraggedThumbImage(const FSlateBrush& InDraggedThumbImage) { DraggedThumbImage = InDraggedThumbImage; return *this; }
	FScrollBarStyle& SetThickness(float InThickness) { Thickness = InThickness; return *this; }

	FSlateBrush HorizontalBackgroundImage = FSlateNoResource();
	FSlateBrush VerticalBackgroundImage = FSlateNoResource();
	FSlateBrush NormalThumbImage = FSlateNoResource();
	FSlateBrush HoveredThumbImage = FSlateNoResource();
	FSlateBrush DraggedThumbImage = FSlateNoResource();
	float Thickness = 16.0f;
};

// The style of a text box: its background in each state, text font and colours, padding.
struct FEditableTextBoxStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	FEditableTextBoxStyle();
	static const FEditableTextBoxStyle& GetDefault();

	FEditableTextBoxStyle& SetBackgroundImageNormal(const FSlateBrush& InBackgroundImageNormal) { BackgroundImageNormal = InBackgroundImageNormal; return *this; }
	FEditableTextBoxStyle& SetBackgroundImageHovered(const FSlateBrush& InBackgroundImageHovered) { BackgroundImageHovered = InBackgroundImageHovered; return *this; }
	FEditableTextBoxStyle& SetBackgroundImageFocused(const FSlateBrush& InBackgroundImageFocused) { BackgroundImageFocused = InBackgroundImageFocused; return *this; }
	FEditableTextBoxStyle& SetBackgroundImageReadOnly(const FSlateBrush& InBackgroundImageReadOnly) { BackgroundImageReadOnly = InBackgroundImageReadOnly; return *this; }
	FEditableTextBoxStyle& SetPadding(const FMargin& InPadding) { Padding = InPadding; return *this; }
	FEditableTextBoxStyle& SetFont(const FSlateFontInfo& InFont) { Font = InFont; return *this; }
	FEditableTextBoxStyle& SetForegroundColor(const FSlateColor& InForegroundColor) { ForegroundColor = InForegroundColor; return *this; }
	FEditableTextBoxStyle& SetBackgroundColor(const FSlateColor& InBackgroundColor) { BackgroundColor = InBackgroundColor; return *this; }
	FEditableTextBoxStyle& SetReadOnlyForegroundColor(const FSlateColor& InReadOnlyForegroundColor) { ReadOnlyForegroundColor = InReadOnlyForegroundColor; return *this; }
	FEditableTextBoxStyle& SetFocusedForegroundColor(const FSlateColor& InFocusedForegroundColor) { FocusedForegroundColor = InFocusedForegroundColor; return *this; }
	FEditableTextBoxStyle& SetScrollBarStyle(const FScrollBarStyle& InScrollBarStyle) { ScrollBarStyle = InScrollBarStyle; return *this; }

	FSlateBrush BackgroundImageNormal;
	FSlateBrush BackgroundImageHovered;
	FSlateBrush BackgroundImageFocused;
	FSlateBrush BackgroundImageReadOnly;
	FMargin Padding = FMargin(4, 2);
	FSlateFontInfo Font;
	FSlateColor ForegroundColor = FSlateColor::UseForeground();
	FSlateColor BackgroundColor = FLinearColor::White;
	FSlateColor ReadOnlyForegroundColor = FSlateColor::UseForeground();
	FSlateColor FocusedForegroundColor = FSlateColor::UseForeground();
	FScrollBarStyle ScrollBarStyle;
};

// The style of a search box: its text box and icons.
struct FSearchBoxStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FSearchBoxStyle& GetDefault();

	FSearchBoxStyle& SetTextBoxStyle(const FEditableTextBoxStyle& InTextBoxStyle);
	FSearchBoxStyle& SetActiveFontInfo(const FSlateFontInfo& InActiveFontInfo) { ActiveFontInfo = InActiveFontInfo; return *this; }
	FSearchBoxStyle& SetUpArrowImage(const FSlateBrush& InUpArrowImage) { UpArrowImage = InUpArrowImage; return *this; }
	FSearchBoxStyle& SetDownArrowImage(const FSlateBrush& InDownArrowImage) { DownArrowImage = InDownArrowImage; return *this; }
	FSearchBoxStyle& SetGlassImage(const FSlateBrush& InGlassImage) { GlassImage = InGlassImage; return *this; }
	FSearchBoxStyle& SetClearImage(const FSlateBrush& InClearImage) { ClearImage = InClearImage; return *this; }
	FSearchBoxStyle& SetImagePadding(const FMargin& InImagePadding) { ImagePadding = InImagePadding; return *this; }
	FSearchBoxStyle& SetLeftAlignButtons(bool InbLeftAlignButtons) { bLeftAlignButtons = InbLeftAlignButtons; return *this; }

	FEditableTextBoxStyle TextBoxStyle;
	FSlateFontInfo ActiveFontInfo;
	FSlateBrush UpArrowImage;
	FSlateBrush DownArrowImage;
	FSlateBrush GlassImage;
	FSlateBrush ClearImage;
	FMargin ImagePadding;
	bool bLeftAlignButtons = false;
};

// The style of a progress bar's background and fill.
struct FProgressBarStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FProgressBarStyle& GetDefault();

	FProgressBarStyle& SetBackgroundImage(const FSlateBrush& InBackgroundImage) { BackgroundImage = InBackgroundImage; return *this; }
	FProgressBarStyle& SetFillImage(const FSlateBrush& InFillImage) { FillImage = InFillImage; return *this; }
	FProgressBarStyle& SetMarqueeImage(const FSlateBrush& InMarqueeImage) { MarqueeImage = InMarqueeImage; return *this; }
	FProgressBarStyle& SetEnableFillAnimation(bool InEnableFillAnimation) { EnableFillAnimation = InEnableFillAnimation; return *this; }

	FSlateBrush BackgroundImage;
	FSlateBrush FillImage;
	FSlateBrush MarqueeImage;
	bool EnableFillAnimation = false;
};

// The style of a scroll box's edge shadows and bar.
struct FScrollBoxStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FScrollBoxStyle& GetDefault();

	FScrollBoxStyle& SetTopShadowBrush(const FSlateBrush& InTopShadowBrush) { TopShadowBrush = InTopShadowBrush; return *this; }
	FScrollBoxStyle& SetBottomShadowBrush(const FSlateBrush& InBottomShadowBrush) { BottomShadowBrush = InBottomShadowBrush; return *this; }
	FScrollBoxStyle& SetLeftShadowBrush(const FSlateBrush& InLeftShadowBrush) { LeftShadowBrush = InLeftShadowBrush; return *this; }
	FScrollBoxStyle& SetRightShadowBrush(const FSlateBrush& InRightShadowBrush) { RightShadowBrush = InRightShadowBrush; return *this; }
	FScrollBoxStyle& SetBarThickness(float InBarThickness) { BarThickness = InBarThickness; return *this; }

	FSlateBrush TopShadowBrush;
	FSlateBrush BottomShadowBrush;
	FSlateBrush LeftShadowBrush;
	FSlateBrush RightShadowBrush;
	float BarThickness = 9.0f;
};

// The style of the handle between splitter slots.
struct FSplitterStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FSplitterStyle& GetDefault();

	FSplitterStyle& SetHandleNormalBrush(const FSlateBrush& InHandleNormalBrush) { HandleNormalBrush = InHandleNormalBrush; return *this; }
	FSplitterStyle& SetHandleHighlightBrush(const FSlateBrush& InHandleHighlightBrush) { HandleHighlightBrush = InHandleHighlightBrush; return *this; }

	FSlateBrush HandleNormalBrush;
	FSlateBrush HandleHighlightBrush;
};

// The style of a table row: the brushes of a selected row (active or inactive, hovered or not), of unselected rows and their text colours.
struct FTableRowStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FTableRowStyle& GetDefault();

	FTableRowStyle& SetSelectorFocusedBrush(const FSlateBrush& InSelectorFocusedBrush) { SelectorFocusedBrush = InSelectorFocusedBrush; return *this; }
	FTableRowStyle& SetActiveHoveredBrush(const FSlateBrush& InActiveHoveredBrush) { ActiveHoveredBrush = InActiveHoveredBrush; return *this; }
	FTableRowStyle& SetActiveBrush(const FSlateBrush& InActiveBrush) { ActiveBrush = InActiveBrush; return *this; }
	FTableRowStyle& SetInactiveHoveredBrush(const FSlateBrush& InInactiveHoveredBrush) { InactiveHoveredBrush = InInactiveHoveredBrush; return *this; }
	FTableRowStyle& SetInactiveBrush(const FSlateBrush& InInactiveBrush) { InactiveBrush = InInactiveBrush; return *this; }
	FTableRowStyle& SetEvenRowBackgroundHoveredBrush(const FSlateBrush& InEvenRowBackgroundHoveredBrush) { EvenRowBackgroundHoveredBrush = InEvenRowBackgroundHoveredBrush; return *this; }
	FTableRowStyle& SetEvenRowBackgroundBrush(const FSlateBrush& InEvenRowBackgroundBrush) { EvenRowBackgroundBrush = InEvenRowBackgroundBrush; return *this; }
	FTableRowStyle& SetOddRowBackgroundHoveredBrush(const FSlateBrush& InOddRowBackgroundHoveredBrush) { OddRowBackgroundHoveredBrush = InOddRowBackgroundHoveredBrush; return *this; }
	FTableRowStyle& SetOddRowBackgroundBrush(const FSlateBrush& InOddRowBackgroundBrush) { OddRowBackgroundBrush = InOddRowBackgroundBrush; return *this; }
	FTableRowStyle& SetTextColor(const FSlateColor& InTextColor) { TextColor = InTextColor; return *this; }
	FTableRowStyle& SetSelectedTextColor(const FSlateColor& InSelectedTextColor) { SelectedTextColor = InSelectedTextColor; return *this; }
	FTableRowStyle& SetDropIndicator_Above(const FSlateBrush& InDropIndicator_Above) { DropIndicator_Above = InDropIndicator_Above; return *this; }
	FTableRowStyle& SetDropIndicator_Onto(const FSlateBrush& InDropIndicator_Onto) { DropIndicator_Onto = InDropIndicator_Onto; return *this; }
	FTableRowStyle& SetDropIndicator_Below(const FSlateBrush& InDropIndicator_Below) { DropIndicator_Below = InDropIndicator_Below; return *this; }
	FTableRowStyle& SetActiveHighlightedBrush(const FSlateBrush& InActiveHighlightedBrush) { ActiveHighlightedBrush = InActiveHighlightedBrush; return *this; }
	FTableRowStyle& SetInactiveHighlightedBrush(const FSlateBrush& InInactiveHighlightedBrush) { InactiveHighlightedBrush = InInactiveHighlightedBrush; return *this; }

	FSlateBrush SelectorFocusedBrush;
	FSlateBrush ActiveHoveredBrush;
	FSlateBrush ActiveBrush;
	FSlateBrush InactiveHoveredBrush;
	FSlateBrush InactiveBrush;
	FSlateBrush EvenRowBackgroundHoveredBrush;
	FSlateBrush EvenRowBackgroundBrush;
	FSlateBrush OddRowBackgroundHoveredBrush;
	FSlateBrush OddRowBackgroundBrush;
	FSlateColor TextColor = FSlateColor::UseForeground();
	FSlateColor SelectedTextColor = FLinearColor::White;
	FSlateBrush DropIndicator_Above;
	FSlateBrush DropIndicator_Onto;
	FSlateBrush DropIndicator_Below;
	FSlateBrush ActiveHighlightedBrush;
	FSlateBrush InactiveHighlightedBrush;
};

// The style of a dock tab: its brushes, padding, label and close button.
struct FDockTabStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FDockTabStyle& GetDefault();

	FDockTabStyle& SetCloseButtonStyle(const FButtonStyle& InCloseButtonStyle) { CloseButtonStyle = InCloseButtonStyle; return *this; }
	FDockTabStyle& SetNormalBrush(const FSlateBrush& InNormalBrush) { NormalBrush = InNormalBrush; return *this; }
	FDockTabStyle& SetHoveredBrush(const FSlateBrush& InHoveredBrush) { HoveredBrush = InHoveredBrush; return *this; }
	FDockTabStyle& SetForegroundBrush(const FSlateBrush& InForegroundBrush) { ForegroundBrush = InForegroundBrush; return *this; }
	FDockTabStyle& SetContentAreaBrush(const FSlateBrush& InContentAreaBrush) { ContentAreaBrush = InContentAreaBrush; return *this; }
	FDockTabStyle& SetTabWellBrush(const FSlateBrush& InTabWellBrush) { TabWellBrush = InTabWellBrush; return *this; }
	FDockTabStyle& SetTabPadding(const FMargin& InTabPadding) { TabPadding = InTabPadding; return *this; }
	FDockTabStyle& SetOverlapWidth(float InOverlapWidth) { OverlapWidth = InOverlapWidth; return *this; }
	FDockTabStyle& SetTabTextStyle(const FTextBlockStyle& InTabTextStyle) { TabTextStyle = InTabTextStyle; return *this; }
	FDockTabStyle& SetNormalForegroundColor(const FSlateColor& InColor) { NormalForegroundColor = InColor; return *this; }
	FDockTabStyle& SetActiveForegroundColor(const FSlateColor& InColor) { ActiveForegroundColor = InColor; return *this; }
	FDockTabStyle& SetForegroundForegroundColor(const FSlateColor& InColor) { ForegroundForegroundColor = InColor; return *this; }
	FDockTabStyle& SetHoveredForegroundColor(const FSlateColor& InColor) { HoveredForegroundColor = InColor; return *this; }
	FDockTabStyle& SetIconBorderPadding(float InIconBorderPadding) { IconBorderPadding = InIconBorderPadding; return *this; }

	FButtonStyle CloseButtonStyle;
	FSlateBrush NormalBrush;
	FSlateBrush HoveredBrush;
	FSlateBrush ForegroundBrush;
	FSlateBrush ContentAreaBrush;
	FSlateBrush TabWellBrush;
	FMargin TabPadding;
	float OverlapWidth = 0.0f;
	FTextBlockStyle TabTextStyle;
	FSlateColor NormalForegroundColor;
	FSlateColor ActiveForegroundColor;
	FSlateColor ForegroundForegroundColor;
	FSlateColor HoveredForegroundColor;
	float IconBorderPadding = 1.0f;
};

// The style of a window's background.
struct FWindowStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	static const FWindowStyle& GetDefault();

	FWindowStyle& SetBackgroundBrush(const FSlateBrush& InBackgroundBrush) { BackgroundBrush = InBackgroundBrush; return *this; }
	FWindowStyle& SetChildBackgroundBrush(const FSlateBrush& InChildBackgroundBrush) { ChildBackgroundBrush = InChildBackgroundBrush; return *this; }

	FSlateBrush BackgroundBrush;
	FSlateBrush ChildBackgroundBrush;
};
