#include "PackageSandbox.h"

#include "Package/SafeZip.h"

#include <functional>
#include <map>
#include <random>
#include <set>
#include <thread>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

using KVAZip::FBuilder;

namespace
{
	constexpr std::size_t ChunkSize = 131072;

	// Checks the destination holds exactly Files (relative name to bytes), each mode 0600, and
	// no folder that none of them needs.
	void ExpectWritten(const FPackageSandbox& Sandbox, const std::map<std::string, std::string>& Files)
	{
		std::set<std::string> Expected = {"package.zip", "out/"};
		for (const auto& [Name, Data] : Files)
		{
			Expected.insert("out/" + Name);
			for (std::filesystem::path Parent = std::filesystem::path(Name).parent_path(); !Parent.empty(); Parent = Parent.parent_path())
			{
				Expected.insert("out/" + Parent.string() + "/");
			}
			const std::filesystem::path Path = Sandbox.Destination / Name;
			EXPECT_TRUE(ReadFile(Path) == Data) << Name;
			struct stat Status{};
			ASSERT_EQ(lstat(Path.c_str(), &Status), 0) << Name;
			EXPECT_TRUE(S_ISREG(Status.st_mode)) << Name;
			EXPECT_EQ(Status.st_mode & 07777, 0600u) << Name;
		}
		const std::vector<std::string> Listing = Sandbox.Listing();
		EXPECT_EQ(std::set<std::string>(Listing.begin(), Listing.end()), Expected);
	}

	std::string Repeated(std::size_t Size, std::uint32_t Seed)
	{
		const std::string Block = KVAZip::RandomBytes(1 << 20, Seed);
		std::string Bytes;
		Bytes.reserve(Size);
		while (Bytes.size() < Size)
		{
			Bytes += Block.substr(0, std::min(Block.size(), Size - Bytes.size()));
		}
		return Bytes;
	}
}

TEST(AcceptedPackage, WritesExactlyTheAllowedFilesAndListsTheModels)
{
	const std::string Licence = "Licensed to the member.\n";
	const std::string Chair = KVAZip::FbxLikeText(300000, 2);
	const std::string Wood = KVAZip::RandomBytes(300000, 3);
	FBuilder Builder;
	Builder.Add("license.txt", Licence);
	Builder.AddFolder("models");
	Builder.Add("models/chair.fbx", Chair, KVAZip::Deflated).Comment = "the chair";
	Builder.Add("b.fbx", "stored model");
	KVAZip::FMember& Upper = Builder.Add("A.fbx", KVAZip::FbxLikeText(5000, 4), KVAZip::Deflated);
	Upper.bDescriptor = true;
	KVAZip::FMember& Sub = Builder.Add("sub/c.FBX", KVAZip::FbxLikeText(7000, 5), KVAZip::Deflated);
	Sub.bDescriptor = true;
	Sub.ExtraFlags = 0x0800;
	Builder.Add("textures/wood.png", Wood).LocalExtra = std::string("\x55\x54\x05\x00\x01\x00\x00\x00\x00", 9);
	Builder.Add("textures/Caf\xc3\xa9.tga", "tga");
	Builder.AddFolder("empty");
	KVAZip::FMember& Packed = Builder.AddFolder("packed");
	Packed.Method = KVAZip::Deflated;
	Packed.Payload = std::string("\x03\x00", 2);
	Builder.Add("notes.blend", KVAZip::FbxLikeText(2000, 6), KVAZip::Deflated);
	Builder.Add(".hidden/x.png", "hidden").ExternalAttributes = 0;
	Builder.Add("docs/readme.md", "# Chair\n", KVAZip::Deflated).CentralExtra = std::string("\x01\x02\x00\x00", 4);
	Builder.Add("empty.txt", "");
	Builder.Add("empty.json", "", KVAZip::Deflated);
	Builder.Comment = "made by hand";
	FPackageSandbox Sandbox;
	const std::string Package = Builder.Layout().Serialize();
	Sandbox.Write(Package);

	const FPackageSandbox::FResult Result = Sandbox.Extract();

	ASSERT_TRUE(Result.bOk) << Result.Error;
	EXPECT_EQ(Result.Error, "");
	EXPECT_EQ(Result.Models, (std::vector<std::string>{"A.fbx", "b.fbx", "models/chair.fbx", "sub/c.FBX"}));
	ExpectWritten(Sandbox, {
		{"license.txt", Licence},
		{"models/chair.fbx", Chair},
		{"b.fbx", "stored model"},
		{"A.fbx", Builder.Members[4].Data},
		{"sub/c.FBX", Builder.Members[5].Data},
		{"textures/wood.png", Wood},
		{"textures/Caf\xc3\xa9.tga", "tga"},
		{".hidden/x.png", "hidden"},
		{"docs/readme.md", "# Chair\n"},
		{"empty.txt", ""},
		{"empty.json", ""},
	});
	EXPECT_TRUE(Sandbox.PackageBytes() == Package);
}

