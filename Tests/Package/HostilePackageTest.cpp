#include "PackageSandbox.h"

#include "Package/SafeZip.h"

#include <functional>

#include <gtest/gtest.h>

using KVAZip::FBuilder;
using KVAZip::FLayout;

namespace
{
	struct FHostileCase
	{
		const char* Label;
		std::function<std::string()> Make;
		const char* Sentence;
		std::uint64_t SparseSize = 0;
	};

	std::string Bytes(const FBuilder& Builder)
	{
		return Builder.Layout().Serialize();
	}

	// The base package plus one more member.
	std::string With(const std::string& Name, const std::string& Data = "x", std::uint16_t Method = KVAZip::Stored)
	{
		FBuilder Builder = BasePackage();
		Builder.Add(Name, Data, Method);
		return Bytes(Builder);
	}

	std::string WithAll(const std::vector<std::string>& Names)
	{
		FBuilder Builder = BasePackage();
		for (const std::string& Name : Names)
		{
			Builder.Add(Name, "x");
		}
		return Bytes(Builder);
	}

	// The base package laid out, then edited by the test.
	std::string Edited(const std::function<void(FLayout&)>& Edit, FBuilder Builder = BasePackage())
	{
		FLayout Layout = Builder.Layout();
		Edit(Layout);
		return Layout.Serialize();
	}

	// The base package with one of its members edited: by default the deflated model.
	std::string WithMember(const std::function<void(KVAZip::FMember&)>& Edit, std::size_t Index = 1)
	{
		FBuilder Builder = BasePackage();
		Edit(Builder.Members.at(Index));
		return Bytes(Builder);
	}

	// Records that announce sizes without carrying data: the directory stage judges them alone.
	std::string Announced(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& Sizes)
	{
		FBuilder Builder = BasePackage();
		for (std::size_t Index = 0; Index < Sizes.size(); ++Index)
		{
			Builder.Add("big" + std::to_string(Index) + ".png", "");
		}
		return Edited([&](FLayout& Layout)
			{
				for (std::size_t Index = 0; Index < Sizes.size(); ++Index)
				{
					Layout.Locals[2 + Index].Compressed = Layout.Central[2 + Index].Compressed = Sizes[Index].first;
					Layout.Locals[2 + Index].Uncompressed = Layout.Central[2 + Index].Uncompressed = Sizes[Index].second;
				}
			}, Builder);
	}

	// Records that bring the sum of uncompressed sizes to 8 GiB plus Over.
	std::string AnnouncedTotal(std::uint32_t Over)
	{
		std::uint32_t Base = 0;
		for (const KVAZip::FMember& Member : BasePackage().Members)
		{
			Base += static_cast<std::uint32_t>(Member.Data.size());
		}
		// 2 * 0xFFFFFFFE + 4 = 2^33; each compressed size keeps the ratio below 250.
		return Announced({{17179870, 0xFFFFFFFE}, {17179870, 0xFFFFFFFE - Base}, {17179870, 4 + Over}});
	}

	std::string ManyRecords(std::size_t Count)
	{
		FBuilder Builder = BasePackage();
		for (std::size_t Index = Builder.Members.size(); Index < Count; ++Index)
		{
			Builder.Add("r/" + std::to_string(Index) + ".bin", "");
		}
		return Bytes(Builder);
	}

	// The overlapping-member zip bomb: a stored member whose data holds another member's
	// complete local header and data, which a second central record points into.
	std::string Overlapping(bool bInnerFirst)
	{
		FBuilder Inner;
		Inner.Add("inner.fbx", KVAZip::FbxLikeText(3000, 7), KVAZip::Deflated);
		const FLayout InnerLayout = Inner.Layout();
		const std::string Quoted = InnerLayout.Serialize().substr(0, InnerLayout.End.DirectoryOffset);

		FBuilder Builder = BasePackage();
		Builder.Add("outer.png", Quoted);
		FLayout Layout = Builder.Layout();
		KVAZip::FCentralRecord Record = InnerLayout.Central[0];
		Record.Offset = static_cast<std::uint32_t>(Layout.LocalOffset(2) + 30 + std::string("outer.png").size());
		Layout.Central.insert(bInnerFirst ? Layout.Central.begin() + 2 : Layout.Central.end(), Record);
		const std::uint32_t InnerOffset = Record.Offset;
		Layout.Place();
		for (KVAZip::FCentralRecord& Each : Layout.Central)
		{
			if (Each.Name == "inner.fbx")
			{
				Each.Offset = InnerOffset;
			}
		}
		if (bInnerFirst)
		{
			Layout.Central[3].Offset = static_cast<std::uint32_t>(Layout.LocalOffset(2));
		}
		return Layout.Serialize();
	}

