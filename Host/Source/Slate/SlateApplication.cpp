#include "Framework/Application/SlateApplication.h"

#include "HAL/PlatformTime.h"
#include "Slate/Rendering/SlateCairoRenderer.h"
#include "SlateCore/SlateFrame.h"
#include "Widgets/SWindow.h"

namespace
{
	FSlateApplication* GApplication = nullptr;

	// A menu open in a window: its content is drawn above the window's own.
	class FMenuHost final : public IMenu, public TSharedFromThis<FMenuHost>
	{
	public:
		FMenuHost(const TSharedRef<SWindow>& InWindow, const TSharedRef<SWidget>& InContent) : Window(InWindow), Content(InContent) {}

		TSharedPtr<SWindow> GetParentWindow() const override { return Window.Pin(); }
		TSharedPtr<SWindow> GetOwnedWindow() const override { return nullptr; }
		TSharedPtr<SWidget> GetContent() const override { return Content; }
		FOnMenuDismissed& GetOnMenuDismissed() override { return OnMenuDismissed; }
		void Dismiss() override { FSlateApplication::Get().DismissMenu(AsShared()); }

	private:
		TWeakPtr<SWindow> Window;
		TSharedRef<SWidget> Content;
		FOnMenuDismissed OnMenuDismissed;
	};

	// The widget and its parents, from the widget up.
	TArray<TSharedRef<SWidget>> AncestryOf(const TSharedRef<SWidget>& Widget)
	{
		TArray<TSharedRef<SWidget>> Chain;
		for (TSharedPtr<SWidget> Current = Widget; Current.IsValid(); Current = Current->GetParentWidget())
		{
			Chain.Add(Current.ToSharedRef());
		}
		return Chain;
	}

	FWidgetPath PathFromLeafToRoot(const TArray<TSharedRef<SWidget>>& LeafToRoot, const TSharedPtr<SWindow>& Window)
	{
		FArrangedChildren Arranged(EVisibility::Visible);
		for (int32 Index = LeafToRoot.Num() - 1; Index >= 0; --Index)
		{
			Arranged.GetInternalArray().Add(FArrangedWidget(LeafToRoot[Index], LeafToRoot[Index]->GetPaintSpaceGeometry()));
		}
		return FWidgetPath(Window, Arranged);
	}
}

FSlateApplication::FSlateApplication() = default;

FSlateApplication::~FSlateApplication() = default;

void FSlateApplication::Create()
{
	check(GApplication == nullptr);
	GApplication = new FSlateApplication();
	GApplication->LastTickSeconds = FPlatformTime::Seconds();
}

void FSlateApplication::Shutdown(bool)
{
	if (GApplication == nullptr)
	{
		return;
	}
	GApplication->DismissAllMenus();
	while (!GApplication->Windows.IsEmpty())
	{
		GApplication->DestroyWindowImmediately(GApplication->Windows.Last());
	}
	delete GApplication;
	GApplication = nullptr;
}

FSlateApplication& FSlateApplication::Get()
{
	check(GApplication != nullptr);
	return *GApplication;
}

bool FSlateApplication::IsInitialized()
{
	return GApplication != nullptr;
}

TSharedRef<SWindow> FSlateApplication::AddWindow(TSharedRef<SWindow> InSlateWindow, const bool)
{
	Windows.AddUnique(InSlateWindow);
	return InSlateWindow;
}

void FSlateApplication::RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy)
{
	DestroyWindowImmediately(WindowToDestroy);
}

void FSlateApplication::DestroyWindowImmediately(TSharedRef<SWindow> WindowToDestroy)
{
	for (int32 Index = Menus.Num() - 1; Index >= 0; --Index)
	{
		if (Menus[Index]->GetParentWindow() == WindowToDestroy.ToSharedPtr())
		{
			DismissMenu(Menus[Index]);
			Index = FMath::Min(Index, Menus.Num());
		}
	}
	if (Windows.Remove(WindowToDestroy) > 0)
	{
		WindowToDestroy->NotifyClosed();
	}
	DropFocusOutsideWindows();
}

