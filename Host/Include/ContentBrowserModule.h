#pragma once

#include "IContentBrowserSingleton.h"
#include "Modules/ModuleManager.h"

#include <memory>

// The "ContentBrowser" module.
class FContentBrowserModule : public IModuleInterface
{
public:
	FContentBrowserModule();
	virtual ~FContentBrowserModule() override;

	virtual IContentBrowserSingleton& Get() const { return *Singleton; }

private:
	std::unique_ptr<IContentBrowserSingleton> Singleton;
};
