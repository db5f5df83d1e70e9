#pragma once

#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"
#include "Modules/ModuleManager.h"

// The tool menus module: loading it makes the menus available.
class IToolMenusModule : public IModuleInterface
{
public:
	static IToolMenusModule& Get() { return FModuleManager::LoadModuleChecked<IToolMenusModule>("ToolMenus"); }
	static bool IsAvailable() { return FModuleManager::Get().IsModuleLoaded("ToolMenus"); }
};