TSharedPtr<SWindow> FSlateApplication::FindWidgetWindow(TSharedRef<const SWidget> InWidget) const
{
	const TArray<TSharedRef<SWidget>> Chain = AncestryOf(ConstCastSharedRef<SWidget>(InWidget));
	const TSharedRef<SWidget>& Root = Chain.Last();
	const TSharedRef<SWindow>* Window = Windows.FindByPredicate([&Root](const TSharedRef<SWindow>& Candidate) { return &Candidate.Get() == &Root.Get(); });
	return Window != nullptr ? Window->ToSharedPtr() : nullptr;
}

bool FSlateApplication::FindPathToWidget(TSharedRef<const SWidget> InWidget, FWidgetPath& OutWidgetPath) const
{
	const TSharedPtr<SWindow> Window = FindWidgetWindow(InWidget);
	if (!Window.IsValid())
	{
		return false;
	}
	OutWidgetPath = PathFromLeafToRoot(AncestryOf(ConstCastSharedRef<SWidget>(InWidget)), Window);
	return true;
}

uint64 FSlateApplication::GetFrameCount() const
{
	return UE::Slate::Frame::GetCurrent();
}

void FSlateApplication::Tick(ESlateTickType)
{
	const double Now = FPlatformTime::Seconds();
	DeltaTime = float(Now - LastTickSeconds);
	LastTickSeconds = Now;
	CurrentTime = Now;
	DrawWindows();
}

void FSlateApplication::DrawWindows()
{
	const TArray<TSharedRef<SWindow>> ToDraw = Windows;
	for (const TSharedRef<SWindow>& Window : ToDraw)
	{
		Window->PaintWindow(CurrentTime, DeltaTime);
	}
	DropFocusOutsideWindows();
}

// Keyboard focus

bool FSlateApplication::SetKeyboardFocus(const TSharedPtr<SWidget>& OptionalWidgetToFocus, EFocusCause ReasonFocusIsChanging)
{
	if (!OptionalWidgetToFocus.IsValid())
	{
		ClearKeyboardFocus(ReasonFocusIsChanging);
		return true;
	}
	FWidgetPath Path;
	return FindPathToWidget(OptionalWidgetToFocus.ToSharedRef(), Path) && SetKeyboardFocus(Path, ReasonFocusIsChanging);
}

// Focus goes to the innermost widget on the path that takes keyboard focus; a disabled
// widget, or one inside a disabled one, takes none. Giving focus to the widget that already
// has it changes nothing and sends no events.
bool FSlateApplication::SetKeyboardFocus(const FWidgetPath& InFocusPath, const EFocusCause InCause)
{
	TSharedPtr<SWidget> NewFocused;
	int32 NewIndex = INDEX_NONE;
	for (int32 Index = InFocusPath.Widgets.Num() - 1; Index >= 0; --Index)
	{
		if (InFocusPath.Widgets[Index].Widget->SupportsKeyboardFocus())
		{
			NewFocused = InFocusPath.Widgets[Index].Widget.ToSharedPtr();
			NewIndex = Index;
			break;
		}
	}
	if (!NewFocused.IsValid())
	{
		return false;
	}
	for (int32 Index = 0; Index <= NewIndex; ++Index)
	{
		if (!InFocusPath.Widgets[Index].Widget->IsEnabled())
		{
			return false;
		}
	}
	const TSharedPtr<SWidget> OldFocused = FocusedWidget.Pin();
	if (OldFocused == NewFocused)
	{
		return false;
	}
	FocusedWidget = NewFocused;
	if (OldFocused.IsValid())
	{
		OldFocused->OnFocusLost(FFocusEvent(InCause, 0));
	}
	const FReply Reply = NewFocused->OnFocusReceived(NewFocused->GetPaintSpaceGeometry(), FFocusEvent(InCause, 0));
	ProcessReply(Reply, InFocusPath.GetPathDownTo(NewFocused.ToSharedRef()));
	return true;
}

