#include "Encoding.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>

namespace KVAService::Encoding
{
	std::string Sha256(const std::string& Bytes)
	{
		unsigned char Digest[EVP_MAX_MD_SIZE];
		unsigned int Length = 0;
		EVP_Digest(Bytes.data(), Bytes.size(), Digest, &Length, EVP_sha256(), nullptr);
		return std::string(reinterpret_cast<const char*>(Digest), Length);
	}

	std::string Hex(const std::string& Bytes)
	{
		static const char Digits[] = "0123456789abcdef";
		std::string Out;
		Out.reserve(Bytes.size() * 2);
		for (unsigned char Byte : Bytes)
		{
			Out += Digits[Byte >> 4];
			Out += Digits[Byte & 15];
		}
		return Out;
	}

	std::string Base64Url(const std::string& Bytes)
	{
		std::string Out(4 * ((Bytes.size() + 2) / 3) + 1, '\0');
		const int Written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(Out.data()), reinterpret_cast<const unsigned char*>(Bytes.data()), int(Bytes.size()));
		Out.resize(size_t(Written));
		std::replace(Out.begin(), Out.end(), '+', '-');
		std::replace(Out.begin(), Out.end(), '/', '_');
		Out.erase(std::remove(Out.begin(), Out.end(), '='), Out.end());
		return Out;
	}

	std::string RandomBytes(size_t Count)
	{
		std::string Out(Count, '\0');
		RAND_bytes(reinterpret_cast<unsigned char*>(Out.data()), int(Count));
		return Out;
	}
}