TEST(AcceptedPackage, LayoutVariantsThatAreStillSound)
{
	struct FVariant
	{
		const char* Label;
		std::function<std::string(FBuilder&)> Make;
	};
	const std::vector<FVariant> Table = {
		{"10-byte end comment", [](FBuilder& B) { B.Comment = "0123456789"; return B.Layout().Serialize(); }},
		{"end signature inside the comment", [](FBuilder& B) { B.Comment = std::string("PK\x05\x06", 4) + std::string(40, '\x01'); return B.Layout().Serialize(); }},
		{"stub before the first member, offsets kept", [](FBuilder& B) { KVAZip::FLayout L = B.Layout(); L.Prefix = "stub"; L.Place(); return L.Serialize(); }},
		{"gap before the directory", [](FBuilder& B) { KVAZip::FLayout L = B.Layout(); L.BeforeDirectory = std::string(100, '\0'); L.Place(); return L.Serialize(); }},
		{"members stored in reverse order", [](FBuilder& B) { KVAZip::FLayout L = B.Layout(); std::swap(L.Locals[0], L.Locals[1]); L.Place(); std::swap(L.Central[0].Offset, L.Central[1].Offset); return L.Serialize(); }},
		{"licence in a folder, upper case", [](FBuilder& B) { B.Members[0].Name = "Docs/LICENSE.TXT"; return B.Layout().Serialize(); }},
		{"descriptor member with zeros in the local header", [](FBuilder& B) { B.Members[1].bDescriptor = true; return B.Layout().Serialize(); }},
		{"1,024-byte name", [](FBuilder& B) { const std::string Segment(250, 's'); B.Add(Segment + "/" + Segment + "/" + Segment + "/" + Segment + "/" + std::string(16, 'n') + ".png", "long"); return B.Layout().Serialize(); }},
		{"symbolic-link bits without a file type", [](FBuilder& B) { B.Members[1].ExternalAttributes = 0x81A40000; B.Members[0].ExternalAttributes = 0x000001FF; return B.Layout().Serialize(); }},
		{"deflated model with the maximum-level bit (zip -8, -9)", [](FBuilder& B) { B.Members[1].ExtraFlags = 0x0002; return B.Layout().Serialize(); }},
		{"deflated model with the fast-level bit (zip -1, -2)", [](FBuilder& B) { B.Members[1].ExtraFlags = 0x0004; return B.Layout().Serialize(); }},
		{"deflated model with both level bits and a descriptor", [](FBuilder& B) { B.Members[1].ExtraFlags = 0x0006; B.Members[1].bDescriptor = true; return B.Layout().Serialize(); }},
		{"stored licence with the maximum-level bit (zip -9 stores small files)", [](FBuilder& B) { B.Members[0].ExtraFlags = 0x0002; return B.Layout().Serialize(); }},
	};
	for (const FVariant& Variant : Table)
	{
		SCOPED_TRACE(Variant.Label);
		FBuilder Builder = BasePackage();
		FPackageSandbox Sandbox;
		Sandbox.Write(Variant.Make(Builder));

		const FPackageSandbox::FResult Result = Sandbox.Extract();

		ASSERT_TRUE(Result.bOk) << Result.Error;
		EXPECT_EQ(Result.Models, std::vector<std::string>{"model.fbx"});
		std::map<std::string, std::string> Files;
		for (const KVAZip::FMember& Member : Builder.Members)
		{
			Files[Member.Name] = Member.Data;
		}
		ExpectWritten(Sandbox, Files);
	}
}

