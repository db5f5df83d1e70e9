#include "Platform/Keys.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace KVAPlatform
{
	namespace
	{
		constexpr size_t RandomKeyBytes = 48;
		constexpr size_t HashChunkBytes = 131072;

		struct FDigestDeleter
		{
			void operator()(EVP_MD_CTX* Context) const
			{
				EVP_MD_CTX_free(Context);
			}
		};

		struct FFileCloser
		{
			int Descriptor = -1;
			~FFileCloser()
			{
				if (Descriptor >= 0)
				{
					close(Descriptor);
				}
			}
		};
	}

	std::string RandomKey()
	{
		uint8_t Bytes[RandomKeyBytes] = {};
		if (RAND_bytes(Bytes, static_cast<int>(sizeof(Bytes))) != 1)
		{
			return std::string();
		}
		return Encode(Bytes, sizeof(Bytes));
	}

	std::string Encode(const uint8_t* Bytes, size_t Count)
	{
		if (Count == 0)
		{
			return std::string();
		}
		std::string Text(4 * ((Count + 2) / 3) + 1, '\0');
		const int Written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(Text.data()), Bytes, static_cast<int>(Count));
		Text.resize(Written > 0 ? static_cast<size_t>(Written) : 0);
		std::string Url;
		Url.reserve(Text.size());
		for (const char C : Text)
		{
			if (C == '+')
			{
				Url.push_back('-');
			}
			else if (C == '/')
			{
				Url.push_back('_');
			}
			else if (C != '=')
			{
				Url.push_back(C);
			}
		}
		return Url;
	}

	std::string Challenge(const std::string& Verifier)
	{
		uint8_t Digest[EVP_MAX_MD_SIZE] = {};
		unsigned int DigestLength = 0;
		if (EVP_Digest(Verifier.data(), Verifier.size(), Digest, &DigestLength, EVP_sha256(), nullptr) != 1)
		{
			return std::string();
		}
		return Encode(Digest, DigestLength);
	}

	std::string FileHash(const std::string& Path)
	{
		FFileCloser File;
		File.Descriptor = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
		if (File.Descriptor < 0)
		{
			return std::string();
		}

		const std::unique_ptr<EVP_MD_CTX, FDigestDeleter> Context(EVP_MD_CTX_new());
		if (!Context || EVP_DigestInit_ex(Context.get(), EVP_sha256(), nullptr) != 1)
		{
			return std::string();
		}
		std::vector<uint8_t> Buffer(HashChunkBytes, 0);
		for (;;)
		{
			const ssize_t Count = read(File.Descriptor, Buffer.data(), Buffer.size());
			if (Count == 0)
			{
				break;
			}
			if (Count < 0)
			{
				if (errno == EINTR)
				{
					continue;
				}
				return std::string();
			}
			if (EVP_DigestUpdate(Context.get(), Buffer.data(), static_cast<size_t>(Count)) != 1)
			{
				return std::string();
			}
		}

		uint8_t Digest[EVP_MAX_MD_SIZE] = {};
		unsigned int DigestLength = 0;
		if (EVP_DigestFinal_ex(Context.get(), Digest, &DigestLength) != 1)
		{
			return std::string();
		}
		static constexpr char HexDigits[] = "0123456789abcdef";
		std::string Hex;
		Hex.reserve(DigestLength * 2);
		for (unsigned int Index = 0; Index < DigestLength; ++Index)
		{
			Hex.push_back(HexDigits[Digest[Index] >> 4]);
			Hex.push_back(HexDigits[Digest[Index] & 0x0F]);
		}
		return Hex;
	}
}
