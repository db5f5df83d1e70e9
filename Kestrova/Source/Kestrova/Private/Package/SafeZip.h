#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The defensive package extractor. Packages come from the network; nothing in them is trusted,
// so every read is bounded, every name is checked before anything touches the disk, and a
// failed extraction leaves nothing behind.
namespace KVASafe
{
	// One validated member of a package, as its central-directory record describes it.
	struct Entry
	{
		std::string name;
		std::uint32_t compressed = 0;
		std::uint32_t uncompressed = 0;
		std::uint32_t crc = 0;
		std::uint32_t offset = 0;
		std::uint16_t method = 0;
		std::uint16_t flags = 0;
		bool directory = false;
	};

	// Which check refused a package. The user sees only the sentence; this says more about it,
	// for tools that tell a package's author what to change.
	enum class ECheck : std::uint8_t
	{
		None,
		DestinationExists,
		PackageUnreadable,
		PackageSize,        // Value: the size; Limit: the bound it is outside of
		PackageOpen,
		PackageTail,
		EndRecord,
		SpannedArchive,     // disk numbers, or record counts that differ between disks
		RecordCount,        // Value: the records announced; Limit: the bound
		DirectoryPlacement, // the directory does not end where the end record begins
		Canceled,
		RecordHeader,       // Value: the record's number, from 1
		NameLength,         // Value: the length; Limit: the longest name
		SizeMarker,         // a size or offset of 0xFFFFFFFF, which only ZIP64 gives meaning
		MemberDisk,
		Method,             // Value: the method
		Flags,              // Value: the refused bits
		FileType,           // Value: the Unix file type (mode bits 12 to 15)
		NameUnreadable,     // Value: the record's number, from 1
		NameControl,
		NameAbsolute,
		NameDrive,          // ":" or a backslash
		NameEmptySegment,
		NameDotSegment,     // "." or ".."
		NameTrailing,       // a segment ending in a dot or a space
		NameEncoding,       // not UTF-8
		NameTaken,          // Other: the earlier member with the same folded name
		TotalSize,          // Value: the total so far; Limit: the largest total
		Ratio,              // Value: the uncompressed size; Limit: the largest for its compressed size
		FolderData,
		RecordBounds,
		RecordsLeftOver,    // the directory holds more records than the end record counts
		Licence,
		PathConflict,       // Other: the file that Member uses as a folder
		CreateFolder,
		LocalHeader,
		LocalName,
		DataIntoDirectory,
		LocalMetadata,
		Overlap,
		CreateFile,
		WriteFile,
		Unpack,             // more data than recorded (Limit: the recorded size), or no inflater
		Payload,
		Expansion,          // Limit: the recorded size
		Trailing,
		CompressedData,
		Unfinished,         // the deflate stream ends before its last block
		SizeMismatch,       // Value: the bytes unpacked; Limit: the recorded size
		Checksum,
		NoModels,
	};

	// What Extract says about a refusal besides its sentence.
	struct FRefusal
	{
		FRefusal(ECheck InCheck = ECheck::None, std::string InMember = {}, std::uint64_t InValue = 0, std::uint64_t InLimit = 0,
			std::string InOther = {})
			: Check(InCheck), Member(std::move(InMember)), Value(InValue), Limit(InLimit), Other(std::move(InOther))
		{
		}

		ECheck Check;
		// The member at fault, its name as stored (a folder record's with its "/"); empty when
		// the check concerns the whole package or the name could not be read.
		std::string Member;
		std::uint64_t Value;
		std::uint64_t Limit;
		std::string Other;
	};

	// Reads exactly Length bytes at Offset, only if the whole range lies below Limit.
	bool Read(std::ifstream& Stream, std::uint64_t Offset, void* Target, std::size_t Length, std::uint64_t Limit);

	// True when the name is a plain relative path.
	bool Name(const std::string& Candidate);

	// Comparison key of a name: canonical decomposition, then case folding. Empty on failure.
	std::string Fold(const std::string& Candidate);

	// ASCII lower case, byte by byte.
	std::string Lower(std::string Text);

	// True when a file member of this name is written to disk.
	bool Allowed(const std::string& Candidate);

	// Extracts the package into Destination, which must not exist yet. On success Models holds
	// the package-relative names of the FBX files written, sorted; on failure Error holds one
	// fixed sentence, Refusal (when given) which check failed on which member, and nothing of
	// the package is left on disk.
	bool Extract(const std::filesystem::path& Package, const std::filesystem::path& Destination,
		const std::atomic<bool>& bCancel, std::vector<std::string>& Models, std::string& Error,
		FRefusal* Refusal = nullptr);
}
