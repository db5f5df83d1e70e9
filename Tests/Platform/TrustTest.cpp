#include "TransportSupport.h"

#include "Interfaces/ISslCertificateManager.h"
#include "SslModule.h"

#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

using KVAPlatform::Reply;

namespace
{
	const char* const OverrideVariable = "KVA_SSL_OVERRIDE_CERTIFICATE_BUNDLE_PATH";
	// Debian's bundle of the system's trusted roots, which the stand-in's store is built from.
	const char* const SystemBundle = "/etc/ssl/certs/ca-certificates.crt";

	struct FCertificates
	{
		std::vector<X509*> Items;
		~FCertificates()
		{
			for (X509* Certificate : Items)
			{
				X509_free(Certificate);
			}
		}
		bool Contains(X509* Certificate) const
		{
			return std::any_of(Items.begin(), Items.end(), [Certificate](X509* Other) { return X509_cmp(Other, Certificate) == 0; });
		}
	};

	// The bundle's certificates that are valid today, each once: what the editor's store keeps of it.
	void ReadValidRoots(const std::string& Path, FCertificates& Out)
	{
		BIO* File = BIO_new_file(Path.c_str(), "r");
		ASSERT_NE(File, nullptr) << Path;
		STACK_OF(X509_INFO)* Infos = PEM_X509_INFO_read_bio(File, nullptr, nullptr, nullptr);
		BIO_free(File);
		ASSERT_NE(Infos, nullptr) << Path;
		for (int Index = 0; Index < sk_X509_INFO_num(Infos); ++Index)
		{
			X509* Certificate = sk_X509_INFO_value(Infos, Index)->x509;
			const bool bValid = Certificate && X509_cmp_current_time(X509_get0_notAfter(Certificate)) >= 0 && X509_cmp_current_time(X509_get0_notBefore(Certificate)) <= 0;
			if (bValid && !Out.Contains(Certificate))
			{
				X509_up_ref(Certificate);
				Out.Items.push_back(Certificate);
			}
		}
		sk_X509_INFO_pop_free(Infos, X509_INFO_free);
	}

	// What a connection's context trusts once the editor's store has been added to it.
	void ReadContextRoots(FCertificates& Out)
	{
		SSL_CTX* Context = SSL_CTX_new(TLS_client_method());
		ASSERT_NE(Context, nullptr);
		FSslModule::Get().GetCertificateManager().AddCertificatesToSslContext(Context);
		STACK_OF(X509_OBJECT)* Objects = X509_STORE_get0_objects(SSL_CTX_get_cert_store(Context));
		for (int Index = 0; Index < sk_X509_OBJECT_num(Objects); ++Index)
		{
			if (X509* Certificate = X509_OBJECT_get0_X509(sk_X509_OBJECT_value(Objects, Index)))
			{
				X509_up_ref(Certificate);
				Out.Items.push_back(Certificate);
			}
		}
		SSL_CTX_free(Context);
	}

	// The SSL module loaded again, so that its store is built afresh from the bundles.
	void ReloadSslModule()
	{
		FModuleManager::Get().UnloadModule("SSL");
		FSslModule::Get();
	}

	class TrustTest : public TransportTest
	{
	protected:
		void TearDown() override
		{
			unsetenv(OverrideVariable);
			ReloadSslModule();
			TransportTest::TearDown();
		}
	};
}

TEST_F(TrustTest, ConnectionsTrustTheEditorsStoreAndTheOverridesOneAuthorityAndCheckTheHost)
{
	GService->Script("/v1/ok", KVAService::FReply::Json(200, "{\"ok\":true}"));
	KVAService::FService Other;
	ASSERT_TRUE(Other.Start());
	const struct
	{
		const char* Name;
		uint16_t Port;
		std::string Authority;
		const char* Error;
	} Cases[] = {
		// The service's own authority is in no system store: what normal use trusts refuses it.
		{ "the editor's store alone", GService->Port(), std::string(), "network_failed" },
		{ "the service's authority on top", GService->Port(), GService->AuthorityPem(), "" },
		{ "another authority on top", GService->Port(), Other.AuthorityPem(), "network_failed" },
		{ "the right authority, a certificate for another host", GService->WrongHostPort(), GService->AuthorityPem(), "network_failed" },
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		GService->ClearRequests();
		KVAPlatform::SetRouting(Case.Port, Case.Authority);

		const Reply Rep = SendAndWait(Api("/v1/ok"));

		EXPECT_EQ(Rep.Error, Case.Error);
		EXPECT_EQ(Rep.Status, *Case.Error ? 0 : 200);
		EXPECT_EQ(GService->Requests().size(), *Case.Error ? 0u : 1u);
	}
}

TEST_F(TrustTest, TheEditorsStoreHoldsTheSystemsRoots)
{
	FCertificates System;
	ReadValidRoots(SystemBundle, System);
	ASSERT_GT(System.Items.size(), 0u);
	FCertificates Trusted;
	ReadContextRoots(Trusted);

	EXPECT_TRUE(FSslModule::Get().GetCertificateManager().HasCertificatesAvailable());
	EXPECT_EQ(Trusted.Items.size(), System.Items.size());
	for (X509* Certificate : System.Items)
	{
		EXPECT_TRUE(Trusted.Contains(Certificate)) << X509_NAME_oneline(X509_get_subject_name(Certificate), nullptr, 0);
	}
}

TEST_F(TrustTest, AnAuthorityInTheStoresBundleIsTrustedWithoutTheOverridesOwn)
{
	// The engine's [SSL] OverrideCertificateBundlePath setting, as the stand-in reads it, names a
	// bundle with the service's authority: in the store beside the system's roots, it is trusted
	// by a connection that the routing override gives no authority of its own.
	const std::filesystem::path Bundle = TempFile("bundle.pem");
	std::ofstream(Bundle) << GService->AuthorityPem();
	setenv(OverrideVariable, Bundle.c_str(), 1);
	ReloadSslModule();
	GService->Script("/v1/ok", KVAService::FReply::Json(200, "{\"ok\":true}"));
	KVAPlatform::SetRouting(GService->Port(), std::string());

	FCertificates System;
	ReadValidRoots(SystemBundle, System);
	FCertificates Trusted;
	ReadContextRoots(Trusted);
	EXPECT_EQ(Trusted.Items.size(), System.Items.size() + 1);
	const Reply Trusting = SendAndWait(Api("/v1/ok"));
	EXPECT_EQ(Trusting.Error, "");
	EXPECT_EQ(Trusting.Status, 200);

	// Built again without it, the store refuses the service once more.
	unsetenv(OverrideVariable);
	ReloadSslModule();
	EXPECT_EQ(SendAndWait(Api("/v1/ok")).Error, "network_failed");
	EXPECT_EQ(GService->Requests().size(), 1u);
}
