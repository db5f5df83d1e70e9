#pragma once

#include "Window/LibraryWindow.h"

#include "CoreMinimal.h"
#include "KestrovaService/Membership.h"
#include "KestrovaService/Service.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostEditorUI.h"
#include "Runtime/HostRuntime.h"

#include <memory>
#include <optional>

// The stand-in editor as a member starts it: a project, the editor with its level, the Kestrova
// plug-in's module loaded by the module manager, and the main window with its menus. With a
// service, the local Kestrova service stands in for the real one, and the member's browser
// answers its sign-in page. Used by the editor program and by the window tests alike.
class FEditorSession
{
public:
	// What the member's browser does with the sign-in page.
	enum class EBrowser
	{
		Approve,
		Refuse,
		Ignore
	};

	struct FOptions
	{
		// Empty: a temporary project that goes with the session.
		FString ProjectDir;
		FVector2D WindowSize = FVector2D(1280, 800);
		bool bService = true;
	};

	explicit FEditorSession(const FOptions& Options);
	~FEditorSession();
	FEditorSession(const FEditorSession&) = delete;
	FEditorSession& operator=(const FEditorSession&) = delete;

	// False when the local service or the plug-in's module could not be started.
	bool IsReady() const { return bReady; }

	// Chooses Window > Kestrova in the menu bar; "" when the library window opened, else why not.
	FString OpenLibrary();
	// The library window of the front Kestrova tab, if one is open.
	TSharedPtr<SKVALibrary> FindLibrary() const;
	// The editor quits: the plug-in's module is shut down (the rest goes with the session).
	void ShutDownModule();

	// One frame of the editor: game-thread work and tickers, then layout and paint.
	void Frame();
	// Frames until Condition holds or Seconds of real time pass.
	bool Pump(TFunctionRef<bool()> Condition, double Seconds = 20.0);
	// Frames while the test clock moves a second at a time (sign-in polling and the like).
	bool PumpWithClock(TFunctionRef<bool()> Condition, int32 MaxSeconds = 60);

	FHostRuntime& GetRuntime() { return *Runtime; }
	FHostEditor& GetEditor() { return *Editor; }
	FHostEditorUI& GetUI() { return *UI; }
	const FSlateDriver& GetDriver() const { return UI->GetDriver(); }
	KVAService::FService* GetService() { return Service.get(); }
	KVAService::FMembership* GetMembership() { return Membership ? &*Membership : nullptr; }

	EBrowser Browser = EBrowser::Approve;
	// Every address the editor opened in the browser, oldest first.
	TArray<FString> Launched;

private:
	std::unique_ptr<FHostRuntime> Runtime;
	std::unique_ptr<KVAService::FService> Service;
	std::optional<KVAService::FMembership> Membership;
	std::unique_ptr<FHostEditor> Editor;
	std::unique_ptr<FHostEditorUI> UI;
	bool bModuleLoaded = false;
	bool bReady = false;
};
