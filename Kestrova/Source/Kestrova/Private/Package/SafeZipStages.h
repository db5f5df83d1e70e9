#pragma once

#include "Package/SafeZip.h"

#include <set>

// The stages of Extract and the package-wide name rules they share; not part of the interface.
namespace KVASafe
{
	// Little-endian fields of the ZIP records, read from a byte buffer.
	std::uint16_t Le16(const unsigned char* Bytes);
	std::uint32_t Le32(const unsigned char* Bytes);

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
		const std::atomic<bool>& bCancel, FDirectory& Directory, std::string& Error);

	// Admits one record's name: a plain relative path whose comparison key is new to Folded.
	bool AdmitName(const std::string& Candidate, std::set<std::string>& Folded);

	// True when a file record (not a folder record) is named license.txt in any case and folder.
	bool IsLicence(const Entry& Record);

	// True when some record uses, as a folder, a path that is a file record elsewhere.
	bool HasPathConflict(const std::vector<Entry>& Entries);
}
