#include "ZipWriter.h"

#include <stdexcept>

#include <zlib.h>

namespace KVAZip
{
	namespace
	{
		void Append16(std::string& Bytes, std::uint16_t Value)
		{
			Bytes.push_back(static_cast<char>(Value & 0xFF));
			Bytes.push_back(static_cast<char>(Value >> 8));
		}

		void Append32(std::string& Bytes, std::uint32_t Value)
		{
			Append16(Bytes, static_cast<std::uint16_t>(Value & 0xFFFF));
			Append16(Bytes, static_cast<std::uint16_t>(Value >> 16));
		}

		std::uint64_t LocalLength(const FLocalHeader& Local)
		{
			return 30 + Local.Name.size() + Local.Extra.size() + Local.Payload.size() + Local.Descriptor.size();
		}

		std::uint64_t CentralLength(const FCentralRecord& Record)
		{
			return 46 + Record.Name.size() + Record.Extra.size() + Record.Comment.size();
		}

		void AppendFields(std::string& Bytes, const FHeaderFields& Fields)
		{
			Append16(Bytes, Fields.Version);
			Append16(Bytes, Fields.Flags);
			Append16(Bytes, Fields.Method);
			Append16(Bytes, Fields.Time);
			Append16(Bytes, Fields.Date);
			Append32(Bytes, Fields.Crc);
			Append32(Bytes, Fields.Compressed);
			Append32(Bytes, Fields.Uncompressed);
			Append16(Bytes, Fields.NameLength);
			Append16(Bytes, Fields.ExtraLength);
		}

		bool IsAscii(const std::string& Text)
		{
			for (const char Byte : Text)
			{
				if (static_cast<unsigned char>(Byte) >= 0x80)
				{
					return false;
				}
			}
			return true;
		}
	}

	std::string Deflate(const std::string& Data, int Level, bool bFinish, const std::string& Dictionary)
	{
		z_stream Stream{};
		if (deflateInit2(&Stream, Level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
		{
			throw std::runtime_error("deflateInit2 failed");
		}
		if (!Dictionary.empty())
		{
			deflateSetDictionary(&Stream, reinterpret_cast<const Bytef*>(Dictionary.data()), static_cast<uInt>(Dictionary.size()));
		}
		std::string Result(deflateBound(&Stream, static_cast<uLong>(Data.size())) + 16, '\0');
		Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Data.data()));
		Stream.avail_in = static_cast<uInt>(Data.size());
		Stream.next_out = reinterpret_cast<Bytef*>(Result.data());
		Stream.avail_out = static_cast<uInt>(Result.size());
		const int Status = deflate(&Stream, bFinish ? Z_FINISH : Z_SYNC_FLUSH);
		Result.resize(Stream.total_out);
		deflateEnd(&Stream);
		if (Status != (bFinish ? Z_STREAM_END : Z_OK))
		{
			throw std::runtime_error("deflate failed");
		}
		return Result;
	}

	std::uint32_t Crc32(const std::string& Data)
	{
		return static_cast<std::uint32_t>(
			crc32_z(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(Data.data()), Data.size()));
	}

	void PutLe16(std::string& Bytes, std::size_t Position, std::uint16_t Value)
	{
		Bytes.at(Position) = static_cast<char>(Value & 0xFF);
		Bytes.at(Position + 1) = static_cast<char>(Value >> 8);
	}

	void PutLe32(std::string& Bytes, std::size_t Position, std::uint32_t Value)
	{
		PutLe16(Bytes, Position, static_cast<std::uint16_t>(Value & 0xFFFF));
		PutLe16(Bytes, Position + 2, static_cast<std::uint16_t>(Value >> 16));
	}

	FMember& FBuilder::Add(std::string Name, std::string Data, std::uint16_t Method)
	{
		FMember& Member = Members.emplace_back();
		Member.Name = std::move(Name);
		Member.Data = std::move(Data);
		Member.Method = Method;
		return Member;
	}

	FMember& FBuilder::AddFolder(std::string Name)
	{
		FMember& Member = Add(std::move(Name) + "/", std::string());
		Member.ExternalAttributes = Folder;
		return Member;
	}

