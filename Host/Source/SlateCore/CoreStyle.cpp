#include "Styling/CoreStyle.h"

#include "Brushes/SlateColorBrush.h"
#include "Brushes/SlateImageBrush.h"
#include "Brushes/SlateNoResource.h"
#include "Brushes/SlateRoundedBoxBrush.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateStyle.h"
#include "Styling/SlateStyleRegistry.h"
#include "Styling/SlateTypes.h"
#include "Styling/StyleColors.h"

// The editor's default ("Starship") core style, for the styles the widgets here fall back
// on. Images keep the editor's resource names (the renderer draws the check mark, chevron
// and search icons as shapes); brushes the editor draws from other image files (selector
// frames, shadows, drop indicators, the progress marquee) are plain colours or nothing here.
namespace
{
	const float InputFocusRadius = 4.0f;
	const float InputFocusThickness = 1.0f;
	const FMargin ButtonMargins(12.0f, 1.5f, 12.0f, 1.5f);
	const FMargin PressedButtonMargins(12.0f, 2.5f, 12.0f, 0.5f);
	const FMargin ComboButtonMargin(8.0f, 1.0f, 8.0f, 1.0f);
	const FMargin PressedComboButtonMargin(8.0f, 2.0f, 8.0f, 0.0f);
	const FVector2D Icon16x16(16.0f, 16.0f);
	const FVector2D Icon18x18(18.0f, 18.0f);

	FSlateFontInfo Font(float Size, const char* Typeface)
	{
		return FCoreStyle::GetDefaultFontStyle(Typeface, Size);
	}

	void SetupTextStyles(FSlateStyleSet& Style)
	{
		const FTextBlockStyle NormalText = FTextBlockStyle()
			.SetFont(Font(10, "Regular"))
			.SetColorAndOpacity(FSlateColor::UseForeground())
			.SetShadowOffset(FVector2D(0, 0))
			.SetSelectedBackgroundColor(FStyleColors::Highlight)
			.SetHighlightColor(FStyleColors::Black.GetSpecifiedColor())
			.SetHighlightShape(FSlateColorBrush(FStyleColors::AccentGreen));
		Style.Set("NormalFont", Font(10, "Regular"));
		Style.Set("SmallFont", Font(8, "Regular"));
		Style.Set("NormalFontBold", Font(10, "Bold"));
		Style.Set("SmallFontBold", Font(8, "Bold"));
		Style.Set("NormalText", NormalText);
		Style.Set("SmallText", FTextBlockStyle(NormalText).SetFont(Font(8, "Regular")));
		Style.Set("ButtonText", NormalText);
		Style.Set("PrimaryButtonText", FTextBlockStyle(NormalText).SetFont(Font(10, "Bold")));
		Style.Set("HintText", FTextBlockStyle(NormalText).SetFont(Font(8, "Italic")).SetColorAndOpacity(FSlateColor::UseSubduedForeground()));

		Style.Set("NormalEditableText", FEditableTextStyle()
			.SetBackgroundImageSelected(FSlateColorBrush(FStyleColors::Highlight))
			.SetCaretImage(FSlateColorBrush(FStyleColors::White)));

		const FScrollBarStyle ScrollBar = FScrollBarStyle()
			.SetNormalThumbImage(FSlateRoundedBoxBrush(FStyleColors::Hover, 4.0f))
			.SetDraggedThumbImage(FSlateRoundedBoxBrush(FStyleColors::Hover2, 4.0f))
			.SetHoveredThumbImage(FSlateRoundedBoxBrush(FStyleColors::Hover2, 4.0f))
			.SetThickness(8.0f);
		Style.Set("Scrollbar", ScrollBar);

		const FEditableTextBoxStyle NormalEditableTextBox = FEditableTextBoxStyle()
			.SetBackgroundImageNormal(FSlateRoundedBoxBrush(FStyleColors::Input, InputFocusRadius, FStyleColors::InputOutline, InputFocusThickness))
			.SetBackgroundImageHovered(FSlateRoundedBoxBrush(FStyleColors::Input, InputFocusRadius, FStyleColors::Hover, InputFocusThickness))
			.SetBackgroundImageFocused(FSlateRoundedBoxBrush(FStyleColors::Input, InputFocusRadius, FStyleColors::Primary, InputFocusThickness))
			.SetBackgroundImageReadOnly(FSlateRoundedBoxBrush(FStyleColors::Header, InputFocusRadius, FStyleColors::InputOutline, InputFocusThickness))
			.SetFont(Font(10, "Regular"))
			.SetPadding(FMargin(8.0f, 3.0f, 8.0f, 4.0f))
			.SetForegroundColor(FStyleColors::Foreground)
			.SetBackgroundColor(FStyleColors::White)
			.SetReadOnlyForegroundColor(FSlateColor::UseForeground())
			.SetFocusedForegroundColor(FStyleColors::White)
			.SetScrollBarStyle(ScrollBar);
		Style.Set("NormalEditableTextBox", NormalEditableTextBox);

		// The search box is a pill: its rounded boxes have no radius, so they round by half the height.
		const FEditableTextBoxStyle SearchBoxEdit = FEditableTextBoxStyle(NormalEditableTextBox)
			.SetBackgroundImageNormal(FSlateRoundedBoxBrush(FStyleColors::Input, FStyleColors::Secondary, InputFocusThickness))
			.SetBackgroundImageHovered(FSlateRoundedBoxBrush(FStyleColors::Input, FStyleColors::Hover, InputFocusThickness))
			.SetBackgroundImageFocused(FSlateRoundedBoxBrush(FStyleColors::Input, FStyleColors::Primary, InputFocusThickness))
			.SetBackgroundImageReadOnly(FSlateRoundedBoxBrush(FStyleColors::Header, FStyleColors::InputOutline, InputFocusThickness));
		Style.Set("SearchBox", FSearchBoxStyle()
			.SetTextBoxStyle(SearchBoxEdit)
			.SetGlassImage(FSlateVectorImageBrush("Starship/Common/search", Icon16x16))
			.SetClearImage(FSlateVectorImageBrush("Starship/Common/close", Icon16x16))
			.SetUpArrowImage(FSlateVectorImageBrush("Starship/Common/chevron-up", Icon16x16, FStyleColors::Foreground))
			.SetDownArrowImage(FSlateVectorImageBrush("Starship/Common/chevron-down", Icon16x16, FStyleColors::Foreground))
			.SetImagePadding(FMargin(3.0f, 0.0f, 0.0f, 0.0f))
			.SetLeftAlignButtons(true));
	}

