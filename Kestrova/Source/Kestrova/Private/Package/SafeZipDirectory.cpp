#include "Package/SafeZipStages.h"

#include <algorithm>
#include <array>
#include <map>

namespace KVASafe
{
	namespace
	{
		constexpr std::uint64_t MinPackageSize = 22;
		constexpr std::uint64_t MaxPackageSize = std::uint64_t(1) << 31;
		constexpr std::uint64_t MaxTail = 22 + 65535;
		constexpr std::uint32_t MaxRecords = 20000;
		constexpr std::uint64_t MaxTotalUncompressed = std::uint64_t(1) << 33;
		constexpr std::uint64_t MaxRatio = 250;
		constexpr std::uint32_t EndSignature = 0x06054B50;
		constexpr std::uint32_t CentralSignature = 0x02014B50;
		constexpr std::size_t EndSize = 22;
		constexpr std::size_t CentralSize = 46;

		struct FEndRecord
		{
			std::uint64_t Position = 0;
			std::uint64_t DirectoryOffset = 0;
			std::uint64_t DirectorySize = 0;
			std::uint32_t Records = 0;
		};

		// Finds the end record whose comment reaches exactly the end of the file, searching back.
		bool FindEnd(const std::vector<unsigned char>& Tail, std::uint64_t PackageSize, FEndRecord& End, const FVerdict& Verdict)
		{
			for (std::size_t Candidate = Tail.size() - EndSize + 1; Candidate-- > 0;)
			{
				const unsigned char* Bytes = Tail.data() + Candidate;
				if (Le32(Bytes) == EndSignature && Le16(Bytes + 20) == Tail.size() - Candidate - EndSize)
				{
					const std::uint16_t Disk = Le16(Bytes + 4);
					const std::uint16_t DirectoryDisk = Le16(Bytes + 6);
					const std::uint16_t OnThisDisk = Le16(Bytes + 8);
					End.Records = Le16(Bytes + 10);
					End.DirectorySize = Le32(Bytes + 12);
					End.DirectoryOffset = Le32(Bytes + 16);
					End.Position = PackageSize - Tail.size() + Candidate;
					constexpr const char* Layout = "Unsupported ZIP layout.";
					if (Disk != 0 || DirectoryDisk != 0)
					{
						return Verdict.Fail(Layout, {ECheck::SpannedArchive});
					}
					if (End.Records < 1 || End.Records > MaxRecords)
					{
						return Verdict.Fail(Layout, {ECheck::RecordCount, {}, End.Records, End.Records < 1 ? 1 : MaxRecords});
					}
					if (OnThisDisk != End.Records)
					{
						return Verdict.Fail(Layout, {ECheck::SpannedArchive});
					}
					// The directory must end where the end record begins: that also refuses ZIP64
					// records and anything else hidden between the two.
					if (End.DirectoryOffset + End.DirectorySize != End.Position)
					{
						return Verdict.Fail(Layout, {ECheck::DirectoryPlacement});
					}
					return true;
				}
			}
			return Verdict.Fail("Invalid ZIP directory.", {ECheck::EndRecord});
		}

