#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>
#include <vector>

namespace KVAService
{
	struct FX509Deleter
	{
		void operator()(X509* Certificate) const { X509_free(Certificate); }
	};
	struct FKeyDeleter
	{
		void operator()(EVP_PKEY* Key) const { EVP_PKEY_free(Key); }
	};
	using FCertificatePtr = std::unique_ptr<X509, FX509Deleter>;
	using FKeyPtr = std::unique_ptr<EVP_PKEY, FKeyDeleter>;

	struct FIdentity
	{
		FCertificatePtr Certificate;
		FKeyPtr Key;
	};

	// A fresh certificate authority, made at every start so that no key outlives the service.
	FIdentity MakeAuthority();

	// A server certificate for DnsNames, signed by Authority.
	FIdentity MakeLeaf(const FIdentity& Authority, const std::vector<std::string>& DnsNames);

	std::string ToPem(X509* Certificate);
}