	void SetupButtonStyles(FSlateStyleSet& Style)
	{
		Style.Set("PrimaryButton", FButtonStyle()
			.SetNormal(FSlateRoundedBoxBrush(FStyleColors::Primary, 4.0f, FStyleColors::Input, InputFocusThickness))
			.SetHovered(FSlateRoundedBoxBrush(FStyleColors::PrimaryHover, 4.0f, FStyleColors::Input, InputFocusThickness))
			.SetPressed(FSlateRoundedBoxBrush(FStyleColors::PrimaryPress, 4.0f, FStyleColors::Input, InputFocusThickness))
			.SetDisabled(FSlateRoundedBoxBrush(FStyleColors::Dropdown, 4.0f, FStyleColors::Recessed, InputFocusThickness))
			.SetNormalForeground(FStyleColors::ForegroundHover)
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetDisabledForeground(FStyleColors::Foreground)
			.SetNormalPadding(ButtonMargins)
			.SetPressedPadding(PressedButtonMargins));
		const FButtonStyle Button = FButtonStyle()
			.SetNormal(FSlateRoundedBoxBrush(FStyleColors::Secondary, 4.0f, FStyleColors::Input, InputFocusThickness))
			.SetHovered(FSlateRoundedBoxBrush(FStyleColors::Hover, 4.0f, FStyleColors::Input, InputFocusThickness))
			.SetPressed(FSlateRoundedBoxBrush(FStyleColors::Header, 4.0f, FStyleColors::Input, InputFocusThickness))
			.SetDisabled(FSlateRoundedBoxBrush(FStyleColors::Dropdown, 4.0f, FStyleColors::Recessed, InputFocusThickness))
			.SetNormalForeground(FStyleColors::ForegroundHover)
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetDisabledForeground(FStyleColors::Foreground)
			.SetNormalPadding(ButtonMargins)
			.SetPressedPadding(PressedButtonMargins);
		Style.Set("Button", Button);
		Style.Set("SecondaryButton", Button);
		const FButtonStyle SimpleButton = FButtonStyle()
			.SetNormal(FSlateNoResource())
			.SetHovered(FSlateRoundedBoxBrush(FStyleColors::Dropdown, 4.0f))
			.SetPressed(FSlateRoundedBoxBrush(FStyleColors::Dropdown, 4.0f))
			.SetDisabled(FSlateNoResource())
			.SetNormalForeground(FStyleColors::Foreground)
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetDisabledForeground(FStyleColors::Foreground)
			.SetNormalPadding(ButtonMargins)
			.SetPressedPadding(PressedButtonMargins);
		Style.Set("SimpleButton", FButtonStyle(SimpleButton)
			.SetNormalPadding(FMargin(2.0f, 1.0f, 2.0f, 1.0f))
			.SetPressedPadding(FMargin(2.0f, 2.0f, 2.0f, 0.0f)));
		Style.Set("SimpleButtonLabelAndIcon", FButtonStyle(SimpleButton)
			.SetNormalPadding(FMargin(4.0f, 1.0f, 4.0f, 1.0f))
			.SetPressedPadding(FMargin(4.0f, 2.0f, 4.0f, 0.0f)));
		Style.Set("NoBorder", FButtonStyle()
			.SetNormal(FSlateNoResource())
			.SetHovered(FSlateNoResource())
			.SetPressed(FSlateNoResource())
			.SetNormalForeground(FStyleColors::ForegroundHover)
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetNormalPadding(FMargin(0))
			.SetPressedPadding(FMargin(0)));
	}