		// The rules a record must meet before its name is read; the name is added by the caller.
		FRefusal MemberFault(const unsigned char* Fixed)
		{
			const std::uint16_t Flags = Le16(Fixed + 8);
			const std::uint16_t Method = Le16(Fixed + 10);
			const std::uint16_t NameLength = Le16(Fixed + 28);
			const std::uint32_t Attributes = Le32(Fixed + 38);
			if (NameLength < 1 || NameLength > MaxNameLength)
			{
				return {ECheck::NameLength, {}, NameLength, MaxNameLength};
			}
			if (Le32(Fixed + 20) == 0xFFFFFFFF || Le32(Fixed + 24) == 0xFFFFFFFF || Le32(Fixed + 42) == 0xFFFFFFFF)
			{
				return {ECheck::SizeMarker};
			}
			if (Le16(Fixed + 34) != 0)
			{
				return {ECheck::MemberDisk};
			}
			if ((Method & 0xFFF7) != 0)
			{
				return {ECheck::Method, {}, Method};
			}
			// Bits 1 and 2 only record the level the packer chose (zip -9 sets 0x0002, zip -1
			// 0x0004); reading the data does not depend on them. zip sets them on the members it
			// stores as well, so refusing them there would refuse every package it packs.
			const std::uint16_t Refused = Flags & 0xF7F1;
			if (Refused != 0)
			{
				return {ECheck::Flags, {}, Refused};
			}
			// Only plain files and folders: links, devices, pipes and sockets are refused whatever
			// host system the record names.
			if ((Attributes & 0x70000000) != 0 && (Attributes & 0xF0000000) != 0x40000000)
			{
				return {ECheck::FileType, {}, Attributes >> 28};
			}
			return {};
		}
	}

	bool FVerdict::Fail(const char* Sentence, FRefusal Detail) const
	{
		Error = Sentence;
		if (Refusal != nullptr)
		{
			*Refusal = std::move(Detail);
		}
		return false;
	}

	std::uint16_t Le16(const unsigned char* Bytes)
	{
		return static_cast<std::uint16_t>(Bytes[0] | (Bytes[1] << 8));
	}

	std::uint32_t Le32(const unsigned char* Bytes)
	{
		return static_cast<std::uint32_t>(Le16(Bytes)) | (static_cast<std::uint32_t>(Le16(Bytes + 2)) << 16);
	}

	bool Read(std::ifstream& Stream, std::uint64_t Offset, void* Target, std::size_t Length, std::uint64_t Limit)
	{
		if (Offset > Limit || Length > Limit - Offset)
		{
			return false;
		}
		Stream.clear();
		Stream.seekg(static_cast<std::streamoff>(Offset));
		Stream.read(static_cast<char*>(Target), static_cast<std::streamsize>(Length));
		return !Stream.fail() && !Stream.bad();
	}

