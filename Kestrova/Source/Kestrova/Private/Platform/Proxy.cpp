#include "Platform/Proxy.h"

#include <cstdlib>
#include <initializer_list>
#include <strings.h>

namespace KVAPlatform
{
	namespace
	{
		// The first variable that is set and not empty: lower case first, as curl reads them.
		std::string FirstSet(std::initializer_list<const char*> Names)
		{
			for (const char* Name : Names)
			{
				const char* Value = std::getenv(Name);
				if (Value != nullptr && *Value != '\0')
				{
					return Value;
				}
			}
			return std::string();
		}
	}

	FProxy SystemProxy()
	{
		FProxy Proxy;
		Proxy.Url = FirstSet({ "https_proxy", "HTTPS_PROXY" });
		Proxy.Bypass = FirstSet({ "no_proxy", "NO_PROXY" });
		return Proxy;
	}

	bool IsTunnelProxy(const std::string& Url)
	{
		// A bare host and port is what curl reads as an HTTP proxy too.
		return Url.find("://") == std::string::npos || strncasecmp(Url.c_str(), "http://", 7) == 0;
	}
}
