#pragma once

#include "IAssetTools.h"
#include "Modules/ModuleManager.h"

#include <memory>

// The "AssetTools" module.
class FAssetToolsModule : public IModuleInterface
{
public:
	FAssetToolsModule();
	virtual ~FAssetToolsModule() override;

	virtual IAssetTools& Get() const { return *AssetTools; }
	// Loads the module if needed.
	static FAssetToolsModule& GetModule();
	static bool IsModuleLoaded();

private:
	std::unique_ptr<IAssetTools> AssetTools;
};
