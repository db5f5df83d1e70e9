#include "SlateTesting/SlateDriver.h"

#include "Framework/Application/SlateApplication.h"
#include "SlateCore/Text/ShapedText.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	void Collect(const TSharedRef<SWidget>& Widget, const FString& TypeName, TArray<TSharedRef<SWidget>>& Out)
	{
		if (Widget->GetTypeAsString() == TypeName)
		{
			Out.Add(Widget);
		}
		FChildren* Children = Widget->GetChildren();
		for (int32 Index = 0; Index < Children->Num(); ++Index)
		{
			Collect(Children->GetChildAt(Index), TypeName, Out);
		}
	}

	bool IsWithin(const TSharedPtr<SWidget>& Widget, const SWidget* Ancestor)
	{
		for (TSharedPtr<SWidget> Current = Widget; Current.IsValid(); Current = Current->Advanced_GetPaintParentWidget())
		{
			if (Current.Get() == Ancestor)
			{
				return true;
			}
		}
		return false;
	}

	FPointerEvent MouseEvent(const FVector2D& Position, const FKey& Button, float WheelDelta = 0.0f)
	{
		const TSet<FKey>& Pressed = FSlateApplication::Get().GetPressedMouseButtons();
		return FPointerEvent(0, Position, FSlateApplication::Get().GetCursorPos(), Pressed, Button, WheelDelta, FModifierKeysState());
	}
}

FSlateDriver::FSlateDriver(const TSharedRef<SWindow>& InWindow) : Window(InWindow) {}

void FSlateDriver::Tick() const
{
	FSlateApplication::Get().Tick();
}

TArray<TSharedRef<SWidget>> FSlateDriver::Roots() const
{
	TArray<TSharedRef<SWidget>> Result;
	Result.Add(Window);
	for (const TSharedRef<IMenu>& Menu : Window->GetMenus())
	{
		Result.Add(Menu->GetContent().ToSharedRef());
	}
	return Result;
}

TArray<TSharedRef<SWidget>> FSlateDriver::FindAll(const FString& TypeName) const
{
	TArray<TSharedRef<SWidget>> Found;
	for (const TSharedRef<SWidget>& Root : Roots())
	{
		Collect(Root, TypeName, Found);
	}
	return Found;
}

TSharedPtr<SWidget> FSlateDriver::Find(const FString& TypeName, int32 Index) const
{
	const TArray<TSharedRef<SWidget>> Found = FindAll(TypeName);
	return Found.IsValidIndex(Index) ? Found[Index].ToSharedPtr() : nullptr;
}

TArray<TSharedRef<STextBlock>> FSlateDriver::FindTexts(const FString& Text) const
{
	TArray<TSharedRef<STextBlock>> Matching;
	for (const TSharedRef<SWidget>& Widget : FindAll(TEXT("STextBlock")))
	{
		TSharedRef<STextBlock> TextBlock = StaticCastSharedRef<STextBlock>(Widget);
		if (TextBlock->GetText().ToString().Equals(Text, ESearchCase::CaseSensitive))
		{
			Matching.Add(TextBlock);
		}
	}
	return Matching;
}

TSharedPtr<STextBlock> FSlateDriver::FindText(const FString& Text) const
{
	const TArray<TSharedRef<STextBlock>> Matching = FindTexts(Text);
	return Matching.IsEmpty() ? nullptr : Matching[0].ToSharedPtr();
}

TSharedPtr<SWidget> FSlateDriver::FindAncestor(const TSharedRef<SWidget>& Widget, const FString& TypeName)
{
	for (TSharedPtr<SWidget> Current = Widget->GetParentWidget(); Current.IsValid(); Current = Current->GetParentWidget())
	{
		if (Current->GetTypeAsString() == TypeName)
		{
			return Current;
		}
	}
	return nullptr;
}

TArray<FString> FSlateDriver::GetShownTexts() const
{
	TArray<FString> Texts;
	for (const FShownText& Shown : GetShownTextPlaces())
	{
		Texts.Add(Shown.Text);
	}
	return Texts;
}

TArray<FSlateDriver::FShownText> FSlateDriver::GetShownTextPlaces() const
{
	TArray<FShownText> Texts;
	for (const FSlateDrawElement& Element : Window->GetElementList().GetDrawElements())
	{
		const FPaintGeometry& Geometry = Element.GetPaintGeometry();
		const FSlateRect Rect = FSlateRect::FromPointAndExtent(Geometry.DrawPosition, Geometry.DrawSize);
		if (Element.GetElementType() == FSlateDrawElement::EElementType::ET_ShapedText)
		{
			Texts.Add({Element.GetShapedText()->GetText(), Rect, Element.GetClipRect()});
		}
		else if (Element.GetElementType() == FSlateDrawElement::EElementType::ET_Text)
		{
			Texts.Add({Element.GetText(), Rect, Element.GetClipRect()});
		}
	}
	return Texts;
}

