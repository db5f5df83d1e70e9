#pragma once

#include "AssetRegistry/IAssetRegistry.h"
#include "Modules/ModuleManager.h"

#include <memory>

// The "AssetRegistry" module.
class FAssetRegistryModule : public IModuleInterface
{
public:
	FAssetRegistryModule();
	virtual ~FAssetRegistryModule() override;

	virtual IAssetRegistry& Get() const { return *Registry; }
	IAssetRegistry* TryGet() const { return Registry.get(); }
	// Loads the module if needed.
	static IAssetRegistry& GetRegistry();

private:
	std::unique_ptr<IAssetRegistry> Registry;
};
