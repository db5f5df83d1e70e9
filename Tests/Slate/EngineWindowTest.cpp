#include "SlateTestSupport.h"

#include "Slate/Rendering/SlateCairoRenderer.h"

// Only engine declarations below, up to the test itself.
#include "Brushes/SlateRoundedBoxBrush.h"
#include "Framework/Application/SlateApplication.h"
#include "Styling/AppStyle.h"
#include "Styling/CoreStyle.h"
#include "Styling/StyleColors.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Notifications/SProgressBar.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

#include <filesystem>

namespace
{
	int32 CountPixels(const FSlateRenderedImage& Image, const FSlateRect& Rect, const FColor& Color)
	{
		int32 Count = 0;
		for (int32 Y = int32(Rect.Top); Y < int32(Rect.Bottom); ++Y)
		{
			for (int32 X = int32(Rect.Left); X < int32(Rect.Right); ++X)
			{
				Count += Image.At(X, Y) == Color ? 1 : 0;
			}
		}
		return Count;
	}

	// A small card written as it would be for the editor: a title, a half-done progress bar,
	// a ticked check box and a button on a rounded panel.
	class SDownloadCard : public SCompoundWidget
	{
	public:
		SLATE_BEGIN_ARGS(SDownloadCard) : _Progress(0.5f) {}
		SLATE_ATTRIBUTE(float, Progress)
		SLATE_END_ARGS()

		void Construct(const FArguments& InArgs)
		{
			Progress = InArgs._Progress;
			ChildSlot
			[
				SNew(SBorder)
				.BorderImage(&Panel)
				.Padding(FMargin(12.0f))
				[
					SNew(SVerticalBox)
					+ SVerticalBox::Slot()
					.AutoHeight()
					[
						SAssignNew(Title, STextBlock)
						.Text(FText::FromString(TEXT("Oak chair")))
						.Font(FCoreStyle::GetDefaultFontStyle("Bold", 14))
						.ColorAndOpacity(FLinearColor::White)
					]
					+ SVerticalBox::Slot()
					.AutoHeight()
					.Padding(0.0f, 8.0f)
					[
						SAssignNew(Bar, SProgressBar)
						.Percent_Lambda([this]() { return TOptional<float>(Progress.Get()); })
					]
					+ SVerticalBox::Slot()
					.AutoHeight()
					[
						SNew(SHorizontalBox)
						+ SHorizontalBox::Slot()
						.AutoWidth()
						.VAlign(VAlign_Center)
						[
							SAssignNew(Check, SCheckBox).IsChecked(ECheckBoxState::Checked)
						]
						+ SHorizontalBox::Slot()
						.FillWidth(1.0f)
						.HAlign(HAlign_Right)
						[
							SAssignNew(Button, SButton)
							.ButtonStyle(&FAppStyle::Get().GetWidgetStyle<FButtonStyle>("Button"))
							.Text(FText::FromString(TEXT("Add to level")))
						]
					]
				]
			];
		}

		TSharedPtr<STextBlock> Title;
		TSharedPtr<SProgressBar> Bar;
		TSharedPtr<SCheckBox> Check;
		TSharedPtr<SButton> Button;

	private:
		TAttribute<float> Progress;
		FSlateRoundedBoxBrush Panel = FSlateRoundedBoxBrush(FStyleColors::Panel, 6.0f, FStyleColors::Hover, 1.0f);
	};
}

TEST_F(SlateTest, AWindowBuiltFromEngineDeclarationsRendersToAPng)
{
	TSharedPtr<SDownloadCard> Card;
	const TSharedRef<SWindow> Window = SNew(SWindow).Title(FText::FromString(TEXT("Card"))).ClientSize(FVector2D(320, 160))
		[
			SAssignNew(Card, SDownloadCard).Progress(0.5f)
		];
	FSlateApplication::Get().AddWindow(Window);
	TArray<FColor> BarPixels;
	FIntVector BarSize;
	ASSERT_TRUE(FSlateApplication::Get().TakeScreenshot(Card->Bar.ToSharedRef(), BarPixels, BarSize));

	// The host writes the window to a PNG, which is read back and checked.
	FSlateDriver Driver(Window);
	const std::filesystem::path File = std::filesystem::temp_directory_path() / "kva-engine-window.png";
	const FString Filename(File.string().c_str());
	ASSERT_TRUE(Driver.SavePNG(Filename));
	FSlateRenderedImage Image;
	ASSERT_TRUE(FSlateCairoRenderer::LoadPNG(Filename, Image));
	ASSERT_EQ(Image.Width, 320);
	ASSERT_EQ(Image.Height, 160);

	// The screenshot of the bar is the same pixels as the PNG at the bar's place.
	const FSlateRect BarRect = Driver.GetRect(Card->Bar.ToSharedRef());
	ASSERT_EQ(BarSize, FIntVector(FMath::RoundToInt(float(BarRect.GetSize().X)), FMath::RoundToInt(float(BarRect.GetSize().Y)), 0));
	const int32 BarLeft = FMath::RoundToInt(float(BarRect.Left));
	const int32 BarTop = FMath::RoundToInt(float(BarRect.Top));
	for (int32 Y = 0; Y < BarSize.Y; ++Y)
	{
		for (int32 X = 0; X < BarSize.X; ++X)
		{
			ASSERT_EQ(BarPixels[Y * BarSize.X + X], Image.At(BarLeft + X, BarTop + Y)) << X << ", " << Y;
		}
	}
	// Half filled: the fill's colour (PrimaryHover, 0x0E86FF) on the left, the background
	// (Foldout, 0x0F0F0F) on the right.
	const int32 MidY = BarSize.Y / 2;
	EXPECT_EQ(BarPixels[MidY * BarSize.X + BarSize.X / 4], FColor(0x0E, 0x86, 0xFF));
	EXPECT_EQ(BarPixels[MidY * BarSize.X + BarSize.X * 3 / 4], FColor(0x0F, 0x0F, 0x0F));

	// The title's white letters are there, inside its rectangle and on the panel.
	const FSlateRect TitleRect = Driver.GetRect(Card->Title.ToSharedRef());
	EXPECT_GT(CountPixels(Image, TitleRect, FColor(255, 255, 255)), 40);
	EXPECT_EQ(Image.At(int32(TitleRect.Right) + 4, int32(TitleRect.GetCenter().Y)), FColor(0x24, 0x24, 0x24));

	// The tick is drawn in the primary colour (0x0070E0) on the box.
	EXPECT_GT(CountPixels(Image, Driver.GetRect(Card->Check.ToSharedRef()), FColor(0x00, 0x70, 0xE0)), 5);
	std::filesystem::remove(File);
}
