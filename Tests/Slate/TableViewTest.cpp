#include "SlateTestSupport.h"

#include "Brushes/SlateColorBrush.h"
#include "Widgets/Text/STextBlock.h"
#include "Widgets/Views/STableRow.h"
#include "Widgets/Views/STileView.h"

namespace
{
	typedef TSharedPtr<FString> FItem;

	// A 220 x 260 tile grid over a list of items, recording what it generates and reports.
	struct FTileGrid
	{
		TArray<FItem> Items;
		TArray<FString> Generated;
		TArray<TPair<FItem, ESelectInfo::Type>> Changes;
		TSharedPtr<STileView<FItem>> View;
		FTableRowStyle RowStyle;

		explicit FTileGrid(int32 Count)
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				Items.Add(MakeShared<FString>(FString::Printf(TEXT("Item %d"), Index)));
			}
			RowStyle = FTableRowStyle()
				.SetEvenRowBackgroundBrush(FSlateColorBrush(FLinearColor(0.1f, 0.1f, 0.1f)))
				.SetEvenRowBackgroundHoveredBrush(FSlateColorBrush(FLinearColor(0.2f, 0.2f, 0.2f)))
				.SetOddRowBackgroundBrush(FSlateColorBrush(FLinearColor(0.1f, 0.1f, 0.1f)))
				.SetOddRowBackgroundHoveredBrush(FSlateColorBrush(FLinearColor(0.2f, 0.2f, 0.2f)))
				.SetActiveBrush(FSlateColorBrush(FLinearColor(1.0f, 0.0f, 0.0f)))
				.SetActiveHoveredBrush(FSlateColorBrush(FLinearColor(1.0f, 0.0f, 0.0f)))
				.SetInactiveBrush(FSlateColorBrush(FLinearColor(0.0f, 0.0f, 1.0f)))
				.SetInactiveHoveredBrush(FSlateColorBrush(FLinearColor(0.0f, 0.0f, 1.0f)));
		}

		TSharedRef<SWidget> Make()
		{
			return SAssignNew(View, STileView<FItem>)
				.ListItemsSource(&Items)
				.ItemWidth(220)
				.ItemHeight(260)
				.SelectionMode(ESelectionMode::Single)
				.OnGenerateTile_Lambda(
					[this](FItem Item, const TSharedRef<STableViewBase>& Owner) -> TSharedRef<ITableRow>
					{
						Generated.Add(*Item);
						return SNew(STableRow<FItem>, Owner).Style(&RowStyle).Padding(8)[SNew(STextBlock).Text(FText::FromString(*Item))];
					})
				.OnSelectionChanged_Lambda([this](FItem Item, ESelectInfo::Type Info) { Changes.Add(TPair<FItem, ESelectInfo::Type>(Item, Info)); });
		}

		TArray<FString> ShownTiles(const FSlateDriver& Driver) const
		{
			TArray<FString> Shown;
			for (const FString& Text : Driver.GetShownTexts())
			{
				if (Text.StartsWith(TEXT("Item ")))
				{
					Shown.Add(Text);
				}
			}
			return Shown;
		}
	};

	TArray<FString> Range(int32 First, int32 Count)
	{
		TArray<FString> Names;
		for (int32 Index = First; Index < First + Count; ++Index)
		{
			Names.Add(FString::Printf(TEXT("Item %d"), Index));
		}
		return Names;
	}
}