	void SetupComboButtonStyles(FSlateStyleSet& Style)
	{
		const FButtonStyle ComboButtonButton = FButtonStyle()
			.SetNormal(FSlateRoundedBoxBrush(FStyleColors::Input, InputFocusRadius, FStyleColors::InputOutline, InputFocusThickness))
			.SetHovered(FSlateRoundedBoxBrush(FStyleColors::Input, InputFocusRadius, FStyleColors::Hover, InputFocusThickness))
			.SetPressed(FSlateRoundedBoxBrush(FStyleColors::Input, InputFocusRadius, FStyleColors::Hover, InputFocusThickness))
			.SetDisabled(FSlateRoundedBoxBrush(FStyleColors::Dropdown, InputFocusRadius, FStyleColors::DropdownOutline, InputFocusThickness))
			.SetNormalForeground(FStyleColors::Foreground)
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetDisabledForeground(FStyleColors::ForegroundHover)
			.SetNormalPadding(ComboButtonMargin)
			.SetPressedPadding(PressedComboButtonMargin);
		const FComboButtonStyle ComboButton = FComboButtonStyle()
			.SetButtonStyle(ComboButtonButton)
			.SetContentPadding(FMargin(0.0f))
			.SetDownArrowImage(FSlateVectorImageBrush("Starship/CoreWidgets/ComboBox/wide-chevron-down", Icon16x16))
			.SetMenuBorderBrush(FSlateRoundedBoxBrush(FStyleColors::Dropdown, 0.0f, FStyleColors::DropdownOutline, 1.0f))
			.SetMenuBorderPadding(FMargin(0.0f));
		Style.Set("ComboButton", ComboButton);
		Style.Set("ComboBox", FComboBoxStyle()
			.SetContentPadding(FMargin(0.0f))
			.SetMenuRowPadding(FMargin(8.0f, 3.0f))
			.SetComboButtonStyle(ComboButton));
		Style.Set("ComboBox.Row", FTableRowStyle()
			.SetEvenRowBackgroundBrush(FSlateNoResource())
			.SetEvenRowBackgroundHoveredBrush(FSlateColorBrush(FStyleColors::Primary))
			.SetOddRowBackgroundBrush(FSlateNoResource())
			.SetOddRowBackgroundHoveredBrush(FSlateColorBrush(FStyleColors::Primary))
			.SetSelectorFocusedBrush(FSlateRoundedBoxBrush(FStyleColors::Transparent, InputFocusRadius, FStyleColors::Select, InputFocusThickness))
			.SetActiveBrush(FSlateNoResource())
			.SetActiveHoveredBrush(FSlateColorBrush(FStyleColors::Primary))
			.SetActiveHighlightedBrush(FSlateColorBrush(FStyleColors::Primary))
			.SetInactiveBrush(FSlateNoResource())
			.SetInactiveHoveredBrush(FSlateColorBrush(FStyleColors::Primary))
			.SetInactiveHighlightedBrush(FSlateColorBrush(FStyleColors::Primary))
			.SetTextColor(FStyleColors::White)
			.SetSelectedTextColor(FStyleColors::White)
			.SetDropIndicator_Above(FSlateNoResource())
			.SetDropIndicator_Onto(FSlateNoResource())
			.SetDropIndicator_Below(FSlateNoResource()));
	}