void FSlateApplication::ClearKeyboardFocus(const EFocusCause ReasonFocusIsChanging)
{
	const TSharedPtr<SWidget> OldFocused = FocusedWidget.Pin();
	FocusedWidget.Reset();
	if (OldFocused.IsValid())
	{
		OldFocused->OnFocusLost(FFocusEvent(ReasonFocusIsChanging, 0));
	}
}

TSharedPtr<SWidget> FSlateApplication::GetKeyboardFocusedWidget() const
{
	return FocusedWidget.Pin();
}

bool FSlateApplication::HasFocusedDescendants(const TSharedRef<const SWidget>& Widget) const
{
	const TSharedPtr<SWidget> Focused = FocusedWidget.Pin();
	if (!Focused.IsValid() || Focused.Get() == &Widget.Get())
	{
		return false;
	}
	return AncestryOf(Focused.ToSharedRef()).ContainsByPredicate([&Widget](const TSharedRef<SWidget>& Ancestor) { return &Ancestor.Get() == &Widget.Get(); });
}

// A focused widget that no window holds any more loses focus.
void FSlateApplication::DropFocusOutsideWindows()
{
	const TSharedPtr<SWidget> Focused = FocusedWidget.Pin();
	if (Focused.IsValid() && !FindWidgetWindow(Focused.ToSharedRef()).IsValid())
	{
		ClearKeyboardFocus(EFocusCause::Cleared);
	}
	else if (!Focused.IsValid())
	{
		FocusedWidget.Reset();
	}
}

FWidgetPath FSlateApplication::FocusPath() const
{
	FWidgetPath Path;
	if (const TSharedPtr<SWidget> Focused = FocusedWidget.Pin())
	{
		FindPathToWidget(Focused.ToSharedRef(), Path);
	}
	return Path;
}

// Pointer

TSharedPtr<SWindow> FSlateApplication::WindowUnder(const FVector2D& ScreenPosition) const
{
	for (int32 Index = Windows.Num() - 1; Index >= 0; --Index)
	{
		if (Windows[Index]->GetRectInScreen().ContainsPoint(ScreenPosition))
		{
			return Windows[Index].ToSharedPtr();
		}
	}
	return nullptr;
}

FWidgetPath FSlateApplication::LocateWindowUnderMouse(const FVector2D& ScreenPosition, bool bIgnoreEnabledStatus) const
{
	const TSharedPtr<SWindow> Window = WindowUnder(ScreenPosition);
	return Window.IsValid() ? Window->GetHittestGrid().GetBubblePath(Window.ToSharedRef(), ScreenPosition, bIgnoreEnabledStatus) : FWidgetPath();
}

// With the mouse captured, the captor alone receives pointer events.
FWidgetPath FSlateApplication::RoutingPathFor(const FPointerEvent& MouseEvent) const
{
	if (const TSharedPtr<SWidget> Captor = MouseCaptor.Pin())
	{
		FWidgetPath CaptorPath;
		if (FindPathToWidget(Captor.ToSharedRef(), CaptorPath))
		{
			return CaptorPath.GetPathDownTo(Captor.ToSharedRef());
		}
	}
	return LocateWindowUnderMouse(MouseEvent.GetScreenSpacePosition(), false);
}

bool FSlateApplication::IsWidgetDirectlyHovered(const TSharedPtr<const SWidget> Widget) const
{
	return !HoveredWidgets.IsEmpty() && HoveredWidgets.Last().Pin().Get() == Widget.Get();
}

