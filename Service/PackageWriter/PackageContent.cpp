#include "PackageContent.h"

#include <fstream>
#include <iterator>
#include <random>

namespace KVAZip
{
	std::string TestModel(const std::string& Name)
	{
		std::ifstream In(std::string(KVA_FBX_MODELS) + "/" + Name, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
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
