#pragma once

#include "Interfaces/ISslCertificateManager.h"

#include <openssl/x509.h>

#include <string>
#include <vector>

// The root store as the engine's Linux build fills it: first the engine's own bundle, or the
// bundle that the engine's [SSL] OverrideCertificateBundlePath setting names instead, then the
// platform's bundle from the first of the known system paths that exists. The stand-in has no
// engine content folder and no configuration files, so its engine bundle is only the override,
// read from KVA_SSL_OVERRIDE_CERTIFICATE_BUNDLE_PATH. As in the engine, expired and not yet
// valid certificates and duplicates are left out.
class FHostSslCertificateManager : public ISslCertificateManager
{
public:
	FHostSslCertificateManager();
	virtual ~FHostSslCertificateManager() override;
	FHostSslCertificateManager(const FHostSslCertificateManager&) = delete;
	FHostSslCertificateManager& operator=(const FHostSslCertificateManager&) = delete;

	virtual void AddCertificatesToSslContext(SSL_CTX* SslContextPtr) const override;
	virtual bool HasCertificatesAvailable() const override;

private:
	void AddPEMFile(const std::string& Path);
	void Add(X509* Certificate);

	std::vector<X509*> RootCertificates;
};
