#include "Package/SafeZip.h"

#include <gtest/gtest.h>

TEST(PathPolicy, NameAcceptsOnlyPlainRelativePaths)
{
	const std::vector<std::pair<std::string, bool>> Table = {
		{"models/chair.fbx", true},
		{".hidden/x.png", true},
		{"a b/c.txt", true},
		{"caf\xc3\xa9.fbx", true},
		{"folder/", true},
		{"..a/b..c", true},
		{std::string(1024, 'n'), true},
		{std::string(1025, 'n'), false},
		{"", false},
		{"/abs.fbx", false},
		{"C:file.fbx", false},
		{"a\\b.fbx", false},
		{"a//b.fbx", false},
		{"./a.fbx", false},
		{"a/../b.fbx", false},
		{"..", false},
		{"dir./a.fbx", false},
		{"a.", false},
		{"a ", false},
		{"a\tb", false},
		{"a\x7f" "b", false},
		{"a\x1f" "b", false},
		{std::string("a\0b", 3), false},
		{"folder//", false},
		{"a/./", false},
	};
	for (const auto& [Candidate, bExpected] : Table)
	{
		EXPECT_EQ(KVASafe::Name(Candidate), bExpected) << Candidate;
	}
}

TEST(PathPolicy, FoldDecomposesThenFoldsCase)
{
	const std::vector<std::pair<std::string, std::string>> Table = {
		{"Model.FBX", "model.fbx"},
		{"Caf\xc3\xa9.png", "cafe\xcc\x81.png"},
		{"CAFE\xcc\x81.PNG", "cafe\xcc\x81.png"},
		{"Stra\xc3\x9f" "e", "strasse"},
		{"\xce\xa3\xcf\x82", "\xcf\x83\xcf\x83"},
		{"\xef\xac\x81le", "file"},
		{"\xe2\x84\xab", "a\xcc\x8a"},
		{"bad\xff", ""},
		{"a\xc0\xaf", ""},
		{"a\xed\xa0\x80", ""},
		{"caf\xc3", ""},
		{"", ""},
	};
	for (const auto& [Candidate, Expected] : Table)
	{
		EXPECT_EQ(KVASafe::Fold(Candidate), Expected) << Candidate;
	}
}

TEST(PathPolicy, AllowedGoesByTheLastExtensionInAnyCase)
{
	const std::vector<std::pair<std::string, bool>> Table = {
		{"Model.FBX", true},
		{"tex/a.Tiff", true},
		{"a.jpeg", true},
		{"a.tga", true},
		{"a.exr", true},
		{"a.json", true},
		{"README.md", true},
		{"license.txt", true},
		{"a.b/c.png", true},
		{"model.fbx.zip", false},
		{"notes", false},
		{".fbx", false},
		{"dir/.fbx", false},
		{"readme.pdf", false},
		{"a.fbx/notes", false},
		{"model.blend", false},
	};
	for (const auto& [Candidate, bExpected] : Table)
	{
		EXPECT_EQ(KVASafe::Allowed(Candidate), bExpected) << Candidate;
	}
	EXPECT_EQ(KVASafe::Lower("A-Z.TXT\xc3\x89"), "a-z.txt\xc3\x89");
}

TEST(PathPolicy, ReadStaysBelowItsLimit)
{
	const std::filesystem::path Path = std::filesystem::temp_directory_path() / ("kva-read-" + std::to_string(getpid()));
	{
		std::ofstream Out(Path, std::ios::binary);
		Out << "0123456789";
	}
	std::ifstream Stream(Path, std::ios::binary);
	char Buffer[16] = {};
	EXPECT_TRUE(KVASafe::Read(Stream, 2, Buffer, 3, 5));
	EXPECT_EQ(std::string(Buffer, 3), "234");
	EXPECT_TRUE(KVASafe::Read(Stream, 5, Buffer, 0, 5));
	EXPECT_FALSE(KVASafe::Read(Stream, 2, Buffer, 4, 5));
	EXPECT_FALSE(KVASafe::Read(Stream, 6, Buffer, 0, 5));
	EXPECT_FALSE(KVASafe::Read(Stream, UINT64_MAX, Buffer, 2, UINT64_MAX - 1));
	// Past the end of the file the limit allows it, the stream does not.
	EXPECT_FALSE(KVASafe::Read(Stream, 8, Buffer, 4, 100));
	// A failed read leaves no sticky state behind.
	EXPECT_TRUE(KVASafe::Read(Stream, 0, Buffer, 10, 10));
	EXPECT_EQ(std::string(Buffer, 10), "0123456789");
	std::filesystem::remove(Path);
}
