#pragma once

#include "CoreMinimal.h"
#include "Framework/Application/SlateApplication.h"
#include "SlateTesting/SlateDriver.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SWindow.h"

#include <gtest/gtest.h>

#include <ostream>

// Lets GoogleTest print the engine's strings in failure messages.
inline void PrintTo(const FString& Text, std::ostream* Out)
{
	*Out << '"' << FTCHARToUTF8(*Text).Get() << '"';
}

template <typename ElementType>
void PrintTo(const TArray<ElementType>& Array, std::ostream* Out)
{
	*Out << "{";
	for (int32 Index = 0; Index < Array.Num(); ++Index)
	{
		*Out << (Index > 0 ? ", " : " ") << ::testing::PrintToString(Array[Index]);
	}
	*Out << " }";
}

// Each test runs with its own application and opens the windows it needs.
class SlateTest : public ::testing::Test
{
protected:
	void SetUp() override { FSlateApplication::Create(); }
	void TearDown() override { FSlateApplication::Shutdown(); }

	// A window of the given client size at the screen's origin holding Content, laid out once.
	FSlateDriver Open(const FVector2D& ClientSize, const TSharedRef<SWidget>& Content)
	{
		const TSharedRef<SWindow> Window = SNew(SWindow).ClientSize(ClientSize)[Content];
		FSlateApplication::Get().AddWindow(Window);
		FSlateDriver Driver(Window);
		Driver.Tick();
		return Driver;
	}
};

// A fixed-size leaf for layout checks.
inline TSharedRef<SBox> Block(float Width, float Height)
{
	return SNew(SBox).WidthOverride(Width).HeightOverride(Height);
}

#define EXPECT_RECT(Driver, Widget, L, T, R, B) \
	do \
	{ \
		const FSlateRect Rect_ = (Driver).GetRect(Widget); \
		EXPECT_NEAR(Rect_.Left, (L), 0.01); \
		EXPECT_NEAR(Rect_.Top, (T), 0.01); \
		EXPECT_NEAR(Rect_.Right, (R), 0.01); \
		EXPECT_NEAR(Rect_.Bottom, (B), 0.01); \
	} while (false)
