#pragma once

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Platform/Transport.h"
#include "Window/LibraryWindow.h"

#include "EditorSession.h"

#include "CoreMinimal.h"
#include "Framework/Application/SlateApplication.h"
#include "SlateTesting/SlateDriver.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Text/STextBlock.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const FString& Text, std::ostream* Out)
{
	*Out << '"' << FTCHARToUTF8(*Text).Get() << '"';
}

inline void PrintTo(const TArray<FString>& Texts, std::ostream* Out)
{
	*Out << "{";
	for (const FString& Text : Texts)
	{
		*Out << " ";
		PrintTo(Text, Out);
	}
	*Out << " }";
}

// The stand-in editor with the Kestrova plug-in loaded and its tab opened through the Window
// menu, against the local service. Everything a test does to the window goes through the
// toolkit's input path: clicks at points of the laid-out window, keys into the focused widget.
class WindowTest : public ::testing::Test
{
protected:
	using EBrowser = FEditorSession::EBrowser;

	void SetUp() override;
	void TearDown() override;

	const FSlateDriver& Driver() const { return Session->GetDriver(); }
	SKVALibrary& Library() const { return *Window; }

	// Chooses Window > Kestrova in the menu bar and finds the library window in the new tab.
	void OpenTab();
	// The editor shuts down: the plug-in's module first, as when the editor quits.
	void ShutDownModule() { Session->ShutDownModule(); }

	void Frame() { Session->Frame(); }
	bool Pump(TFunctionRef<bool()> Condition, double Seconds = 20.0) { return Session->Pump(Condition, Seconds); }
	bool PumpWithClock(TFunctionRef<bool()> Condition, int32 MaxSeconds = 60) { return Session->PumpWithClock(Condition, MaxSeconds); }
	// Frames until the window is idle.
	bool Settle() { return Pump([this] { return !Window->bBusy; }); }

	// Clicks the button (or text) that shows Label; "" when the click landed, else why not.
	FString Click(const FString& Label);
	TSharedPtr<SButton> ButtonOf(const FString& Label) const;
	bool IsEnabled(const FString& Label) const;
	bool Shows(const FString& Text) const;
	void Type(const FString& Text);
	void PressEnter();

	// Signs in by clicking "Sign in" and waits for the first listing.
	void SignIn();
	// Types the text into the search box and presses Enter; waits for the listing.
	void Search(const FString& Text);
	// Finds the product by its title with a search and clicks its tile; waits for its details.
	void Choose(const FString& Title);

	// A product of the test's own, in the catalogue and in the member's library, whose one
	// package holds these (name, bytes) members and, unless told otherwise, a licence.
	void AddProduct(const std::string& Id, const std::string& Title, const std::vector<std::pair<std::string, std::string>>& Members,
		const std::string& Source = "membership", bool bLicence = true);
	// Writes the window as it is now to <build>/Tests/Window/States/<Name>.png.
	void SaveState(const FString& Name);
	// How much of the text's painted area is close to the colour (sRGB), 0 to 1.
	bool TextDrawnIn(const FString& Text, const FLinearColor& Colour) const;
	FColor PixelAt(const TSharedRef<SWidget>& Widget, float FractionX, float FractionY) const;

	std::vector<KVAService::FRequestRecord> RequestsTo(const std::string& PathPrefix) const;
	size_t CountRequests(const std::string& PathPrefix) const { return RequestsTo(PathPrefix).size(); }
	// Requests to exactly this path.
	size_t CountPath(const std::string& Path) const;

	std::optional<FEditorSession> Session;
	// The session's parts, as the tests use them.
	FHostRuntime* Host = nullptr;
	KVAService::FService* Service = nullptr;
	KVAService::FMembership* Membership = nullptr;
	FHostEditor* Editor = nullptr;
	FHostEditorUI* UI = nullptr;
	TSharedPtr<SKVALibrary> Window;
	// The editor's main window; a fixture may make it larger before SetUp, so that more of the
	// tile grid is on screen at once.
	FVector2D WindowSize = FVector2D(1280, 800);
};

// Compares colours as the window is painted: sRGB bytes, within a small tolerance.
bool Near(const FColor& A, const FColor& B, int32 Tolerance = 3);
FColor SRGB(const FLinearColor& Colour);
FString Repeated(TCHAR Char, int32 Count);
