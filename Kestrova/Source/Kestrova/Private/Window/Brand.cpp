#include "Window/Brand.h"

#include "Window/LibraryWindow.h"

#include "Styling/AppStyle.h"
#include "Styling/CoreStyle.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	const FLinearColor BackgroundFill(0.00303527f, 0.00303527f, 0.00334654f, 1.0f);
	const FLinearColor PanelFill(0.00749903f, 0.00749903f, 0.00913406f, 1.0f);
	const FLinearColor SelectionFill(0.0116122f, 0.0116122f, 0.0144438f, 1.0f);
	constexpr float PanelRadius = 14.0f;
	constexpr float ButtonRadius = 10.0f;

	// The editor's own row style, so that an unselected tile hovers as rows do elsewhere.
	const FTableRowStyle& EditorRowStyle()
	{
		const ISlateStyle& AppStyle = FAppStyle::Get();
		if (AppStyle.HasWidgetStyle<FTableRowStyle>(TEXT("TableView.Row")))
		{
			return AppStyle.GetWidgetStyle<FTableRowStyle>(TEXT("TableView.Row"));
		}
		return FTableRowStyle::GetDefault();
	}
}

namespace KVABrand
{
	Styles::Styles()
		: Background(BackgroundFill, 0.0f)
		, Panel(PanelFill, PanelRadius)
		, Selection(SelectionFill, PanelRadius, Accent, 2.0f)
		, SecondaryButton(Button(PanelFill))
		, PrimaryButton(Button(Accent))
		, MembershipButton(Button(Violet))
		, SceneButton(Button(Lime))
		, TileRow(EditorRowStyle())
	{
		TileRow.SetActiveBrush(Selection)
			.SetActiveHoveredBrush(Selection)
			.SetInactiveBrush(Selection)
			.SetInactiveHoveredBrush(Selection);
	}

	Styles::~Styles() = default;

	FButtonStyle Styles::Button(FLinearColor Colour)
	{
		const FMargin Padding(14.0f, 9.0f, 14.0f, 9.0f);
		return FButtonStyle()
			.SetNormal(FSlateRoundedBoxBrush(Colour, ButtonRadius))
			.SetHovered(FSlateRoundedBoxBrush(Colour * 1.08f, ButtonRadius, HoverOutline, 1.0f))
			.SetPressed(FSlateRoundedBoxBrush(Colour * 0.85f, ButtonRadius))
			.SetDisabled(FSlateRoundedBoxBrush(Disabled, ButtonRadius))
			.SetNormalPadding(Padding)
			.SetPressedPadding(Padding);
	}
}

TSharedRef<STextBlock> SKVALibrary::Text(const FString& Text, int32 Size, FLinearColor Colour)
{
	return SNew(STextBlock)
		.Text(FText::FromString(Text))
		.Font(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), Size))
		.ColorAndOpacity(Colour)
		.AutoWrapText(true);
}

TSharedRef<SButton> SKVALibrary::Button(const FString& Label, const FButtonStyle* Style, FLinearColor Colour, TFunction<void()> OnClick, TAttribute<bool> Enabled)
{
	// The label follows the enabled state on every paint, so a button enabled later by a bound
	// attribute takes its colour without a rebuild.
	return SNew(SButton)
		.ButtonStyle(Style)
		.ContentPadding(FMargin(14.0f, 9.0f, 14.0f, 9.0f))
		.IsEnabled(Enabled)
		.OnClicked_Lambda([OnClick]()
		{
			OnClick();
			return FReply::Handled();
		})
		[
			SNew(STextBlock)
			.Text(FText::FromString(Label))
			.Font(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 13))
			.AutoWrapText(true)
			.ColorAndOpacity_Lambda([Enabled, Colour]()
			{
				return FSlateColor(Enabled.Get() ? Colour : KVABrand::TextMuted);
			})
		];
}
