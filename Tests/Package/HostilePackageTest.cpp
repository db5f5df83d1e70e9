#include "PackageSandbox.h"

#include "Package/SafeZip.h"

#include <cstdio>
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
		// What the refusal tells a tool besides the sentence.
		KVASafe::ECheck Check;
		std::string Member;
		std::string Other;
		std::uint64_t Value = 0;
		std::uint64_t Limit = 0;
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
			{"empty file", [] { return std::string(); }, "Invalid package size.", KVASafe::ECheck::PackageSize, "", "", 0, 22},
			{"21 bytes", [] { return std::string(21, 'P'); }, "Invalid package size.", KVASafe::ECheck::PackageSize, "", "", 21, 22},
			{"exactly 2 GiB passes the size check", [] { return Bytes(BasePackage()); }, "Invalid ZIP directory.", KVASafe::ECheck::EndRecord, "", "", 0, 0, std::uint64_t(1) << 31},
			{"2 GiB plus one byte", [] { return Bytes(BasePackage()); }, "Invalid package size.", KVASafe::ECheck::PackageSize, "", "", (std::uint64_t(1) << 31) + 1, std::uint64_t(1) << 31, (std::uint64_t(1) << 31) + 1},
			{"only an end record with no records", [] { return FLayout().Serialize(); }, "Unsupported ZIP layout.", KVASafe::ECheck::RecordCount, "", "", 0, 1},
			{"no end record", [] { return std::string(100, 'Z'); }, "Invalid ZIP directory.", KVASafe::ECheck::EndRecord, "", ""},
			{"one byte after the end record", [] { return Bytes(BasePackage()) + "!"; }, "Invalid ZIP directory.", KVASafe::ECheck::EndRecord, "", ""},
			{"end comment one byte short of the end", [] { return Edited([](FLayout& L) { L.End.Comment = "0123456789"; L.Place(); L.End.CommentLength = 9; }); }, "Invalid ZIP directory.", KVASafe::ECheck::EndRecord, "", ""},
			{"fake end record in the comment", [] { return Edited([](FLayout& L)
				{
					FLayout Fake = L;
					Fake.Place();
					const std::string Real = Fake.Serialize();
					L.End.Comment = Real.substr(Real.size() - 22);
					L.Place();
				}); }, "Unsupported ZIP layout.", KVASafe::ECheck::DirectoryPlacement, "", ""},
			{"prepended data", [] { return "#!/bin/sh\nexit 0\n" + Bytes(BasePackage()); }, "Unsupported ZIP layout.", KVASafe::ECheck::DirectoryPlacement, "", ""},
			{"directory ends one byte before the end record", [] { return Edited([](FLayout& L) { L.End.DirectorySize -= 1; }); }, "Unsupported ZIP layout.", KVASafe::ECheck::DirectoryPlacement, "", ""},
			{"bytes between directory and end record", [] { return Edited([](FLayout& L) { L.BeforeEnd = "JUNK"; }); }, "Unsupported ZIP layout.", KVASafe::ECheck::DirectoryPlacement, "", ""},
			{"ZIP64 end record and locator", [] { return Edited([](FLayout& L)
				{
					std::string Zip64(56 + 20, '\0');
					KVAZip::PutLe32(Zip64, 0, 0x06064B50);
					KVAZip::PutLe32(Zip64, 56, 0x07064B50);
					L.BeforeEnd = Zip64;
				}); }, "Unsupported ZIP layout.", KVASafe::ECheck::DirectoryPlacement, "", ""},
			{"end record with 0xFFFF counts", [] { return Edited([](FLayout& L) { L.End.Records = 0xFFFF; L.End.RecordsOnDisk = 0xFFFF; }); }, "Unsupported ZIP layout.", KVASafe::ECheck::RecordCount, "", "", 65535, 20000},
			{"this disk is 1", [] { return Edited([](FLayout& L) { L.End.Disk = 1; }); }, "Unsupported ZIP layout.", KVASafe::ECheck::SpannedArchive, "", ""},
			{"directory on disk 1", [] { return Edited([](FLayout& L) { L.End.DirectoryDisk = 1; }); }, "Unsupported ZIP layout.", KVASafe::ECheck::SpannedArchive, "", ""},
			{"counts differ", [] { return Edited([](FLayout& L) { L.End.RecordsOnDisk = 1; }); }, "Unsupported ZIP layout.", KVASafe::ECheck::SpannedArchive, "", ""},
			{"20,001 records", [] { return ManyRecords(20001); }, "Unsupported ZIP layout.", KVASafe::ECheck::RecordCount, "", "", 20001, 20000},

			// Central records.
			{"more records announced than present", [] { return Edited([](FLayout& L) { L.End.Records = 3; L.End.RecordsOnDisk = 3; }); }, "Invalid ZIP member.", KVASafe::ECheck::RecordHeader, "", "", 3, 0},
			{"fewer records announced than present", [] { return Edited([](FLayout& L) { L.End.Records = 1; L.End.RecordsOnDisk = 1; }); }, "Package license missing.", KVASafe::ECheck::RecordsLeftOver, "", ""},
			{"wrong central signature", [] { return Edited([](FLayout& L) { L.Central[1].Signature = 0x02014B51; }); }, "Invalid ZIP member.", KVASafe::ECheck::RecordHeader, "", "", 2, 0},
			{"name runs past the directory", [] { return Edited([](FLayout& L) { L.Central[1].NameLength += 1; }); }, "Invalid ZIP name.", KVASafe::ECheck::NameUnreadable, "", "", 2, 0},
			{"extra field runs past the directory", [] { return Edited([](FLayout& L) { L.Central[1].ExtraLength = 1; }); }, "Invalid ZIP bounds.", KVASafe::ECheck::RecordBounds, "model.fbx", ""},
			{"comment runs past the directory", [] { return Edited([](FLayout& L) { L.Central[1].CommentLength = 100; }); }, "Invalid ZIP bounds.", KVASafe::ECheck::RecordBounds, "model.fbx", ""},
			{"empty name", [] { return Edited([](FLayout& L) { L.Central[1].NameLength = 0; }); }, "Unsafe ZIP member.", KVASafe::ECheck::NameLength, "", "", 0, 1024},
			{"1,025-byte name", [] { return With(std::string(1021, 'n') + ".png"); }, "Unsafe ZIP member.", KVASafe::ECheck::NameLength, std::string(1021, 'n') + ".png", "", 1025, 1024},
			{"compressed size 0xFFFFFFFF", [] { return Edited([](FLayout& L) { L.Central[1].Compressed = 0xFFFFFFFF; }); }, "Unsafe ZIP member.", KVASafe::ECheck::SizeMarker, "model.fbx", ""},
			{"uncompressed size 0xFFFFFFFF", [] { return Edited([](FLayout& L) { L.Central[1].Uncompressed = 0xFFFFFFFF; }); }, "Unsafe ZIP member.", KVASafe::ECheck::SizeMarker, "model.fbx", ""},
			{"offset 0xFFFFFFFF", [] { return Edited([](FLayout& L) { L.Central[1].Offset = 0xFFFFFFFF; }); }, "Unsafe ZIP member.", KVASafe::ECheck::SizeMarker, "model.fbx", ""},
			{"member on disk 1", [] { return Edited([](FLayout& L) { L.Central[1].DiskStart = 1; }); }, "Unsafe ZIP member.", KVASafe::ECheck::MemberDisk, "model.fbx", ""},
			{"symbolic link", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0xA1FF0000; }); }, "Unsafe ZIP member.", KVASafe::ECheck::FileType, "model.fbx", "", 0xA, 0},
			{"character device", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0x21B60000; }); }, "Unsafe ZIP member.", KVASafe::ECheck::FileType, "model.fbx", "", 0x2, 0},
			{"block device", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0x61B60000; }); }, "Unsafe ZIP member.", KVASafe::ECheck::FileType, "model.fbx", "", 0x6, 0},
			{"named pipe", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0x11B60000; }); }, "Unsafe ZIP member.", KVASafe::ECheck::FileType, "model.fbx", "", 0x1, 0},
			{"socket", [] { return WithMember([](KVAZip::FMember& M) { M.ExternalAttributes = 0xC1ED0000; }); }, "Unsafe ZIP member.", KVASafe::ECheck::FileType, "model.fbx", "", 0xC, 0},
			{"symbolic link named by a DOS host", [] { return Edited([](FLayout& L) { L.Central[1].MadeBy = 0x0014; L.Central[1].ExternalAttributes = 0xA1FF0020; }); }, "Unsafe ZIP member.", KVASafe::ECheck::FileType, "model.fbx", "", 0xA, 0},

			// Names.
			{"parent traversal", [] { return With("../evil.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDotSegment, "../evil.fbx", ""},
			{"nested traversal", [] { return With("models/../../evil.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDotSegment, "models/../../evil.fbx", ""},
			{"traversal to a sibling", [] { return With("a/../b.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDotSegment, "a/../b.fbx", ""},
			{"bare parent folder record", [] { return With("../"); }, "Unsafe package path.", KVASafe::ECheck::NameDotSegment, "../", ""},
			{"current folder segment", [] { return With("./a.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDotSegment, "./a.fbx", ""},
			{"inner current folder segment", [] { return With("a/./b.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDotSegment, "a/./b.fbx", ""},
			{"absolute path", [] { return With("/abs.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameAbsolute, "/abs.fbx", ""},
			{"absolute folder record", [] { return With("/"); }, "Unsafe package path.", KVASafe::ECheck::NameLength, "/", "", 0, 1024},
			{"drive path", [] { return With("C:file.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDrive, "C:file.fbx", ""},
			{"drive root", [] { return With("C:/Windows/evil.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDrive, "C:/Windows/evil.fbx", ""},
			{"colon inside", [] { return With("model.fbx:stream"); }, "Unsafe package path.", KVASafe::ECheck::NameDrive, "model.fbx:stream", ""},
			{"backslash traversal", [] { return With("..\\evil.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDrive, "..\\evil.fbx", ""},
			{"backslash separator", [] { return With("models\\a.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDrive, "models\\a.fbx", ""},
			{"UNC path", [] { return With("\\\\server\\share\\a.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameDrive, "\\\\server\\share\\a.fbx", ""},
			{"empty segment", [] { return With("a//b.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameEmptySegment, "a//b.fbx", ""},
			{"segment ending in a dot", [] { return With("dir./a.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameTrailing, "dir./a.fbx", ""},
			{"name ending in a dot", [] { return With("a.fbx."); }, "Unsafe package path.", KVASafe::ECheck::NameTrailing, "a.fbx.", ""},
			{"name ending in a space", [] { return With("a.fbx "); }, "Unsafe package path.", KVASafe::ECheck::NameTrailing, "a.fbx ", ""},
			{"tab in a name", [] { return With("a\tb.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameControl, "a\tb.fbx", ""},
			{"newline in a name", [] { return With("a\nb.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameControl, "a\nb.fbx", ""},
			{"DEL in a name", [] { return With("a\x7f" "b.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameControl, "a\x7f" "b.fbx", ""},
			{"NUL in a name", [] { return With(std::string("evil.fbx\0.png", 13)); }, "Unsafe package path.", KVASafe::ECheck::NameControl, std::string("evil.fbx\0.png", 13), ""},
			{"invalid UTF-8", [] { return With("bad\xff.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameEncoding, "bad\xff.fbx", ""},
			{"overlong UTF-8 slash", [] { return With("a\xc0\xaf" "b.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameEncoding, "a\xc0\xaf" "b.fbx", ""},
			{"UTF-8 surrogate", [] { return With("a\xed\xa0\x80.fbx"); }, "Unsafe package path.", KVASafe::ECheck::NameEncoding, "a\xed\xa0\x80.fbx", ""},
			{"truncated UTF-8", [] { return With("caf\xc3"); }, "Unsafe package path.", KVASafe::ECheck::NameEncoding, "caf\xc3", ""},
			{"same name twice", [] { return WithAll({"dup.png", "dup.png"}); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "dup.png", "dup.png"},
			{"case collision", [] { return WithAll({"Model.FBX"}); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "Model.FBX", "model.fbx"},
			{"case collision of the licence", [] { return WithAll({"LICENSE.TXT"}); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "LICENSE.TXT", "license.txt"},
			{"composed and decomposed forms", [] { return WithAll({"Caf\xc3\xa9.png", "Cafe\xcc\x81.png"}); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "Cafe\xcc\x81.png", "Caf\xc3\xa9.png"},
			{"decomposed form in other case", [] { return WithAll({"caf\xc3\xa9.png", "CAFE\xcc\x81.PNG"}); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "CAFE\xcc\x81.PNG", "caf\xc3\xa9.png"},
			{"full case folding", [] { return WithAll({"stra\xc3\x9f" "e.txt", "STRASSE.txt"}); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "STRASSE.txt", "stra\xc3\x9f" "e.txt"},
			{"final sigma", [] { return WithAll({"\xce\xa3.png", "\xcf\x82.png"}); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "\xcf\x82.png", "\xce\xa3.png"},
			{"folder record beside a file", [] { FBuilder B = BasePackage(); B.AddFolder("maps"); B.Add("maps", "x"); return Bytes(B); }, "Unsafe package path.", KVASafe::ECheck::NameTaken, "maps", "maps/"},
			{"file used as a folder", [] { return WithAll({"textures", "textures/wood.png"}); }, "Conflicting package paths.", KVASafe::ECheck::PathConflict, "textures/wood.png", "textures"},
			{"file used as a folder in other case", [] { return WithAll({"maps", "Maps/wood.png"}); }, "Conflicting package paths.", KVASafe::ECheck::PathConflict, "Maps/wood.png", "maps"},
			{"file used as a deep folder", [] { return WithAll({"a/b/c/d.png", "A/B"}); }, "Conflicting package paths.", KVASafe::ECheck::PathConflict, "a/b/c/d.png", "A/B"},
			{"model used as a folder by a folder record", [] { FBuilder B = BasePackage(); B.AddFolder("model.fbx/sub"); return Bytes(B); }, "Conflicting package paths.", KVASafe::ECheck::PathConflict, "model.fbx/sub/", "model.fbx"},

			// Licence and sizes.
			{"no licence", [] { FBuilder B; B.Add("model.fbx", "x"); return Bytes(B); }, "Package license missing.", KVASafe::ECheck::Licence, "", ""},
			{"licence only as a folder record", [] { FBuilder B; B.AddFolder("license.txt"); B.Add("model.fbx", "x"); return Bytes(B); }, "Package license missing.", KVASafe::ECheck::Licence, "", ""},
			{"licence with another suffix", [] { FBuilder B; B.Add("license.txt.bak", "x"); B.Add("my-license.txt", "x"); B.Add("model.fbx", "x"); return Bytes(B); }, "Package license missing.", KVASafe::ECheck::Licence, "", ""},
			{"ratio 251 to 0", [] { return Announced({{0, 251}}); }, "Package expansion limit exceeded.", KVASafe::ECheck::Ratio, "big0.png", "", 251, 250},
			{"ratio 250 to 0 passes the directory", [] { return Announced({{0, 250}}); }, "Package member checksum mismatch.", KVASafe::ECheck::SizeMismatch, "big0.png", "", 0, 250},
			{"ratio above 250 on a deflated member", [] { return Announced({{1000, 250001}}); }, "Package expansion limit exceeded.", KVASafe::ECheck::Ratio, "big0.png", "", 250001, 250000},
			{"totals one byte above 8 GiB", [] { return AnnouncedTotal(1); }, "Package expansion limit exceeded.", KVASafe::ECheck::TotalSize, "big2.png", "", (std::uint64_t(1) << 33) + 1, std::uint64_t(1) << 33},
			{"totals of exactly 8 GiB pass the directory", [] { return AnnouncedTotal(0); }, "ZIP member changed.", KVASafe::ECheck::DataIntoDirectory, "big0.png", ""},
			{"folder record with 3 bytes", [] { return Edited([](FLayout& L) { L.Central[2].Compressed = 3; }, [] { FBuilder B = BasePackage(); B.AddFolder("models"); return B; }()); }, "Package expansion limit exceeded.", KVASafe::ECheck::FolderData, "models/", ""},
			{"folder record with content", [] { return Edited([](FLayout& L) { L.Central[2].Uncompressed = 1; L.Central[2].Compressed = 1; }, [] { FBuilder B = BasePackage(); B.AddFolder("models"); return B; }()); }, "Package expansion limit exceeded.", KVASafe::ECheck::FolderData, "models/", ""},

			// Local headers.
			{"wrong local signature", [] { return Edited([](FLayout& L) { L.Locals[1].Signature = 0x04034B51; }); }, "Invalid local ZIP member.", KVASafe::ECheck::LocalHeader, "model.fbx", ""},
			{"local flags differ", [] { return Edited([](FLayout& L) { L.Locals[1].Flags = 0x0800; }); }, "Invalid local ZIP member.", KVASafe::ECheck::LocalHeader, "model.fbx", ""},
			{"local method differs", [] { return Edited([](FLayout& L) { L.Locals[1].Method = 0; }); }, "Invalid local ZIP member.", KVASafe::ECheck::LocalHeader, "model.fbx", ""},
			{"local header inside the directory", [] { return Edited([](FLayout& L) { L.Central[1].Offset = L.End.DirectoryOffset; }); }, "Invalid local ZIP member.", KVASafe::ECheck::LocalHeader, "model.fbx", ""},
			{"local header reaching into the directory", [] { return Edited([](FLayout& L) { L.Central[1].Offset = L.End.DirectoryOffset - 29; }); }, "Invalid local ZIP member.", KVASafe::ECheck::LocalHeader, "model.fbx", ""},
			{"local name in other case", [] { return Edited([](FLayout& L) { L.Locals[1].Name = "Model.fbx"; }); }, "ZIP member changed.", KVASafe::ECheck::LocalName, "model.fbx", ""},
			{"local name longer", [] { return Edited([](FLayout& L) { L.Locals[1].NameLength += 1; }); }, "ZIP member changed.", KVASafe::ECheck::LocalName, "model.fbx", ""},
			{"local folder name without its slash", [] { return Edited([](FLayout& L) { L.Locals[2].Name = "models"; L.Place(); }, [] { FBuilder B = BasePackage(); B.AddFolder("models"); return B; }()); }, "ZIP member changed.", KVASafe::ECheck::LocalName, "models/", ""},
			{"data reaching into the directory", [] { return Edited([](FLayout& L) { L.Locals[1].Compressed += 100; L.Central[1].Compressed += 100; }); }, "ZIP member changed.", KVASafe::ECheck::DataIntoDirectory, "model.fbx", ""},
			{"local CRC differs", [] { return Edited([](FLayout& L) { L.Locals[1].Crc ^= 1; }); }, "ZIP metadata mismatch.", KVASafe::ECheck::LocalMetadata, "model.fbx", ""},
			{"local compressed size differs", [] { return Edited([](FLayout& L) { L.Locals[1].Compressed -= 1; }); }, "ZIP metadata mismatch.", KVASafe::ECheck::LocalMetadata, "model.fbx", ""},
			{"local uncompressed size differs", [] { return Edited([](FLayout& L) { L.Locals[1].Uncompressed += 1; }); }, "ZIP metadata mismatch.", KVASafe::ECheck::LocalMetadata, "model.fbx", ""},
			{"member inside another member's data", [] { return Overlapping(false); }, "Overlapping ZIP members.", KVASafe::ECheck::Overlap, "inner.fbx", ""},
			{"member around another member", [] { return Overlapping(true); }, "Overlapping ZIP members.", KVASafe::ECheck::Overlap, "outer.png", ""},

			// Payloads.
			{"stored member with one flipped byte", [] { return Edited([](FLayout& L) { L.Locals[0].Payload[3] ^= 0x20; }); }, "Package member checksum mismatch.", KVASafe::ECheck::Checksum, "license.txt", ""},
			{"central CRC wrong on a descriptor member", [] { return Edited([](FLayout& L) { L.Central[1].Crc ^= 1; }, [] { FBuilder B = BasePackage(); B.Members[1].bDescriptor = true; return B; }()); }, "Package member checksum mismatch.", KVASafe::ECheck::Checksum, "model.fbx", ""},
			{"unwritten member with a bad CRC", [] { return Edited([](FLayout& L) { L.Locals[2].Crc ^= 1; L.Central[2].Crc ^= 1; }, [] { FBuilder B = BasePackage(); B.Add("model.blend", "blend data"); return B; }()); }, "Package member checksum mismatch.", KVASafe::ECheck::Checksum, "model.blend", ""},
			{"stored member longer than its size", [] { return Edited([](FLayout& L) { L.Locals[0].Uncompressed -= 1; L.Central[0].Uncompressed -= 1; }); }, "Could not unpack package.", KVASafe::ECheck::Unpack, "license.txt", "", 0, 49},
			{"stored member shorter than its size", [] { return Edited([](FLayout& L) { L.Locals[0].Uncompressed += 1; L.Central[0].Uncompressed += 1; }); }, "Package member checksum mismatch.", KVASafe::ECheck::SizeMismatch, "license.txt", "", 50, 51},
			{"deflate stream ends a byte early", [] { return WithMember([](KVAZip::FMember& M) { M.Payload = KVAZip::Deflate(M.Data) + '\0'; }); }, "Trailing ZIP payload.", KVASafe::ECheck::Trailing, "model.fbx", ""},
			{"deflate stream without its final block", [] { return WithMember([](KVAZip::FMember& M) { M.Payload = KVAZip::Deflate(M.Data, 6, false); }); }, "Package member checksum mismatch.", KVASafe::ECheck::Unfinished, "model.fbx", ""},
			{"truncated deflate stream", [] { return WithMember([](KVAZip::FMember& M) { M.Payload = KVAZip::Deflate(M.Data).substr(0, 100); }); }, "Package member checksum mismatch.", KVASafe::ECheck::Unfinished, "model.fbx", ""},
			{"deflate yields one byte more", [] { return Edited([](FLayout& L) { L.Locals[1].Uncompressed -= 1; L.Central[1].Uncompressed -= 1; }); }, "ZIP expansion changed.", KVASafe::ECheck::Expansion, "model.fbx", "", 0, 3999},
			{"deflate yields one byte less", [] { return Edited([](FLayout& L) { L.Locals[1].Uncompressed += 1; L.Central[1].Uncompressed += 1; }); }, "Package member checksum mismatch.", KVASafe::ECheck::SizeMismatch, "model.fbx", "", 4000, 4001},
			{"invalid deflate block type", [] { return WithMember([](KVAZip::FMember& M) { M.Data = "xyz"; M.Payload = std::string("\x07\x00\x00\x00", 4); }); }, "Invalid compressed payload.", KVASafe::ECheck::CompressedData, "model.fbx", ""},
			{"deflate distance too far back", [] { return WithMember([](KVAZip::FMember& M) { M.Data = "a dictionary the reader does not know"; M.Payload = KVAZip::Deflate(M.Data, 6, true, M.Data); }); }, "Invalid compressed payload.", KVASafe::ECheck::CompressedData, "model.fbx", ""},
			{"deflated member with no data", [] { return WithMember([](KVAZip::FMember& M) { M.Data.clear(); M.Payload = std::string(); }); }, "Package member checksum mismatch.", KVASafe::ECheck::Unfinished, "model.fbx", ""},

			// Nothing to import.
			{"licence and readme only", [] { FBuilder B; B.Add("license.txt", "l"); B.Add("readme.md", "# Read me", KVAZip::Deflated); return Bytes(B); }, "No FBX models in these files. Open your library in the browser.", KVASafe::ECheck::NoModels, "", ""},
			{"models only outside the allow-list", [] { FBuilder B; B.Add("license.txt", "l"); B.AddFolder("model.fbx"); B.Add("model.blend", "b"); B.Add("model.fbx.zip", "z"); return Bytes(B); }, "No FBX models in these files. Open your library in the browser.", KVASafe::ECheck::NoModels, "", ""},
		};

		// Every general-purpose flag bit except 3 (descriptor), 11 (UTF-8) and the packer's level
		// marks 1 and 2 is refused, on the stored licence and on the deflated model alike.
		for (int Bit = 0; Bit < 16; ++Bit)
		{
			const auto Flag = static_cast<std::uint16_t>(1 << Bit);
			if (Bit == 1 || Bit == 2 || Bit == 3 || Bit == 11)
			{
				continue;
			}
			Table.push_back({"refused flag bit on a stored member", [Flag] { return WithMember([Flag](KVAZip::FMember& M) { M.ExtraFlags = Flag; }, 0); }, "Unsafe ZIP member.", KVASafe::ECheck::Flags, "license.txt", "", Flag});
			Table.push_back({"refused flag bit on a deflated member", [Flag] { return WithMember([Flag](KVAZip::FMember& M) { M.ExtraFlags = Flag; }); }, "Unsafe ZIP member.", KVASafe::ECheck::Flags, "model.fbx", "", Flag});
		}
		for (const std::uint16_t Method : {1, 6, 9, 12, 14, 93, 95, 98, 99})
		{
			Table.push_back({"refused method", [Method] { return Edited([Method](FLayout& L) { L.Locals[1].Method = Method; L.Central[1].Method = Method; }); }, "Unsafe ZIP member.", KVASafe::ECheck::Method, "model.fbx", "", Method});
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
		EXPECT_EQ(Result.Refusal.Check, Case.Check);
		EXPECT_TRUE(Result.Refusal.Member == Case.Member) << Result.Refusal.Member;
		EXPECT_TRUE(Result.Refusal.Other == Case.Other) << Result.Refusal.Other;
		EXPECT_EQ(Result.Refusal.Value, Case.Value);
		EXPECT_EQ(Result.Refusal.Limit, Case.Limit);
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
		EXPECT_EQ(Result.Refusal.Check, KVASafe::ECheck::PackageUnreadable);
		EXPECT_TRUE(Sandbox.Listing().empty());
	}
	{
		FPackageSandbox Sandbox;
		Sandbox.Write(Bytes(BasePackage()));
		std::filesystem::create_directory(Sandbox.Destination);
		const FPackageSandbox::FResult Result = Sandbox.Extract();
		EXPECT_EQ(Result.Error, "Import folder already exists.");
		EXPECT_EQ(Result.Refusal.Check, KVASafe::ECheck::DestinationExists);
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
		KVASafe::FRefusal Refusal;
		EXPECT_FALSE(KVASafe::Extract(Sandbox.Package, Sandbox.Package / "out", bCancel, Models, Error, &Refusal));
		EXPECT_EQ(Error, "Could not create import folder.");
		EXPECT_EQ(Refusal.Check, KVASafe::ECheck::CreateFolder);
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

TEST(HostilePackage, TheFirstFaultInMemberOrderIsReported)
{
	// Member 1 is large, so that whichever worker unpacks it is still at it when a later, small
	// member has already failed; the others are small.
	enum class EFault
	{
		Checksum,  // a stored member's last byte changed on the way
		Garbage,   // a deflated member whose data is no deflate stream
		LocalName, // a local header whose name differs in case from the directory's
	};
	struct FOrderCase
	{
		const char* Label;
		std::vector<std::pair<std::size_t, EFault>> Faults;
		const char* Sentence;
		KVASafe::ECheck Check;
		std::string Member;
	};
	const std::string Large = KVAZip::RandomBytes(6 << 20, 41);
	auto Make = [&Large](const std::vector<std::pair<std::size_t, EFault>>& Faults)
	{
		FBuilder Builder;
		Builder.Add("license.txt", "Licensed to the member.\n");
		Builder.Add("m1.png", Large);
		for (std::size_t Index = 2; Index < 8; ++Index)
		{
			// Formatted rather than concatenated: GCC 12 at -O3 warns falsely (-Wrestrict) on the sum.
			char Name[32];
			std::snprintf(Name, sizeof(Name), "m%zu.fbx", Index);
			Builder.Add(Name, KVAZip::FbxLikeText(20000, std::uint32_t(Index)), KVAZip::Deflated);
		}
		for (const auto& [Index, Fault] : Faults)
		{
			KVAZip::FMember& Member = Builder.Members[Index];
			if (Fault == EFault::Checksum)
			{
				Member.Method = KVAZip::Stored;
				std::string Changed = Member.Data;
				Changed.back() = static_cast<char>(Changed.back() ^ 0x01);
				Member.Payload = Changed;
			}
			else if (Fault == EFault::Garbage)
			{
				Member.Payload = std::string(128, '\xFF');
			}
		}
		KVAZip::FLayout Layout = Builder.Layout();
		for (const auto& [Index, Fault] : Faults)
		{
			if (Fault == EFault::LocalName)
			{
				Layout.Locals[Index].Name[0] = 'M';
			}
		}
		return Layout.Serialize();
	};
	const std::vector<FOrderCase> Table = {
		{"a fault at the end of a large member before a quick one in the next", {{1, EFault::Checksum}, {2, EFault::Garbage}}, "Package member checksum mismatch.", KVASafe::ECheck::Checksum, "m1.png"},
		{"an unpacking fault before a local-header fault", {{1, EFault::Checksum}, {5, EFault::LocalName}}, "Package member checksum mismatch.", KVASafe::ECheck::Checksum, "m1.png"},
		{"a local-header fault before an unpacking fault", {{4, EFault::Garbage}, {2, EFault::LocalName}}, "ZIP member changed.", KVASafe::ECheck::LocalName, "m2.fbx"},
		{"two unpacking faults in small members", {{6, EFault::Checksum}, {3, EFault::Garbage}}, "Invalid compressed payload.", KVASafe::ECheck::CompressedData, "m3.fbx"},
		{"one fault in the last member", {{7, EFault::Checksum}}, "Package member checksum mismatch.", KVASafe::ECheck::Checksum, "m7.fbx"},
	};
	for (const FOrderCase& Case : Table)
	{
		SCOPED_TRACE(Case.Label);
		FPackageSandbox Sandbox;
		const std::string Package = Make(Case.Faults);
		Sandbox.Write(Package);

		const FPackageSandbox::FResult Result = Sandbox.Extract();

		EXPECT_FALSE(Result.bOk);
		EXPECT_EQ(Result.Error, Case.Sentence);
		EXPECT_EQ(Result.Refusal.Check, Case.Check);
		EXPECT_EQ(Result.Refusal.Member, Case.Member);
		EXPECT_EQ(Sandbox.Listing(), std::vector<std::string>{"package.zip"});
		EXPECT_TRUE(Sandbox.PackageBytes() == Package);
	}
}
