#include "Explain.h"

#include <cstdio>
#include <filesystem>

namespace KVAPackageTool
{
	namespace
	{
		using KVASafe::ECheck;

		constexpr std::size_t LongestShownName = 120;
		constexpr const char* PackAgain = "pack it again with a standard ZIP tool";

		// 2147483648 as "2,147,483,648".
		std::string Grouped(std::uint64_t Value)
		{
			const std::string Digits = std::to_string(Value);
			std::string Result;
			for (std::size_t Index = 0; Index < Digits.size(); ++Index)
			{
				if (Index > 0 && (Digits.size() - Index) % 3 == 0)
				{
					Result += ',';
				}
				Result += Digits[Index];
			}
			return Result;
		}

		std::string Hex(std::uint64_t Value)
		{
			char Text[24];
			std::snprintf(Text, sizeof(Text), "0x%04llX", static_cast<unsigned long long>(Value));
			return Text;
		}

		std::string MethodName(std::uint64_t Method)
		{
			switch (Method)
			{
			case 1: return "Shrink";
			case 2: case 3: case 4: case 5: return "Reduce";
			case 6: return "Implode";
			case 9: return "Deflate64";
			case 10: return "PKWARE DCL Implode";
			case 12: return "BZIP2";
			case 14: return "LZMA";
			case 20: case 93: return "Zstandard";
			case 95: return "XZ";
			case 96: return "JPEG";
			case 97: return "WavPack";
			case 98: return "PPMd";
			default: return "an unknown method";
			}
		}

		std::string FileTypeName(std::uint64_t Type)
		{
			switch (Type)
			{
			case 0xA: return "a symbolic link";
			case 0x2: return "a character device";
			case 0x6: return "a block device";
			case 0x1: return "a named pipe";
			case 0xC: return "a socket";
			default: return "a special file";
			}
		}

		// The rule broken by the refused flag bits, the most telling first.
		std::string FlagsText(std::uint64_t Bits)
		{
			if (Bits & 0x0001)
			{
				return "encrypted; a package cannot be encrypted: pack it without a password";
			}
			if (Bits & 0x0040)
			{
				return "strongly encrypted; a package cannot be encrypted: pack it without a password";
			}
			if (Bits & 0x2000)
			{
				return "its local header is masked (central directory encryption); a package cannot be encrypted: pack it without a password";
			}
			if (Bits & 0x0020)
			{
				return "compressed patched data (flag bit 5), which only PKWARE tools read: " + std::string(PackAgain);
			}
			return "general-purpose flags " + Hex(Bits) + " are set, which the editor does not read: " + PackAgain;
		}

		std::string SizeText(const KVASafe::FRefusal& Refusal)
		{
			if (Refusal.Value < Refusal.Limit)
			{
				return "the package is " + Grouped(Refusal.Value) + " bytes; a package holds at least " + Grouped(Refusal.Limit) + " bytes: it is not a ZIP package";
			}
			return "the package is " + Grouped(Refusal.Value) + " bytes; a package holds at most " + Grouped(Refusal.Limit)
				+ " bytes: split the asset into smaller packages";
		}

