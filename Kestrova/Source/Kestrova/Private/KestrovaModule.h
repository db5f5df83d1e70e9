#pragma once

#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"

class FSpawnTabArgs;
class SDockTab;
class SKVALibrary;

// The editor's entry into the library: one nomad tab, opened from the level editor's Window menu.
class FKestrovaModule : public IModuleInterface
{
public:
	virtual ~FKestrovaModule() override;
	virtual void StartupModule() override;
	virtual void ShutdownModule() override;
	virtual bool SupportsDynamicReloading() override;

	TSharedRef<SDockTab> Spawn(const FSpawnTabArgs& Args);
	void Menu();

	// Every window this module opened, in order; closed ones stay as expired entries.
	TArray<TWeakPtr<SKVALibrary>> Windows;
};
