#include "SlateTestSupport.h"

#include "Widgets/Images/SImage.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Layout/SScaleBox.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/Layout/SSplitter.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SOverlay.h"

namespace
{
	struct FExpectedRect
	{
		TSharedRef<SWidget> Widget;
		FSlateRect Rect;
	};

	struct FLayoutCase
	{
		const char* Name;
		FVector2D WindowSize;
		TSharedRef<SWidget> Content;
		TArray<FExpectedRect> Expected;
	};

	FLayoutCase AutoAndFillSlotsShareWhatIsLeft()
	{
		// 400 wide: the auto slot takes 100, padding 15; 285 is shared 1 : 3.
		TSharedRef<SBox> A = Block(100, 20), B = Block(20, 20), C = Block(20, 20);
		TSharedRef<SWidget> Row = SNew(SHorizontalBox)
			+ SHorizontalBox::Slot().AutoWidth()[A]
			+ SHorizontalBox::Slot().FillWidth(1).Padding(10, 0, 5, 0)[B]
			+ SHorizontalBox::Slot().FillWidth(3)[C];
		return {"auto and fill slots", FVector2D(400, 20), Row,
			{{A, FSlateRect(0, 0, 100, 20)}, {B, FSlateRect(110, 0, 181.25f, 20)}, {C, FSlateRect(186.25f, 0, 400, 20)}}};
	}

