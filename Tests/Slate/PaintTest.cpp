#include "SlateTestSupport.h"

#include "Brushes/SlateColorBrush.h"
#include "Brushes/SlateRoundedBoxBrush.h"
#include "Engine/Texture2D.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"
#include "Slate/DeferredCleanupSlateBrush.h"
#include "Styling/StyleColors.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	// The theme's colours as the editor shows them (sRGB bytes).
	const FColor Recessed(0x1A, 0x1A, 0x1A);
	const FColor Secondary(0x38, 0x38, 0x38);
	const FColor Hover(0x57, 0x57, 0x57);
	const FColor Header(0x2F, 0x2F, 0x2F);
	const FColor Dropdown(0x38, 0x38, 0x38);

	::testing::AssertionResult ColorNear(const FSlateRenderedImage& Image, int32 X, int32 Y, const FColor& Expected, int32 Tolerance = 1)
	{
		const FColor& Actual = Image.At(X, Y);
		const int32 Error = FMath::Max(FMath::Max(FMath::Abs(Actual.R - Expected.R), FMath::Abs(Actual.G - Expected.G)),
			FMath::Max(FMath::Abs(Actual.B - Expected.B), FMath::Abs(Actual.A - Expected.A)));
		if (Error <= Tolerance)
		{
			return ::testing::AssertionSuccess();
		}
		return ::testing::AssertionFailure() << "at (" << X << ", " << Y << ") " << int(Actual.R) << "," << int(Actual.G) << "," << int(Actual.B) << ","
											 << int(Actual.A) << " instead of " << int(Expected.R) << "," << int(Expected.G) << "," << int(Expected.B) << ","
											 << int(Expected.A);
	}
}

TEST_F(SlateTest, ARoundedBoxIsFilledWithItsOutlineInsideTheEdge)
{
	// 100 x 60, radius 10, a 3-wide blue outline around red, on the window's recessed grey.
	FSlateRoundedBoxBrush Brush(FLinearColor(1, 0, 0, 1), 10.0f, FLinearColor(0, 0, 1, 1), 3.0f);
	FSlateDriver Driver = Open(FVector2D(140, 100),
		SNew(SBox).HAlign(HAlign_Left).VAlign(VAlign_Top).Padding(FMargin(20, 20, 0, 0))
		[
			SNew(SBox).WidthOverride(100).HeightOverride(60)[SNew(SBorder).BorderImage(&Brush)]
		]);
	const FSlateRenderedImage Image = Driver.Render();
	struct FProbe
	{
		const char* Name;
		int32 X;
		int32 Y;
		FColor Expected;
	};
	const FProbe Probes[] = {
		{"centre", 70, 50, FColor(255, 0, 0)},
		{"left edge, inside the outline", 21, 50, FColor(0, 0, 255)},
		{"just inside the outline", 24, 50, FColor(255, 0, 0)},
		{"top edge", 70, 21, FColor(0, 0, 255)},
		{"bottom edge", 70, 78, FColor(0, 0, 255)},
		{"cut off by the rounded corner", 20, 20, Recessed},
		{"outside", 10, 50, Recessed},
		{"past the right edge", 121, 50, Recessed},
	};
	for (const FProbe& Probe : Probes)
	{
		EXPECT_TRUE(ColorNear(Image, Probe.X, Probe.Y, Probe.Expected)) << Probe.Name;
	}
}

TEST_F(SlateTest, AButtonIsDrawnInTheLookOfItsState)
{
	TSharedRef<SButton> Button = SNew(SButton).Text(FText::FromString(TEXT("Import")));
	FSlateDriver Driver = Open(FVector2D(200, 80), SNew(SBox).HAlign(HAlign_Left).VAlign(VAlign_Top).Padding(10)[SNew(SBox).WidthOverride(120)[Button]]);
	const FSlateRect Rect = Driver.GetRect(Button);
	// Left of the label, inside the outline.
	const int32 X = int32(Rect.Left) + 5;
	const int32 Y = int32(Rect.GetCenter().Y);

	EXPECT_TRUE(ColorNear(Driver.Render(), X, Y, Secondary)) << "normal";
	Driver.MoveTo(Rect.GetCenter());
	EXPECT_TRUE(ColorNear(Driver.Render(), X, Y, Hover)) << "hovered";
	Driver.PressAt(Rect.GetCenter());
	EXPECT_TRUE(ColorNear(Driver.Render(), X, Y, Header)) << "pressed";
	Driver.ReleaseAt(FVector2D(190, 70));
	// Disabled, the button takes its disabled brush, and its label is drawn at 45% opacity.
	Button->SetEnabled(false);
	const FSlateRenderedImage Disabled = Driver.Render();
	EXPECT_TRUE(ColorNear(Disabled, X, Y, Dropdown)) << "disabled";
	int32 Brightest = 0;
	for (int32 PixelX = int32(Rect.Left) + 10; PixelX < int32(Rect.Right) - 10; ++PixelX)
	{
		Brightest = FMath::Max(Brightest, int32(Disabled.At(PixelX, Y).R));
	}
	// The label takes the disabled foreground (0xC0) over the disabled fill, at 45%:
	// 0x38 + (0xC0 - 0x38) * 0.45 = 117.
	EXPECT_NEAR(Brightest, 117, 4);
}

