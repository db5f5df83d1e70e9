#include "SslModule.h"

#include "CoreGlobals.h"
#include "SSL/HostSslCertificateManager.h"

FSslModule* FSslModule::Singleton = nullptr;

FSslModule::FSslModule()
	: CertificateManagerPtr(nullptr)
{
}

void FSslModule::StartupModule()
{
	Singleton = this;
	CertificateManagerPtr = new FHostSslCertificateManager();
}

void FSslModule::ShutdownModule()
{
	delete CertificateManagerPtr;
	CertificateManagerPtr = nullptr;
	Singleton = nullptr;
}

FSslModule& FSslModule::Get()
{
	if (Singleton == nullptr)
	{
		check(IsInGameThread());
		FModuleManager::LoadModuleChecked<FSslModule>("SSL");
	}
	check(Singleton != nullptr);
	return *Singleton;
}
