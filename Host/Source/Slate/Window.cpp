#include "Widgets/SWindow.h"

#include "Framework/Application/SlateApplication.h"
#include "SlateCore/SlateFrame.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"

SWindow::SWindow() : ElementList(nullptr) {}

SWindow::~SWindow() = default;

void SWindow::Construct(const FArguments& InArgs)
{
	Title = InArgs._Title;
	ClientSize = FVector2D(InArgs._ClientSize);
	ScreenPosition = FVector2D(InArgs._ScreenPosition);
	ChildSlot[InArgs._Content.Widget];
}

void SWindow::SetContent(TSharedRef<SWidget> InContent)
{
	ChildSlot[InContent];
}

FGeometry SWindow::GetWindowGeometryInScreen() const
{
	return FGeometry::MakeRoot(ClientSize, FSlateLayoutTransform(ScreenPosition));
}

void SWindow::RequestDestroyWindow()
{
	FSlateApplication::Get().RequestDestroyWindow(StaticCastSharedRef<SWindow>(AsShared()));
}

void SWindow::NotifyClosed()
{
	OnWindowClosed.ExecuteIfBound(StaticCastSharedRef<SWindow>(AsShared()));
}

void SWindow::AddMenu(const TSharedRef<IMenu>& InMenu, const FVector2D& InScreenPosition)
{
	Menus.Add(FMenuPlacement{InMenu, InScreenPosition});
}

void SWindow::RemoveMenu(const TSharedRef<IMenu>& InMenu)
{
	Menus.RemoveAll([&InMenu](const FMenuPlacement& Placement) { return Placement.Menu == InMenu; });
}

TArray<TSharedRef<IMenu>> SWindow::GetMenus() const
{
	TArray<TSharedRef<IMenu>> Result;
	for (const FMenuPlacement& Placement : Menus)
	{
		Result.Add(Placement.Menu);
	}
	return Result;
}

// Lays the window out and paints it. Some widgets only learn what they want from the
// geometry they are painted with (text wrapped at its width, the rows a list can show);
// they ask for another pass, and the frame is laid out again until nothing changes, so
// one frame shows the settled layout.
void SWindow::PaintWindow(double CurrentTime, float DeltaTime)
{
	const TSharedRef<SWindow> Self = StaticCastSharedRef<SWindow>(AsShared());
	const FGeometry WindowGeometry = GetWindowGeometryInScreen();
	constexpr int32 MaxPasses = 4;
	for (int32 Pass = 0; Pass < MaxPasses; ++Pass)
	{
		UE::Slate::Frame::Begin();
		SlatePrepass(1.0f);
		for (const FMenuPlacement& Placement : Menus)
		{
			Placement.Menu->GetContent()->SlatePrepass(1.0f);
		}
		ElementList = FSlateWindowElementList(Self);
		HittestGrid.Clear();
		FPaintArgs Args(nullptr, HittestGrid, CurrentTime, DeltaTime);
		Paint(Args, WindowGeometry, WindowGeometry.GetLayoutBoundingRect(), ElementList, 0, FWidgetStyle(), true);
		if (!UE::Slate::Frame::ConsumeLayoutPassRequest())
		{
			break;
		}
	}
}

int32 SWindow::OnPaint(const FPaintArgs& Args, const FGeometry& AllottedGeometry, const FSlateRect& MyCullingRect, FSlateWindowElementList& OutDrawElements,
	int32 LayerId, const FWidgetStyle& InWidgetStyle, bool bParentEnabled) const
{
	const FWindowStyle& Style = FCoreStyle::Get().GetWidgetStyle<FWindowStyle>("Window");
	FSlateDrawElement::MakeBox(OutDrawElements, LayerId, AllottedGeometry.ToPaintGeometry(), &Style.BackgroundBrush, ESlateDrawEffect::None,
		Style.BackgroundBrush.GetTint(InWidgetStyle));
	FWidgetStyle ContentStyle(InWidgetStyle);
	ContentStyle.SetForegroundColor(FSlateColor(FLinearColor::White));
	int32 MaxLayer = SCompoundWidget::OnPaint(Args, AllottedGeometry, MyCullingRect, OutDrawElements, LayerId + 1, ContentStyle, bParentEnabled);

	// Menus lie above everything else and stay inside the window.
	const FSlateRect WindowRect = AllottedGeometry.GetLayoutBoundingRect();
	for (const FMenuPlacement& Placement : Menus)
	{
		const TSharedRef<SWidget> Content = Placement.Menu->GetContent().ToSharedRef();
		const FVector2D Size = Content->GetDesiredSize().ComponentMin(WindowRect.GetSize());
		FVector2D Position = Placement.ScreenPosition;
		Position.X = FMath::Clamp(Position.X, double(WindowRect.Left), double(WindowRect.Right) - Size.X);
		Position.Y = FMath::Clamp(Position.Y, double(WindowRect.Top), double(WindowRect.Bottom) - Size.Y);
		const FGeometry MenuGeometry = AllottedGeometry.MakeChild(Position - AllottedGeometry.GetAbsolutePosition(), Size);
		MaxLayer = Content->Paint(Args, MenuGeometry, MyCullingRect, OutDrawElements, MaxLayer + 1, ContentStyle, true);
	}
	return MaxLayer;
}
