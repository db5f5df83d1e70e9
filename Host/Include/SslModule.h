#pragma once

#include "HAL/Platform.h"
#include "Misc/AssertionMacros.h"
#include "Modules/ModuleInterface.h"
#include "Modules/ModuleManager.h"

class ISslCertificateManager;

// The engine's module for TLS certificate management ("SSL"). The stand-in leaves out the
// SSL library manager (GetSslManager), which the plug-in does not use.
class FSslModule : public IModuleInterface
{
public:
	FSslModule();

	// Loads the module on first use, which only the game thread may do, as in the engine.
	static FSslModule& Get();

	inline ISslCertificateManager& GetCertificateManager()
	{
		check(CertificateManagerPtr != nullptr);
		return *CertificateManagerPtr;
	}

private:
	virtual void StartupModule() override;
	virtual void ShutdownModule() override;

	ISslCertificateManager* CertificateManagerPtr;

	static FSslModule* Singleton;
};