// 480 items in a 1000 x 800 view: the scroll bar (8 wide) leaves 992, so four 220-wide
// tiles fit on a line with 28 shared out around each; the lines at 0, 260, 520 and 780 are
// in view (the last one partly), so sixteen tiles are generated and no more, wherever the
// view is scrolled to.
TEST_F(SlateTest, TileViewGeneratesOnlyTheTilesInView)
{
	FTileGrid Grid(480);
	FSlateDriver Driver = Open(FVector2D(1000, 800), Grid.Make());

	EXPECT_EQ(Grid.View->GetNumItemsPerLine(), 4);
	EXPECT_EQ(Grid.Generated, Range(0, 16));
	EXPECT_EQ(Grid.ShownTiles(Driver), Range(0, 16));
	const TSharedPtr<ITableRow> Second = Grid.View->WidgetFromItem(Grid.Items[1]);
	ASSERT_TRUE(Second.IsValid());
	EXPECT_RECT(Driver, Second->AsWidget(), 14 + 220 + 28, 0, 14 + 220 + 28 + 220, 260);
	EXPECT_RECT(Driver, Grid.View->WidgetFromItem(Grid.Items[12])->AsWidget(), 14, 780, 234, 1040);

	// Twenty notches of 32 scroll 640: the first line in view is the third, 120 above the top.
	Grid.Generated.Reset();
	Driver.Scroll(FVector2D(500, 400), -20.0f);
	EXPECT_EQ(Grid.View->GetNumGeneratedChildren(), 16);
	EXPECT_EQ(Grid.ShownTiles(Driver), Range(8, 16));
	EXPECT_EQ(Grid.Generated, Range(16, 8));
	EXPECT_RECT(Driver, Grid.View->WidgetFromItem(Grid.Items[8])->AsWidget(), 14, -120, 234, 140);

	// Narrower, three tiles fit on a line.
	Driver.GetWindow()->Resize(FVector2D(700, 800));
	Driver.Tick();
	EXPECT_EQ(Grid.View->GetNumItemsPerLine(), 3);
	EXPECT_EQ(Grid.View->GetNumGeneratedChildren(), 12);
}

TEST_F(SlateTest, TileSelectionByClickAndInCodeSurvivesARefreshWhileTheItemRemains)
{
	FTileGrid Grid(10);
	FSlateDriver Driver = Open(FVector2D(1000, 800), Grid.Make());

	const TSharedRef<SWidget> Tile = Grid.View->WidgetFromItem(Grid.Items[5])->AsWidget();
	EXPECT_EQ(Driver.Click(Tile), FString());
	ASSERT_EQ(Grid.Changes.Num(), 1);
	EXPECT_EQ(Grid.Changes[0].Key, Grid.Items[5]);
	EXPECT_EQ(Grid.Changes[0].Value, ESelectInfo::OnMouseClick);
	// As in the engine, clicking the selected tile again changes nothing and signals nothing.
	EXPECT_EQ(Driver.Click(Tile), FString());
	EXPECT_EQ(Grid.Changes.Num(), 1);
	EXPECT_TRUE(Grid.View->IsItemSelected(Grid.Items[5]));
	// The click gave the view keyboard focus: the selected tile shows the active brush.
	EXPECT_TRUE(Grid.View->HasKeyboardFocus());
	const FVector2D Corner = Driver.GetRect(Tile).GetTopLeft() + FVector2D(2, 2);
	EXPECT_EQ(Driver.Render().At(int32(Corner.X), int32(Corner.Y)), FColor(255, 0, 0));

	// A refresh with another item gone keeps the selection; with the selected item gone it
	// clears it, and says so.
	Grid.Items.RemoveAt(0);
	Grid.View->RequestListRefresh();
	Driver.Tick();
	EXPECT_TRUE(Grid.View->IsItemSelected(Grid.Items[4]));
	EXPECT_EQ(Grid.Changes.Num(), 1);
	Grid.Items.RemoveAt(4);
	Grid.View->RequestListRefresh();
	Driver.Tick();
	EXPECT_EQ(Grid.View->GetNumItemsSelected(), 0);
	ASSERT_EQ(Grid.Changes.Num(), 2);
	EXPECT_FALSE(Grid.Changes[1].Key.IsValid());
	EXPECT_EQ(Grid.Changes[1].Value, ESelectInfo::Direct);

	// Selected in code, it is reported as direct; without focus it shows the inactive brush.
	Grid.View->SetSelection(Grid.Items[2]);
	ASSERT_EQ(Grid.Changes.Num(), 3);
	EXPECT_EQ(Grid.Changes[2].Value, ESelectInfo::Direct);
	FSlateApplication::Get().ClearKeyboardFocus();
	const FSlateRect Selected = Driver.GetRect(Grid.View->WidgetFromItem(Grid.Items[2])->AsWidget());
	EXPECT_EQ(Driver.Render().At(int32(Selected.Left) + 2, int32(Selected.Top) + 2), FColor(0, 0, 255));

	// A click between tiles clears the selection.
	EXPECT_EQ(Driver.Click(Grid.View.ToSharedRef()), FString());
	EXPECT_EQ(Grid.View->GetNumItemsSelected(), 0);
}
