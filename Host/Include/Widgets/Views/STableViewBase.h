#pragma once

#include "CoreTypes.h"
#include "Framework/Views/ITypedTableView.h"
#include "Layout/Children.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/SPanel.h"

class SScrollBar;

// The rows a table view has generated, placed in lines: one row per line in a list, as many
// ItemWidth x ItemHeight tiles per line as fit in a tile view.
class SListPanel : public SPanel
{
public:
	SLATE_BEGIN_ARGS(SListPanel)
	{
		_Visibility = EVisibility::SelfHitTestInvisible;
	}
	SLATE_END_ARGS()

	SListPanel() : Children(this) {}
	void Construct(const FArguments& InArgs) { (void)InArgs; }
	FChildren* GetChildren() override { return &Children; }

	// Rows in item order, the first lying FirstLineOffset from the top (negative when it is
	// partly scrolled out), with the layout of the lines and the size all the lines would take.
	void SetRows(const TArray<TSharedRef<SWidget>>& Rows, float InFirstLineOffset, bool bInTiles, int32 InItemsPerLine, const FVector2D& InItemSize,
		EListItemAlignment InAlignment, const FVector2D& InDesiredSize);
	int32 Num() const { return Children.Num(); }

protected:
	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

private:
	TSlotlessChildren<SWidget> Children;
	float FirstLineOffset = 0.0f;
	bool bTiles = false;
	int32 ItemsPerLine = 1;
	FVector2D ItemSize;
	FVector2D DesiredSize;
	EListItemAlignment Alignment = EListItemAlignment::EvenlyDistributed;
};

// The layout, scrolling and row generation of list and tile views: only the rows of the
// lines in view are generated (a partly visible line included); the typed list knows the
// items, their rows and the selection.
class STableViewBase : public SCompoundWidget
{
public:
	// Regenerates the rows from the items source on the next frame; rows of items still in the
	// source are kept, and so is their selection.
	virtual void RequestListRefresh();
	void RebuildList();
	// In items, as the engine counts it: a tile view's offset of one line is as many items as
	// a line holds, so the same offset keeps the same first item when the columns change.
	// Setting it only refuses negatives; the next layout keeps it within the items.
	float GetScrollOffset() const { return DesiredScrollOffset; }
	void SetScrollOffset(float InScrollOffset);
	void ScrollToTop() { SetScrollOffset(0.0f); }
	// Scrolls by a distance in Slate units (positive: towards the end); the distance moved.
	float ScrollBy(float Distance);
	int32 GetNumGeneratedChildren() const { return ItemsPanel->Num(); }
	int32 GetNumItemsPerLine() const { return ItemsPerLine; }

	bool SupportsKeyboardFocus() const override { return bIsFocusable; }
	FReply OnMouseWheel(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	FReply OnMouseButtonDown(const FGeometry& MyGeometry, const FPointerEvent& MouseEvent) override;
	void Tick(const FGeometry& AllottedGeometry, const double InCurrentTime, const float InDeltaTime) override;

protected:
	explicit STableViewBase(ETableViewMode::Type InTableViewMode) : TableViewMode(InTableViewMode) {}
	void ConstructChildren();

	virtual int32 GetNumItemsBeingObserved() const = 0;
	// Generation of one frame's rows: begin, the row for each item index in view, end (rows
	// not asked for are released).
	virtual void BeginGeneration() = 0;
	virtual TSharedRef<SWidget> GenerateRowForIndex(int32 ItemIndex) = 0;
	virtual void EndGeneration() = 0;
	virtual void OnItemsRefreshed() = 0;
	// The index of the item a caller asked to bring into view, once; INDEX_NONE when none.
	virtual int32 TakeIndexToScrollIntoView() = 0;
	// A click in the view that no row took.
	virtual void OnClickedEmptySpace() = 0;

	ETableViewMode::Type TableViewMode;
	TAttribute<float> ItemWidth = 128.0f;
	TAttribute<float> ItemHeight = 128.0f;
	TAttribute<EListItemAlignment> ItemAlignment = EListItemAlignment::EvenlyDistributed;
	bool bIsFocusable = true;
	bool bClearSelectionOnClick = true;

private:
	void UpdateRows(const FVector2D& ViewSize);
	// The first line in view (with the part of it scrolled out), kept within the lines there are.
	float ClampLineOffset(float LineOffset) const;
	void OnScrollBarScrolled(float InOffsetFraction);

	TSharedPtr<SListPanel> ItemsPanel;
	TSharedPtr<SScrollBar> ScrollBar;
	// In items; the lines (a line is one row of a list or one line of tiles) follow from it
	// at layout.
	float DesiredScrollOffset = 0.0f;
	float NumLines = 0.0f;
	float LinesInView = 0.0f;
	int32 ItemsPerLine = 1;
	bool bItemsNeedRefresh = true;
	bool bLayoutDirty = true;
	FVector2D LastViewSize;
	FVector2D LastDesiredSize;
	// The height of a list's rows, measured from the first row generated.
	float ListRowHeight = 0.0f;
};