TEST(AcceptedPackage, TwentyThousandRecordsAreRead)
{
	FBuilder Builder = BasePackage();
	for (std::size_t Index = Builder.Members.size(); Index < 20000; ++Index)
	{
		Builder.Add("r/" + std::to_string(Index) + ".bin", "");
	}
	FPackageSandbox Sandbox;
	Sandbox.Write(Builder.Layout().Serialize());

	const FPackageSandbox::FResult Result = Sandbox.Extract();

	ASSERT_TRUE(Result.bOk) << Result.Error;
	EXPECT_EQ(Result.Models, std::vector<std::string>{"model.fbx"});
	ExpectWritten(Sandbox, {{"license.txt", Builder.Members[0].Data}, {"model.fbx", Builder.Members[1].Data}});
}

TEST(AcceptedPackage, OutputPendingWhenTheLastInputIsSpent)
{
	// 2,461 random letters, then letter "a" up to 131,204 bytes in all: deflated, the stream's last
	// input byte is taken while the first 128 KiB output block fills in the middle of a match,
	// so the stream only ends on a further call with no input left.
	std::mt19937 Random(1);
	std::string Data(2461, '\0');
	for (char& Letter : Data)
	{
		Letter = static_cast<char>('a' + Random() % 26);
	}
	Data.resize(ChunkSize + 132, 'a');
	const std::string Compressed = KVAZip::Deflate(Data);
	{
		z_stream Probe{};
		ASSERT_EQ(inflateInit2(&Probe, -MAX_WBITS), Z_OK);
		std::string Out(ChunkSize, '\0');
		Probe.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Compressed.data()));
		Probe.avail_in = static_cast<uInt>(Compressed.size());
		Probe.next_out = reinterpret_cast<Bytef*>(Out.data());
		Probe.avail_out = static_cast<uInt>(Out.size());
		ASSERT_EQ(inflate(&Probe, Z_NO_FLUSH), Z_OK);
		ASSERT_EQ(Probe.avail_in, 0u);
		ASSERT_EQ(Probe.avail_out, 0u);
		inflateEnd(&Probe);
	}
	FBuilder Builder = BasePackage();
	Builder.Add("flat.fbx", Data, KVAZip::Deflated);
	FPackageSandbox Sandbox;
	Sandbox.Write(Builder.Layout().Serialize());

	const FPackageSandbox::FResult Result = Sandbox.Extract();

	ASSERT_TRUE(Result.bOk) << Result.Error;
	EXPECT_EQ(Result.Models, (std::vector<std::string>{"flat.fbx", "model.fbx"}));
	EXPECT_TRUE(ReadFile(Sandbox.Destination / "flat.fbx") == Data);
}

TEST(AcceptedPackage, CancelingALargeMemberStopsWithinOneChunk)
{
	struct FCancelCase
	{
		const char* Label;
		std::string Data;
		std::uint16_t Method;
	};
	const std::vector<FCancelCase> Table = {
		{"stored", Repeated(48 << 20, 8), KVAZip::Stored},
		{"deflated", KVAZip::FbxLikeText(16 << 20, 9), KVAZip::Deflated},
	};
	for (const FCancelCase& Case : Table)
	{
		SCOPED_TRACE(Case.Label);
		FBuilder Builder = BasePackage();
		Builder.Add("large.fbx", Case.Data, Case.Method);
		const KVAZip::FLayout Layout = Builder.Layout();
		const std::uint64_t Compressed = Layout.Central.back().Compressed;
		// The most one compressed chunk can yield for this member, with a margin for uneven data.
		const std::uint64_t ChunkYield = ChunkSize * ((2 * Case.Data.size() + Compressed - 1) / Compressed);
		FPackageSandbox Sandbox;
		const std::string Package = Layout.Serialize();
		Sandbox.Write(Package);

		std::atomic<bool> bCancel{false};
		int Watched = -1;
		std::int64_t SizeAtCancel = -1;
		FPackageSandbox::FResult Result;
		// A busy machine may keep the watcher off the processor until the extraction is over;
		// such a run proves nothing either way and is repeated.
		for (int Attempt = 0; Attempt < 3; ++Attempt)
		{
			if (Watched >= 0)
			{
				close(Watched);
			}
			std::filesystem::remove_all(Sandbox.Destination);
			bCancel = false;
			Watched = -1;
			SizeAtCancel = -1;
			std::atomic<bool> bDone{false};
			bool bLate = false;
			// Holding the output file open lets its final size be read after the folder is removed.
			std::thread Watcher([&]
				{
					const std::filesystem::path Target = Sandbox.Destination / "large.fbx";
					while (!bDone && Watched < 0)
					{
						Watched = open(Target.c_str(), O_RDONLY | O_CLOEXEC);
					}
					struct stat Status{};
					while (!bDone && Watched >= 0 && fstat(Watched, &Status) == 0 && Status.st_size < (1 << 20))
					{
					}
					bLate = bDone;
					bCancel = true;
					if (Watched >= 0 && fstat(Watched, &Status) == 0)
					{
						SizeAtCancel = Status.st_size;
					}
				});
			Result = Sandbox.Extract(bCancel);
			bDone = true;
			Watcher.join();
			if (!bLate)
			{
				break;
			}
		}

		EXPECT_FALSE(Result.bOk);
		EXPECT_EQ(Result.Error, "Canceled.");
		EXPECT_EQ(Sandbox.Listing(), std::vector<std::string>{"package.zip"});
		EXPECT_TRUE(Sandbox.PackageBytes() == Package);
		ASSERT_GE(Watched, 0);
		ASSERT_GE(SizeAtCancel, 1 << 20);
		struct stat Final{};
		ASSERT_EQ(fstat(Watched, &Final), 0);
		close(Watched);
		EXPECT_EQ(Final.st_nlink, 0u);
		EXPECT_LE(static_cast<std::uint64_t>(Final.st_size - SizeAtCancel), ChunkYield + BUFSIZ);
		EXPECT_LT(static_cast<std::uint64_t>(Final.st_size), Case.Data.size());
	}
}

