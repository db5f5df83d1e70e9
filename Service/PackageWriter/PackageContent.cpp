#include "PackageContent.h"

#include <fstream>
#include <iterator>
#include <random>

namespace KVAZip
{
	namespace
	{
		std::string Slurp(const std::string& Path)
		{
			std::ifstream In(Path, std::ios::binary);
			return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
		}
	}

	std::string TestModel(const std::string& Name)
	{
		return Slurp(std::string(KVA_FBX_MODELS) + "/" + Name);
	}

	std::string CatalogueAsset(const std::string& Path)
	{
		return Slurp(std::string(KVA_CATALOGUE_ASSETS) + "/" + Path);
	}

	std::string FbxLikeText(std::size_t Size, std::uint32_t Seed)
	{
		std::mt19937 Random(Seed);
		std::string Text = "; FBX 7.4.0 project file\nObjects:  {\n";
		while (Text.size() < Size)
		{
			Text += "\tVertices: *" + std::to_string(Random() % 9000) + " {\n\t\ta: ";
			for (int Index = 0; Index < 12; ++Index)
			{
				Text += std::to_string(static_cast<int>(Random() % 2000) - 1000) + "." + std::to_string(Random() % 1000) + ",";
			}
			Text += "\n\t}\n";
		}
		Text.resize(Size);
		return Text;
	}

	std::string RandomBytes(std::size_t Size, std::uint32_t Seed)
	{
		std::mt19937 Random(Seed);
		std::string Bytes(Size, '\0');
		for (char& Byte : Bytes)
		{
			Byte = static_cast<char>(Random() & 0xFF);
		}
		return Bytes;
	}
}
