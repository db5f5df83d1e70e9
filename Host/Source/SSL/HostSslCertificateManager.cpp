#include "SSL/HostSslCertificateManager.h"

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace
{
	// The bundles the engine's Linux build looks for, in its order; it takes the first it finds.
	const char* const KnownBundlePaths[] = {
		"/etc/pki/tls/certs/ca-bundle.crt",
		"/etc/ssl/certs/ca-certificates.crt",
		"/etc/ssl/ca-bundle.pem",
	};

	bool IsFile(const std::string& Path)
	{
		std::error_code Error;
		return !Path.empty() && std::filesystem::is_regular_file(Path, Error);
	}
}

FHostSslCertificateManager::FHostSslCertificateManager()
{
	const char* Override = std::getenv("KVA_SSL_OVERRIDE_CERTIFICATE_BUNDLE_PATH");
	if (Override != nullptr && IsFile(Override))
	{
		AddPEMFile(Override);
	}
	for (const char* Path : KnownBundlePaths)
	{
		if (IsFile(Path))
		{
			AddPEMFile(Path);
			break;
		}
	}
}

FHostSslCertificateManager::~FHostSslCertificateManager()
{
	for (X509* Certificate : RootCertificates)
	{
		X509_free(Certificate);
	}
}

void FHostSslCertificateManager::AddCertificatesToSslContext(SSL_CTX* SslContextPtr) const
{
	X509_STORE* Store = SSL_CTX_get_cert_store(SslContextPtr);
	for (X509* Certificate : RootCertificates)
	{
		X509_STORE_add_cert(Store, Certificate);
	}
}

bool FHostSslCertificateManager::HasCertificatesAvailable() const
{
	return !RootCertificates.empty();
}

void FHostSslCertificateManager::AddPEMFile(const std::string& Path)
{
	const std::unique_ptr<BIO, decltype(&BIO_free)> File(BIO_new_file(Path.c_str(), "r"), &BIO_free);
	if (!File)
	{
		return;
	}
	// A certificate that does not parse is skipped, as the engine skips it, and the rest still
	// count; reading stops at the end of the file or where a read moved no further.
	for (;;)
	{
		const int Before = BIO_tell(File.get());
		X509* Certificate = PEM_read_bio_X509(File.get(), nullptr, nullptr, nullptr);
		if (Certificate != nullptr)
		{
			Add(Certificate);
		}
		else if (BIO_eof(File.get()) || BIO_tell(File.get()) == Before)
		{
			break;
		}
	}
	// The failed read at the end leaves its error behind; it must not be read as a later call's.
	ERR_clear_error();
}

void FHostSslCertificateManager::Add(X509* Certificate)
{
	const bool bValid = X509_cmp_current_time(X509_get0_notAfter(Certificate)) >= 0 && X509_cmp_current_time(X509_get0_notBefore(Certificate)) <= 0;
	const bool bKnown = std::any_of(RootCertificates.begin(), RootCertificates.end(), [Certificate](X509* Other) { return X509_cmp(Other, Certificate) == 0; });
	if (!bValid || bKnown)
	{
		X509_free(Certificate);
		return;
	}
	RootCertificates.push_back(Certificate);
}