void FSlateApplication::UpdateHover(const FWidgetPath& PathUnderCursor, const FPointerEvent& MouseEvent)
{
	const TArray<TWeakPtr<SWidget>> Previous = HoveredWidgets;
	HoveredWidgets.Reset();
	for (const FArrangedWidget& Arranged : PathUnderCursor.Widgets)
	{
		HoveredWidgets.Add(Arranged.Widget.ToWeakPtr());
	}
	for (int32 Index = Previous.Num() - 1; Index >= 0; --Index)
	{
		const TSharedPtr<SWidget> Widget = Previous[Index].Pin();
		if (Widget.IsValid() && !PathUnderCursor.ContainsWidget(Widget.Get()))
		{
			Widget->OnMouseLeave(MouseEvent);
		}
	}
	for (const FArrangedWidget& Arranged : PathUnderCursor.Widgets)
	{
		if (!Previous.ContainsByPredicate([&Arranged](const TWeakPtr<SWidget>& Old) { return Old.HasSameObject(&Arranged.Widget.Get()); }))
		{
			Arranged.Widget->OnMouseEnter(Arranged.Geometry, MouseEvent);
		}
	}
}

template <typename HandlerType>
FReply FSlateApplication::BubbleEvent(const FWidgetPath& Path, HandlerType&& Handler)
{
	for (int32 Index = Path.Widgets.Num() - 1; Index >= 0; --Index)
	{
		const FArrangedWidget& Arranged = Path.Widgets[Index];
		const FReply Reply = Handler(Arranged);
		if (Reply.IsEventHandled())
		{
			ProcessReply(Reply, Path.GetPathDownTo(Arranged.Widget));
			return Reply;
		}
	}
	return FReply::Unhandled();
}

template <typename HandlerType>
FReply FSlateApplication::BubbleFocusEvent(HandlerType&& Handler)
{
	return BubbleEvent(FocusPath(), std::forward<HandlerType>(Handler));
}

void FSlateApplication::ProcessReply(const FReply& Reply, const FWidgetPath&)
{
	if (Reply.ShouldReleaseMouse())
	{
		if (const TSharedPtr<SWidget> Captor = MouseCaptor.Pin())
		{
			MouseCaptor.Reset();
			Captor->OnMouseCaptureLost(FCaptureLostEvent());
		}
	}
	if (Reply.GetMouseCaptor().IsValid())
	{
		MouseCaptor = Reply.GetMouseCaptor();
	}
	if (Reply.GetUserFocusRecepient().IsValid())
	{
		SetKeyboardFocus(Reply.GetUserFocusRecepient(), Reply.GetFocusCause());
	}
	else if (Reply.ShouldReleaseUserFocus())
	{
		ClearKeyboardFocus(Reply.GetFocusCause());
	}
}

bool FSlateApplication::ProcessMouseMoveEvent(const FPointerEvent& MouseEvent, bool)
{
	CursorPosition = MouseEvent.GetScreenSpacePosition();
	UpdateHover(LocateWindowUnderMouse(CursorPosition, false), MouseEvent);
	return BubbleEvent(RoutingPathFor(MouseEvent), [&MouseEvent](const FArrangedWidget& Arranged) { return Arranged.Widget->OnMouseMove(Arranged.Geometry, MouseEvent); })
		.IsEventHandled();
}

