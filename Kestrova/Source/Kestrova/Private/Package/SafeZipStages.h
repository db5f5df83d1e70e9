#pragma once

#include "Package/SafeZip.h"

#include <map>

// The stages of Extract and the package-wide name rules they share; not part of the interface.
namespace KVASafe
{
	// The longest member name, in bytes.
	constexpr std::uint16_t MaxNameLength = 1024;

	// Little-endian fields of the ZIP records, read from a byte buffer.
	std::uint16_t Le16(const unsigned char* Bytes);
	std::uint32_t Le32(const unsigned char* Bytes);

	// Where every stage reports its failure: the user's sentence and, when the caller asked for
	// it, which check refused what. Fail returns false, so that a stage can return its result.
	struct FVerdict
	{
		std::string& Error;
		FRefusal* Refusal = nullptr;

		bool Fail(const char* Sentence, FRefusal Detail) const;
	};

	// What the directory stage hands to the member stage.
	struct FDirectory
	{
		std::ifstream Stream;
		// Where the central directory starts: no member's header or data may reach it.
		std::uint64_t Start = 0;
		std::vector<Entry> Entries;
	};

	// Sizes and opens the package, finds its end record and reads every central-directory
	// record, enforcing the per-record limits and name rules. Creates nothing on disk.
	bool ReadDirectory(const std::filesystem::path& Package, const std::filesystem::path& Destination,
		const std::atomic<bool>& bCancel, FDirectory& Directory, const FVerdict& Verdict);

	// Checks each member's local header against its record, in member order, and claims its
	// header-plus-data range, which no other member may share; DataStarts gets where the data of
	// each member that passed begins. Stops at the first member refused (or at a cancel seen
	// before a member), so DataStarts then holds the members before it.
	bool ReadLocalHeaders(FDirectory& Directory, const std::atomic<bool>& bCancel, std::vector<std::uint64_t>& DataStarts,
		const FVerdict& Verdict);

	// The name as the central directory stores it: a folder record's with its "/".
	std::string StoredName(const Entry& Record);

	// The first rule of Name that Candidate breaks, or None.
	ECheck NameFault(const std::string& Candidate);

	// Admits one record's name: a plain relative path whose comparison key is new to Folded
	// (comparison key to the stored name that took it). Check is None when admitted.
	FRefusal AdmitName(const Entry& Record, std::map<std::string, std::string>& Folded);

	// True when a file record (not a folder record) is named license.txt in any case and folder.
	bool IsLicence(const Entry& Record);

	// The first record that uses, as a folder, a path that is a file record elsewhere; Check is
	// None when there is none.
	FRefusal PathConflict(const std::vector<Entry>& Entries);
}
