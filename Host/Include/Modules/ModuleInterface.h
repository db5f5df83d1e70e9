#pragma once

#include "CoreTypes.h"

// The interface every module implements; the module manager owns the instance.
class IModuleInterface
{
public:
	virtual ~IModuleInterface() = default;

	// Called right after the module has been created and registered.
	virtual void StartupModule() {}
	// Called before the module is unloaded, before ShutdownModule, while every module is still loaded.
	virtual void PreUnloadCallback() {}
	// Called after the module has been reloaded.
	virtual void PostLoadCallback() {}
	// Called before the module is destroyed.
	virtual void ShutdownModule() {}
	virtual bool SupportsDynamicReloading() { return true; }
	// Whether the manager shuts this module down when the application exits.
	virtual bool SupportsAutomaticShutdown() { return true; }
	virtual bool IsGameModule() const { return false; }
};