// A press outside every open menu closes them, and the press goes on to what lies beneath.
// Unless the handlers moved focus, the innermost focusable widget under the pointer (at
// worst the window) takes it.
bool FSlateApplication::ProcessMouseButtonDownEvent(const TSharedPtr<FGenericWindow>&, const FPointerEvent& InMouseEvent)
{
	CursorPosition = InMouseEvent.GetScreenSpacePosition();
	PressedButtons.Add(InMouseEvent.GetEffectingButton());
	if (!Menus.IsEmpty())
	{
		const FWidgetPath Everything = LocateWindowUnderMouse(CursorPosition, true);
		const bool bInMenu = Menus.ContainsByPredicate([&Everything](const TSharedRef<IMenu>& Menu) { return Everything.ContainsWidget(Menu->GetContent().Get()); });
		if (!bInMenu)
		{
			DismissAllMenus();
		}
	}
	const FWidgetPath UnderCursor = LocateWindowUnderMouse(CursorPosition, false);
	UpdateHover(UnderCursor, InMouseEvent);
	const TSharedPtr<SWidget> FocusBefore = FocusedWidget.Pin();
	const FReply Reply = BubbleEvent(RoutingPathFor(InMouseEvent),
		[&InMouseEvent](const FArrangedWidget& Arranged) { return Arranged.Widget->OnMouseButtonDown(Arranged.Geometry, InMouseEvent); });
	if (FocusedWidget.Pin() == FocusBefore && !Reply.GetUserFocusRecepient().IsValid() && UnderCursor.IsValid())
	{
		SetKeyboardFocus(UnderCursor, EFocusCause::Mouse);
	}
	return Reply.IsEventHandled();
}

bool FSlateApplication::ProcessMouseButtonUpEvent(const FPointerEvent& MouseEvent)
{
	CursorPosition = MouseEvent.GetScreenSpacePosition();
	PressedButtons.Remove(MouseEvent.GetEffectingButton());
	UpdateHover(LocateWindowUnderMouse(CursorPosition, false), MouseEvent);
	return BubbleEvent(RoutingPathFor(MouseEvent),
		[&MouseEvent](const FArrangedWidget& Arranged) { return Arranged.Widget->OnMouseButtonUp(Arranged.Geometry, MouseEvent); })
		.IsEventHandled();
}

bool FSlateApplication::ProcessMouseWheelOrGestureEvent(const FPointerEvent& InWheelEvent, const FPointerEvent*)
{
	CursorPosition = InWheelEvent.GetScreenSpacePosition();
	return BubbleEvent(LocateWindowUnderMouse(CursorPosition, false),
		[&InWheelEvent](const FArrangedWidget& Arranged) { return Arranged.Widget->OnMouseWheel(Arranged.Geometry, InWheelEvent); })
		.IsEventHandled();
}

// Keyboard

bool FSlateApplication::ProcessKeyCharEvent(const FCharacterEvent& InCharacterEvent)
{
	return BubbleFocusEvent([&InCharacterEvent](const FArrangedWidget& Arranged) { return Arranged.Widget->OnKeyChar(Arranged.Geometry, InCharacterEvent); })
		.IsEventHandled();
}

bool FSlateApplication::ProcessKeyDownEvent(const FKeyEvent& InKeyEvent)
{
	const bool bHandled =
		BubbleFocusEvent([&InKeyEvent](const FArrangedWidget& Arranged) { return Arranged.Widget->OnKeyDown(Arranged.Geometry, InKeyEvent); }).IsEventHandled();
	if (!bHandled && InKeyEvent.GetKey() == EKeys::Escape && !Menus.IsEmpty())
	{
		DismissAllMenus();
		return true;
	}
	return bHandled;
}

bool FSlateApplication::ProcessKeyUpEvent(const FKeyEvent& InKeyEvent)
{
	return BubbleFocusEvent([&InKeyEvent](const FArrangedWidget& Arranged) { return Arranged.Widget->OnKeyUp(Arranged.Geometry, InKeyEvent); })
		.IsEventHandled();
}

// Menus

