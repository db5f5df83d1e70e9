#include "Package/SafeZipStages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdint>
#include <thread>

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

namespace KVASafe
{
	namespace
	{
		constexpr std::size_t ChunkSize = 131072;
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

		// Stage 4 for one worker: unpacks, verifies and writes the members it is given, through
		// its own stream and buffers, so that two workers can each unpack a member side by side.
		class FUnpacker
		{
		public:
			FUnpacker(std::ifstream& InStream, std::uint64_t InDirectoryStart, const std::filesystem::path& InDestination,
				const std::atomic<bool>& bInCancel, const std::atomic<std::size_t>& InFirstFault)
				: Stream(InStream), DirectoryStart(InDirectoryStart), Destination(InDestination), bCancel(bInCancel)
				, FirstFault(InFirstFault), Input(ChunkSize, 0), Output(ChunkSize, 0)
			{
			}

			// Member Index of the package, whose data starts at DataStart; bModel tells whether
			// it was written as a model.
			bool Member(const Entry& Record, std::size_t Index, std::uint64_t DataStart, char& bModel, const FVerdict& Verdict);

			// An earlier member has failed, so the package is refused for it whatever this one holds.
			bool Superseded() const { return FirstFault.load() < Current; }

		private:
			bool Open(const Entry& Record, const std::filesystem::path& Target, FMemberState& State, const FVerdict& Verdict);
			bool Unpack(const Entry& Record, std::uint64_t DataStart, FMemberState& State, const FVerdict& Verdict);
			bool Inflate(const Entry& Record, std::size_t Chunk, bool bLastChunk, std::uint64_t& Produced, bool& bEnded,
				std::uint32_t& Crc, FMemberState& State, const FVerdict& Verdict);
			void Emit(const unsigned char* Bytes, std::size_t Length, std::uint32_t& Crc, FMemberState& State);

			std::ifstream& Stream;
			std::uint64_t DirectoryStart;
			const std::filesystem::path& Destination;
			const std::atomic<bool>& bCancel;
			const std::atomic<std::size_t>& FirstFault;
			std::size_t Current = 0;
			std::vector<unsigned char> Input;
			std::vector<unsigned char> Output;
			bool bWriteFailed = false;
		};

		bool FUnpacker::Open(const Entry& Record, const std::filesystem::path& Target, FMemberState& State, const FVerdict& Verdict)
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

		void FUnpacker::Emit(const unsigned char* Bytes, std::size_t Length, std::uint32_t& Crc, FMemberState& State)
		{
			if (State.File != nullptr && std::fwrite(Bytes, 1, Length, State.File) != Length)
			{
				bWriteFailed = true;
			}
			Crc = static_cast<std::uint32_t>(crc32(Crc, Bytes, static_cast<uInt>(Length)));
		}

