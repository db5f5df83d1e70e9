#pragma once

#include <cstddef>
#include <string>

// The service's own encodings. It checks what the client sends with these, never with the
// client's code, so that a fault on one side cannot hide behind the same fault on the other.
namespace KVAService::Encoding
{
	std::string Sha256(const std::string& Bytes);
	std::string Hex(const std::string& Bytes);
	std::string Base64Url(const std::string& Bytes);
	std::string RandomBytes(size_t Count);
}
