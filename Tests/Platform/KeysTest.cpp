#include "Platform/Keys.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>

namespace
{
	std::filesystem::path TempPath(const char* Name)
	{
		return std::filesystem::temp_directory_path() / (std::string("kva-keys-") + std::to_string(getpid()) + "-" + Name);
	}

	void WriteFile(const std::filesystem::path& Path, const std::string& Bytes)
	{
		std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
		Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
	}
}

TEST(Keys, RandomKeyIs64UrlSafeCharactersAndFresh)
{
	std::set<std::string> Seen;
	for (int Round = 0; Round < 100; ++Round)
	{
		const std::string Key = KVAPlatform::RandomKey();
		ASSERT_EQ(Key.size(), 64u);
		EXPECT_EQ(Key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"), std::string::npos) << Key;
		Seen.insert(Key);
	}
	EXPECT_EQ(Seen.size(), 100u);
}

TEST(Keys, EncodeIsUnpaddedBase64Url)
{
	struct FCase
	{
		std::string Bytes;
		const char* Expected;
	};
	const FCase Cases[] = {
		{ "", "" },
		{ "f", "Zg" },
		{ "fo", "Zm8" },
		{ "foo", "Zm9v" },
		{ "foobar", "Zm9vYmFy" },
		{ std::string("\xFB\xFF\xBF", 3), "-_-_" },
		{ std::string("\x00\x00", 2), "AAA" },
	};
	for (const FCase& Case : Cases)
	{
		EXPECT_EQ(KVAPlatform::Encode(reinterpret_cast<const uint8_t*>(Case.Bytes.data()), Case.Bytes.size()), Case.Expected);
	}
}

TEST(Keys, ChallengeMatchesTheRfc7636Example)
{
	EXPECT_EQ(KVAPlatform::Challenge("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"), "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
	EXPECT_EQ(KVAPlatform::Challenge("").size(), 43u);
}

TEST(Keys, FileHashStreamsAnyFileAndFailsEmpty)
{
	const std::filesystem::path Empty = TempPath("empty");
	const std::filesystem::path Abc = TempPath("abc");
	const std::filesystem::path Straddle = TempPath("straddle");
	WriteFile(Empty, "");
	WriteFile(Abc, "abc");
	// Longer than two read buffers and not a multiple of one, so chunk boundaries matter.
	std::string Big(131072 * 2 + 17, '\0');
	for (size_t Index = 0; Index < Big.size(); ++Index)
	{
		Big[Index] = static_cast<char>((Index * 31 + 7) & 0xFF);
	}
	WriteFile(Straddle, Big);
	uint8_t Digest[32];
	unsigned int Length = 0;
	ASSERT_EQ(EVP_Digest(Big.data(), Big.size(), Digest, &Length, EVP_sha256(), nullptr), 1);
	std::string BigHex;
	for (unsigned int Index = 0; Index < Length; ++Index)
	{
		char Pair[3];
		std::snprintf(Pair, sizeof(Pair), "%02x", Digest[Index]);
		BigHex += Pair;
	}

	EXPECT_EQ(KVAPlatform::FileHash(Empty.string()), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
	EXPECT_EQ(KVAPlatform::FileHash(Abc.string()), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
	EXPECT_EQ(KVAPlatform::FileHash(Straddle.string()), BigHex);
	EXPECT_EQ(KVAPlatform::FileHash(TempPath("missing").string()), "");
	EXPECT_EQ(KVAPlatform::FileHash(std::filesystem::temp_directory_path().string()), "");
	EXPECT_EQ(KVAPlatform::FileHash(""), "");

	std::filesystem::remove(Empty);
	std::filesystem::remove(Abc);
	std::filesystem::remove(Straddle);
}
