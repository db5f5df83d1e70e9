#include "Widgets/Views/STableViewBase.h"

#include "Framework/Application/SlateApplication.h"
#include "Widgets/Layout/SScrollBar.h"
#include "Widgets/SBoxPanel.h"

namespace
{
	// How far one notch of the wheel scrolls, in Slate units.
	constexpr float WheelScrollAmount = 32.0f;
}

void SListPanel::SetRows(const TArray<TSharedRef<SWidget>>& Rows, float InFirstLineOffset, bool bInTiles, int32 InItemsPerLine, const FVector2D& InItemSize,
	EListItemAlignment InAlignment, const FVector2D& InDesiredSize)
{
	Children.Empty();
	for (const TSharedRef<SWidget>& Row : Rows)
	{
		Children.Add(Row);
	}
	FirstLineOffset = InFirstLineOffset;
	bTiles = bInTiles;
	ItemsPerLine = FMath::Max(1, InItemsPerLine);
	ItemSize = InItemSize;
	DesiredSize = InDesiredSize;
	Alignment = InAlignment;
}

FVector2D SListPanel::ComputeDesiredSize(float) const
{
	return DesiredSize;
}

// Tiles keep their size; the room left on a line goes where the alignment puts it (evenly
// distributed: half a share before each tile and half after).
void SListPanel::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	const FVector2D Allotted = AllottedGeometry.GetLocalSize();
	if (!bTiles)
	{
		float Y = FirstLineOffset;
		for (int32 Index = 0; Index < Children.Num(); ++Index)
		{
			const TSharedRef<SWidget>& Row = Children[Index];
			const float Height = float(Row->GetDesiredSize().Y);
			ArrangedChildren.AddWidget(FArrangedWidget(Row, AllottedGeometry.MakeChild(FVector2D(0, Y), FVector2D(Allotted.X, Height))));
			Y += Height;
		}
		return;
	}
	const float Extra = FMath::Max(0.0f, float(Allotted.X) - ItemsPerLine * float(ItemSize.X));
	float Start = 0.0f;
	float Gap = 0.0f;
	float Width = float(ItemSize.X);
	switch (Alignment)
	{
	case EListItemAlignment::EvenlyDistributed:
		Gap = Extra / ItemsPerLine;
		Start = Gap * 0.5f;
		break;
	case EListItemAlignment::EvenlyWide:
		Gap = ItemsPerLine > 1 ? Extra / (ItemsPerLine - 1) : 0.0f;
		break;
	case EListItemAlignment::EvenlySize:
	case EListItemAlignment::Fill:
		Width = float(Allotted.X) / ItemsPerLine;
		break;
	case EListItemAlignment::RightAligned:
		Start = Extra;
		break;
	case EListItemAlignment::CenterAligned:
		Start = Extra * 0.5f;
		break;
	default:
		break;
	}
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		const int32 Line = Index / ItemsPerLine;
		const int32 Column = Index % ItemsPerLine;
		const FVector2D Position(Start + Column * (Width + Gap), FirstLineOffset + Line * float(ItemSize.Y));
		ArrangedChildren.AddWidget(FArrangedWidget(Children[Index], AllottedGeometry.MakeChild(Position, FVector2D(Width, ItemSize.Y))));
	}
}

void STableViewBase::ConstructChildren()
{
	SetClipping(EWidgetClipping::ClipToBounds);
	ChildSlot
	[
		SNew(SHorizontalBox)
		+ SHorizontalBox::Slot().FillWidth(1)[SAssignNew(ItemsPanel, SListPanel)]
		+ SHorizontalBox::Slot().AutoWidth()[SAssignNew(ScrollBar, SScrollBar).OnUserScrolled(this, &STableViewBase::OnScrollBarScrolled)]
	];
}

void STableViewBase::RequestListRefresh()
{
	bItemsNeedRefresh = true;
	bLayoutDirty = true;
}

void STableViewBase::RebuildList()
{
	RequestListRefresh();
}

void STableViewBase::SetScrollOffset(float InScrollOffset)
{
	DesiredScrollOffset = FMath::Max(0.0f, InScrollOffset);
	bLayoutDirty = true;
}

float STableViewBase::ClampLineOffset(float LineOffset) const
{
	return FMath::Clamp(LineOffset, 0.0f, FMath::Max(0.0f, NumLines - LinesInView));
}

float STableViewBase::ScrollBy(float Distance)
{
	const float LineHeight = TableViewMode == ETableViewMode::Tile ? ItemHeight.Get() : ListRowHeight;
	if (LineHeight <= 0.0f)
	{
		return 0.0f;
	}
	const float Before = ClampLineOffset(DesiredScrollOffset / ItemsPerLine);
	const float After = ClampLineOffset(Before + Distance / LineHeight);
	SetScrollOffset(After * ItemsPerLine);
	return (After - Before) * LineHeight;
}

void STableViewBase::OnScrollBarScrolled(float InOffsetFraction)
{
	SetScrollOffset(ClampLineOffset(InOffsetFraction * NumLines) * ItemsPerLine);
}

// The wheel scrolls the view when it can; a view that cannot scroll lets the wheel pass on.
FReply STableViewBase::OnMouseWheel(const FGeometry&, const FPointerEvent& MouseEvent)
{
	return ScrollBy(-MouseEvent.GetWheelDelta() * WheelScrollAmount) != 0.0f ? FReply::Handled() : FReply::Unhandled();
}

FReply STableViewBase::OnMouseButtonDown(const FGeometry&, const FPointerEvent& MouseEvent)
{
	if (MouseEvent.GetEffectingButton() == EKeys::LeftMouseButton && bClearSelectionOnClick)
	{
		OnClickedEmptySpace();
		return FReply::Handled();
	}
	return FReply::Unhandled();
}

