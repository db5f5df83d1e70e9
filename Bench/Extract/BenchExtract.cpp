// bench-extract make PACKAGE MIB   writes a package of about MIB MiB uncompressed: FBX-like
//                                  text members deflated, texture-like random members stored
// bench-extract extract PACKAGE DEST   extracts it with KVASafe::Extract
// bench-extract idle                   does nothing (the baseline for peak memory)
// Every mode ends with one line "peak_rss_kib N".

#include "Package/SafeZip.h"
#include "PackageContent.h"
#include "ZipWriter.h"

#include <fstream>
#include <iostream>

#include <sys/resource.h>

namespace
{
	constexpr std::size_t MemberSize = 8 << 20;
	constexpr int DistinctBlocks = 4;

	void Make(const std::filesystem::path& Package, std::size_t TotalMiB)
	{
		// A few distinct blocks, compressed once, stand in for every member: extraction still
		// inflates, checks and writes each member in full.
		std::vector<std::pair<std::string, std::string>> Text;
		std::vector<std::string> Random;
		for (int Index = 0; Index < DistinctBlocks; ++Index)
		{
			std::string Block = KVAZip::FbxLikeText(MemberSize, 100 + Index);
			std::string Compressed = KVAZip::Deflate(Block);
			Text.emplace_back(std::move(Block), std::move(Compressed));
			Random.push_back(KVAZip::RandomBytes(MemberSize, 200 + Index));
		}
		KVAZip::FBuilder Builder;
		Builder.Add("license.txt", "Licensed to the member.\n");
		const std::size_t Members = std::max<std::size_t>(2, (TotalMiB << 20) / MemberSize);
		for (std::size_t Index = 0; Index < Members; ++Index)
		{
			// Three text members to two textures, about as a typical asset has them.
			if (Index % 5 < 3)
			{
				const auto& [Data, Compressed] = Text[Index % DistinctBlocks];
				Builder.Add("models/part" + std::to_string(Index) + ".fbx", Data, KVAZip::Deflated).Payload = Compressed;
			}
			else
			{
				Builder.Add("textures/map" + std::to_string(Index) + ".png", Random[Index % DistinctBlocks]);
			}
		}
		const std::string Bytes = Builder.Layout().Serialize();
		std::ofstream(Package, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
	}

	long PeakRssKiB()
	{
		rusage Usage{};
		getrusage(RUSAGE_SELF, &Usage);
		return Usage.ru_maxrss;
	}
}

int main(int ArgumentCount, char** Arguments)
{
	const std::vector<std::string> Words(Arguments + 1, Arguments + ArgumentCount);
	int Status = 0;
	if (Words.size() == 3 && Words[0] == "make")
	{
		Make(Words[1], std::stoul(Words[2]));
	}
	else if (Words.size() == 3 && Words[0] == "extract")
	{
		const std::atomic<bool> bCancel{false};
		std::vector<std::string> Models;
		std::string Error;
		if (!KVASafe::Extract(Words[1], Words[2], bCancel, Models, Error))
		{
			std::cerr << Error << '\n';
			Status = 1;
		}
	}
	else if (!(Words.size() == 1 && Words[0] == "idle"))
	{
		std::cerr << "usage: bench-extract make PACKAGE MIB | extract PACKAGE DEST | idle\n";
		return 2;
	}
	std::cout << "peak_rss_kib " << PeakRssKiB() << '\n';
	return Status;
}
