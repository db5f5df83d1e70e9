#include "Package/SafeZipStages.h"

#include <cctype>
#include <set>
#include <string_view>

#include <unicode/unorm2.h>
#include <unicode/ustring.h>

namespace KVASafe
{
	ECheck NameFault(const std::string& Candidate)
	{
		for (const char Byte : Candidate)
		{
			const unsigned char Value = static_cast<unsigned char>(Byte);
			if (Value < 0x20 || Value == 0x7F)
			{
				return ECheck::NameControl;
			}
		}
		if (Candidate.empty() || Candidate.size() > MaxNameLength)
		{
			return ECheck::NameLength;
		}
		if (Candidate.front() == '/')
		{
			return ECheck::NameAbsolute;
		}
		if (Candidate.find_first_of(":\\") != std::string::npos)
		{
			return ECheck::NameDrive;
		}
		std::size_t SegmentStart = 0;
		while (SegmentStart < Candidate.size())
		{
			const std::size_t Slash = Candidate.find('/', SegmentStart);
			const std::size_t SegmentEnd = Slash == std::string::npos ? Candidate.size() : Slash;
			const std::string_view Segment(Candidate.data() + SegmentStart, SegmentEnd - SegmentStart);
			if (Segment.empty())
			{
				return ECheck::NameEmptySegment;
			}
			if (Segment == "." || Segment == "..")
			{
				return ECheck::NameDotSegment;
			}
			// Trailing dots and spaces are dropped by some file systems, so "a." could land on "a".
			if (Segment.back() == '.' || Segment.back() == ' ')
			{
				return ECheck::NameTrailing;
			}
			if (Slash == std::string::npos || Slash + 1 == Candidate.size())
			{
				break;
			}
			SegmentStart = Slash + 1;
		}
		return ECheck::None;
	}

	bool Name(const std::string& Candidate)
	{
		return NameFault(Candidate) == ECheck::None;
	}

	std::string Fold(const std::string& Candidate)
	{
		if (Candidate.size() > static_cast<std::size_t>(INT32_MAX / 4))
		{
			return std::string();
		}
		const int32_t InLength = static_cast<int32_t>(Candidate.size());

		// Strict conversion: ill-formed UTF-8 is an error, never replaced.
		UErrorCode Status = U_ZERO_ERROR;
		std::u16string Text(Candidate.size() + 1, u'\0');
		int32_t TextLength = 0;
		u_strFromUTF8(Text.data(), static_cast<int32_t>(Text.size()), &TextLength, Candidate.data(), InLength, &Status);
		if (U_FAILURE(Status))
		{
			return std::string();
		}
		Text.resize(TextLength);

		const UNormalizer2* Decompose = unorm2_getNFDInstance(&Status);
		if (U_FAILURE(Status))
		{
			return std::string();
		}
		// Canonical decomposition grows a UTF-16 string by at most a factor of four.
		std::u16string Decomposed(Text.size() * 4 + 1, u'\0');
		const int32_t DecomposedLength = unorm2_normalize(Decompose, Text.data(), TextLength,
			Decomposed.data(), static_cast<int32_t>(Decomposed.size()), &Status);
		if (U_FAILURE(Status))
		{
			return std::string();
		}

		// Full case folding expands a code unit to at most three.
		std::u16string Folded(static_cast<std::size_t>(DecomposedLength) * 3 + 1, u'\0');
		const int32_t FoldedLength = u_strFoldCase(Folded.data(), static_cast<int32_t>(Folded.size()),
			Decomposed.data(), DecomposedLength, U_FOLD_CASE_DEFAULT, &Status);
		if (U_FAILURE(Status))
		{
			return std::string();
		}

		std::string Result(static_cast<std::size_t>(FoldedLength) * 3 + 1, '\0');
		int32_t ResultLength = 0;
		u_strToUTF8(Result.data(), static_cast<int32_t>(Result.size()), &ResultLength, Folded.data(), FoldedLength, &Status);
		if (U_FAILURE(Status))
		{
			return std::string();
		}
		Result.resize(ResultLength);
		Result.resize(std::min(Result.size(), Result.find('\0')));
		return Result;
	}

	std::string Lower(std::string Text)
	{
		for (char& Byte : Text)
		{
			Byte = static_cast<char>(std::tolower(static_cast<unsigned char>(Byte)));
		}
		return Text;
	}

	bool Allowed(const std::string& Candidate)
	{
		static const std::set<std::string> Extensions = {
			".fbx", ".png", ".jpg", ".jpeg", ".tga", ".tif", ".tiff", ".exr", ".txt", ".json", ".md"
		};
		return Extensions.contains(Lower(std::filesystem::path(Candidate).extension().string()));
	}

	std::string StoredName(const Entry& Record)
	{
		return Record.directory ? Record.name + "/" : Record.name;
	}

	FRefusal AdmitName(const Entry& Record, std::map<std::string, std::string>& Folded)
	{
		if (const ECheck Fault = NameFault(Record.name); Fault != ECheck::None)
		{
			return Fault == ECheck::NameLength ? FRefusal(Fault, StoredName(Record), Record.name.size(), MaxNameLength)
				: FRefusal(Fault, StoredName(Record));
		}
		std::string Key = Fold(Record.name);
		if (Key.empty())
		{
			return {ECheck::NameEncoding, StoredName(Record)};
		}
		const auto [Taken, bNew] = Folded.try_emplace(std::move(Key), StoredName(Record));
		if (!bNew)
		{
			return {ECheck::NameTaken, StoredName(Record), 0, 0, Taken->second};
		}
		return {};
	}

	bool IsLicence(const Entry& Record)
	{
		return !Record.directory && Lower(std::filesystem::path(Record.name).filename().string()) == "license.txt";
	}

	FRefusal PathConflict(const std::vector<Entry>& Entries)
	{
		std::map<std::string, std::string> Files;
		for (const Entry& Record : Entries)
		{
			if (!Record.directory)
			{
				Files.emplace(Fold(Record.name), Record.name);
			}
		}
		for (const Entry& Record : Entries)
		{
			for (std::filesystem::path Ancestor = std::filesystem::path(Record.name).parent_path(); !Ancestor.empty();
				Ancestor = Ancestor.parent_path())
			{
				if (const auto File = Files.find(Fold(Ancestor.string())); File != Files.end())
				{
					return {ECheck::PathConflict, StoredName(Record), 0, 0, File->second};
				}
			}
		}
		return {};
	}
}