// Enabled is a widget's own state and its parents': a button inside a disabled panel takes the
// disabled brush of its style although it is itself enabled.
TEST_F(SlateTest, AButtonPaintsDisabledWhenAnyParentIsDisabled)
{
	const FButtonStyle Style = FButtonStyle()
		.SetNormal(FSlateColorBrush(FLinearColor(1, 0, 0, 1)))
		.SetHovered(FSlateColorBrush(FLinearColor(1, 0, 0, 1)))
		.SetPressed(FSlateColorBrush(FLinearColor(1, 0, 0, 1)))
		.SetDisabled(FSlateColorBrush(FLinearColor(0, 0, 1, 1)));
	const struct
	{
		const char* Name;
		bool bOuterEnabled;
		bool bInnerEnabled;
		bool bButtonEnabled;
		FColor Expected;
	} Cases[] = {
		{"all enabled", true, true, true, FColor(255, 0, 0)},
		{"the button disabled", true, true, false, FColor(0, 0, 255)},
		{"its parent disabled", true, false, true, FColor(0, 0, 255)},
		{"a grandparent disabled", false, true, true, FColor(0, 0, 255)},
	};
	for (const auto& Case : Cases)
	{
		TSharedRef<SButton> Button = SNew(SButton).ButtonStyle(&Style).IsEnabled(Case.bButtonEnabled);
		FSlateDriver Driver = Open(FVector2D(120, 60),
			SNew(SBox).IsEnabled(Case.bOuterEnabled).Padding(10)
			[
				SNew(SBox).IsEnabled(Case.bInnerEnabled).WidthOverride(80).HeightOverride(30)[Button]
			]);
		const FSlateRect Rect = Driver.GetRect(Button);
		EXPECT_TRUE(ColorNear(Driver.Render(), int32(Rect.GetCenter().X), int32(Rect.GetCenter().Y), Case.Expected)) << Case.Name;
	}
}

TEST_F(SlateTest, ATextureBrushDrawsTheTexturesPixelsWithTheirAlpha)
{
	// An editor session owns the texture and destroys it when it ends.
	FHostRuntime Runtime;
	FHostEditor Editor;
	// Two texels, BGRA: opaque green, and red at half opacity.
	const TArray<uint8> Pixels = {0, 255, 0, 255, 0, 0, 255, 128};
	UTexture2D* Texture = UTexture2D::CreateTransient(2, 1, PF_B8G8R8A8, NAME_None, TConstArrayView64<uint8>(Pixels.GetData(), Pixels.Num()));
	ASSERT_NE(Texture, nullptr);
	// As in the editor, a texture is drawn once it has a resource.
	Texture->UpdateResource();
	TSharedPtr<FDeferredCleanupSlateBrush> Brush = FDeferredCleanupSlateBrush::CreateBrush(Texture);
	EXPECT_EQ(Brush->GetSlateBrush()->ImageSize, FVector2D(2, 1));
	EXPECT_EQ(Brush->GetSlateBrush()->GetResourceObject(), Texture);

	FSlateColorBrush White(FLinearColor::White);
	FSlateDriver Driver = Open(FVector2D(100, 50),
		SNew(SBorder).BorderImage(&White).Padding(0)[SNew(SImage).Image(FDeferredCleanupSlateBrush::TrySlateBrush(Brush))]);
	const FSlateRenderedImage Image = Driver.Render();
	EXPECT_TRUE(ColorNear(Image, 10, 25, FColor(0, 255, 0)));
	// Half-transparent red over white.
	EXPECT_TRUE(ColorNear(Image, 90, 25, FColor(255, 127, 127), 2));
	EXPECT_EQ(FDeferredCleanupSlateBrush::TrySlateBrush(nullptr), nullptr);
}

TEST_F(SlateTest, ABoundAttributeChangesTheNextPaintWithoutARebuild)
{
	FLinearColor Fill = FLinearColor(1, 0, 0, 1);
	int32 Count = 3;
	FSlateColorBrush White(FLinearColor::White);
	TSharedRef<STextBlock> Label = SNew(STextBlock).Text_Lambda([&Count]() { return FText::FromString(FString::Printf(TEXT("%d results"), Count)); });
	FSlateDriver Driver = Open(FVector2D(200, 60),
		SNew(SBorder)
		.BorderImage(&White)
		.BorderBackgroundColor_Lambda([&Fill]() { return FSlateColor(Fill); })
		.HAlign(HAlign_Left)
		.VAlign(VAlign_Top)
		[
			Label
		]);
	EXPECT_TRUE(ColorNear(Driver.Render(), 190, 50, FColor(255, 0, 0)));
	EXPECT_TRUE(Driver.GetShownTexts().Contains(TEXT("3 results")));
	const float WidthBefore = float(Driver.GetRect(Label).GetSize().X);

	Fill = FLinearColor(0, 1, 0, 1);
	Count = 1200;
	EXPECT_TRUE(ColorNear(Driver.Render(), 190, 50, FColor(0, 255, 0)));
	EXPECT_TRUE(Driver.GetShownTexts().Contains(TEXT("1200 results")));
	// The longer text was measured again for the layout.
	EXPECT_GT(float(Driver.GetRect(Label).GetSize().X), WidthBefore);
}