		// The words for the package as a whole, or, prefixed with "member NAME: ", for its member.
		std::string Words(const KVASafe::FRefusal& Refusal)
		{
			const std::string Other = Printable(Refusal.Other);
			switch (Refusal.Check)
			{
			case ECheck::None: return "";
			case ECheck::DestinationExists: return "the destination folder already exists: extract into a folder that does not exist yet";
			case ECheck::PackageUnreadable: return "there is no readable file at this path";
			case ECheck::PackageSize: return SizeText(Refusal);
			case ECheck::PackageOpen: return "the file cannot be opened for reading: check its permissions";
			case ECheck::PackageTail: return "the end of the file cannot be read: copy or download the package again";
			case ECheck::EndRecord: return "no ZIP end record ends exactly at the end of the file; the file is not a ZIP archive, is cut short, or has bytes after its end: " + std::string(PackAgain);
			case ECheck::SpannedArchive: return "the archive is split across several disks or parts: pack it as a single file";
			case ECheck::RecordCount:
				return Refusal.Value == 0 ? std::string("the archive lists no members")
					: "the archive lists " + Grouped(Refusal.Value) + " members; a package holds at most " + Grouped(Refusal.Limit) + ": split the asset into smaller packages";
			case ECheck::DirectoryPlacement:
				return "the central directory does not end where the end record begins: ZIP64 archives (4 GiB or more, or over 65,535 members), self-extracting stubs and data inserted before the end record are not read: pack it again as a plain ZIP file under 4 GiB";
			case ECheck::Canceled: return "the check was interrupted";
			case ECheck::RecordHeader: return "central-directory record " + Grouped(Refusal.Value) + " is damaged or lies outside the directory: " + PackAgain;
			case ECheck::NameLength:
				return Refusal.Value == 0 ? std::string("a member has an empty name: ") + PackAgain
					: "its name is " + Grouped(Refusal.Value) + " bytes long; names are at most " + Grouped(Refusal.Limit) + " bytes: shorten its folders or file name";
			case ECheck::SizeMarker: return "its size or position needs ZIP64 (a member of 4 GiB or more, or one that starts beyond 4 GiB): keep the package under 4 GiB and pack it without ZIP64";
			case ECheck::MemberDisk: return "it starts on another disk of a split archive: pack it as a single file";
			case ECheck::Method:
				return Refusal.Value == 99 ? std::string("encrypted with AES (method 99); a package cannot be encrypted: pack it without a password")
					: "compressed with " + MethodName(Refusal.Value) + " (method " + std::to_string(Refusal.Value) + "); use Deflate or Store";
			case ECheck::Flags: return FlagsText(Refusal.Value);
			case ECheck::FileType: return "it is " + FileTypeName(Refusal.Value) + "; a package holds only files and folders: put the file itself in its place";
			case ECheck::NameUnreadable: return "the name of central-directory record " + Grouped(Refusal.Value) + " runs past the directory: " + PackAgain;
			case ECheck::NameControl: return "its name holds a control character (a tab, a line break or the like): rename it";
			case ECheck::NameAbsolute: return "its name is an absolute path; names are relative to the package: pack from inside the asset's folder";
			case ECheck::NameDrive: return "its name holds \":\" or \"\\\" (a drive or a Windows separator): rename it, and put \"/\" between folders";
			case ECheck::NameEmptySegment: return "its name holds an empty folder name (\"//\"): rename it";
			case ECheck::NameDotSegment: return "its name uses \".\" or \"..\" as a folder; names may not leave the package: pack from inside the asset's folder";
			case ECheck::NameTrailing: return "a part of its name ends with a dot or a space, which some file systems drop: rename it";
			case ECheck::NameEncoding: return "its name is not UTF-8: rename it, or pack with a tool that stores names in UTF-8";
			case ECheck::NameTaken: return "it has the same name as " + Other + " once letter case and Unicode forms are set aside: rename one of them";
			case ECheck::TotalSize: return "the members unpack to more than " + Grouped(Refusal.Limit) + " bytes in all: split the asset into smaller packages";
			case ECheck::Ratio:
				return "it claims to unpack to " + Grouped(Refusal.Value) + " bytes, more than its compressed size allows (" + Grouped(Refusal.Limit)
					+ "), as a ZIP bomb does: " + PackAgain;
			case ECheck::FolderData: return "a folder record that carries data: " + std::string(PackAgain);
			case ECheck::RecordBounds: return "its record runs past the end of the central directory: " + std::string(PackAgain);
			case ECheck::RecordsLeftOver: return "the central directory holds more records than the end record counts: " + std::string(PackAgain);
			case ECheck::Licence: return "the licence must be named license.txt (in any folder, in any letter case), and there is no such file";
			case ECheck::PathConflict: return "it uses " + Other + " as a folder, but " + Other + " is a file: rename one of them";
			case ECheck::CreateFolder: return "a folder cannot be created at the destination: check where the package is extracted to";
			case ECheck::LocalHeader: return "its local header is missing, damaged, or disagrees with the central directory on flags or method: " + std::string(PackAgain);
			case ECheck::LocalName: return "its local header names it differently from the central directory: " + std::string(PackAgain);
			case ECheck::DataIntoDirectory: return "its data runs into the central directory: " + std::string(PackAgain);
			case ECheck::LocalMetadata: return "its local header disagrees with the central directory on size or CRC-32: " + std::string(PackAgain);
			case ECheck::Overlap: return "its data overlaps another member's, as in a ZIP bomb: " + std::string(PackAgain);
			case ECheck::CreateFile: return "its file cannot be created at the destination: another member already wrote it, or the folder is not writable";
			case ECheck::WriteFile: return "its file could not be written at the destination: check the free space";
			case ECheck::Unpack:
				return "it holds more data than its recorded " + Grouped(Refusal.Limit) + " bytes: " + PackAgain;
			case ECheck::Payload: return "its data is cut short: copy the package again, or " + std::string(PackAgain);
			case ECheck::Expansion: return "it unpacks to more than its recorded " + Grouped(Refusal.Limit) + " bytes: " + PackAgain;
			case ECheck::Trailing: return "its compressed data goes on after the end of its Deflate stream: " + std::string(PackAgain);
			case ECheck::CompressedData: return "its Deflate data is damaged: " + std::string(PackAgain);
			case ECheck::Unfinished: return "its Deflate stream ends before its last block: the package is damaged; " + std::string(PackAgain);
			case ECheck::SizeMismatch:
				return "it unpacks to " + Grouped(Refusal.Value) + " bytes, not the recorded " + Grouped(Refusal.Limit) + ": " + PackAgain;
			case ECheck::Checksum: return "its CRC-32 does not match its data, which is damaged: " + std::string(PackAgain);
			case ECheck::NoModels: return "the package holds no .fbx file: add the models as FBX files";
			}
			return "";
		}

