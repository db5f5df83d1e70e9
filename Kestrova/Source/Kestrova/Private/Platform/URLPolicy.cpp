#include "Platform/URLPolicy.h"

#include "Platform/Hosts.h"
#include "Platform/URL.h"

#include <algorithm>

namespace KVAPlatform
{
	namespace
	{
		constexpr size_t MaxUrlBytes = 8192;

		std::string LowerAscii(std::string Text)
		{
			std::transform(Text.begin(), Text.end(), Text.begin(), [](char C)
			{
				return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
			});
			return Text;
		}
	}

	bool SafeURL(const std::string& Url, URLRole Role)
	{
		if (Url.empty() || Url.size() > MaxUrlBytes)
		{
			return false;
		}
		if (Url.find_first_of(std::string(" \t\n\r", 4)) != std::string::npos)
		{
			return false;
		}
		const std::optional<FURLParts> Parts = ParseURL(Url);
		if (!Parts || Parts->Scheme != "https")
		{
			return false;
		}
		if (Parts->User || Parts->Password || Parts->Fragment)
		{
			return false;
		}
		if (Parts->Port.value_or(443) != 443)
		{
			return false;
		}

		const std::string Host = LowerAscii(Parts->Host);
		switch (Role)
		{
		case URLRole::Api:
			return Host == Hosts::Api && PercentDecode(Parts->Path).rfind("/v1/", 0) == 0;
		case URLRole::Preview:
			return std::any_of(std::begin(Hosts::Preview), std::end(Hosts::Preview), [&Host](const char* Candidate)
			{
				return Host == Candidate;
			});
		case URLRole::Package:
			return Host == Hosts::Content;
		case URLRole::Connect:
			return Host == Hosts::Api && PercentDecode(Parts->Path) == "/connect/unreal";
		}
		return false;
	}
}
