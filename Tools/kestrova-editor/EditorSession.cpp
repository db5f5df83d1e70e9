#include "EditorSession.h"

#include "Client/KestrovaText.h"
#include "Platform/Transport.h"

#include "Modules/ModuleManager.h"
#include "SlateTesting/SlateDriver.h"

#include <chrono>
#include <thread>

FEditorSession::FEditorSession(const FOptions& Options)
	: Runtime(std::make_unique<FHostRuntime>(4, Options.ProjectDir))
{
	if (Options.bService)
	{
		Service = std::make_unique<KVAService::FService>();
		if (!Service->Start())
		{
			return;
		}
		Membership.emplace(*Service);
		KVAPlatform::SetRouting(Service->Port(), Service->AuthorityPem());
		Runtime->SetLaunchURLHandler([this](const FString& Url)
		{
			Launched.Add(Url);
			const std::string Attempt = KVAService::FMembership::AttemptOf(KVAText::Utf8(Url));
			if (Browser != EBrowser::Ignore && !Attempt.empty())
			{
				Membership->Decide(Attempt, Browser == EBrowser::Approve);
			}
		});
	}
	Editor = std::make_unique<FHostEditor>();
	// The editor loads the plug-in's module, then brings its user interface up, which runs the
	// tool menus' start-up callbacks.
	bModuleLoaded = FModuleManager::Get().LoadModule(TEXT("Kestrova")) != nullptr;
	UI = std::make_unique<FHostEditorUI>(Options.WindowSize);
	bReady = bModuleLoaded;
}

FEditorSession::~FEditorSession()
{
	ShutDownModule();
	UI.reset();
	Editor.reset();
	// The service stops answering before the membership its routes use goes away: the sign-out
	// notice of a closing window may still be on its way.
	if (Service)
	{
		Service->Stop();
		KVAPlatform::SetRouting(0, std::string());
	}
	Membership.reset();
	Service.reset();
	Runtime.reset();
}

FString FEditorSession::OpenLibrary()
{
	const FString Why = UI->InvokeMenuEntry(FHostEditorUI::WindowMenuName, TEXT("KestrovaLibrary"));
	Frame();
	if (!Why.IsEmpty())
	{
		return Why;
	}
	return FindLibrary().IsValid() ? FString() : FString(TEXT("no library window in the tab"));
}

TSharedPtr<SKVALibrary> FEditorSession::FindLibrary() const
{
	return StaticCastSharedPtr<SKVALibrary>(GetDriver().Find(TEXT("SKVALibrary")));
}

void FEditorSession::ShutDownModule()
{
	if (bModuleLoaded)
	{
		FModuleManager::Get().UnloadModule(TEXT("Kestrova"));
		bModuleLoaded = false;
	}
}

void FEditorSession::Frame()
{
	Runtime->Tick();
	GetDriver().Tick();
}

bool FEditorSession::Pump(TFunctionRef<bool()> Condition, double Seconds)
{
	const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
	for (;;)
	{
		Frame();
		if (Condition())
		{
			return true;
		}
		if (std::chrono::steady_clock::now() > Deadline)
		{
			return false;
		}
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
	}
}

bool FEditorSession::PumpWithClock(TFunctionRef<bool()> Condition, int32 MaxSeconds)
{
	for (int32 Second = 0; Second <= MaxSeconds; ++Second)
	{
		if (Pump(Condition, 0.1))
		{
			return true;
		}
		Runtime->AdvanceClock(1.0);
	}
	return Pump(Condition, 5.0);
}