		// Stable names of the checks, for build pipelines.
		const char* CheckName(ECheck Check)
		{
			switch (Check)
			{
			case ECheck::None: return "none";
			case ECheck::DestinationExists: return "destination_exists";
			case ECheck::PackageUnreadable: return "package_unreadable";
			case ECheck::PackageSize: return "package_size";
			case ECheck::PackageOpen: return "package_open";
			case ECheck::PackageTail: return "package_tail";
			case ECheck::EndRecord: return "end_record";
			case ECheck::SpannedArchive: return "spanned_archive";
			case ECheck::RecordCount: return "record_count";
			case ECheck::DirectoryPlacement: return "directory_placement";
			case ECheck::Canceled: return "canceled";
			case ECheck::RecordHeader: return "record_header";
			case ECheck::NameLength: return "name_length";
			case ECheck::SizeMarker: return "zip64_marker";
			case ECheck::MemberDisk: return "member_disk";
			case ECheck::Method: return "method";
			case ECheck::Flags: return "flags";
			case ECheck::FileType: return "file_type";
			case ECheck::NameUnreadable: return "name_unreadable";
			case ECheck::NameControl: return "name_control";
			case ECheck::NameAbsolute: return "name_absolute";
			case ECheck::NameDrive: return "name_drive";
			case ECheck::NameEmptySegment: return "name_empty_segment";
			case ECheck::NameDotSegment: return "name_dot_segment";
			case ECheck::NameTrailing: return "name_trailing";
			case ECheck::NameEncoding: return "name_encoding";
			case ECheck::NameTaken: return "name_taken";
			case ECheck::TotalSize: return "total_size";
			case ECheck::Ratio: return "ratio";
			case ECheck::FolderData: return "folder_data";
			case ECheck::RecordBounds: return "record_bounds";
			case ECheck::RecordsLeftOver: return "records_left_over";
			case ECheck::Licence: return "licence";
			case ECheck::PathConflict: return "path_conflict";
			case ECheck::CreateFolder: return "create_folder";
			case ECheck::LocalHeader: return "local_header";
			case ECheck::LocalName: return "local_name";
			case ECheck::DataIntoDirectory: return "data_into_directory";
			case ECheck::LocalMetadata: return "local_metadata";
			case ECheck::Overlap: return "overlap";
			case ECheck::CreateFile: return "create_file";
			case ECheck::WriteFile: return "write_file";
			case ECheck::Unpack: return "unpack";
			case ECheck::Payload: return "payload";
			case ECheck::Expansion: return "expansion";
			case ECheck::Trailing: return "trailing";
			case ECheck::CompressedData: return "compressed_data";
			case ECheck::Unfinished: return "unfinished";
			case ECheck::SizeMismatch: return "size_mismatch";
			case ECheck::Checksum: return "checksum";
			case ECheck::NoModels: return "no_models";
			}
			return "unknown";
		}