	std::vector<FHostileCase> Cases()
	{
		std::vector<FHostileCase> Table = {
			// Package size and end record.
			{"empty file", [] { return std::string(); }, "Invalid package size."},
			{"21 bytes", [] { return std::string(21, 'P'); }, "Invalid package size."},
			{"2 GiB plus one byte", [] { return Bytes(BasePackage()); }, "Invalid package size.", (std::uint64_t(1) << 31) + 1},
			{"only an end record with no records", [] { return FLayout().Serialize(); }, "Unsupported ZIP layout."},
			{"no end record", [] { return std::string(100, 'Z'); }, "Invalid ZIP directory."},
			{"one byte after the end record", [] { return Bytes(BasePackage()) + "!"; }, "Invalid ZIP directory."},
			{"end comment one byte short of the end", [] { return Edited([](FLayout& L) { L.End.Comment = "0123456789"; L.Place(); L.End.CommentLength = 9; }); }, "Invalid ZIP directory."},
			{"fake end record in the comment", [] { return Edited([](FLayout& L)
				{
					FLayout Fake = L;
					Fake.Place();
					const std::string Real = Fake.Serialize();
					L.End.Comment = Real.substr(Real.size() - 22);
					L.Place();
				}); }, "Unsupported ZIP layout."},
			{"prepended data", [] { return "#!/bin/sh\nexit 0\n" + Bytes(BasePackage()); }, "Unsupported ZIP layout."},
			{"directory ends one byte before the end record", [] { return Edited([](FLayout& L) { L.End.DirectorySize -= 1; }); }, "Unsupported ZIP layout."},
			{"bytes between directory and end record", [] { return Edited([](FLayout& L) { L.BeforeEnd = "JUNK"; }); }, "Unsupported ZIP layout."},
			{"ZIP64 end record and locator", [] { return Edited([](FLayout& L)
				{
					std::string Zip64(56 + 20, '\0');
					KVAZip::PutLe32(Zip64, 0, 0x06064B50);
					KVAZip::PutLe32(Zip64, 56, 0x07064B50);
					L.BeforeEnd = Zip64;
				}); }, "Unsupported ZIP layout."},
			{"end record with 0xFFFF counts", [] { return Edited([](FLayout& L) { L.End.Records = 0xFFFF; L.End.RecordsOnDisk = 0xFFFF; }); }, "Unsupported ZIP layout."},
			{"this disk is 1", [] { return Edited([](FLayout& L) { L.End.Disk = 1; }); }, "Unsupported ZIP layout."},
			{"directory on disk 1", [] { return Edited([](FLayout& L) { L.End.DirectoryDisk = 1; }); }, "Unsupported ZIP layout."},
			{"counts differ", [] { return Edited([](FLayout& L) { L.End.RecordsOnDisk = 1; }); }, "Unsupported ZIP layout."},
			{"20,001 records", [] { return ManyRecords(20001); }, "Unsupported ZIP layout."},

			// Central records.
			{"more records announced than present", [] { return Edited([](FLayout& L) { L.End.Records = 3; L.End.RecordsOnDisk = 3; }); }, "Invalid ZIP member."},
			{"fewer records announced than present", [] { return Edited([](FLayout& L) { L.End.Records = 1; L.End.RecordsOnDisk = 1; }); }, "Package license missing."},
			{"wrong central signature", [] { return Edited([](FLayout& L) { L.Central[1].Signature = 0x02014B51; }); }, "Invalid ZIP member."},
			{"name runs past the directory", [] { return Edited([](FLayout& L) { L.Central[1].NameLength += 1; }); }, "Invalid ZIP name."},
			{"extra field runs past the directory", [] { return Edited([](FLayout& L) { L.Central[1].ExtraLength = 1; }); }, "Invalid ZIP bounds."},
			{"comment runs past the directory", [] { return Edited([](FLayout& L) { L.Central[1].CommentLength = 100; }); }, "Invalid ZIP bounds."},
			{"empty name", [] { return Edited([](FLayout& L) { L.Central[1].NameLength = 0; }); }, "Unsafe ZIP member."},
			{"1,025-byte name", [] { return With(std::string(1021, 'n') + ".png"); }, "Unsafe ZIP member."},
			{"compressed size 0xFFFFFFFF", [] { return Edited([](FLayout& L) { L.Central[1].Compressed = 0xFFFFFFFF; }); }, "Unsafe ZIP member."},
			{"uncompressed size 0xFFFFFFFF", [] { return Edited([](FLayout& L) { L.Central[1].Uncompressed = 0xFFFFFFFF; }); }, "Unsafe ZIP member."},
			{"offset 0xFFFFFFFF", [] { return Edited([](FLayout& L) { L.Central[1].Offset = 0xFFFFFFFF; }); }, "Unsafe ZIP member."},
			{"member on disk 1", [] { return Edited([](FLayout& L) { L.Central[1].DiskStart = 1; }); }, "Unsafe ZIP member."},
			{"symbolic link", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0xA1FF0000; }); }, "Unsafe ZIP member."},
			{"character device", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0x21B60000; }); }, "Unsafe ZIP member."},
			{"block device", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0x61B60000; }); }, "Unsafe ZIP member."},
			{"named pipe", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0x11B60000; }); }, "Unsafe ZIP member."},
			{"socket", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0xC1ED0000; }); }, "Unsafe ZIP member."},
			{"symbolic link named by a DOS host", [] { return Edited([](FLayout& L) { L.Central[1].MadeBy = 0x0014; L.Central[1].ExternalAttributes = 0xA1FF0020; }); }, "Unsafe ZIP member."},

			// Names.
			{"parent traversal", [] { return With("../evil.fbx"); }, "Unsafe package path."},
			{"nested traversal", [] { return With("models/../../evil.fbx"); }, "Unsafe package path."},
			{"traversal to a sibling", [] { return With("a/../b.fbx"); }, "Unsafe package path."},
			{"bare parent folder record", [] { return With("../"); }, "Unsafe package path."},
			{"current folder segment", [] { return With("./a.fbx"); }, "Unsafe package path."},
			{"inner current folder segment", [] { return With("a/./b.fbx"); }, "Unsafe package path."},
			{"absolute path", [] { return With("/abs.fbx"); }, "Unsafe package path."},
			{"absolute folder record", [] { return With("/"); }, "Unsafe package path."},
			{"drive path", [] { return With("C:file.fbx"); }, "Unsafe package path."},
			{"drive root", [] { return With("C:/Windows/evil.fbx"); }, "Unsafe package path."},
			{"colon inside", [] { return With("model.fbx:stream"); }, "Unsafe package path."},
			{"backslash traversal", [] { return With("..\\evil.fbx"); }, "Unsafe package path."},
			{"backslash separator", [] { return With("models\\a.fbx"); }, "Unsafe package path."},
			{"UNC path", [] { return With("\\\\server\\share\\a.fbx"); }, "Unsafe package path."},
			{"empty segment", [] { return With("a//b.fbx"); }, "Unsafe package path."},
			{"segment ending in a dot", [] { return With("dir./a.fbx"); }, "Unsafe package path."},
			{"name ending in a dot", [] { return With("a.fbx."); }, "Unsafe package path."},
			{"name ending in a space", [] { return With("a.fbx "); }, "Unsafe package path."},
			{"tab in a name", [] { return With("a\tb.fbx"); }, "Unsafe package path."},
			{"newline in a name", [] { return With("a\nb.fbx"); }, "Unsafe package path."},
			{"DEL in a name", [] { return With("a\x7f" "b.fbx"); }, "Unsafe package path."},
			{"NUL in a name", [] { return With(std::string("evil.fbx\0.png", 13)); }, "Unsafe package path."},
			{"invalid UTF-8", [] { return With("bad\xff.fbx"); }, "Unsafe package path."},
			{"overlong UTF-8 slash", [] { return With("a\xc0\xaf" "b.fbx"); }, "Unsafe package path."},
			{"UTF-8 surrogate", [] { return With("a\xed\xa0\x80.fbx"); }, "Unsafe package path."},
			{"truncated UTF-8", [] { return With("caf\xc3"); }, "Unsafe package path."},
			{"same name twice", [] { return WithAll({"dup.png", "dup.png"}); }, "Unsafe package path."},
			{"case collision", [] { return WithAll({"Model.FBX"}); }, "Unsafe package path."},
			{"case collision of the licence", [] { return WithAll({"LICENSE.TXT"}); }, "Unsafe package path."},
			{"composed and decomposed forms", [] { return WithAll({"Caf\xc3\xa9.png", "Cafe\xcc\x81.png"}); }, "Unsafe package path."},
			{"decomposed form in other case", [] { return WithAll({"caf\xc3\xa9.png", "CAFE\xcc\x81.PNG"}); }, "Unsafe package path."},
			{"full case folding", [] { return WithAll({"stra\xc3\x9f" "e.txt", "STRASSE.txt"}); }, "Unsafe package path."},
			{"final sigma", [] { return WithAll({"\xce\xa3.png", "\xcf\x82.png"}); }, "Unsafe package path."},
			{"folder record beside a file", [] { FBuilder B = BasePackage(); B.AddFolder("maps"); B.Add("maps", "x"); return Bytes(B); }, "Unsafe package path."},
			{"file used as a folder", [] { return WithAll({"textures", "textures/wood.png"}); }, "Conflicting package paths."},
			{"file used as a folder in other case", [] { return WithAll({"maps", "Maps/wood.png"}); }, "Conflicting package paths."},
			{"file used as a deep folder", [] { return WithAll({"a/b/c/d.png", "A/B"}); }, "Conflicting package paths."},
			{"model used as a folder by a folder record", [] { FBuilder B = BasePackage(); B.AddFolder("model.fbx/sub"); return Bytes(B); }, "Conflicting package paths."},

			// Licence and sizes.
			{"no licence", [] { FBuilder B; B.Add("model.fbx", "x"); return Bytes(B); }, "Package license missing."},
			{"licence only as a folder record", [] { FBuilder B; B.AddFolder("license.txt"); B.Add("model.fbx", "x"); return Bytes(B); }, "Package license missing."},
			{"licence with another suffix", [] { FBuilder B; B.Add("license.txt.bak", "x"); B.Add("my-license.txt", "x"); B.Add("model.fbx", "x"); return Bytes(B); }, "Package license missing."},
			{"ratio 251 to 0", [] { return Announced({{0, 251}}); }, "Package expansion limit exceeded."},
			{"ratio 250 to 0 passes the directory", [] { return Announced({{0, 250}}); }, "Package member checksum mismatch."},
			{"ratio above 250 on a deflated member", [] { return Announced({{1000, 250001}}); }, "Package expansion limit exceeded."},
			{"totals one byte above 8 GiB", [] { return AnnouncedTotal(1); }, "Package expansion limit exceeded."},
			{"totals of exactly 8 GiB pass the directory", [] { return AnnouncedTotal(0); }, "ZIP member changed."},
			{"folder record with 3 bytes", [] { return Edited([](FLayout& L) { L.Central[2].Compressed = 3; }, [] { FBuilder B = BasePackage(); B.AddFolder("models"); return B; }()); }, "Package expansion limit exceeded."},
			{"folder record with content", [] { return Edited([](FLayout& L) { L.Central[2].Uncompressed = 1; L.Central[2].Compressed = 1; }, [] { FBuilder B = BasePackage(); B.AddFolder("models"); return B; }()); }, "Package expansion limit exceeded."},

			// Local headers.
			{"wrong local signature", [] { return Edited([](FLayout& L) { L.Locals[1].Signature = 0x04034B51; }); }, "Invalid local ZIP member."},
			{"local flags differ", [] { return Edited([](FLayout& L) { L.Locals[1].Flags = 0x0800; }); }, "Invalid local ZIP member."},
			{"local method differs", [] { return Edited([](FLayout& L) { L.Locals[1].Method = 0; }); }, "Invalid local ZIP member."},
			{"local header inside the directory", [] { return Edited([](FLayout& L) { L.Central[1].Offset = L.End.DirectoryOffset; }); }, "Invalid local ZIP member."},
			{"local header reaching into the directory", [] { return Edited([](FLayout& L) { L.Central[1].Offset = L.End.DirectoryOffset - 29; }); }, "Invalid local ZIP member."},
			{"local name in other case", [] { return Edited([](FLayout& L) { L.Locals[1].Name = "Model.fbx"; }); }, "ZIP member changed."},
			{"local name longer", [] { return Edited([](FLayout& L) { L.Locals[1].NameLength += 1; }); }, "ZIP member changed."},
			{"local folder name without its slash", [] { return Edited([](FLayout& L) { L.Locals[2].Name = "models"; L.Place(); }, [] { FBuilder B = BasePackage(); B.AddFolder("models"); return B; }()); }, "ZIP member changed."},
			{"data reaching into the directory", [] { return Edited([](FLayout& L) { L.Locals[1].Compressed += 100; L.Central[1].Compressed += 100; }); }, "ZIP member changed."},
			{"local CRC differs", [] { return Edited([](FLayout& L) { L.Locals[1].Crc ^= 1; }); }, "ZIP metadata mismatch."},
			{"local compressed size differs", [] { return Edited([](FLayout& L) { L.Locals[1].Compressed -= 1; }); }, "ZIP metadata mismatch."},
			{"local uncompressed size differs", [] { return Edited([](FLayout& L) { L.Locals[1].Uncompressed += 1; }); }, "ZIP metadata mismatch."},
			{"member inside another member's data", [] { return Overlapping(false); }, "Overlapping ZIP members."},
			{"member around another member", [] { return Overlapping(true); }, "Overlapping ZIP members."},

			// Payloads.
			{"stored member with one flipped byte", [] { return Edited([](FLayout& L) { L.Locals[0].Payload[3] ^= 0x20; }); }, "Package member checksum mismatch."},
			{"central CRC wrong on a descriptor member", [] { return Edited([](FLayout& L) { L.Central[1].Crc ^= 1; }, [] { FBuilder B = BasePackage(); B.Members[1].bDescriptor = true; return B; }()); }, "Package member checksum mismatch."},
			{"unwritten member with a bad CRC", [] { return Edited([](FLayout& L) { L.Locals[2].Crc ^= 1; L.Central[2].Crc ^= 1; }, [] { FBuilder B = BasePackage(); B.Add("model.blend", "blend data"); return B; }()); }, "Package member checksum mismatch."},
			{"stored member longer than its size", [] { return Edited([](FLayout& L) { L.Locals[0].Uncompressed -= 1; L.Central[0].Uncompressed -= 1; }); }, "Could not unpack package."},
			{"stored member shorter than its size", [] { return Edited([](FLayout& L) { L.Locals[0].Uncompressed += 1; L.Central[0].Uncompressed += 1; }); }, "Package member checksum mismatch."},
			{"deflate stream ends a byte early", [] { return WithMember([](KVAZip::FMember& M) { M.Payload = KVAZip::Deflate(M.Data) + '\0'; }); }, "Trailing ZIP payload."},
			{"deflate stream without its final block", [] { return WithMember([](KVAZip::FMember& M) { M.Payload = KVAZip::Deflate(M.Data, 6, false); }); }, "Package member checksum mismatch."},
			{"truncated deflate stream", [] { return WithMember([](KVAZip::FMember& M) { M.Payload = KVAZip::Deflate(M.Data).substr(0, 100); }); }, "Package member checksum mismatch."},
			{"deflate yields one byte more", [] { return Edited([](FLayout& L) { L.Locals[1].Uncompressed -= 1; L.Central[1].Uncompressed -= 1; }); }, "ZIP expansion changed."},
			{"deflate yields one byte less", [] { return Edited([](FLayout& L) { L.Locals[1].Uncompressed += 1; L.Central[1].Uncompressed += 1; }); }, "Package member checksum mismatch."},
			{"invalid deflate block type", [] { return WithMember([](KVAZip::FMember& M) { M.Data = "xyz"; M.Payload = std::string("\x07\x00\x00\x00", 4); }); }, "Invalid compressed payload."},
			{"deflate distance too far back", [] { return WithMember([](KVAZip::FMember& M) { M.Data = "a dictionary the reader does not know"; M.Payload = KVAZip::Deflate(M.Data, 6, true, M.Data); }); }, "Invalid compressed payload."},
			{"deflated member with no data", [] { return WithMember([](KVAZip::FMember& M) { M.Data.clear(); M.Payload = std::string(); }); }, "Package member checksum mismatch."},

			// Nothing to import.
			{"licence and readme only", [] { FBuilder B; B.Add("license.txt", "l"); B.Add("readme.md", "# Read me", KVAZip::Deflated); return Bytes(B); }, "No FBX models in these files. Open your library in the browser."},
			{"models only outside the allow-list", [] { FBuilder B; B.Add("license.txt", "l"); B.AddFolder("model.fbx"); B.Add("model.blend", "b"); B.Add("model.fbx.zip", "z"); return Bytes(B); }, "No FBX models in these files. Open your library in the browser."},
		};

		// Every general-purpose flag bit except 3 (descriptor) and 11 (UTF-8) is refused on the
		// stored licence; the deflated model may carry bits 1 and 2 as well (the packer's level).
		for (int Bit = 0; Bit < 16; ++Bit)
		{
			const auto Flag = static_cast<std::uint16_t>(1 << Bit);
			if (Bit == 3 || Bit == 11)
			{
				continue;
			}
			Table.push_back({"refused flag bit on a stored member", [Flag] { return WithMember([Flag](KVAZip::FMember& M) { M.ExtraFlags = Flag; }, 0); }, "Unsafe ZIP member."});
			if (Bit != 1 && Bit != 2)
			{
				Table.push_back({"refused flag bit on a deflated member", [Flag] { return WithMember([Flag](KVAZip::FMember& M) { M.ExtraFlags = Flag; }); }, "Unsafe ZIP member."});
			}
		}
		for (const std::uint16_t Method : {1, 6, 9, 12, 14, 93, 95, 98, 99})
		{
			Table.push_back({"refused method", [Method] { return Edited([Method](FLayout& L) { L.Locals[1].Method = Method; L.Central[1].Method = Method; }); }, "Unsafe ZIP member."});
		}
		return Table;
	}
}