void STableViewBase::Tick(const FGeometry& AllottedGeometry, const double, const float)
{
	const FVector2D ViewSize = AllottedGeometry.GetLocalSize();
	if (bItemsNeedRefresh)
	{
		bItemsNeedRefresh = false;
		OnItemsRefreshed();
	}
	if (bLayoutDirty || ViewSize != LastViewSize)
	{
		LastViewSize = ViewSize;
		bLayoutDirty = false;
		UpdateRows(ViewSize);
	}
}

// Works out the lines in view for the width there is (less the scroll bar when the lines do
// not all fit), then asks for the rows of those lines only.
void STableViewBase::UpdateRows(const FVector2D& ViewSize)
{
	const int32 NumItems = GetNumItemsBeingObserved();
	const bool bTiles = TableViewMode == ETableViewMode::Tile;
	BeginGeneration();
	TArray<TSharedRef<SWidget>> Rows;
	float FirstLineOffset = 0.0f;
	FVector2D ItemSize;
	FVector2D DesiredSize;
	float LineOffset = 0.0f;
	if (bTiles)
	{
		ItemSize = FVector2D(ItemWidth.Get(), ItemHeight.Get());
		DesiredSize = ItemSize;
		auto Lay = [&](float Width)
		{
			ItemsPerLine = FMath::Max(1, FMath::FloorToInt(Width / float(ItemSize.X)));
			NumLines = float((NumItems + ItemsPerLine - 1) / ItemsPerLine);
		};
		Lay(float(ViewSize.X));
		LinesInView = ItemSize.Y > 0 ? float(ViewSize.Y / ItemSize.Y) : 0.0f;
		if (NumLines > LinesInView)
		{
			Lay(float(ViewSize.X) - ScrollBar->GetThickness());
		}
		LineOffset = DesiredScrollOffset / ItemsPerLine;
		const int32 Wanted = TakeIndexToScrollIntoView();
		if (Wanted != INDEX_NONE)
		{
			const float WantedLine = float(Wanted / ItemsPerLine);
			if (WantedLine < LineOffset || WantedLine + 1.0f > LineOffset + LinesInView)
			{
				LineOffset = WantedLine + 0.5f - LinesInView * 0.5f;
			}
		}
		LineOffset = ClampLineOffset(LineOffset);
		const int32 FirstLine = FMath::FloorToInt(LineOffset);
		FirstLineOffset = -(LineOffset - FirstLine) * float(ItemSize.Y);
		for (int32 Line = FirstLine; Line < int32(NumLines) && FirstLineOffset + (Line - FirstLine) * ItemSize.Y < ViewSize.Y; ++Line)
		{
			for (int32 Index = Line * ItemsPerLine; Index < FMath::Min(NumItems, (Line + 1) * ItemsPerLine); ++Index)
			{
				Rows.Add(GenerateRowForIndex(Index));
			}
		}
	}
	else
	{
		ItemsPerLine = 1;
		NumLines = float(NumItems);
		LineOffset = DesiredScrollOffset;
		const int32 Wanted = TakeIndexToScrollIntoView();
		if (Wanted != INDEX_NONE && LinesInView > 0.0f && (Wanted < LineOffset || Wanted + 1.0f > LineOffset + LinesInView))
		{
			LineOffset = Wanted + 0.5f - LinesInView * 0.5f;
		}
		LineOffset = FMath::Clamp(LineOffset, 0.0f, FMath::Max(0.0f, NumLines - 1.0f));
		const int32 FirstItem = FMath::FloorToInt(LineOffset);
		float Bottom = 0.0f;
		float Widest = 0.0f;
		// The first row is made even in no room at all: its height tells how much the list
		// would like.
		for (int32 Index = FirstItem; Index < NumItems && (Index == FirstItem || Bottom < ViewSize.Y); ++Index)
		{
			const TSharedRef<SWidget> Row = GenerateRowForIndex(Index);
			const float Height = float(Row->GetDesiredSize().Y);
			Widest = FMath::Max(Widest, float(Row->GetDesiredSize().X));
			if (Index == FirstItem)
			{
				ListRowHeight = Height;
				FirstLineOffset = -(LineOffset - FirstItem) * Height;
				Bottom = FirstLineOffset;
			}
			Bottom += Height;
			Rows.Add(Row);
		}
		LinesInView = ListRowHeight > 0 ? float(ViewSize.Y / ListRowHeight) : NumLines;
		LineOffset = ClampLineOffset(LineOffset);
		ItemSize = FVector2D(ViewSize.X, ListRowHeight);
		// Rows are taken to be as tall as the first.
		DesiredSize = FVector2D(Widest, NumLines * ListRowHeight);
	}
	EndGeneration();
	DesiredScrollOffset = LineOffset * ItemsPerLine;
	ItemsPanel->SetRows(Rows, FirstLineOffset, bTiles, ItemsPerLine, ItemSize, ItemAlignment.Get(), DesiredSize);
	const bool bScrollBarWasNeeded = ScrollBar->IsNeeded();
	ScrollBar->SetState(NumLines > 0 ? LineOffset / NumLines : 0.0f, NumLines > 0 ? LinesInView / NumLines : 1.0f);
	if (ScrollBar->IsNeeded() != bScrollBarWasNeeded || DesiredSize != LastDesiredSize)
	{
		// The scroll bar appears or goes, or the list would like another size: the frame is
		// laid out again.
		LastDesiredSize = DesiredSize;
		RequestLayoutPass();
	}
}
