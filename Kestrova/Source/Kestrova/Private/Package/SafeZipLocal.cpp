#include "Package/SafeZipStages.h"

#include <array>
#include <iterator>
#include <map>

namespace KVASafe
{
	namespace
	{
		constexpr std::size_t LocalSize = 30;
		constexpr std::uint32_t LocalSignature = 0x04034B50;
		constexpr std::uint16_t DescriptorFlag = 0x0008;

		// Claimed header-plus-data ranges by start; they never overlap, so their ends ascend too.
		bool Claim(std::map<std::uint64_t, std::uint64_t>& Claimed, std::uint64_t Start, std::uint64_t End)
		{
			const auto After = Claimed.lower_bound(End);
			if (After != Claimed.begin() && std::prev(After)->second > Start)
			{
				return false;
			}
			Claimed.emplace(Start, End);
			return true;
		}

		// Checks one member's local header against its record and claims its range; the data
		// starts at DataStart.
		bool Locate(FDirectory& Directory, const Entry& Record, std::map<std::uint64_t, std::uint64_t>& Claimed,
			std::uint64_t& DataStart, const FVerdict& Verdict)
		{
			const std::string Name = StoredName(Record);
			std::array<unsigned char, LocalSize> Local{};
			if (!Read(Directory.Stream, Record.offset, Local.data(), Local.size(), Directory.Start)
				|| Le32(Local.data()) != LocalSignature || Le16(Local.data() + 6) != Record.flags
				|| Le16(Local.data() + 8) != Record.method)
			{
				return Verdict.Fail("Invalid local ZIP member.", {ECheck::LocalHeader, Name});
			}
			const std::uint16_t NameLength = Le16(Local.data() + 26);
			DataStart = std::uint64_t(Record.offset) + LocalSize + NameLength + Le16(Local.data() + 28);
			const std::uint64_t DataEnd = DataStart + Record.compressed;
			std::string LocalName(NameLength, '\0');
			if (!Read(Directory.Stream, std::uint64_t(Record.offset) + LocalSize, LocalName.data(), NameLength, Directory.Start)
				|| LocalName != Name)
			{
				return Verdict.Fail("ZIP member changed.", {ECheck::LocalName, Name});
			}
			if (DataEnd > Directory.Start)
			{
				return Verdict.Fail("ZIP member changed.", {ECheck::DataIntoDirectory, Name});
			}
			if ((Record.flags & DescriptorFlag) == 0
				&& (Le32(Local.data() + 14) != Record.crc || Le32(Local.data() + 18) != Record.compressed
					|| Le32(Local.data() + 22) != Record.uncompressed))
			{
				return Verdict.Fail("ZIP metadata mismatch.", {ECheck::LocalMetadata, Name});
			}
			if (!Claim(Claimed, Record.offset, DataEnd))
			{
				return Verdict.Fail("Overlapping ZIP members.", {ECheck::Overlap, Name});
			}
			return true;
		}
	}

	bool ReadLocalHeaders(FDirectory& Directory, const std::atomic<bool>& bCancel, std::vector<std::uint64_t>& DataStarts,
		const FVerdict& Verdict)
	{
		std::map<std::uint64_t, std::uint64_t> Claimed;
		for (const Entry& Record : Directory.Entries)
		{
			std::uint64_t DataStart = 0;
			if (bCancel.load())
			{
				return Verdict.Fail("Canceled.", {ECheck::Canceled, StoredName(Record)});
			}
			if (!Locate(Directory, Record, Claimed, DataStart, Verdict))
			{
				return false;
			}
			DataStarts.push_back(DataStart);
		}
		return true;
	}
}
