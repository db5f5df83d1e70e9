#include "Platform/Keys.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>
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

	std::string Sha256Hex(const std::string& Bytes)
	{
		uint8_t Digest[32];
		unsigned int Length = 0;
		EVP_Digest(Bytes.data(), Bytes.size(), Digest, &Length, EVP_sha256(), nullptr);
		std::string Hex;
		for (unsigned int Index = 0; Index < Length; ++Index)
		{
			char Pair[3];
			std::snprintf(Pair, sizeof(Pair), "%02x", Digest[Index]);
			Hex += Pair;
		}
		return Hex;
	}

	std::string Patterned(size_t Size)
	{
		std::string Bytes(Size, '\0');
		for (size_t Index = 0; Index < Size; ++Index)
		{
			Bytes[Index] = static_cast<char>((Index * 31 + 7) & 0xFF);
		}
		return Bytes;
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
	const std::string Big = Patterned(131072 * 2 + 17);
	WriteFile(Straddle, Big);
	const std::string BigHex = Sha256Hex(Big);

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

TEST(Keys, FollowingHashReadsBackWhatTheFileHolds)
{
	constexpr size_t MiB = 1 << 20;
	struct FCase
	{
		const char* Label;
		size_t Size;
		// Where the writer reports its progress, after writing and before reporting each.
		std::vector<uint64_t> Reports;
		// A byte changed in the file after it was written and before it was reported: what the
		// disk holds is not what the writer was given.
		std::optional<size_t> Changed;
		// Reported beyond what was written.
		uint64_t Overstated = 0;
		bool bStop = false;
		bool bHashes = true;
	};
	const FCase Cases[] = {
		{"empty, never reported", 0, {}, std::nullopt, 0, false, true},
		{"reported once at the end", 3 * MiB + 5, {3 * MiB + 5}, std::nullopt, 0, false, true},
		{"reported at each MiB and at the end", 3 * MiB + 5, {MiB, 2 * MiB, 3 * MiB, 3 * MiB + 5}, std::nullopt, 0, false, true},
		{"the bytes after the last report are read at the end", 2 * MiB + 17, {MiB}, std::nullopt, 0, false, true},
		{"never reported, all read at the end", 131072 * 2 + 17, {}, std::nullopt, 0, false, true},
		{"a byte changed on disk before it was read", 2 * MiB, {MiB, 2 * MiB}, MiB + MiB / 2, 0, false, true},
		{"a report beyond the file's end", 1000, {}, std::nullopt, 2000, false, false},
		{"stopped instead of finished", 2 * MiB, {MiB}, std::nullopt, 0, true, false},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		const std::filesystem::path Path = TempPath("following");
		std::string Bytes = Patterned(Case.Size);
		const std::string Sent = Bytes;
		{
			KVAPlatform::FFollowingHash Hash(Path.string());
			FILE* File = std::fopen(Path.c_str(), "wb");
			ASSERT_NE(File, nullptr);
			size_t Done = 0;
			uint64_t Reported = 0;
			auto WriteTo = [&](size_t End)
			{
				ASSERT_EQ(std::fwrite(Bytes.data() + Done, 1, End - Done, File), End - Done);
				ASSERT_EQ(std::fflush(File), 0);
				Done = End;
			};
			for (const uint64_t Report : Case.Reports)
			{
				WriteTo(size_t(Report));
				if (Case.Changed && *Case.Changed >= Reported && *Case.Changed < Report)
				{
					Bytes[*Case.Changed] = static_cast<char>(Bytes[*Case.Changed] ^ 0x5A);
					ASSERT_EQ(std::fseek(File, long(*Case.Changed), SEEK_SET), 0);
					ASSERT_EQ(std::fputc(Bytes[*Case.Changed], File), static_cast<unsigned char>(Bytes[*Case.Changed]));
					ASSERT_EQ(std::fseek(File, 0, SEEK_END), 0);
					ASSERT_EQ(std::fflush(File), 0);
				}
				Hash.Written(Report);
				Reported = Report;
			}
			WriteTo(Case.Size);
			if (Case.Overstated > 0)
			{
				Hash.Written(Case.Overstated);
			}
			ASSERT_EQ(std::fclose(File), 0);
			if (Case.bStop)
			{
				Hash.Stop();
			}
			const std::string Result = Hash.Finish();
			EXPECT_EQ(Result, Case.bHashes ? Sha256Hex(Bytes) : std::string());
			EXPECT_EQ(Result == Sha256Hex(Sent), Case.bHashes && !Case.Changed);
			if (Case.bHashes)
			{
				EXPECT_EQ(Result, KVAPlatform::FileHash(Path.string()));
			}
		}
		std::filesystem::remove(Path);
	}

	// A file that never came to be hashes to nothing; stopping an idle reader ends it.
	{
		KVAPlatform::FFollowingHash Missing(TempPath("never-written").string());
		EXPECT_EQ(Missing.Finish(), "");
	}
	{
		KVAPlatform::FFollowingHash Idle(TempPath("never-written").string());
		Idle.Stop();
		EXPECT_EQ(Idle.Finish(), "");
	}
}
