#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace KVAPlatform
{
	// 48 bytes from the system's cryptographic random source as 64 Base64url characters;
	// empty when the source fails.
	std::string RandomKey();

	// Base64url (RFC 4648 section 5) without padding.
	std::string Encode(const uint8_t* Bytes, size_t Count);

	// The PKCE S256 challenge of a verifier (RFC 7636): Base64url of its SHA-256, 43 characters.
	std::string Challenge(const std::string& Verifier);

	// SHA-256 of a file's bytes as 64 lower-case hexadecimal digits; empty when the file cannot
	// be opened or read to its end. Streams through a fixed buffer, so any size is constant memory.
	std::string FileHash(const std::string& Path);
}