	bool ReadDirectory(const std::filesystem::path& Package, const std::filesystem::path& Destination,
		const std::atomic<bool>& bCancel, FDirectory& Directory, const FVerdict& Verdict)
	{
		std::error_code Code;
		if (std::filesystem::symlink_status(Destination, Code).type() != std::filesystem::file_type::not_found)
		{
			return Verdict.Fail("Import folder already exists.", {ECheck::DestinationExists});
		}
		const std::uint64_t PackageSize = std::filesystem::file_size(Package, Code);
		if (Code)
		{
			return Verdict.Fail("Invalid package size.", {ECheck::PackageUnreadable});
		}
		if (PackageSize < MinPackageSize || PackageSize > MaxPackageSize)
		{
			const std::uint64_t Bound = PackageSize < MinPackageSize ? MinPackageSize : MaxPackageSize;
			return Verdict.Fail("Invalid package size.", {ECheck::PackageSize, {}, PackageSize, Bound});
		}
		std::ifstream& Stream = Directory.Stream;
		Stream.open(Package, std::ios::binary);
		if (!Stream.is_open())
		{
			return Verdict.Fail("Could not open package.", {ECheck::PackageOpen});
		}
		std::vector<unsigned char> Tail(std::min(PackageSize, MaxTail), 0);
		if (!Read(Stream, PackageSize - Tail.size(), Tail.data(), Tail.size(), PackageSize))
		{
			return Verdict.Fail("Incomplete package.", {ECheck::PackageTail});
		}
		FEndRecord End;
		if (!FindEnd(Tail, PackageSize, End, Verdict))
		{
			return false;
		}

		const std::uint64_t DirectoryEnd = End.DirectoryOffset + End.DirectorySize;
		std::uint64_t Cursor = End.DirectoryOffset;
		std::uint64_t TotalUncompressed = 0;
		bool bLicensed = false;
		std::map<std::string, std::string> Folded;
		std::vector<Entry>& Entries = Directory.Entries;
		Entries.reserve(End.Records);
		for (std::uint32_t Index = 0; Index < End.Records; ++Index)
		{
			if (bCancel.load())
			{
				return Verdict.Fail("Canceled.", {ECheck::Canceled});
			}
			std::array<unsigned char, CentralSize> Fixed{};
			if (!Read(Stream, Cursor, Fixed.data(), Fixed.size(), DirectoryEnd) || Le32(Fixed.data()) != CentralSignature)
			{
				return Verdict.Fail("Invalid ZIP member.", {ECheck::RecordHeader, {}, Index + 1});
			}
			const std::uint16_t NameLength = Le16(Fixed.data() + 28);
			std::string RawName(NameLength, '\0');
			const bool bNameRead = Read(Stream, Cursor + CentralSize, RawName.data(), NameLength, DirectoryEnd);
			if (FRefusal Fault = MemberFault(Fixed.data()); Fault.Check != ECheck::None)
			{
				// The name, when it can be read, only says which member it was.
				Fault.Member = bNameRead ? RawName : std::string();
				return Verdict.Fail("Unsafe ZIP member.", std::move(Fault));
			}
			if (!bNameRead)
			{
				return Verdict.Fail("Invalid ZIP name.", {ECheck::NameUnreadable, {}, Index + 1});
			}
			Entry Record;
			Record.flags = Le16(Fixed.data() + 8);
			Record.method = Le16(Fixed.data() + 10);
			Record.crc = Le32(Fixed.data() + 16);
			Record.compressed = Le32(Fixed.data() + 20);
			Record.uncompressed = Le32(Fixed.data() + 24);
			Record.offset = Le32(Fixed.data() + 42);
			Record.name = std::move(RawName);
			if (Record.name.back() == '/')
			{
				Record.directory = true;
				Record.name.pop_back();
			}
			if (FRefusal Fault = AdmitName(Record, Folded); Fault.Check != ECheck::None)
			{
				return Verdict.Fail("Unsafe package path.", std::move(Fault));
			}
			TotalUncompressed += Record.uncompressed;
			const std::uint64_t MostUncompressed = MaxRatio * std::max<std::uint64_t>(Record.compressed, 1);
			// An empty deflate stream takes two bytes, so a folder record may carry up to two.
			const bool bFolderSized = !Record.directory || (Record.uncompressed == 0 && Record.compressed <= 2);
			constexpr const char* Expansion = "Package expansion limit exceeded.";
			if (TotalUncompressed > MaxTotalUncompressed)
			{
				return Verdict.Fail(Expansion, {ECheck::TotalSize, StoredName(Record), TotalUncompressed, MaxTotalUncompressed});
			}
			if (Record.uncompressed > MostUncompressed)
			{
				return Verdict.Fail(Expansion, {ECheck::Ratio, StoredName(Record), Record.uncompressed, MostUncompressed});
			}
			if (!bFolderSized)
			{
				return Verdict.Fail(Expansion, {ECheck::FolderData, StoredName(Record)});
			}
			bLicensed = bLicensed || IsLicence(Record);
			Cursor += CentralSize + NameLength + Le16(Fixed.data() + 30) + Le16(Fixed.data() + 32);
			if (Cursor > DirectoryEnd)
			{
				return Verdict.Fail("Invalid ZIP bounds.", {ECheck::RecordBounds, StoredName(Record)});
			}
			Entries.push_back(std::move(Record));
		}
		if (Cursor != DirectoryEnd)
		{
			return Verdict.Fail("Package license missing.", {ECheck::RecordsLeftOver});
		}
		if (!bLicensed)
		{
			return Verdict.Fail("Package license missing.", {ECheck::Licence});
		}
		if (FRefusal Conflict = PathConflict(Entries); Conflict.Check != ECheck::None)
		{
			return Verdict.Fail("Conflicting package paths.", std::move(Conflict));
		}
		Directory.Start = End.DirectoryOffset;
		return true;
	}
}