TEST(AcceptedPackage, ACancelSeenBeforeTheDirectoryStopsAtOnce)
{
	FPackageSandbox Sandbox;
	Sandbox.Write(BasePackage().Layout().Serialize());
	const std::atomic<bool> bCancel{true};
	const FPackageSandbox::FResult Result = Sandbox.Extract(bCancel);
	EXPECT_EQ(Result.Error, "Canceled.");
	EXPECT_EQ(Sandbox.Listing(), std::vector<std::string>{"package.zip"});
}

TEST(AcceptedPackage, ManyMembersAreEachWrittenWholeAndListedInOrder)
{
	// Members of every kind and very different sizes in a few folders, so that the members
	// unpacked side by side end at different times and share the folders they create.
	FBuilder Builder;
	Builder.Add("license.txt", "Licensed to the member.\n");
	std::map<std::string, std::string> Files = {{"license.txt", "Licensed to the member.\n"}};
	std::vector<std::string> Models;
	for (std::uint32_t Index = 0; Index < 48; ++Index)
	{
		const std::string Folder = std::vector<std::string>{"models/", "textures/", "models/parts/", ""}[Index % 4];
		const std::size_t Size = (Index % 7 == 0) ? 0 : (std::size_t(Index) * 37813) % 700000;
		switch (Index % 4)
		{
		case 0:
		case 2:
		{
			const std::string Name = Folder + "part" + std::to_string(Index) + ".fbx";
			KVAZip::FMember& Member = Builder.Add(Name, KVAZip::FbxLikeText(Size, Index), KVAZip::Deflated);
			Member.bDescriptor = Index % 8 == 0;
			Files[Name] = Member.Data;
			Models.push_back(Name);
			break;
		}
		case 1:
		{
			const std::string Name = Folder + "map" + std::to_string(Index) + ".png";
			Files[Name] = Builder.Add(Name, KVAZip::RandomBytes(Size, Index)).Data;
			break;
		}
		default:
			// Read and checked like the others, but never written.
			Builder.Add("scene" + std::to_string(Index) + ".blend", KVAZip::FbxLikeText(Size, Index), KVAZip::Deflated);
			break;
		}
	}
	FPackageSandbox Sandbox;
	const std::string Package = Builder.Layout().Serialize();
	Sandbox.Write(Package);

	const FPackageSandbox::FResult Result = Sandbox.Extract();

	ASSERT_TRUE(Result.bOk) << Result.Error;
	std::sort(Models.begin(), Models.end());
	EXPECT_EQ(Result.Models, Models);
	ExpectWritten(Sandbox, Files);
	EXPECT_TRUE(Sandbox.PackageBytes() == Package);
}
