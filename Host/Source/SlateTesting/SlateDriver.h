#pragma once

#include "CoreMinimal.h"
#include "InputCoreTypes.h"
#include "Layout/SlateRect.h"
#include "Slate/Rendering/SlateCairoRenderer.h"

class SWidget;
class SWindow;
class STextBlock;

// Acts on a window as a person does: every click, key and scroll goes through the
// application's input path at a point of the laid-out window, so what is hidden, covered
// or disabled cannot be acted on. For tests, the demo and tools; never for the plug-in.
class FSlateDriver
{
public:
	explicit FSlateDriver(const TSharedRef<SWindow>& InWindow);

	const TSharedRef<SWindow>& GetWindow() const { return Window; }

	// One frame of the application (every window is laid out and painted).
	void Tick() const;

	// Widgets in the window and its open menus, in tree order: by the type they were made as
	// ("SButton", "STableRow<TSharedPtr<FString>>"), or text blocks showing a text.
	TArray<TSharedRef<SWidget>> FindAll(const FString& TypeName) const;
	TSharedPtr<SWidget> Find(const FString& TypeName, int32 Index = 0) const;
	TArray<TSharedRef<STextBlock>> FindTexts(const FString& Text) const;
	TSharedPtr<STextBlock> FindText(const FString& Text) const;
	// The nearest widget of a type that holds the widget (a text's button, a row's table).
	static TSharedPtr<SWidget> FindAncestor(const TSharedRef<SWidget>& Widget, const FString& TypeName);
	// Every text shown in the window in the last frame, in paint order.
	TArray<FString> GetShownTexts() const;
	// The same with where each was drawn and the clip it was drawn in, in screen space.
	struct FShownText
	{
		FString Text;
		FSlateRect Rect;
		FSlateRect Clip;
	};
	TArray<FShownText> GetShownTextPlaces() const;

	// Where the widget was painted in the last frame, in screen space; empty when it was not.
	FSlateRect GetRect(const TSharedRef<SWidget>& Widget) const;
	bool IsShown(const TSharedRef<SWidget>& Widget) const;
	// Why a press at the widget's centre would not reach it: "" when it would, otherwise
	// "not shown", "covered by <type>" or "disabled".
	FString WhyNotClickable(const TSharedRef<SWidget>& Widget) const;

	// A left click (press and release) at the widget's centre; returns WhyNotClickable and
	// does not click when that is not empty.
	FString Click(const TSharedRef<SWidget>& Widget) const;
	FString ClickText(const FString& Text) const;
	void ClickAt(const FVector2D& ScreenPosition) const;
	void PressAt(const FVector2D& ScreenPosition) const;
	void ReleaseAt(const FVector2D& ScreenPosition) const;
	void MoveTo(const FVector2D& ScreenPosition) const;
	void Hover(const TSharedRef<SWidget>& Widget) const;
	void Scroll(const FVector2D& ScreenPosition, float WheelDelta) const;
	// Characters and keys go to the widget with keyboard focus.
	void Type(const FString& Text) const;
	void PressKey(const FKey& Key) const;

	FSlateRenderedImage Render() const;
	bool SavePNG(const FString& Filename) const;

private:
	TArray<TSharedRef<SWidget>> Roots() const;

	TSharedRef<SWindow> Window;
};