	void SetupCheckboxStyles(FSlateStyleSet& Style)
	{
		const float CheckboxCornerRadius = 3.0f;
		const float CheckboxOutlineThickness = 1.0f;
		auto Check = [](const FSlateColor& Color) { return FSlateVectorImageBrush("Starship/CoreWidgets/CheckBox/check", Icon16x16, Color); };
		auto Indeterminate = [](const FSlateColor& Color) { return FSlateVectorImageBrush("Starship/CoreWidgets/CheckBox/indeterminate", Icon16x16, Color); };
		Style.Set("Checkbox", FCheckBoxStyle()
			.SetCheckBoxType(ESlateCheckBoxType::CheckBox)
			.SetForegroundColor(FStyleColors::ForegroundHover)
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetCheckedForeground(FStyleColors::ForegroundHover)
			.SetCheckedHoveredForeground(FStyleColors::ForegroundHover)
			.SetCheckedPressedForeground(FStyleColors::ForegroundHover)
			.SetUndeterminedForeground(FStyleColors::ForegroundHover)
			.SetUncheckedImage(FSlateNoResource())
			.SetUncheckedHoveredImage(FSlateNoResource())
			.SetUncheckedPressedImage(FSlateNoResource())
			.SetCheckedImage(Check(FStyleColors::Primary))
			.SetCheckedHoveredImage(Check(FStyleColors::PrimaryHover))
			.SetCheckedPressedImage(Check(FStyleColors::PrimaryPress))
			.SetUndeterminedImage(Indeterminate(FStyleColors::Primary))
			.SetUndeterminedHoveredImage(Indeterminate(FStyleColors::PrimaryHover))
			.SetUndeterminedPressedImage(Indeterminate(FStyleColors::PrimaryPress))
			.SetBackgroundImage(FSlateRoundedBoxBrush(FStyleColors::Input, CheckboxCornerRadius, FStyleColors::Secondary, CheckboxOutlineThickness, Icon18x18))
			.SetBackgroundHoveredImage(FSlateRoundedBoxBrush(FStyleColors::Input, CheckboxCornerRadius, FStyleColors::Hover, CheckboxOutlineThickness, Icon18x18))
			.SetBackgroundPressedImage(FSlateRoundedBoxBrush(FStyleColors::Input, CheckboxCornerRadius, FStyleColors::Hover, CheckboxOutlineThickness, Icon18x18)));
	}

	void SetupTableViewStyles(FSlateStyleSet& Style)
	{
		Style.Set("TableView.Row", FTableRowStyle()
			.SetEvenRowBackgroundBrush(FSlateColorBrush(FStyleColors::Recessed))
			.SetEvenRowBackgroundHoveredBrush(FSlateColorBrush(FStyleColors::SelectHover))
			.SetOddRowBackgroundBrush(FSlateColorBrush(FStyleColors::Recessed))
			.SetOddRowBackgroundHoveredBrush(FSlateColorBrush(FStyleColors::SelectHover))
			.SetSelectorFocusedBrush(FSlateNoResource())
			.SetActiveBrush(FSlateColorBrush(FStyleColors::Select))
			.SetActiveHoveredBrush(FSlateColorBrush(FStyleColors::Select))
			.SetInactiveBrush(FSlateColorBrush(FStyleColors::SelectInactive))
			.SetInactiveHoveredBrush(FSlateColorBrush(FStyleColors::SelectInactive))
			.SetActiveHighlightedBrush(FSlateColorBrush(FStyleColors::SelectParent))
			.SetInactiveHighlightedBrush(FSlateColorBrush(FStyleColors::SelectParent))
			.SetTextColor(FStyleColors::Foreground)
			.SetSelectedTextColor(FStyleColors::ForegroundHover)
			.SetDropIndicator_Above(FSlateNoResource())
			.SetDropIndicator_Onto(FSlateNoResource())
			.SetDropIndicator_Below(FSlateNoResource()));
	}

