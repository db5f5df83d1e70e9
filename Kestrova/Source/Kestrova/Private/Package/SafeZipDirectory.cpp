#include "Package/SafeZipStages.h"

#include <algorithm>
#include <array>

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
		bool FindEnd(const std::vector<unsigned char>& Tail, std::uint64_t PackageSize, FEndRecord& End, std::string& Error)
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
					// The directory must end where the end record begins: that also refuses ZIP64
					// records and anything else hidden between the two.
					if (Disk != 0 || DirectoryDisk != 0 || End.Records < 1 || End.Records > MaxRecords
						|| OnThisDisk != End.Records || End.DirectoryOffset + End.DirectorySize != End.Position)
					{
						Error = "Unsupported ZIP layout.";
						return false;
					}
					return true;
				}
			}
			Error = "Invalid ZIP directory.";
			return false;
		}

		bool SafeMember(const unsigned char* Fixed)
		{
			const std::uint16_t Flags = Le16(Fixed + 8);
			const std::uint16_t Method = Le16(Fixed + 10);
			const std::uint16_t NameLength = Le16(Fixed + 28);
			const std::uint32_t Attributes = Le32(Fixed + 38);
			// Bits 1 and 2 of a deflated member only record the level the packer chose (zip -9 sets
			// 0x0002, zip -1 0x0004); reading the data does not depend on them.
			const std::uint16_t RefusedFlags = Method == 8 ? 0xF7F1 : 0xF7F7;
			const bool bLimits = NameLength >= 1 && NameLength <= 1024 && Le32(Fixed + 20) != 0xFFFFFFFF
				&& Le32(Fixed + 24) != 0xFFFFFFFF && Le32(Fixed + 42) != 0xFFFFFFFF && Le16(Fixed + 34) == 0
				&& (Flags & RefusedFlags) == 0 && (Method & 0xFFF7) == 0;
			// Only plain files and folders: links, devices, pipes and sockets are refused whatever
			// host system the record names.
			const bool bFileType = (Attributes & 0x70000000) == 0 || (Attributes & 0xF0000000) == 0x40000000;
			return bLimits && bFileType;
		}
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
		const std::atomic<bool>& bCancel, FDirectory& Directory, std::string& Error)
	{
		std::error_code Code;
		if (std::filesystem::symlink_status(Destination, Code).type() != std::filesystem::file_type::not_found)
		{
			Error = "Import folder already exists.";
			return false;
		}
		const std::uint64_t PackageSize = std::filesystem::file_size(Package, Code);
		if (Code || PackageSize < MinPackageSize || PackageSize > MaxPackageSize)
		{
			Error = "Invalid package size.";
			return false;
		}
		std::ifstream& Stream = Directory.Stream;
		Stream.open(Package, std::ios::binary);
		if (!Stream.is_open())
		{
			Error = "Could not open package.";
			return false;
		}
		std::vector<unsigned char> Tail(std::min(PackageSize, MaxTail), 0);
		if (!Read(Stream, PackageSize - Tail.size(), Tail.data(), Tail.size(), PackageSize))
		{
			Error = "Incomplete package.";
			return false;
		}
		FEndRecord End;
		if (!FindEnd(Tail, PackageSize, End, Error))
		{
			return false;
		}

		const std::uint64_t DirectoryEnd = End.DirectoryOffset + End.DirectorySize;
		std::uint64_t Cursor = End.DirectoryOffset;
		std::uint64_t TotalUncompressed = 0;
		bool bLicensed = false;
		std::set<std::string> Folded;
		std::vector<Entry>& Entries = Directory.Entries;
		Entries.reserve(End.Records);
		for (std::uint32_t Index = 0; Index < End.Records; ++Index)
		{
			if (bCancel.load())
			{
				Error = "Canceled.";
				return false;
			}
			std::array<unsigned char, CentralSize> Fixed{};
			if (!Read(Stream, Cursor, Fixed.data(), Fixed.size(), DirectoryEnd) || Le32(Fixed.data()) != CentralSignature)
			{
				Error = "Invalid ZIP member.";
				return false;
			}
			if (!SafeMember(Fixed.data()))
			{
				Error = "Unsafe ZIP member.";
				return false;
			}
			Entry Record;
			Record.flags = Le16(Fixed.data() + 8);
			Record.method = Le16(Fixed.data() + 10);
			Record.crc = Le32(Fixed.data() + 16);
			Record.compressed = Le32(Fixed.data() + 20);
			Record.uncompressed = Le32(Fixed.data() + 24);
			Record.offset = Le32(Fixed.data() + 42);
			const std::uint16_t NameLength = Le16(Fixed.data() + 28);
			Record.name.assign(NameLength, '\0');
			if (!Read(Stream, Cursor + CentralSize, Record.name.data(), NameLength, DirectoryEnd))
			{
				Error = "Invalid ZIP name.";
				return false;
			}
			if (Record.name.back() == '/')
			{
				Record.directory = true;
				Record.name.pop_back();
			}
			if (!AdmitName(Record.name, Folded))
			{
				Error = "Unsafe package path.";
				return false;
			}
			TotalUncompressed += Record.uncompressed;
			// An empty deflate stream takes two bytes, so a folder record may carry up to two.
			const bool bFolderSized = !Record.directory || (Record.uncompressed == 0 && Record.compressed <= 2);
			if (TotalUncompressed > MaxTotalUncompressed
				|| Record.uncompressed > MaxRatio * std::max<std::uint64_t>(Record.compressed, 1) || !bFolderSized)
			{
				Error = "Package expansion limit exceeded.";
				return false;
			}
			bLicensed = bLicensed || IsLicence(Record);
			Entries.push_back(std::move(Record));
			Cursor += CentralSize + NameLength + Le16(Fixed.data() + 30) + Le16(Fixed.data() + 32);
			if (Cursor > DirectoryEnd)
			{
				Error = "Invalid ZIP bounds.";
				return false;
			}
		}
		if (Cursor != DirectoryEnd || !bLicensed)
		{
			Error = "Package license missing.";
			return false;
		}
		if (HasPathConflict(Entries))
		{
			Error = "Conflicting package paths.";
			return false;
		}
		Directory.Start = End.DirectoryOffset;
		return true;
	}
}