TEST(HostilePackage, EachIsRefusedWithItsSentenceAndLeavesNothing)
{
	const std::vector<FHostileCase> Table = Cases();
	ASSERT_GE(Table.size(), 60u);
	for (std::size_t Index = 0; Index < Table.size(); ++Index)
	{
		const FHostileCase& Case = Table[Index];
		SCOPED_TRACE(std::to_string(Index) + ": " + Case.Label);
		FPackageSandbox Sandbox;
		const std::string Package = Case.Make();
		Sandbox.Write(Package, Case.SparseSize);

		const FPackageSandbox::FResult Result = Sandbox.Extract();

		EXPECT_FALSE(Result.bOk);
		EXPECT_EQ(Result.Error, Case.Sentence);
		EXPECT_EQ(Sandbox.Listing(), std::vector<std::string>{"package.zip"});
		if (Case.SparseSize == 0)
		{
			EXPECT_TRUE(Sandbox.PackageBytes() == Package);
		}
		else
		{
			EXPECT_EQ(std::filesystem::file_size(Sandbox.Package), Case.SparseSize);
		}
	}
}

TEST(HostilePackage, MissingPackageOrExistingDestinationIsRefusedUntouched)
{
	{
		FPackageSandbox Sandbox;
		const FPackageSandbox::FResult Result = Sandbox.Extract();
		EXPECT_EQ(Result.Error, "Invalid package size.");
		EXPECT_TRUE(Sandbox.Listing().empty());
	}
	{
		FPackageSandbox Sandbox;
		Sandbox.Write(Bytes(BasePackage()));
		std::filesystem::create_directory(Sandbox.Destination);
		EXPECT_EQ(Sandbox.Extract().Error, "Import folder already exists.");
		EXPECT_EQ(Sandbox.Listing(), (std::vector<std::string>{"out/", "package.zip"}));
	}
	{
		// The destination cannot be made below a file.
		FPackageSandbox Sandbox;
		const std::string Package = Bytes(BasePackage());
		Sandbox.Write(Package);
		std::vector<std::string> Models;
		std::string Error;
		const std::atomic<bool> bCancel{false};
		EXPECT_FALSE(KVASafe::Extract(Sandbox.Package, Sandbox.Package / "out", bCancel, Models, Error));
		EXPECT_EQ(Error, "Could not create import folder.");
		EXPECT_EQ(Sandbox.Listing(), std::vector<std::string>{"package.zip"});
		EXPECT_TRUE(Sandbox.PackageBytes() == Package);
	}
	{
		// A dangling link is something too: it could point anywhere.
		FPackageSandbox Sandbox;
		Sandbox.Write(Bytes(BasePackage()));
		std::filesystem::create_symlink(Sandbox.Root / "nowhere", Sandbox.Destination);
		EXPECT_EQ(Sandbox.Extract().Error, "Import folder already exists.");
		EXPECT_EQ(Sandbox.Listing(), (std::vector<std::string>{"out", "package.zip"}));
	}
}