	void SetupMenuStyles(FSlateStyleSet& Style, const FTextBlockStyle& NormalText)
	{
		Style.Set("Menu.Background", new FSlateColorBrush(FStyleColors::Dropdown));
		Style.Set("Menu.Label", NormalText);
		Style.Set("Menu.Block.Padding", FMargin(12.0f, 1.0f, 5.0f, 1.0f));
		const FButtonStyle MenuButton = FButtonStyle()
			.SetNormal(FSlateNoResource())
			.SetPressed(FSlateColorBrush(FStyleColors::Primary))
			.SetHovered(FSlateColorBrush(FStyleColors::Primary))
			.SetNormalForeground(FStyleColors::ForegroundHover)
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetNormalPadding(FMargin(0, 2))
			.SetPressedPadding(FMargin(0, 3, 0, 1));
		Style.Set("Menu.Button", MenuButton);
		Style.Set("Menu.Separator", new FSlateColorBrush(FStyleColors::White25));
		Style.Set("Menu.Separator.Padding", FMargin(12.0f, 6.0f, 12.0f, 6.0f));
		// The editor also spaces the heading's letters apart (letter spacing 250).
		Style.Set("Menu.Heading", FTextBlockStyle(NormalText).SetFont(Font(7, "Bold")).SetColorAndOpacity(FStyleColors::White25));
		Style.Set("Menu.Heading.Padding", FMargin(12.0f, 6.0f, 12.0f, 6.0f));
		Style.Set("WindowMenuBar.Button", FButtonStyle(MenuButton)
			.SetHovered(FSlateColorBrush(FStyleColors::Hover))
			.SetHoveredForeground(FStyleColors::ForegroundHover)
			.SetPressedForeground(FStyleColors::ForegroundHover)
			.SetNormalForeground(FStyleColors::Foreground));
		Style.Set("WindowMenuBar.Label", NormalText);
		Style.Set("WindowMenuBar.MenuBar.Padding", FMargin(12.0f, 4.0f));
	}

	void SetupDockingStyles(FSlateStyleSet& Style, const FTextBlockStyle& NormalText)
	{
		const FButtonStyle CloseButton = FButtonStyle()
			.SetNormal(FSlateVectorImageBrush("Starship/Common/close-small", Icon16x16, FStyleColors::Foreground))
			.SetPressed(FSlateVectorImageBrush("Starship/Common/close-small", Icon16x16, FStyleColors::Foreground))
			.SetHovered(FSlateVectorImageBrush("Starship/Common/close-small", Icon16x16, FStyleColors::ForegroundHover));
		// The tab shape is an image in the editor (a box with its top corners rounded by 4); here
		// it is a rounded box of the same colour with square bottom corners.
		const FVector4 TabCorners(4.0f, 4.0f, 0.0f, 0.0f);
		const FSlateRoundedBoxBrush HoveredTab(FStyleColors::Panel.GetSpecifiedColor().CopyWithNewOpacity(0.8f), TabCorners);
		const FSlateRoundedBoxBrush ForegroundTab(FStyleColors::Panel, TabCorners);
		Style.Set("Docking.Tab", FDockTabStyle()
			.SetCloseButtonStyle(CloseButton)
			.SetNormalBrush(FSlateNoResource())
			.SetHoveredBrush(HoveredTab)
			.SetForegroundBrush(ForegroundTab)
			.SetContentAreaBrush(FSlateColorBrush(FStyleColors::Panel))
			.SetTabWellBrush(FSlateColorBrush(FStyleColors::Background))
			.SetTabPadding(FMargin(4.0f, 3.0f, 10.0f, 4.0f))
			.SetOverlapWidth(-2.0f)
			.SetNormalForegroundColor(FStyleColors::Foreground)
			.SetActiveForegroundColor(FStyleColors::ForegroundHover)
			.SetForegroundForegroundColor(FStyleColors::Foreground)
			.SetHoveredForegroundColor(FStyleColors::ForegroundHover)
			.SetTabTextStyle(NormalText));
		Style.Set("Docking.MajorTab", FDockTabStyle()
			.SetCloseButtonStyle(CloseButton)
			.SetNormalBrush(FSlateNoResource())
			.SetHoveredBrush(HoveredTab)
			.SetForegroundBrush(ForegroundTab)
			.SetContentAreaBrush(FSlateColorBrush(FStyleColors::Background))
			.SetTabWellBrush(FSlateColorBrush(FStyleColors::Background))
			.SetTabPadding(FMargin(4.0f, 4.0f, 10.0f, 4.0f))
			.SetOverlapWidth(-2.0f)
			.SetNormalForegroundColor(FStyleColors::Foreground)
			.SetActiveForegroundColor(FStyleColors::White)
			.SetForegroundForegroundColor(FStyleColors::White)
			.SetHoveredForegroundColor(FStyleColors::White)
			.SetTabTextStyle(NormalText)
			.SetIconBorderPadding(4.0f));
		Style.Set("Window", FWindowStyle()
			.SetBackgroundBrush(FSlateColorBrush(FStyleColors::Recessed))
			.SetChildBackgroundBrush(FSlateColorBrush(FStyleColors::Recessed)));
	}

