#pragma once

#include <cstdint>
#include <string>

namespace KVAPlatform
{
	// What a URL is used for; each role admits its own hosts.
	enum class URLRole : int32_t
	{
		Api = 0,
		Preview = 1,
		Package = 2,
		Connect = 3,
	};

	// True when Url (UTF-8 bytes) may be contacted or opened for Role: https on port 443,
	// no user, password or fragment, and a host (and for Api and Connect a path) of that role.
	bool SafeURL(const std::string& Url, URLRole Role);
}
