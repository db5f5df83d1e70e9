#pragma once

#include "CoreTypes.h"

struct ssl_ctx_st;
typedef struct ssl_ctx_st SSL_CTX;

struct x509_store_ctx_st;
typedef struct x509_store_ctx_st X509_STORE_CTX;

// The editor's store of trusted root certificates, which the engine's own HTTP requests hand to
// every TLS connection. The stand-in declares the part the plug-in uses; key pinning is left out.
class ISslCertificateManager
{
public:
	virtual ~ISslCertificateManager() = default;

	static constexpr int PUBLIC_KEY_DIGEST_SIZE = 32;

	// Adds the trusted root certificates to the context's certificate store.
	virtual void AddCertificatesToSslContext(SSL_CTX* SslContextPtr) const = 0;

	// True when there is at least one trusted root certificate.
	virtual bool HasCertificatesAvailable() const = 0;
};