		FProblem Problem(std::string Check, const std::string& Member, const std::string& Words)
		{
			FProblem Result;
			Result.Check = std::move(Check);
			Result.Member = Printable(Member);
			Result.Detail = Member.empty() ? Words : "member " + Result.Member + ": " + Words;
			return Result;
		}

		// Length of the UTF-8 sequence that starts Text at Position, or 0 when it is not one.
		std::size_t SequenceLength(const std::string& Text, std::size_t Position)
		{
			const unsigned char Lead = static_cast<unsigned char>(Text[Position]);
			const std::size_t Length = Lead < 0x80 ? 1 : (Lead & 0xE0) == 0xC0 ? 2 : (Lead & 0xF0) == 0xE0 ? 3 : (Lead & 0xF8) == 0xF0 ? 4 : 0;
			if (Length == 0 || Position + Length > Text.size() || (Length == 2 && Lead < 0xC2) || (Length == 4 && Lead > 0xF4))
			{
				return 0;
			}
			std::uint32_t Point = Length == 1 ? Lead : Lead & (0x7F >> Length);
			for (std::size_t Index = 1; Index < Length; ++Index)
			{
				const unsigned char Next = static_cast<unsigned char>(Text[Position + Index]);
				if ((Next & 0xC0) != 0x80)
				{
					return 0;
				}
				Point = (Point << 6) | (Next & 0x3F);
			}
			const bool bShortest = Length < 3 || (Length == 3 ? Point >= 0x800 : Point >= 0x10000);
			const bool bScalar = Point < 0xD800 || (Point > 0xDFFF && Point <= 0x10FFFF);
			return bShortest && bScalar ? Length : 0;
		}
	}

	FProblem Explain(const KVASafe::FRefusal& Refusal)
	{
		return Problem(CheckName(Refusal.Check), Refusal.Member, Words(Refusal));
	}

	std::vector<FProblem> MacMetadata(const std::vector<std::string>& Models)
	{
		std::vector<FProblem> Problems;
		for (const std::string& Model : Models)
		{
			const bool bInMacFolder = Model.starts_with("__MACOSX/") || Model.find("/__MACOSX/") != std::string::npos;
			if (bInMacFolder || std::filesystem::path(Model).filename().string().starts_with("._"))
			{
				Problems.push_back(Problem("macos_metadata", Model,
					"__MACOSX/ and ._ files are macOS metadata, not models: remove them (zip -r package.zip . -x '__MACOSX/*' '*/._*' '._*')"));
			}
		}
		return Problems;
	}

	FProblem NoMesh(const std::string& Model)
	{
		return Problem("import", Model,
			"the editor imports no static mesh from it (it holds no mesh geometry, or only skinned meshes, or it cannot be read as FBX): export it again as an FBX file with its meshes");
	}

	std::string Printable(const std::string& Name)
	{
		std::string Shown;
		std::size_t Position = 0;
		while (Position < Name.size())
		{
			if (Shown.size() >= LongestShownName)
			{
				return Shown + "... (" + Grouped(Name.size()) + " bytes)";
			}
			const std::size_t Length = SequenceLength(Name, Position);
			const unsigned char Byte = static_cast<unsigned char>(Name[Position]);
			if (Length == 0 || (Length == 1 && (Byte < 0x20 || Byte == 0x7F)))
			{
				char Escape[8];
				std::snprintf(Escape, sizeof(Escape), "\\x%02X", Byte);
				Shown += Escape;
				++Position;
				continue;
			}
			Shown.append(Name, Position, Length);
			Position += Length;
		}
		return Shown;
	}
}
