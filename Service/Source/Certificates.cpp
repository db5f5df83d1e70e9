#include "Certificates.h"

#include <openssl/bn.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

#include <stdexcept>

namespace KVAService
{
	namespace
	{
		FKeyPtr MakeKey()
		{
			// P-256 keeps the many handshakes of the test suite cheap.
			FKeyPtr Key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
			if (!Key)
			{
				throw std::runtime_error("key generation failed");
			}
			return Key;
		}

		void AddExtension(X509* Certificate, X509* Issuer, int Nid, const std::string& Value)
		{
			X509V3_CTX Context;
			X509V3_set_ctx_nodb(&Context);
			X509V3_set_ctx(&Context, Issuer, Certificate, nullptr, nullptr, 0);
			X509_EXTENSION* Extension = X509V3_EXT_conf_nid(nullptr, &Context, Nid, Value.c_str());
			if (!Extension || !X509_add_ext(Certificate, Extension, -1))
			{
				X509_EXTENSION_free(Extension);
				throw std::runtime_error("certificate extension failed");
			}
			X509_EXTENSION_free(Extension);
		}

		FCertificatePtr MakeCertificate(EVP_PKEY* Key, const std::string& CommonName)
		{
			FCertificatePtr Certificate(X509_new());
			X509_set_version(Certificate.get(), 2);
			unsigned char Serial[16];
			RAND_bytes(Serial, sizeof(Serial));
			Serial[0] &= 0x7F;
			BIGNUM* Number = BN_bin2bn(Serial, sizeof(Serial), nullptr);
			BN_to_ASN1_INTEGER(Number, X509_get_serialNumber(Certificate.get()));
			BN_free(Number);
			X509_gmtime_adj(X509_getm_notBefore(Certificate.get()), -3600);
			X509_gmtime_adj(X509_getm_notAfter(Certificate.get()), 7 * 24 * 3600);
			X509_set_pubkey(Certificate.get(), Key);
			X509_NAME* Name = X509_get_subject_name(Certificate.get());
			X509_NAME_add_entry_by_txt(Name, "O", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("Kestrova Local"), -1, -1, 0);
			X509_NAME_add_entry_by_txt(Name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(CommonName.c_str()), -1, -1, 0);
			return Certificate;
		}
	}

	FIdentity MakeAuthority()
	{
		FIdentity Authority;
		Authority.Key = MakeKey();
		Authority.Certificate = MakeCertificate(Authority.Key.get(), "Kestrova Local Authority");
		X509_set_issuer_name(Authority.Certificate.get(), X509_get_subject_name(Authority.Certificate.get()));
		AddExtension(Authority.Certificate.get(), Authority.Certificate.get(), NID_basic_constraints, "critical,CA:TRUE");
		AddExtension(Authority.Certificate.get(), Authority.Certificate.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
		AddExtension(Authority.Certificate.get(), Authority.Certificate.get(), NID_subject_key_identifier, "hash");
		if (!X509_sign(Authority.Certificate.get(), Authority.Key.get(), EVP_sha256()))
		{
			throw std::runtime_error("authority signing failed");
		}
		return Authority;
	}

	FIdentity MakeLeaf(const FIdentity& Authority, const std::vector<std::string>& DnsNames)
	{
		FIdentity Leaf;
		Leaf.Key = MakeKey();
		Leaf.Certificate = MakeCertificate(Leaf.Key.get(), DnsNames.front());
		X509_set_issuer_name(Leaf.Certificate.get(), X509_get_subject_name(Authority.Certificate.get()));
		std::string Names;
		for (const std::string& DnsName : DnsNames)
		{
			Names += (Names.empty() ? "DNS:" : ",DNS:") + DnsName;
		}
		AddExtension(Leaf.Certificate.get(), Authority.Certificate.get(), NID_subject_alt_name, Names);
		AddExtension(Leaf.Certificate.get(), Authority.Certificate.get(), NID_basic_constraints, "critical,CA:FALSE");
		AddExtension(Leaf.Certificate.get(), Authority.Certificate.get(), NID_key_usage, "critical,digitalSignature");
		AddExtension(Leaf.Certificate.get(), Authority.Certificate.get(), NID_ext_key_usage, "serverAuth");
		AddExtension(Leaf.Certificate.get(), Authority.Certificate.get(), NID_authority_key_identifier, "keyid:always");
		if (!X509_sign(Leaf.Certificate.get(), Authority.Key.get(), EVP_sha256()))
		{
			throw std::runtime_error("leaf signing failed");
		}
		return Leaf;
	}

	std::string ToPem(X509* Certificate)
	{
		BIO* Memory = BIO_new(BIO_s_mem());
		PEM_write_bio_X509(Memory, Certificate);
		char* Data = nullptr;
		const long Length = BIO_get_mem_data(Memory, &Data);
		std::string Pem(Data, static_cast<size_t>(Length));
		BIO_free(Memory);
		return Pem;
	}
}