	FLayout FBuilder::Layout() const
	{
		FLayout Result;
		for (const FMember& Member : Members)
		{
			const std::string Payload = Member.Payload ? *Member.Payload
				: Member.Method == Deflated ? Deflate(Member.Data) : Member.Data;
			const std::uint32_t Crc = Crc32(Member.Data);
			const std::uint16_t Flags = static_cast<std::uint16_t>(
				(Member.bDescriptor ? 0x0008 : 0) | (IsAscii(Member.Name) ? 0 : 0x0800) | Member.ExtraFlags);

			FLocalHeader& Local = Result.Locals.emplace_back();
			Local.Flags = Flags;
			Local.Method = Member.Method;
			Local.Name = Member.Name;
			Local.Extra = Member.LocalExtra;
			Local.Payload = Payload;
			if (Member.bDescriptor)
			{
				Append32(Local.Descriptor, 0x08074B50);
				Append32(Local.Descriptor, Crc);
				Append32(Local.Descriptor, static_cast<std::uint32_t>(Payload.size()));
				Append32(Local.Descriptor, static_cast<std::uint32_t>(Member.Data.size()));
			}
			else
			{
				Local.Crc = Crc;
				Local.Compressed = static_cast<std::uint32_t>(Payload.size());
				Local.Uncompressed = static_cast<std::uint32_t>(Member.Data.size());
			}

			FCentralRecord& Record = Result.Central.emplace_back();
			Record.Flags = Flags;
			Record.Method = Member.Method;
			Record.Crc = Crc;
			Record.Compressed = static_cast<std::uint32_t>(Payload.size());
			Record.Uncompressed = static_cast<std::uint32_t>(Member.Data.size());
			Record.ExternalAttributes = Member.ExternalAttributes;
			Record.Name = Member.Name;
			Record.Extra = Member.CentralExtra;
			Record.Comment = Member.Comment;
		}
		Result.End.Comment = Comment;
		Result.Place();
		return Result;
	}

	std::uint64_t FLayout::LocalOffset(std::size_t Index) const
	{
		std::uint64_t Offset = Prefix.size();
		for (std::size_t Before = 0; Before < Index; ++Before)
		{
			Offset += LocalLength(Locals[Before]);
		}
		return Offset;
	}

	void FLayout::Place()
	{
		std::uint64_t Offset = Prefix.size();
		for (std::size_t Index = 0; Index < Locals.size(); ++Index)
		{
			FLocalHeader& Local = Locals[Index];
			Local.NameLength = static_cast<std::uint16_t>(Local.Name.size());
			Local.ExtraLength = static_cast<std::uint16_t>(Local.Extra.size());
			if (Index < Central.size())
			{
				Central[Index].Offset = static_cast<std::uint32_t>(Offset);
			}
			Offset += LocalLength(Local);
		}
		Offset += BeforeDirectory.size();
		std::uint64_t DirectorySize = 0;
		for (FCentralRecord& Record : Central)
		{
			Record.NameLength = static_cast<std::uint16_t>(Record.Name.size());
			Record.ExtraLength = static_cast<std::uint16_t>(Record.Extra.size());
			Record.CommentLength = static_cast<std::uint16_t>(Record.Comment.size());
			DirectorySize += CentralLength(Record);
		}
		End.Records = static_cast<std::uint16_t>(Central.size());
		End.RecordsOnDisk = End.Records;
		End.DirectoryOffset = static_cast<std::uint32_t>(Offset);
		End.DirectorySize = static_cast<std::uint32_t>(DirectorySize);
		End.CommentLength = static_cast<std::uint16_t>(End.Comment.size());
	}

	std::string FLayout::Serialize() const
	{
		std::string Bytes = Prefix;
		for (const FLocalHeader& Local : Locals)
		{
			Append32(Bytes, Local.Signature);
			AppendFields(Bytes, Local);
			Bytes += Local.Name + Local.Extra + Local.Payload + Local.Descriptor;
		}
		Bytes += BeforeDirectory;
		for (const FCentralRecord& Record : Central)
		{
			Append32(Bytes, Record.Signature);
			Append16(Bytes, Record.MadeBy);
			AppendFields(Bytes, Record);
			Append16(Bytes, Record.CommentLength);
			Append16(Bytes, Record.DiskStart);
			Append16(Bytes, Record.InternalAttributes);
			Append32(Bytes, Record.ExternalAttributes);
			Append32(Bytes, Record.Offset);
			Bytes += Record.Name + Record.Extra + Record.Comment;
		}
		Bytes += BeforeEnd;
		Append32(Bytes, End.Signature);
		Append16(Bytes, End.Disk);
		Append16(Bytes, End.DirectoryDisk);
		Append16(Bytes, End.RecordsOnDisk);
		Append16(Bytes, End.Records);
		Append32(Bytes, End.DirectorySize);
		Append32(Bytes, End.DirectoryOffset);
		Append16(Bytes, End.CommentLength);
		Bytes += End.Comment + Trailing;
		return Bytes;
	}
}