TSharedPtr<IMenu> FSlateApplication::PushMenu(const TSharedRef<SWidget>& InParentWidget, const FWidgetPath&, const TSharedRef<SWidget>& InContent,
	const FVector2D& SummonLocation, const bool bFocusImmediately)
{
	const TSharedPtr<SWindow> Window = FindWidgetWindow(InParentWidget);
	if (!Window.IsValid())
	{
		return nullptr;
	}
	// A menu opened from outside the open menus replaces them; one opened from inside stacks.
	const TArray<TSharedRef<SWidget>> ParentChain = AncestryOf(InParentWidget);
	const bool bFromMenu = Menus.ContainsByPredicate([&ParentChain](const TSharedRef<IMenu>& Menu)
		{ return ParentChain.ContainsByPredicate([&Menu](const TSharedRef<SWidget>& Widget) { return &Widget.Get() == Menu->GetContent().Get(); }); });
	if (!bFromMenu)
	{
		DismissAllMenus();
	}
	const TSharedRef<IMenu> Menu = MakeShared<FMenuHost>(Window.ToSharedRef(), InContent);
	InContent->AssignParentWidget(Window);
	Window->AddMenu(Menu, SummonLocation);
	Menus.Add(Menu);
	if (bFocusImmediately)
	{
		SetKeyboardFocus(InContent, EFocusCause::SetDirectly);
	}
	return Menu.ToSharedPtr();
}

void FSlateApplication::DismissAllMenus()
{
	if (!Menus.IsEmpty())
	{
		DismissMenu(Menus[0]);
	}
}

// Closes the menu and every menu stacked above it.
void FSlateApplication::DismissMenu(const TSharedPtr<IMenu>& InFromMenu)
{
	const int32 First = Menus.IndexOfByPredicate([&InFromMenu](const TSharedRef<IMenu>& Menu) { return Menu.ToSharedPtr() == InFromMenu; });
	if (First == INDEX_NONE)
	{
		return;
	}
	while (Menus.Num() > First)
	{
		const TSharedRef<IMenu> Menu = Menus.Pop();
		if (const TSharedPtr<SWindow> Window = Menu->GetParentWindow())
		{
			Window->RemoveMenu(Menu);
		}
		Menu->GetContent()->ConditionallyDetatchParentWidget(Menu->GetParentWindow().Get());
		Menu->GetOnMenuDismissed().Broadcast(Menu);
	}
	DropFocusOutsideWindows();
}

void FSlateApplication::DismissMenuByWidget(const TSharedRef<SWidget>& InWidgetInMenu)
{
	const TArray<TSharedRef<SWidget>> Chain = AncestryOf(InWidgetInMenu);
	for (const TSharedRef<IMenu>& Menu : Menus)
	{
		if (Chain.ContainsByPredicate([&Menu](const TSharedRef<SWidget>& Widget) { return &Widget.Get() == Menu->GetContent().Get(); }))
		{
			DismissMenu(Menu);
			return;
		}
	}
}

// Screenshots

bool FSlateApplication::TakeScreenshot(const TSharedRef<SWidget>& Widget, TArray<FColor>& OutColorData, FIntVector& OutSize)
{
	const TSharedPtr<SWindow> Window = FindWidgetWindow(Widget);
	if (!Window.IsValid())
	{
		return false;
	}
	Window->PaintWindow(CurrentTime, DeltaTime);
	const FSlateRenderedImage Image = FSlateCairoRenderer::RenderWindow(*Window);
	const FSlateRect Rect = Widget->GetPaintSpaceGeometry().GetLayoutBoundingRect();
	const FVector2D Origin = Window->GetPositionInScreen();
	const int32 Left = FMath::Clamp(FMath::RoundToInt(float(Rect.Left - Origin.X)), 0, Image.Width);
	const int32 Top = FMath::Clamp(FMath::RoundToInt(float(Rect.Top - Origin.Y)), 0, Image.Height);
	const int32 Right = FMath::Clamp(FMath::RoundToInt(float(Rect.Right - Origin.X)), Left, Image.Width);
	const int32 Bottom = FMath::Clamp(FMath::RoundToInt(float(Rect.Bottom - Origin.Y)), Top, Image.Height);
	OutSize = FIntVector(Right - Left, Bottom - Top, 0);
	OutColorData.Reset(OutSize.X * OutSize.Y);
	for (int32 Y = Top; Y < Bottom; ++Y)
	{
		OutColorData.Append(Image.Pixels.GetData() + Y * Image.Width + Left, Right - Left);
	}
	return OutSize.X > 0 && OutSize.Y > 0;
}
