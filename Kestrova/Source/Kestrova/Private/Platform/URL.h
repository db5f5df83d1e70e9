#pragma once

#include <optional>
#include <string>

namespace KVAPlatform
{
	// The components of an absolute URL as RFC 3986 defines them. A component that the URL
	// writes with its delimiter but leaves empty ("https://@host", "https://host/#") is
	// present with an empty value, so that callers can refuse it.
	struct FURLParts
	{
		std::string Scheme;
		std::optional<std::string> User;
		std::optional<std::string> Password;
		std::string Host;
		std::optional<int> Port;
		std::string Path;
		std::optional<std::string> Query;
		std::optional<std::string> Fragment;
	};

	// Parses an absolute URL strictly: any byte outside the grammar (non-ASCII, controls,
	// spaces, stray "%"), a malformed percent escape, or a port that is not 0..65535 gives
	// nothing. Components are returned as written; use PercentDecode where decoded text is meant.
	std::optional<FURLParts> ParseURL(const std::string& Url);

	// Decodes %XX escapes; the input must already have passed ParseURL's escape check.
	std::string PercentDecode(const std::string& Text);
}
