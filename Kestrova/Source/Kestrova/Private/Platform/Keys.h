#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

namespace KVAPlatform
{
	// 48 bytes from the system's cryptographic random source as 64 Base64url characters;
	// empty when the source fails.
	std::string RandomKey();

	// Base64url (RFC 4648 section 5) without padding.
	std::string Encode(const uint8_t* Bytes, size_t Count);

	// The PKCE S256 challenge of a verifier (RFC 7636): Base64url of its SHA-256, 43 characters.
	std::string Challenge(const std::string& Verifier);

	// SHA-256 of a file's bytes as 64 lower-case hexadecimal digits; empty when the file cannot
	// be opened or read to its end. Streams through a fixed buffer, so any size is constant memory.
	std::string FileHash(const std::string& Path);

	// SHA-256 of a file that is still being written, read back by a thread of its own that
	// follows the writer: once the writer is done only what it wrote since its last report is
	// left to read. What is hashed is what the file holds when read, as FileHash reads it, never
	// the bytes the writer was given, so a fault of the writer or of the disk still shows.
	class FFollowingHash
	{
	public:
		explicit FFollowingHash(std::string InPath);
		~FFollowingHash();

		FFollowingHash(const FFollowingHash&) = delete;
		FFollowingHash& operator=(const FFollowingHash&) = delete;

		// The writer has written the file's first Bytes bytes; they may be read from now on.
		// Called by the writer's thread alone, with counts that never decrease.
		void Written(uint64_t Bytes);

		// The writer is done and has closed the file: reads it to its end and gives FileHash's
		// result for it (empty when it could not be opened, or holds fewer bytes than reported).
		std::string Finish();

		// The file will not be verified: the reader stops without reading on.
		void Stop();

	private:
		void Follow();

		// The count last reported, or one of the two ends below; the reader waits on it.
		std::atomic<uint64_t> Limit { 0 };
		// The count last reported, kept when Limit moves on to an end.
		std::atomic<uint64_t> Reported { 0 };
		std::string Path;
		std::string Hash;
		std::thread Reader;
	};
}
