// Any byte string: the parser and the policy never crash, and whatever the policy admits
// really is https on port 443 with no credentials or fragment.
#include "Platform/URL.h"
#include "Platform/URLPolicy.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	const std::string Url(reinterpret_cast<const char*>(Data), Size);
	const std::optional<KVAPlatform::FURLParts> Parts = KVAPlatform::ParseURL(Url);
	if (Parts)
	{
		KVAPlatform::PercentDecode(Parts->Path);
	}
	for (const KVAPlatform::URLRole Role : { KVAPlatform::URLRole::Api, KVAPlatform::URLRole::Preview, KVAPlatform::URLRole::Package, KVAPlatform::URLRole::Connect })
	{
		if (KVAPlatform::SafeURL(Url, Role))
		{
			if (!Parts || Parts->Scheme != "https" || Parts->User || Parts->Password || Parts->Fragment || Parts->Port.value_or(443) != 443)
			{
				std::abort();
			}
		}
	}
	return 0;
}