	TSharedRef<FSlateStyleSet> CreateCoreStyle()
	{
		TSharedRef<FSlateStyleSet> Style = MakeShared<FSlateStyleSet>("CoreStyle");
		Style->Set("DefaultForeground", FStyleColors::Foreground);
		Style->Set("InvertedForeground", FStyleColors::ForegroundInverted);
		Style->Set("SelectionColor", FStyleColors::Select);
		SetupTextStyles(*Style);
		SetupButtonStyles(*Style);
		SetupComboButtonStyles(*Style);
		SetupCheckboxStyles(*Style);
		SetupTableViewStyles(*Style);
		const FTextBlockStyle& NormalText = Style->GetWidgetStyle<FTextBlockStyle>("NormalText");
		SetupMenuStyles(*Style, NormalText);
		SetupDockingStyles(*Style, NormalText);

		Style->Set("NoBrush", new FSlateNoResource());
		Style->Set("GenericWhiteBox", new FSlateColorBrush(FLinearColor::White));
		Style->Set("WhiteBrush", new FSlateColorBrush(FLinearColor::White));
		Style->Set("BlackBrush", new FSlateColorBrush(FLinearColor::Black));
		Style->Set("Border", new FSlateColorBrush(FStyleColors::Background));
		Style->Set("FocusRectangle", new FSlateRoundedBoxBrush(FStyleColors::Transparent, InputFocusRadius, FStyleColors::Primary, InputFocusThickness));
		// The fill and marquee are a 20 x 12 marquee image tinted PrimaryHover in the editor.
		FSlateColorBrush Fill(FStyleColors::PrimaryHover);
		Fill.ImageSize = FVector2D(20.0f, 12.0f);
		Style->Set("ProgressBar", FProgressBarStyle()
			.SetBackgroundImage(FSlateColorBrush(FStyleColors::Foldout))
			.SetFillImage(Fill)
			.SetMarqueeImage(Fill)
			.SetEnableFillAnimation(true));
		Style->Set("Splitter", FSplitterStyle()
			.SetHandleNormalBrush(FSlateColorBrush(FStyleColors::Background))
			.SetHandleHighlightBrush(FSlateColorBrush(FStyleColors::Secondary)));
		Style->Set("ScrollBox", FScrollBoxStyle()
			.SetTopShadowBrush(FSlateNoResource())
			.SetBottomShadowBrush(FSlateNoResource())
			.SetLeftShadowBrush(FSlateNoResource())
			.SetRightShadowBrush(FSlateNoResource())
			.SetBarThickness(8.0f));
		return Style;
	}

	const TSharedRef<FSlateStyleSet>& CoreStyleInstance()
	{
		static const TSharedRef<FSlateStyleSet> Instance = []
		{
			TSharedRef<FSlateStyleSet> Created = CreateCoreStyle();
			FSlateStyleRegistry::RegisterSlateStyle(*Created);
			return Created;
		}();
		return Instance;
	}

	const ISlateStyle*& AppStyleInstance()
	{
		static const ISlateStyle* Instance = nullptr;
		return Instance;
	}
}

const ISlateStyle& FCoreStyle::Get()
{
	return FAppStyle::Get();
}

const ISlateStyle& FCoreStyle::GetCoreStyle()
{
	return *CoreStyleInstance();
}

TSharedRef<const FCompositeFont> FCoreStyle::GetDefaultFont()
{
	static const TSharedRef<const FCompositeFont> DefaultFont = MakeShared<const FCompositeFont>();
	return DefaultFont;
}

FSlateFontInfo FCoreStyle::GetDefaultFontStyle(const FName InTypefaceFontName, const float InSize, const FFontOutlineSettings& InOutlineSettings)
{
	return FSlateFontInfo(GetDefaultFont(), InSize, InTypefaceFontName, InOutlineSettings);
}

const ISlateStyle& FAppStyle::Get()
{
	const ISlateStyle* AppStyle = AppStyleInstance();
	return AppStyle != nullptr ? *AppStyle : *CoreStyleInstance();
}

const FName FAppStyle::GetAppStyleSetName()
{
	return Get().GetStyleSetName();
}

void FAppStyle::SetAppStyleSetName(const FName& InName)
{
	const ISlateStyle* Found = FSlateStyleRegistry::FindSlateStyle(InName);
	check(Found != nullptr);
	AppStyleInstance() = Found;
}

void FAppStyle::SetAppStyleSet(const ISlateStyle& InStyle)
{
	AppStyleInstance() = &InStyle;
}
