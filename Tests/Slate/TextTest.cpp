#include "SlateTestSupport.h"

#include "SlateCore/Text/ShapedText.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	FSlateFontInfo Regular(float Size)
	{
		return FCoreStyle::GetDefaultFontStyle("Regular", Size);
	}

	FVector2D Measure(const FString& Text, float Size)
	{
		FShapedText::FRequest Request;
		Request.Text = Text;
		Request.Font = Regular(Size);
		return FShapedText::Shape(Request)->GetSize();
	}

	// The laid-out text the window drew for a text.
	TSharedPtr<const FShapedText> Drawn(const FSlateDriver& Driver, const FString& Text)
	{
		for (const FSlateDrawElement& Element : Driver.GetWindow()->GetElementList().GetDrawElements())
		{
			if (Element.GetElementType() == FSlateDrawElement::EElementType::ET_ShapedText && Element.GetShapedText()->GetText() == Text)
			{
				return Element.GetShapedText();
			}
		}
		return nullptr;
	}
}

// A font of Size points is Size * 96 / 72 units per em; a line of Roboto is 2400/2048 em
// high (its ascender plus descender), so 12 points make lines of 16 * 1.171875 = 18.75.
TEST(TextTest, PointSizesFollowTheNinetySixDpiRule)
{
	const struct
	{
		float Size;
		float LineHeight;
	} Cases[] = {{12, 18.75f}, {24, 37.5f}, {9, 14.0625f}};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Size);
		EXPECT_NEAR(FShapedText::GetEmSize(Regular(Case.Size)), Case.Size * 96.0f / 72.0f, 1e-4);
		EXPECT_NEAR(Measure(TEXT("Kestrova"), Case.Size).Y, Case.LineHeight, 0.01);
	}
	// Unhinted metrics scale exactly with the size.
	EXPECT_NEAR(Measure(TEXT("Your library. In Unreal."), 24).X, 2 * Measure(TEXT("Your library. In Unreal."), 12).X, 0.01);
}

// Six equal words where two fit on a line make three lines, whether the width comes from
// the slot (automatic wrapping, settled within the first frame) or is given.
TEST_F(SlateTest, TextWrapsAtWordsWithinItsWidth)
{
	const FString Words = TEXT("word word word word word word");
	const float Word = float(Measure(TEXT("word"), 12).X);
	const float Space = float(Measure(TEXT("word word"), 12).X) - 2 * Word;
	const float Width = 2 * Word + Space + 1.0f;
	const TSharedRef<STextBlock> Auto = SNew(STextBlock).Text(FText::FromString(Words)).Font(Regular(12)).AutoWrapText(true);
	const TSharedRef<STextBlock> Fixed = SNew(STextBlock).Text(FText::FromString(Words)).Font(Regular(12)).WrapTextAt(Width);
	const TSharedRef<STextBlock> Unwrapped = SNew(STextBlock).Text(FText::FromString(Words)).Font(Regular(12));
	FSlateDriver Driver = Open(FVector2D(600, 300),
		SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[SNew(SBox).WidthOverride(Width)[Auto]]
		+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[Fixed]
		+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[Unwrapped]);

	EXPECT_RECT(Driver, Auto, 0, 0, Width, 3 * 18.75f);
	EXPECT_NEAR(Fixed->GetDesiredSize().Y, 3 * 18.75f, 0.01);
	EXPECT_LE(Fixed->GetDesiredSize().X, Width);
	EXPECT_NEAR(Unwrapped->GetDesiredSize().X, Measure(Words, 12).X, 0.01);
	EXPECT_NEAR(Unwrapped->GetDesiredSize().Y, 18.75f, 0.01);

	// Narrowing the slot rewraps on the next frame.
	StaticCastSharedPtr<SBox>(Auto->GetParentWidget())->SetWidthOverride(Word + 1.0f);
	Driver.Tick();
	EXPECT_NEAR(Driver.GetRect(Auto).GetSize().Y, 6 * 18.75f, 0.01);
}

// A text too long for its width asks for its full width; painted, it is cut short with an
// ellipsis (or clipped, by default) at the width it got.
TEST_F(SlateTest, LongTextEndsInAnEllipsisOnOneLine)
{
	const FString Title = TEXT("A title much longer than the tile it sits in");
	const TSharedRef<STextBlock> Ellipsis = SNew(STextBlock).Text(FText::FromString(Title)).Font(Regular(14)).OverflowPolicy(ETextOverflowPolicy::Ellipsis);
	const TSharedRef<STextBlock> Clipped = SNew(STextBlock).Text(FText::FromString(Title + TEXT(" "))).Font(Regular(14));
	FSlateDriver Driver = Open(FVector2D(600, 300),
		SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[SNew(SBox).WidthOverride(204)[Ellipsis]]
		+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[SNew(SBox).WidthOverride(204)[Clipped]]);

	const float FullWidth = float(Measure(Title, 14).X);
	EXPECT_GT(FullWidth, 204.0f);
	EXPECT_NEAR(Ellipsis->GetDesiredSize().X, FullWidth, 0.01);
	EXPECT_RECT(Driver, Ellipsis, 0, 0, 204, 14 * 96.0f / 72.0f * 1.171875f);

	const TSharedPtr<const FShapedText> Shortened = Drawn(Driver, Title);
	ASSERT_TRUE(Shortened.IsValid());
	EXPECT_TRUE(Shortened->IsEllipsized());
	EXPECT_EQ(Shortened->GetNumLines(), 1);
	EXPECT_LE(Shortened->GetSize().X, 204.0);
	EXPECT_GT(Shortened->GetSize().X, 204.0 - Measure(TEXT("much"), 14).X);

	const TSharedPtr<const FShapedText> Cut = Drawn(Driver, Title + TEXT(" "));
	ASSERT_TRUE(Cut.IsValid());
	EXPECT_FALSE(Cut->IsEllipsized());
	EXPECT_NEAR(Cut->GetSize().X, Measure(Title + TEXT(" "), 14).X, 0.01);
}
