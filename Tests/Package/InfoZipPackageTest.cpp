#include "PackageSandbox.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <stdexcept>
#include <utility>

#include <gtest/gtest.h>

namespace
{
	// The method and general-purpose flags of each file record (folder records left out), read
	// from the central directory that the end record points to.
	std::set<std::pair<std::uint16_t, std::uint16_t>> FileRecordKinds(const std::string& Zip)
	{
		const auto Le16 = [&Zip](std::size_t At) { return std::uint16_t(std::uint8_t(Zip.at(At)) | std::uint8_t(Zip.at(At + 1)) << 8); };
		const auto Le32 = [&](std::size_t At) { return std::uint32_t(Le16(At)) | std::uint32_t(Le16(At + 2)) << 16; };
		const std::size_t End = Zip.size() - 22;
		std::set<std::pair<std::uint16_t, std::uint16_t>> Kinds;
		std::size_t Record = Le32(End + 16);
		for (std::uint16_t Index = 0; Index < Le16(End + 10); ++Index)
		{
			const std::uint16_t NameLength = Le16(Record + 28);
			if (Zip.at(Record + 46 + NameLength - 1) != '/')
			{
				Kinds.insert({Le16(Record + 10), Le16(Record + 8)});
			}
			Record += 46 + NameLength + Le16(Record + 30) + Le16(Record + 32);
		}
		return Kinds;
	}

	// A folder of files to pack, in a private temporary folder of its own.
	class FSourceFolder
	{
	public:
		FSourceFolder()
		{
			std::string Template = (std::filesystem::temp_directory_path() / "kva-infozip-XXXXXX").string();
			if (mkdtemp(Template.data()) == nullptr)
			{
				throw std::runtime_error("mkdtemp failed");
			}
			Root = Template;
		}

		~FSourceFolder()
		{
			std::error_code Code;
			std::filesystem::remove_all(Root, Code);
		}

		void Add(const std::string& Name, const std::string& Data)
		{
			std::filesystem::create_directories((Root / Name).parent_path());
			std::ofstream(Root / Name, std::ios::binary) << Data;
		}

		// Packs every file with Info-ZIP at the given level, as an author would.
		bool Pack(int Level, const std::filesystem::path& Zip) const
		{
			const std::string Command = "cd '" + Root.string() + "' && zip -q -r -" + std::to_string(Level) + " '" + Zip.string() + "' .";
			return std::system(Command.c_str()) == 0;
		}

		std::filesystem::path Root;
	};
}

TEST(InfoZipPackage, LevelBitsAreIgnoredOnStoredAndDeflatedMembers)
{
	constexpr std::uint16_t Stored = 0;
	constexpr std::uint16_t Deflated = 8;
	struct FCase
	{
		const char* Label;
		int Level;
		bool bTexture;
		// The (method, flags) pairs the packer wrote, so that each case is known to test what it names.
		std::set<std::pair<std::uint16_t, std::uint16_t>> Kinds;
		const char* Error;
	};
	const FCase Cases[] = {
		{"zip -9, every file deflated", 9, false, {{Deflated, 0x0002}}, ""},
		{"zip -1, every file deflated", 1, false, {{Deflated, 0x0004}}, ""},
		{"zip -6, no level bits", 6, true, {{Deflated, 0}, {Stored, 0}}, ""},
		{"zip -0, every file stored", 0, true, {{Stored, 0}}, ""},
		{"zip -9 stores the texture with the level bit", 9, true, {{Deflated, 0x0002}, {Stored, 0x0002}}, ""},
		{"zip -1 stores the texture with the level bit", 1, true, {{Deflated, 0x0004}, {Stored, 0x0004}}, ""},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		FSourceFolder Source;
		Source.Add("license.txt", "Licensed to the member for use in their own projects; the files may not be resold.\n");
		Source.Add("models/chair.fbx", KVAZip::FbxLikeText(40000, 11));
		Source.Add("docs/readme.md", "# Chair\n\nAn oak chair, modelled in metres, with one material.\n");
		if (Case.bTexture)
		{
			// Random bytes do not shrink, so the packer stores them.
			Source.Add("textures/wood.png", KVAZip::RandomBytes(6000, 12));
		}
		FPackageSandbox Sandbox;
		ASSERT_TRUE(Source.Pack(Case.Level, Sandbox.Package));
		const std::string Package = Sandbox.PackageBytes();
		ASSERT_EQ(FileRecordKinds(Package), Case.Kinds);

		const FPackageSandbox::FResult Result = Sandbox.Extract();

		EXPECT_EQ(Result.bOk, *Case.Error == '\0');
		EXPECT_EQ(Result.Error, Case.Error);
		if (Result.bOk)
		{
			EXPECT_EQ(Result.Models, std::vector<std::string>{"models/chair.fbx"});
			EXPECT_TRUE(ReadFile(Sandbox.Destination / "models/chair.fbx") == KVAZip::FbxLikeText(40000, 11));
		}
		else
		{
			EXPECT_EQ(Sandbox.Listing(), std::vector<std::string>{"package.zip"});
		}
	}
}
