#include "Platform/URLPolicy.h"

#include <gtest/gtest.h>

#include <string>

using KVAPlatform::URLRole;

namespace
{
	struct FCase
	{
		const char* Url;
		URLRole Role;
		bool bSafe;
	};

	constexpr FCase Cases[] = {
		// Api: host and the case-sensitive, decoded "/v1/" prefix.
		{ "https://api.kestrova.example/v1/session", URLRole::Api, true },
		{ "https://api.kestrova.example/v1", URLRole::Api, false },
		{ "https://api.kestrova.example/V1/session", URLRole::Api, false },
		{ "https://api.kestrova.example/%761/session", URLRole::Api, true },
		{ "https://api.kestrova.example/v1%2Fsession", URLRole::Api, true },
		{ "https://api.kestrova.example/v1/membership/library?cursor=a%20b&q=", URLRole::Api, true },
		{ "https://API.Kestrova.EXAMPLE/v1/session", URLRole::Api, true },
		{ "https://api.kestrova.example:443/v1/session", URLRole::Api, true },
		{ "https://api.kestrova.example:0443/v1/session", URLRole::Api, true },
		{ "https://api.kestrova.example:/v1/session", URLRole::Api, true },
		{ "https://api.kestrova.example:8443/v1/session", URLRole::Api, false },
		{ "https://api.kestrova.example:65536/v1/session", URLRole::Api, false },
		{ "https://api.kestrova.example:99999999999999999999/v1/session", URLRole::Api, false },
		{ "https://api.kestrova.example:44a/v1/session", URLRole::Api, false },
		{ "https://user@api.kestrova.example/v1/session", URLRole::Api, false },
		{ "https://user:@api.kestrova.example/v1/session", URLRole::Api, false },
		{ "https://@api.kestrova.example/v1/session", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/session#", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/session#top", URLRole::Api, false },
		{ "https://api.kestrova.example@evil.example/v1/session", URLRole::Api, false },
		{ "https://evil.example#@api.kestrova.example/v1/session", URLRole::Api, false },
		{ "https://evil.example\\@api.kestrova.example/v1/", URLRole::Api, false },
		{ "HTTPS://api.kestrova.example/v1/session", URLRole::Api, false },
		{ "http://api.kestrova.example/v1/session", URLRole::Api, false },
		{ "https:/api.kestrova.example/v1/session", URLRole::Api, false },
		{ "https:///v1/session", URLRole::Api, false },
		{ "https://api.kestrova.example./v1/session", URLRole::Api, false },
		{ "https://api%2Ekestrova.example/v1/session", URLRole::Api, false },
		{ "https://sub.api.kestrova.example/v1/session", URLRole::Api, false },
		{ "https://content.kestrova.example/v1/session", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/%zz", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/%4", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/a%", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/caf\xC3\xA9", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/a b", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/session ", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/\nsession", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/\tx", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/\rx", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/a\x7F", URLRole::Api, false },
		{ "https://api.kestrova.example/v1/a<b>", URLRole::Api, false },
		{ "https://[::1]/v1/session", URLRole::Api, false },
		{ "https://127.0.0.1/v1/session", URLRole::Api, false },
		{ "", URLRole::Api, false },
		{ "api.kestrova.example/v1/session", URLRole::Api, false },

		// Preview: the four image hosts, any path; never the content host.
		{ "https://images.kestrova.example/p/1.webp", URLRole::Preview, true },
		{ "https://kestrova.example/p/1.webp", URLRole::Preview, true },
		{ "https://www.kestrova.example/p/1.webp", URLRole::Preview, true },
		{ "https://api.kestrova.example/anything", URLRole::Preview, true },
		{ "https://images.kestrova.example", URLRole::Preview, true },
		{ "https://content.kestrova.example/p/1.webp", URLRole::Preview, false },
		{ "https://cdn.images.kestrova.example/p/1.webp", URLRole::Preview, false },
		{ "https://images.kestrova.example.evil/p/1.webp", URLRole::Preview, false },

		// Package: the content host only.
		{ "https://content.kestrova.example/t/abc.zip?sig=1", URLRole::Package, true },
		{ "https://images.kestrova.example/t/abc.zip", URLRole::Package, false },
		{ "https://api.kestrova.example/v1/t/abc.zip", URLRole::Package, false },

		// Connect: exactly "/connect/unreal" on the API host, any query.
		{ "https://api.kestrova.example/connect/unreal", URLRole::Connect, true },
		{ "https://api.kestrova.example/connect/unreal?attempt=1&challenge=x", URLRole::Connect, true },
		{ "https://api.kestrova.example/connect/%75nreal", URLRole::Connect, true },
		{ "https://api.kestrova.example/connect%2Funreal", URLRole::Connect, true },
		{ "https://api.kestrova.example/connect/%55nreal", URLRole::Connect, false },
		{ "https://api.kestrova.example/connect/unreal/", URLRole::Connect, false },
		{ "https://api.kestrova.example/connect/Unreal", URLRole::Connect, false },
		{ "https://api.kestrova.example/connect/unreal#x", URLRole::Connect, false },
		{ "https://api.kestrova.example:8443/connect/unreal", URLRole::Connect, false },
		{ "https://www.kestrova.example/connect/unreal", URLRole::Connect, false },
	};
}

TEST(URLPolicy, AdmitsEachRoleOnlyItsHostsAndPaths)
{
	for (const FCase& Case : Cases)
	{
		EXPECT_EQ(KVAPlatform::SafeURL(Case.Url, Case.Role), Case.bSafe)
			<< "url: " << Case.Url << " role: " << static_cast<int>(Case.Role);
	}
}

TEST(URLPolicy, LengthIsBoundedBeforeParsing)
{
	const std::string Prefix = "https://api.kestrova.example/v1/";
	const std::string AtLimit = Prefix + std::string(8192 - Prefix.size(), 'a');
	EXPECT_TRUE(KVAPlatform::SafeURL(AtLimit, URLRole::Api));
	EXPECT_FALSE(KVAPlatform::SafeURL(AtLimit + "a", URLRole::Api));
}

TEST(URLPolicy, EmbeddedNulIsRefused)
{
	const std::string Url("https://api.kestrova.example/v1/a\0b", 35);
	EXPECT_FALSE(KVAPlatform::SafeURL(Url, URLRole::Api));
}
