#pragma once

#include <string>

namespace KVAPlatform
{
	// The proxy the system's settings name for https: the https_proxy variable (HTTPS_PROXY when
	// it is not set) and the hosts that go around it, no_proxy (or NO_PROXY), read as the
	// platform's own networking here reads them. Nothing a service sends has any say in it.
	struct FProxy
	{
		// Empty: connect directly.
		std::string Url;
		// Host names (and suffixes) reached directly, comma-separated; "*" for all.
		std::string Bypass;
	};

	// Read afresh for every transfer, so that a changed setting holds from the next one on.
	FProxy SystemProxy();

	// True for a plain HTTP proxy, the one kind reached by a CONNECT tunnel in which TLS and its
	// checks run end to end with the service. Other kinds (SOCKS, TLS to the proxy) are not used.
	bool IsTunnelProxy(const std::string& Url);
}
