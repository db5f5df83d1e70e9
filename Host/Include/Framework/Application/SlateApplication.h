#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/Set.h"
#include "Framework/Application/IMenu.h"
#include "Input/Events.h"
#include "Input/Reply.h"
#include "Layout/WidgetPath.h"
#include "Math/Color.h"
#include "Math/IntVector.h"
#include "Math/Vector2D.h"
#include "Templates/SharedPointer.h"

class FGenericWindow;
class SWidget;
class SWindow;

enum class ESlateTickType : uint8
{
	Time = 1 << 0,
	PlatformAndInput = 1 << 1,
	Widgets = 1 << 2,
	TimeAndWidgets = Time | Widgets,
	All = Time | PlatformAndInput | Widgets,
};

// The application: its windows, the frame (layout and paint of every window), the routing of
// pointer and keyboard input through the painted widgets, keyboard focus, mouse capture and
// menus. One exists between Create and Shutdown.
class FSlateApplication
{
public:
	static void Create();
	static void Shutdown(bool bShutdownPlatform = true);
	static FSlateApplication& Get();
	static bool IsInitialized();

	// Windows
	TSharedRef<SWindow> AddWindow(TSharedRef<SWindow> InSlateWindow, const bool bShowImmediately = true);
	void RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy);
	void DestroyWindowImmediately(TSharedRef<SWindow> WindowToDestroy);
	const TArray<TSharedRef<SWindow>>& GetTopLevelWindows() const { return Windows; }
	TSharedPtr<SWindow> FindWidgetWindow(TSharedRef<const SWidget> InWidget) const;
	bool FindPathToWidget(TSharedRef<const SWidget> InWidget, FWidgetPath& OutWidgetPath) const;

	// One frame: every window is laid out and painted.
	void Tick(ESlateTickType TickType = ESlateTickType::All);
	double GetCurrentTime() const { return CurrentTime; }
	float GetDeltaTime() const { return DeltaTime; }
	uint64 GetFrameCount() const;

	// Keyboard focus
	bool SetKeyboardFocus(const TSharedPtr<SWidget>& OptionalWidgetToFocus, EFocusCause ReasonFocusIsChanging = EFocusCause::SetDirectly);
	virtual bool SetKeyboardFocus(const FWidgetPath& InFocusPath, const EFocusCause InCause);
	void ClearKeyboardFocus(const EFocusCause ReasonFocusIsChanging = EFocusCause::SetDirectly);
	virtual TSharedPtr<SWidget> GetKeyboardFocusedWidget() const;
	bool HasFocusedDescendants(const TSharedRef<const SWidget>& Widget) const;

	// Pointer
	TSharedPtr<SWidget> GetMouseCaptor() const { return MouseCaptor.Pin(); }
	bool HasAnyMouseCaptor() const { return MouseCaptor.IsValid(); }
	bool IsWidgetDirectlyHovered(const TSharedPtr<const SWidget> Widget) const;
	FVector2D GetCursorPos() const { return CursorPosition; }
	const TSet<FKey>& GetPressedMouseButtons() const { return PressedButtons; }

	// Input from the platform
	bool ProcessMouseMoveEvent(const FPointerEvent& MouseEvent, bool bIsSynthetic = false);
	bool ProcessMouseButtonDownEvent(const TSharedPtr<FGenericWindow>& PlatformWindow, const FPointerEvent& InMouseEvent);
	bool ProcessMouseButtonUpEvent(const FPointerEvent& MouseEvent);
	bool ProcessMouseWheelOrGestureEvent(const FPointerEvent& InWheelEvent, const FPointerEvent* InGestureEvent);
	bool ProcessKeyCharEvent(const FCharacterEvent& InCharacterEvent);
	bool ProcessKeyDownEvent(const FKeyEvent& InKeyEvent);
	bool ProcessKeyUpEvent(const FKeyEvent& InKeyEvent);

	// Menus: shown in the window of InParentWidget, above its content, at SummonLocation.
	TSharedPtr<IMenu> PushMenu(const TSharedRef<SWidget>& InParentWidget, const FWidgetPath& InOwnerPath, const TSharedRef<SWidget>& InContent,
		const FVector2D& SummonLocation, const bool bFocusImmediately = true);
	void DismissAllMenus();
	void DismissMenu(const TSharedPtr<IMenu>& InFromMenu);
	void DismissMenuByWidget(const TSharedRef<SWidget>& InWidgetInMenu);
	bool AnyMenusVisible() const { return !Menus.IsEmpty(); }

	// Paints the widget's window and returns the pixels under the widget (BGRA, sRGB).
	bool TakeScreenshot(const TSharedRef<SWidget>& Widget, TArray<FColor>& OutColorData, FIntVector& OutSize);

private:
	FSlateApplication();
	virtual ~FSlateApplication();

	void DrawWindows();
	TSharedPtr<SWindow> WindowUnder(const FVector2D& ScreenPosition) const;
	FWidgetPath LocateWindowUnderMouse(const FVector2D& ScreenPosition, bool bIgnoreEnabledStatus) const;
	FWidgetPath RoutingPathFor(const FPointerEvent& MouseEvent) const;
	void ProcessReply(const FReply& Reply, const FWidgetPath& EventPath);
	void UpdateHover(const FWidgetPath& PathUnderCursor, const FPointerEvent& MouseEvent);
	void FocusClickedWidget(const FWidgetPath& ClickedPath, bool bFocusChangedByHandler);
	void DropFocusOutsideWindows();
	template <typename HandlerType>
	FReply BubbleEvent(const FWidgetPath& Path, HandlerType&& Handler);
	template <typename HandlerType>
	FReply BubbleFocusEvent(HandlerType&& Handler);
	FWidgetPath FocusPath() const;

	TArray<TSharedRef<SWindow>> Windows;
	TArray<TSharedRef<IMenu>> Menus;
	TWeakPtr<SWidget> FocusedWidget;
	TArray<TWeakPtr<SWidget>> HoveredWidgets;
	TWeakPtr<SWidget> MouseCaptor;
	FVector2D CursorPosition;
	TSet<FKey> PressedButtons;
	double CurrentTime = 0;
	float DeltaTime = 0;
	double LastTickSeconds = 0;
};