	FLayoutCase AlignmentWithinSlots()
	{
		// In a 200-wide slot with padding 10 left and 30 right, a 50-wide child is placed at
		// 10 (left), at (200 - 50) / 2 + 10 - 30 = 55 (centre, the engine's rule) or at
		// 200 - 50 - 30 = 120 (right); filled, it takes 160 from 10.
		TSharedRef<SBox> Left = Block(50, 10), Centre = Block(50, 10), Right = Block(50, 10), Fill = Block(50, 10);
		TSharedRef<SWidget> Column = SNew(SVerticalBox)
			+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left).Padding(10, 0, 30, 0)[Left]
			+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Center).Padding(10, 0, 30, 0)[Centre]
			+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Right).Padding(10, 0, 30, 0)[Right]
			+ SVerticalBox::Slot().AutoHeight().Padding(10, 0, 30, 0)[Fill];
		return {"alignment", FVector2D(200, 100), Column,
			{{Left, FSlateRect(10, 0, 60, 10)}, {Centre, FSlateRect(55, 10, 105, 20)}, {Right, FSlateRect(120, 20, 170, 30)},
				{Fill, FSlateRect(10, 30, 170, 40)}}};
	}

	FLayoutCase VerticalCentreAndFillHeight()
	{
		// A stretch slot between two auto slots takes the height left (100 - 20 - 30 = 50);
		// a child centred in it keeps its own height.
		TSharedRef<SBox> Top = Block(10, 20), Middle = Block(10, 10), Bottom = Block(10, 30);
		TSharedRef<SWidget> Column = SNew(SVerticalBox)
			+ SVerticalBox::Slot().AutoHeight()[Top]
			+ SVerticalBox::Slot().FillHeight(1).VAlign(VAlign_Center).HAlign(HAlign_Left)[Middle]
			+ SVerticalBox::Slot().AutoHeight()[Bottom];
		return {"fill height and vertical centre", FVector2D(50, 100), Column,
			{{Top, FSlateRect(0, 0, 50, 20)}, {Middle, FSlateRect(0, 40, 10, 50)}, {Bottom, FSlateRect(0, 70, 50, 100)}}};
	}

	FLayoutCase SlotBoundsAndCollapsedChildren()
	{
		// The collapsed child takes no room, the hidden one keeps its 40. Each stretch slot's
		// share of the 360 left is 180; the first is held to its maximum of 50, and (as in the
		// engine) what it leaves is not handed on.
		TSharedRef<SBox> Capped = Block(10, 10), Collapsed = Block(40, 10), Hidden = Block(40, 10), Rest = Block(10, 10);
		Collapsed->SetVisibility(EVisibility::Collapsed);
		Hidden->SetVisibility(EVisibility::Hidden);
		TSharedRef<SWidget> Row = SNew(SHorizontalBox)
			+ SHorizontalBox::Slot().FillWidth(1).MaxWidth(50)[Capped]
			+ SHorizontalBox::Slot().AutoWidth()[Collapsed]
			+ SHorizontalBox::Slot().AutoWidth()[Hidden]
			+ SHorizontalBox::Slot().FillWidth(1)[Rest];
		return {"slot bounds, collapsed and hidden", FVector2D(400, 10), Row,
			{{Capped, FSlateRect(0, 0, 50, 10)}, {Rest, FSlateRect(90, 0, 270, 10)}}};
	}

	FLayoutCase BoxOverridesAndBounds()
	{
		// Width and height overrides win over the content; minimum and maximum bound it.
		TSharedRef<SBox> Fixed = SNew(SBox).WidthOverride(180).HeightOverride(44)[Block(10, 10)];
		TSharedRef<SBox> AtLeast = SNew(SBox).MinDesiredWidth(260)[Block(10, 10)];
		TSharedRef<SBox> AtMost = SNew(SBox).MaxDesiredWidth(390)[Block(500, 10)];
		TSharedRef<SWidget> Column = SNew(SVerticalBox)
			+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[Fixed]
			+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[AtLeast]
			+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Left)[AtMost];
		return {"box overrides and bounds", FVector2D(600, 100), Column,
			{{Fixed, FSlateRect(0, 0, 180, 44)}, {AtLeast, FSlateRect(0, 44, 260, 54)}, {AtMost, FSlateRect(0, 54, 390, 64)}}};
	}

	FLayoutCase BorderPaddingAndOverlay()
	{
		// A border's padding surrounds its content; an overlay gives each slot the whole area.
		TSharedRef<SBox> Inner = Block(30, 30), Corner = Block(20, 20);
		TSharedRef<SWidget> Content = SNew(SBorder).Padding(FMargin(4, 6, 8, 10))
			[
				SNew(SOverlay)
				+ SOverlay::Slot()[Inner]
				+ SOverlay::Slot().HAlign(HAlign_Right).VAlign(VAlign_Bottom).Padding(2)[Corner]
			];
		return {"border padding and overlay", FVector2D(100, 100), Content,
			{{Inner, FSlateRect(4, 6, 92, 90)}, {Corner, FSlateRect(70, 68, 90, 88)}}};
	}

	FLayoutCase ScaleToFitKeepsTheAspectRatio()
	{
		// A 100 x 50 image in a 180 x 180 well is scaled by 1.8 to 180 x 90 and centred.
		static FSlateBrush Brush;
		Brush.ImageSize = FVector2D(100, 50);
		TSharedRef<SImage> Image = SNew(SImage).Image(&Brush);
		TSharedRef<SWidget> Well = SNew(SBox).WidthOverride(180).HeightOverride(180)
			[
				SNew(SScaleBox).Stretch(EStretch::ScaleToFit)[Image]
			];
		return {"scale to fit", FVector2D(180, 180), Well, {{Image, FSlateRect(0, 45, 180, 135)}}};
	}

	FLayoutCase SplitterValuesShareTheRoomAfterHandles()
	{
		// 410 wide, two handles of 5: 400 shared 0.25 : 0.5 : 0.25; a child sized to its
		// content would take only its desired width.
		TSharedRef<SBox> A = Block(10, 10), B = Block(10, 10), C = Block(10, 10);
		TSharedRef<SWidget> Split = SNew(SSplitter)
			+ SSplitter::Slot().Value(0.25f)[A]
			+ SSplitter::Slot().Value(0.5f)[B]
			+ SSplitter::Slot().Value(0.25f)[C];
		return {"splitter values", FVector2D(410, 30), Split,
			{{A, FSlateRect(0, 0, 100, 30)}, {B, FSlateRect(105, 0, 305, 30)}, {C, FSlateRect(310, 0, 410, 30)}}};
	}

	FLayoutCase ScrollBoxStacksAtDesiredHeights()
	{
		// Slots keep their desired heights even when they overflow the box, and fill its width
		// less the scroll bar (8 wide in the core style) that the overflow brings.
		TSharedRef<SBox> First = Block(10, 60), Second = Block(10, 80);
		TSharedRef<SScrollBox> Scroll = SNew(SScrollBox)
			+ SScrollBox::Slot()[First]
			+ SScrollBox::Slot().Padding(0, 4)[Second];
		return {"scroll box", FVector2D(100, 100), Scroll,
			{{First, FSlateRect(0, 0, 92, 60)}, {Second, FSlateRect(0, 64, 92, 144)}}};
	}
}

TEST_F(SlateTest, WidgetsAreArrangedByTheEnginesLayoutRules)
{
	const TArray<FLayoutCase (*)()> Cases = {&AutoAndFillSlotsShareWhatIsLeft, &AlignmentWithinSlots, &VerticalCentreAndFillHeight,
		&SlotBoundsAndCollapsedChildren, &BoxOverridesAndBounds, &BorderPaddingAndOverlay, &ScaleToFitKeepsTheAspectRatio,
		&SplitterValuesShareTheRoomAfterHandles, &ScrollBoxStacksAtDesiredHeights};
	for (FLayoutCase (*MakeCase)() : Cases)
	{
		const FLayoutCase Case = MakeCase();
		SCOPED_TRACE(Case.Name);
		FSlateDriver Driver = Open(Case.WindowSize, Case.Content);
		for (const FExpectedRect& Expected : Case.Expected)
		{
			EXPECT_RECT(Driver, Expected.Widget, Expected.Rect.Left, Expected.Rect.Top, Expected.Rect.Right, Expected.Rect.Bottom);
		}
	}
}
