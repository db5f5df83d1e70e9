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
	// fixed sentence and nothing of the package is left on disk.
	bool Extract(const std::filesystem::path& Package, const std::filesystem::path& Destination,
		const std::atomic<bool>& bCancel, std::vector<std::string>& Models, std::string& Error);
}
