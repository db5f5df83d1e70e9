#pragma once

#include "CoreTypes.h"
#include "Framework/Application/IMenu.h"
#include "Input/HittestGrid.h"
#include "Rendering/DrawElements.h"
#include "Types/SlateVector2.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

DECLARE_DELEGATE_OneParam(FOnWindowClosed, const TSharedRef<SWindow>&);

enum class ESizingRule : uint8
{
	FixedSize,
	Autosized,
	UserSized,
};

// A top-level window: its content fills its client area. The application lays windows out
// and paints them; menus opened in a window are drawn above its content.
class SWindow : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SWindow)
		: _Title(), _ScreenPosition(FVector2f::ZeroVector), _ClientSize(FVector2f::ZeroVector), _SizingRule(ESizingRule::UserSized), _SupportsMaximize(true),
		  _SupportsMinimize(true)
	{
	}
	SLATE_ATTRIBUTE(FText, Title)
	SLATE_ARGUMENT(UE::Slate::FDeprecateVector2DParameter, ScreenPosition)
	SLATE_ARGUMENT(UE::Slate::FDeprecateVector2DParameter, ClientSize)
	SLATE_ARGUMENT(ESizingRule, SizingRule)
	SLATE_ARGUMENT(bool, SupportsMaximize)
	SLATE_ARGUMENT(bool, SupportsMinimize)
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_END_ARGS()

	SWindow();
	~SWindow() override;
	void Construct(const FArguments& InArgs);
	// A click on nothing focusable gives the window keyboard focus.
	bool SupportsKeyboardFocus() const override { return true; }

	void SetContent(TSharedRef<SWidget> InContent);
	TSharedRef<const SWidget> GetContent() const { return ChildSlot.GetWidget(); }
	FText GetTitle() const { return Title.Get(FText()); }
	void SetTitle(const FText& InTitle) { Title = InTitle; }
	FVector2D GetClientSizeInScreen() const { return ClientSize; }
	FVector2D GetSizeInScreen() const { return ClientSize; }
	FVector2D GetPositionInScreen() const { return ScreenPosition; }
	void Resize(FVector2D NewClientSize) { ClientSize = NewClientSize; }
	void MoveWindowTo(FVector2D NewPosition) { ScreenPosition = NewPosition; }
	FGeometry GetWindowGeometryInScreen() const;
	FSlateRect GetRectInScreen() const { return FSlateRect::FromPointAndExtent(ScreenPosition, ClientSize); }
	void SetOnWindowClosed(const FOnWindowClosed& InDelegate) { OnWindowClosed = InDelegate; }
	void RequestDestroyWindow();

	// For the application: the menus open in this window, and what the last frame painted.
	void AddMenu(const TSharedRef<IMenu>& InMenu, const FVector2D& InScreenPosition);
	void RemoveMenu(const TSharedRef<IMenu>& InMenu);
	TArray<TSharedRef<IMenu>> GetMenus() const;
	void PaintWindow(double CurrentTime, float DeltaTime);
	const FSlateWindowElementList& GetElementList() const { return ElementList; }
	const FHittestGrid& GetHittestGrid() const { return HittestGrid; }
	void NotifyClosed();

protected:
	int32 OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
		int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const override;

private:
	struct FMenuPlacement
	{
		TSharedRef<IMenu> Menu;
		FVector2D ScreenPosition;
	};

	TAttribute<FText> Title;
	FVector2D ClientSize;
	FVector2D ScreenPosition;
	FOnWindowClosed OnWindowClosed;
	TArray<FMenuPlacement> Menus;
	FSlateWindowElementList ElementList;
	FHittestGrid HittestGrid;
};