bool FSlateDriver::IsShown(const TSharedRef<SWidget>& Widget) const
{
	// Each window is laid out and painted in passes of its own, and another window may be drawn
	// after this one: shown is painted in this window's last pass (its menus are painted in it).
	return Widget->WasPaintedInFrame(Window->GetLastPaintFrame());
}

FSlateRect FSlateDriver::GetRect(const TSharedRef<SWidget>& Widget) const
{
	return IsShown(Widget) ? Widget->GetPaintSpaceGeometry().GetLayoutBoundingRect() : FSlateRect(0, 0, 0, 0);
}

FString FSlateDriver::WhyNotClickable(const TSharedRef<SWidget>& Widget) const
{
	if (!IsShown(Widget) || GetRect(Widget).IsEmpty())
	{
		return TEXT("not shown");
	}
	const FVector2D Centre = GetRect(Widget).GetCenter();
	const TSharedPtr<SWidget> Topmost = Window->GetHittestGrid().GetTopmostWidget(Centre);
	// A press lands on the widget, on something inside it, or (for a widget that is not hit
	// itself, such as a button's label) on what holds it; anything else covers it.
	const bool bLandsInside = IsWithin(Topmost, &Widget.Get());
	if (!bLandsInside && !(Topmost.IsValid() && IsWithin(Widget, Topmost.Get())))
	{
		return Topmost.IsValid() ? TEXT("covered by ") + Topmost->GetTypeAsString() : FString(TEXT("not shown"));
	}
	const FWidgetPath Path = Window->GetHittestGrid().GetBubblePath(Window, Centre, false);
	return Path.ContainsWidget(bLandsInside ? &Widget.Get() : Topmost.Get()) ? FString() : FString(TEXT("disabled"));
}

FString FSlateDriver::Click(const TSharedRef<SWidget>& Widget) const
{
	Tick();
	const FString Reason = WhyNotClickable(Widget);
	if (Reason.IsEmpty())
	{
		ClickAt(GetRect(Widget).GetCenter());
	}
	return Reason;
}

FString FSlateDriver::ClickText(const FString& Text) const
{
	Tick();
	const TSharedPtr<STextBlock> Found = FindText(Text);
	return Found.IsValid() ? Click(Found.ToSharedRef()) : TEXT("no text \"") + Text + TEXT("\"");
}

void FSlateDriver::ClickAt(const FVector2D& ScreenPosition) const
{
	MoveTo(ScreenPosition);
	PressAt(ScreenPosition);
	ReleaseAt(ScreenPosition);
	Tick();
}

void FSlateDriver::PressAt(const FVector2D& ScreenPosition) const
{
	FSlateApplication::Get().ProcessMouseButtonDownEvent(nullptr, MouseEvent(ScreenPosition, EKeys::LeftMouseButton));
}

void FSlateDriver::ReleaseAt(const FVector2D& ScreenPosition) const
{
	FSlateApplication::Get().ProcessMouseButtonUpEvent(MouseEvent(ScreenPosition, EKeys::LeftMouseButton));
}

void FSlateDriver::MoveTo(const FVector2D& ScreenPosition) const
{
	FSlateApplication::Get().ProcessMouseMoveEvent(MouseEvent(ScreenPosition, EKeys::Invalid));
}

void FSlateDriver::Hover(const TSharedRef<SWidget>& Widget) const
{
	Tick();
	MoveTo(GetRect(Widget).GetCenter());
	Tick();
}

void FSlateDriver::Scroll(const FVector2D& ScreenPosition, float WheelDelta) const
{
	MoveTo(ScreenPosition);
	FSlateApplication::Get().ProcessMouseWheelOrGestureEvent(MouseEvent(ScreenPosition, EKeys::MouseWheelAxis, WheelDelta), nullptr);
	Tick();
}

void FSlateDriver::Type(const FString& Text) const
{
	for (const TCHAR Character : Text)
	{
		FSlateApplication::Get().ProcessKeyCharEvent(FCharacterEvent(Character, FModifierKeysState(), 0, false));
	}
	Tick();
}

void FSlateDriver::PressKey(const FKey& Key) const
{
	FSlateApplication::Get().ProcessKeyDownEvent(FKeyEvent(Key, FModifierKeysState(), 0, false, 0, 0));
	FSlateApplication::Get().ProcessKeyUpEvent(FKeyEvent(Key, FModifierKeysState(), 0, false, 0, 0));
	Tick();
}

FSlateRenderedImage FSlateDriver::Render() const
{
	Tick();
	return FSlateCairoRenderer::RenderWindow(*Window);
}

bool FSlateDriver::SavePNG(const FString& Filename) const
{
	return FSlateCairoRenderer::SavePNG(Render(), Filename);
}
