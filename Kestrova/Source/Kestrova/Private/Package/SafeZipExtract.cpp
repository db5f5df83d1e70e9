#include "Package/SafeZipStages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

namespace KVASafe
{
	namespace
	{
		constexpr std::size_t ChunkSize = 131072;
		constexpr std::size_t LocalSize = 30;
		constexpr std::uint32_t LocalSignature = 0x04034B50;
		constexpr std::uint16_t DescriptorFlag = 0x0008;
		constexpr std::uint16_t Deflated = 8;

		// One member's output file and inflate state, released on every path.
		struct FMemberState
		{
			std::FILE* File = nullptr;
			z_stream Inflater{};
			bool bInflating = false;

			~FMemberState()
			{
				if (File != nullptr)
				{
					std::fclose(File);
				}
				if (bInflating)
				{
					inflateEnd(&Inflater);
				}
			}
		};

		// Stages 3 and 4: writes the members of a read directory, verifying each one.
		class FExtraction
		{
		public:
			FExtraction(FDirectory& InDirectory, const std::filesystem::path& InDestination, const std::atomic<bool>& bInCancel)
				: Directory(InDirectory), Destination(InDestination), bCancel(bInCancel), Input(ChunkSize, 0), Output(ChunkSize, 0)
			{
			}

			bool Member(const Entry& Record, std::vector<std::string>& Models, const FVerdict& Verdict);

		private:
			bool Claim(std::uint64_t Start, std::uint64_t End);
			bool Open(const Entry& Record, const std::filesystem::path& Target, FMemberState& State, const FVerdict& Verdict);
			bool Unpack(const Entry& Record, std::uint64_t DataStart, FMemberState& State, const FVerdict& Verdict);
			bool Inflate(const Entry& Record, std::size_t Chunk, bool bLastChunk, std::uint64_t& Produced, bool& bEnded,
				std::uint32_t& Crc, FMemberState& State, const FVerdict& Verdict);
			void Emit(const unsigned char* Bytes, std::size_t Length, std::uint32_t& Crc, FMemberState& State);

			FDirectory& Directory;
			const std::filesystem::path& Destination;
			const std::atomic<bool>& bCancel;
			std::vector<unsigned char> Input;
			std::vector<unsigned char> Output;
			// Claimed header-plus-data ranges by start; they never overlap, so their ends ascend too.
			std::map<std::uint64_t, std::uint64_t> Claimed;
			bool bWriteFailed = false;
		};

		bool FExtraction::Claim(std::uint64_t Start, std::uint64_t End)
		{
			const auto After = Claimed.lower_bound(End);
			if (After != Claimed.begin() && std::prev(After)->second > Start)
			{
				return false;
			}
			Claimed.emplace(Start, End);
			return true;
		}

