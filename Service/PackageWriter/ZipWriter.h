#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A ZIP writer for tests and fixtures. A builder collects members; Layout() turns them into
// records with every field filled in; a test may then edit any field, lie about any size or
// checksum, or add bytes anywhere before Serialize() writes the records out verbatim.
namespace KVAZip
{
	constexpr std::uint16_t Stored = 0;
	constexpr std::uint16_t Deflated = 8;
	constexpr std::uint32_t RegularFile = 0x81A40000;
	constexpr std::uint32_t Folder = 0x41ED0010;

	struct FMember
	{
		std::string Name;
		std::string Data;
		std::uint16_t Method = Stored;
		// Sizes and CRC go into a descriptor after the data; the local header carries zeros.
		bool bDescriptor = false;
		std::uint16_t ExtraFlags = 0;
		std::uint32_t ExternalAttributes = RegularFile;
		std::string LocalExtra;
		std::string CentralExtra;
		std::string Comment;
		// Bytes stored as the member's data instead of those made from Data (sizes and CRC
		// still describe Data).
		std::optional<std::string> Payload;
	};

	// The fields that a local header and a central record share, in the order both store them.
	struct FHeaderFields
	{
		std::uint16_t Version = 20;
		std::uint16_t Flags = 0;
		std::uint16_t Method = Stored;
		std::uint16_t Time = 0;
		std::uint16_t Date = 0x5921;
		std::uint32_t Crc = 0;
		std::uint32_t Compressed = 0;
		std::uint32_t Uncompressed = 0;
		std::uint16_t NameLength = 0;
		std::uint16_t ExtraLength = 0;
	};

	struct FLocalHeader : FHeaderFields
	{
		std::uint32_t Signature = 0x04034B50;
		std::string Name;
		std::string Extra;
		std::string Payload;
		std::string Descriptor;
	};

	struct FCentralRecord : FHeaderFields
	{
		std::uint32_t Signature = 0x02014B50;
		std::uint16_t MadeBy = 0x031E;
		std::uint16_t CommentLength = 0;
		std::uint16_t DiskStart = 0;
		std::uint16_t InternalAttributes = 0;
		std::uint32_t ExternalAttributes = RegularFile;
		std::uint32_t Offset = 0;
		std::string Name;
		std::string Extra;
		std::string Comment;
	};

	struct FEndRecord
	{
		std::uint32_t Signature = 0x06054B50;
		std::uint16_t Disk = 0;
		std::uint16_t DirectoryDisk = 0;
		std::uint16_t RecordsOnDisk = 0;
		std::uint16_t Records = 0;
		std::uint32_t DirectorySize = 0;
		std::uint32_t DirectoryOffset = 0;
		std::uint16_t CommentLength = 0;
		std::string Comment;
	};

	// The package as it will be written, in file order.
	struct FLayout
	{
		std::string Prefix;
		std::vector<FLocalHeader> Locals;
		std::string BeforeDirectory;
		std::vector<FCentralRecord> Central;
		std::string BeforeEnd;
		FEndRecord End;
		std::string Trailing;

		// Recomputes every length, offset and count from the current contents: central record
		// i points at local header i. Edits meant as lies come after the last Place().
		void Place();
		// File offset of local header Index, as it will be written.
		std::uint64_t LocalOffset(std::size_t Index) const;
		std::string Serialize() const;
	};

	class FBuilder
	{
	public:
		FMember& Add(std::string Name, std::string Data, std::uint16_t Method = Stored);
		// A folder record: the name gets its trailing "/".
		FMember& AddFolder(std::string Name);
		FLayout Layout() const;

		std::vector<FMember> Members;
		std::string Comment;
	};

	// Raw deflate (no zlib header), as ZIP stores it. Without bFinish the stream is only
	// flushed and lacks its final block; a Dictionary makes matches reach back into it.
	std::string Deflate(const std::string& Data, int Level = 6, bool bFinish = true, const std::string& Dictionary = {});
	std::uint32_t Crc32(const std::string& Data);
	void PutLe16(std::string& Bytes, std::size_t Position, std::uint16_t Value);
	void PutLe32(std::string& Bytes, std::size_t Position, std::uint32_t Value);
}
