#include "Platform/Keys.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace KVAPlatform
{
	namespace
	{
		constexpr size_t RandomKeyBytes = 48;
		constexpr size_t HashChunkBytes = 131072;
		// Ends of FFollowingHash::Limit beyond any byte count a package can have.
		constexpr uint64_t ReadToEnd = UINT64_MAX;
		constexpr uint64_t Stopped = UINT64_MAX - 1;

		// One SHA-256 over a file read in order through its own descriptor and a fixed buffer.
		class FFileDigest
		{
		public:
			~FFileDigest()
			{
				if (Descriptor >= 0)
				{
					close(Descriptor);
				}
				EVP_MD_CTX_free(Context);
			}

			bool Open(const std::string& Path)
			{
				Descriptor = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
				Context = EVP_MD_CTX_new();
				Buffer.assign(HashChunkBytes, 0);
				return Descriptor >= 0 && Context != nullptr && EVP_DigestInit_ex(Context, EVP_sha256(), nullptr) == 1;
			}

			// Reads on to byte Limit of the file, or to its end for ReadToEnd; false on a read
			// error, or when the file ends before Limit.
			bool ReadUpTo(uint64_t Limit)
			{
				while (Offset < Limit)
				{
					const ssize_t Count = read(Descriptor, Buffer.data(), size_t(std::min<uint64_t>(Buffer.size(), Limit - Offset)));
					if (Count < 0 && errno == EINTR)
					{
						continue;
					}
					if (Count <= 0)
					{
						return Count == 0 && Limit == ReadToEnd;
					}
					if (EVP_DigestUpdate(Context, Buffer.data(), size_t(Count)) != 1)
					{
						return false;
					}
					Offset += uint64_t(Count);
				}
				return true;
			}

			uint64_t BytesRead() const { return Offset; }

			std::string Hex()
			{
				uint8_t Digest[EVP_MAX_MD_SIZE] = {};
				unsigned int DigestLength = 0;
				if (EVP_DigestFinal_ex(Context, Digest, &DigestLength) != 1)
				{
					return std::string();
				}
				static constexpr char HexDigits[] = "0123456789abcdef";
				std::string Text;
				Text.reserve(DigestLength * 2);
				for (unsigned int Index = 0; Index < DigestLength; ++Index)
				{
					Text.push_back(HexDigits[Digest[Index] >> 4]);
					Text.push_back(HexDigits[Digest[Index] & 0x0F]);
				}
				return Text;
			}

		private:
			int Descriptor = -1;
			EVP_MD_CTX* Context = nullptr;
			std::vector<uint8_t> Buffer;
			uint64_t Offset = 0;
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
		FFileDigest Digest;
		return Digest.Open(Path) && Digest.ReadUpTo(ReadToEnd) ? Digest.Hex() : std::string();
	}

	FFollowingHash::FFollowingHash(std::string InPath)
		: Path(std::move(InPath))
		, Reader([this] { Follow(); })
	{
	}

	FFollowingHash::~FFollowingHash()
	{
		Stop();
	}

	void FFollowingHash::Written(uint64_t Bytes)
	{
		Reported.store(Bytes);
		Limit.store(Bytes);
		Limit.notify_one();
	}

	std::string FFollowingHash::Finish()
	{
		if (Reader.joinable())
		{
			Limit.store(ReadToEnd);
			Limit.notify_one();
			Reader.join();
		}
		return Hash;
	}

	void FFollowingHash::Stop()
	{
		if (Reader.joinable())
		{
			Limit.store(Stopped);
			Limit.notify_one();
			Reader.join();
		}
	}

	void FFollowingHash::Follow()
	{
		FFileDigest Digest;
		bool bOpened = false;
		bool bReadable = true;
		for (uint64_t Seen = Limit.load(); Seen != Stopped; Seen = Limit.load())
		{
			// The file exists once the writer has reported its first bytes, or is done.
			if (bReadable && Seen > 0)
			{
				bReadable = (bOpened || Digest.Open(Path)) && Digest.ReadUpTo(Seen);
				bOpened = true;
			}
			if (Seen == ReadToEnd)
			{
				// Limit may have passed from a report straight to the end, unseen; the file must
				// still hold all that was reported.
				Hash = bReadable && Digest.BytesRead() >= Reported.load() ? Digest.Hex() : std::string();
				return;
			}
			Limit.wait(Seen);
		}
	}
}