		bool FExtraction::Open(const Entry& Record, const std::filesystem::path& Target, FMemberState& State, const FVerdict& Verdict)
		{
			std::error_code Code;
			std::filesystem::create_directories(Target.parent_path(), Code);
			if (Code)
			{
				return Verdict.Fail("Could not create import folder.", {ECheck::CreateFolder, StoredName(Record)});
			}
			// Exclusive and no-follow: an existing file or a planted link is never written through.
			const int Descriptor = open(Target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
			if (Descriptor < 0)
			{
				return Verdict.Fail("Conflicting or unwritable package path.", {ECheck::CreateFile, StoredName(Record)});
			}
			State.File = fdopen(Descriptor, "wb");
			if (State.File == nullptr)
			{
				close(Descriptor);
				return Verdict.Fail("Could not write import file.", {ECheck::WriteFile, StoredName(Record)});
			}
			return true;
		}

		void FExtraction::Emit(const unsigned char* Bytes, std::size_t Length, std::uint32_t& Crc, FMemberState& State)
		{
			if (State.File != nullptr && std::fwrite(Bytes, 1, Length, State.File) != Length)
			{
				bWriteFailed = true;
			}
			Crc = static_cast<std::uint32_t>(crc32(Crc, Bytes, static_cast<uInt>(Length)));
		}

		bool FExtraction::Inflate(const Entry& Record, std::size_t Chunk, bool bLastChunk, std::uint64_t& Produced, bool& bEnded,
			std::uint32_t& Crc, FMemberState& State, const FVerdict& Verdict)
		{
			z_stream& Inflater = State.Inflater;
			Inflater.next_in = Input.data();
			Inflater.avail_in = static_cast<uInt>(Chunk);
			// A call that fills the whole output block may still hold output after the input is
			// spent (a match cut at the block's end), so a full block always earns another call.
			do
			{
				Inflater.next_out = Output.data();
				Inflater.avail_out = static_cast<uInt>(ChunkSize);
				const int Result = inflate(&Inflater, Z_NO_FLUSH);
				const std::size_t Made = ChunkSize - Inflater.avail_out;
				Produced += Made;
				if (Produced > Record.uncompressed)
				{
					return Verdict.Fail("ZIP expansion changed.", {ECheck::Expansion, StoredName(Record), 0, Record.uncompressed});
				}
				Emit(Output.data(), Made, Crc, State);
				if (Result == Z_STREAM_END)
				{
					if (Inflater.avail_in != 0 || !bLastChunk)
					{
						return Verdict.Fail("Trailing ZIP payload.", {ECheck::Trailing, StoredName(Record)});
					}
					bEnded = true;
					return true;
				}
				if (Result == Z_BUF_ERROR && Inflater.avail_in == 0)
				{
					// Nothing was pending after a full block: the stream needs the next chunk.
					return true;
				}
				if (Result != Z_OK || (Made == 0 && Inflater.avail_in != 0))
				{
					return Verdict.Fail("Invalid compressed payload.", {ECheck::CompressedData, StoredName(Record)});
				}
			}
			while (Inflater.avail_in != 0 || Inflater.avail_out == 0);
			return true;
		}

		bool FExtraction::Unpack(const Entry& Record, std::uint64_t DataStart, FMemberState& State, const FVerdict& Verdict)
		{
			const bool bDeflated = Record.method == Deflated;
			if (bDeflated)
			{
				if (inflateInit2(&State.Inflater, -MAX_WBITS) != Z_OK)
				{
					return Verdict.Fail("Could not unpack package.", {ECheck::Unpack, StoredName(Record)});
				}
				State.bInflating = true;
			}
			bool bEnded = !bDeflated;
			std::uint64_t Consumed = 0;
			std::uint64_t Produced = 0;
			std::uint32_t Crc = static_cast<std::uint32_t>(crc32(0, Z_NULL, 0));
			bWriteFailed = false;
			while (Consumed < Record.compressed)
			{
				if (bCancel.load())
				{
					return Verdict.Fail("Canceled.", {ECheck::Canceled, StoredName(Record)});
				}
				const std::size_t Chunk = static_cast<std::size_t>(std::min<std::uint64_t>(Record.compressed - Consumed, ChunkSize));
				if (!Read(Directory.Stream, DataStart + Consumed, Input.data(), Chunk, Directory.Start))
				{
					return Verdict.Fail("Incomplete ZIP payload.", {ECheck::Payload, StoredName(Record)});
				}
				if (bDeflated)
				{
					if (!Inflate(Record, Chunk, Consumed + Chunk == Record.compressed, Produced, bEnded, Crc, State, Verdict))
					{
						return false;
					}
				}
				else
				{
					Emit(Input.data(), Chunk, Crc, State);
					Produced += Chunk;
				}
				if (bWriteFailed || Produced > Record.uncompressed)
				{
					return Verdict.Fail("Could not unpack package.", bWriteFailed ? FRefusal(ECheck::WriteFile, StoredName(Record))
						: FRefusal(ECheck::Unpack, StoredName(Record), 0, Record.uncompressed));
				}
				Consumed += Chunk;
			}
			if (State.bInflating)
			{
				inflateEnd(&State.Inflater);
				State.bInflating = false;
			}
			if (State.File != nullptr)
			{
				const bool bFlushed = std::fflush(State.File) == 0;
				const bool bClosed = std::fclose(State.File) == 0;
				State.File = nullptr;
				if (!bFlushed || !bClosed)
				{
					return Verdict.Fail("Could not write import file.", {ECheck::WriteFile, StoredName(Record)});
				}
			}
			constexpr const char* Mismatch = "Package member checksum mismatch.";
			if (!bEnded)
			{
				return Verdict.Fail(Mismatch, {ECheck::Unfinished, StoredName(Record)});
			}
			if (Produced != Record.uncompressed)
			{
				return Verdict.Fail(Mismatch, {ECheck::SizeMismatch, StoredName(Record), Produced, Record.uncompressed});
			}
			if (Crc != Record.crc)
			{
				return Verdict.Fail(Mismatch, {ECheck::Checksum, StoredName(Record)});
			}
			return true;
		}

		bool FExtraction::Member(const Entry& Record, std::vector<std::string>& Models, const FVerdict& Verdict)
		{
			const std::string Name = StoredName(Record);
			if (bCancel.load())
			{
				return Verdict.Fail("Canceled.", {ECheck::Canceled, Name});
			}
			std::array<unsigned char, LocalSize> Local{};
			if (!Read(Directory.Stream, Record.offset, Local.data(), Local.size(), Directory.Start)
				|| Le32(Local.data()) != LocalSignature || Le16(Local.data() + 6) != Record.flags
				|| Le16(Local.data() + 8) != Record.method)
			{
				return Verdict.Fail("Invalid local ZIP member.", {ECheck::LocalHeader, Name});
			}
			const std::uint16_t NameLength = Le16(Local.data() + 26);
			const std::uint64_t DataStart = std::uint64_t(Record.offset) + LocalSize + NameLength + Le16(Local.data() + 28);
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
			if (!Claim(Record.offset, DataEnd))
			{
				return Verdict.Fail("Overlapping ZIP members.", {ECheck::Overlap, Name});
			}

			const bool bWrite = !Record.directory && Allowed(Record.name);
			const std::filesystem::path Target = Destination / Record.name;
			FMemberState State;
			if ((bWrite && !Open(Record, Target, State, Verdict)) || !Unpack(Record, DataStart, State, Verdict))
			{
				return false;
			}
			if (bWrite && Lower(Target.extension().string()) == ".fbx")
			{
				Models.push_back(Record.name);
			}
			return true;
		}
	}

	bool Extract(const std::filesystem::path& Package, const std::filesystem::path& Destination,
		const std::atomic<bool>& bCancel, std::vector<std::string>& Models, std::string& Error, FRefusal* Refusal)
	{
		const FVerdict Verdict{Error, Refusal};
		FDirectory Directory;
		if (!ReadDirectory(Package, Destination, bCancel, Directory, Verdict))
		{
			return false;
		}
		// Only a folder made by this call is ours to fill and, on failure, to remove.
		std::error_code Code;
		if (!std::filesystem::create_directories(Destination, Code) || Code)
		{
			return Verdict.Fail("Could not create import folder.", {ECheck::CreateFolder});
		}
		FExtraction Extraction(Directory, Destination, bCancel);
		for (const Entry& Record : Directory.Entries)
		{
			if (!Extraction.Member(Record, Models, Verdict))
			{
				std::filesystem::remove_all(Destination, Code);
				return false;
			}
		}
		if (Models.empty())
		{
			std::filesystem::remove_all(Destination, Code);
			return Verdict.Fail("No FBX models in these files. Open your library in the browser.", {ECheck::NoModels});
		}
		std::sort(Models.begin(), Models.end());
		return true;
	}
}