		bool FUnpacker::Inflate(const Entry& Record, std::size_t Chunk, bool bLastChunk, std::uint64_t& Produced, bool& bEnded,
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

		bool FUnpacker::Unpack(const Entry& Record, std::uint64_t DataStart, FMemberState& State, const FVerdict& Verdict)
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
				if (Superseded())
				{
					return false;
				}
				if (!Read(Stream, DataStart + Consumed, Input.data(), Chunk, DirectoryStart))
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

		bool FUnpacker::Member(const Entry& Record, std::size_t Index, std::uint64_t DataStart, char& bModel, const FVerdict& Verdict)
		{
			Current = Index;
			if (bCancel.load())
			{
				return Verdict.Fail("Canceled.", {ECheck::Canceled, StoredName(Record)});
			}
			const bool bWrite = !Record.directory && Allowed(Record.name);
			const std::filesystem::path Target = Destination / Record.name;
			FMemberState State;
			if ((bWrite && !Open(Record, Target, State, Verdict)) || !Unpack(Record, DataStart, State, Verdict))
			{
				return false;
			}
			bModel = bWrite && Lower(Target.extension().string()) == ".fbx";
			return true;
		}

		// One worker's share of stage 4 and the first member it found at fault.
		struct FWorker
		{
			std::string Error;
			FRefusal Refusal;
			std::size_t Failed = SIZE_MAX;
		};

		// The members of stage 4, taken in order by whichever worker is free. A fault ends the
		// members after it but not those before it, so that the package is refused for its
		// first fault in member order, as unpacking one member after another would find it.
		class FShare
		{
		public:
			FShare(FDirectory& InDirectory, const std::vector<std::uint64_t>& InDataStarts, const std::filesystem::path& InDestination,
				const std::atomic<bool>& bInCancel)
				: Directory(InDirectory), DataStarts(InDataStarts), Destination(InDestination), bCancel(bInCancel)
				, Models(InDataStarts.size(), 0), FirstFault(InDataStarts.size())
			{
			}

			void Work(std::ifstream& Stream, FWorker& Worker)
			{
				FUnpacker Unpacker(Stream, Directory.Start, Destination, bCancel, FirstFault);
				const FVerdict Verdict{Worker.Error, &Worker.Refusal};
				for (std::size_t Index = Next++; Index < FirstFault.load(); Index = Next++)
				{
					if (!Unpacker.Member(Directory.Entries[Index], Index, DataStarts[Index], Models[Index], Verdict))
					{
						if (!Unpacker.Superseded())
						{
							Worker.Failed = Index;
							for (std::size_t Seen = FirstFault.load(); Index < Seen && !FirstFault.compare_exchange_weak(Seen, Index);)
							{
							}
						}
						return;
					}
				}
			}

			std::size_t Members() const { return DataStarts.size(); }

			// The names of the models written, in member order.
			void Collect(std::vector<std::string>& Names) const
			{
				for (std::size_t Index = 0; Index < Models.size(); ++Index)
				{
					if (Models[Index] != 0)
					{
						Names.push_back(Directory.Entries[Index].name);
					}
				}
			}

		private:
			FDirectory& Directory;
			const std::vector<std::uint64_t>& DataStarts;
			const std::filesystem::path& Destination;
			const std::atomic<bool>& bCancel;
			// One flag per member, each written by the worker that unpacked it.
			std::vector<char> Models;
			std::atomic<std::size_t> Next { 0 };
			std::atomic<std::size_t> FirstFault;
		};

		// Unpacks the members that passed their local-header checks, on the calling thread and
		// one more, each through its own stream. Returns the worker holding the first fault, or
		// null when every member passed.
		const FWorker* UnpackSideBySide(const std::filesystem::path& Package, FShare& Share, FDirectory& Directory,
			std::array<FWorker, 2>& Workers)
		{
			std::thread Helper;
			if (Share.Members() > 1)
			{
				Helper = std::thread([&Package, &Share, &Workers]
				{
					// Without a second stream the calling thread unpacks every member alone.
					std::ifstream Stream(Package, std::ios::binary);
					if (Stream.is_open())
					{
						Share.Work(Stream, Workers[1]);
					}
				});
			}
			Share.Work(Directory.Stream, Workers[0]);
			if (Helper.joinable())
			{
				Helper.join();
			}
			const FWorker* First = Workers[0].Failed < Workers[1].Failed ? &Workers[0] : &Workers[1];
			return First->Failed == SIZE_MAX ? nullptr : First;
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
		// A member refused by its local header is the package's fault only when no member before
		// it fails in unpacking; those are unpacked all the same to find out.
		std::vector<std::uint64_t> DataStarts;
		const bool bLocated = ReadLocalHeaders(Directory, bCancel, DataStarts, Verdict);
		FShare Share(Directory, DataStarts, Destination, bCancel);
		std::array<FWorker, 2> Workers;
		if (const FWorker* First = UnpackSideBySide(Package, Share, Directory, Workers))
		{
			std::filesystem::remove_all(Destination, Code);
			Error = First->Error;
			if (Refusal != nullptr)
			{
				*Refusal = First->Refusal;
			}
			return false;
		}
		if (!bLocated)
		{
			std::filesystem::remove_all(Destination, Code);
			return false;
		}
		Share.Collect(Models);
		if (Models.empty())
		{
			std::filesystem::remove_all(Destination, Code);
			return Verdict.Fail("No FBX models in these files. Open your library in the browser.", {ECheck::NoModels});
		}
		std::sort(Models.begin(), Models.end());
		return true;
	}
}
