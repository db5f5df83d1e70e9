#include "Fixtures.h"

#include "Encoding.h"

#include "PackageContent.h"
#include "ZipWriter.h"

#include <webp/encode.h>

#include <cstdio>
#include <sstream>

namespace KVAService::Fixtures
{
	namespace
	{
		struct FEntry
		{
			const char* Title;
			const char* Kind;
			std::vector<const char*> Models;
		};

		FPackage MakePackage(const std::string& PackageId, const std::string& Title, const std::vector<const char*>& Models, uint32_t Seed)
		{
			KVAZip::FBuilder Builder;
			Builder.AddFolder("models");
			for (const char* Model : Models)
			{
				std::string Name = Model;
				Builder.Add("models/" + Name, KVAZip::TestModel(Name), KVAZip::Deflated);
			}
			Builder.Add("textures/albedo.png", KVAZip::RandomBytes(4096, Seed), KVAZip::Stored);
			Builder.Add("license.txt", "Kestrova member licence for \"" + Title + "\".\nUse in your own projects; do not resell the files.\n", KVAZip::Deflated);
			Builder.Add("readme.md", "# " + Title + "\n\nImported from the Kestrova library.\n", KVAZip::Deflated);

			FPackage Package;
			Package.PackageId = PackageId;
			Package.Filename = PackageId + ".zip";
			Package.Formats = { "fbx", "png" };
			KVAZip::FLayout Layout = Builder.Layout();
			Package.Bytes = Layout.Serialize();
			Package.Sha256 = Encoding::Hex(Encoding::Sha256(Package.Bytes));
			return Package;
		}
	}

	static std::vector<FProduct> MakeCatalogue()
	{
		const std::vector<FEntry> Entries = {
			{ "Oak Chair", "asset", { "box.fbx" } },
			{ "Garden Spider", "asset", { "spider.fbx" } },
			{ "Workshop Crates \xE2\x80\x94 Set of Three", "collection", { "cubes_with_names.fbx", "phong_cube.fbx", "maxPbrMaterial_metalRough.fbx" } },
			{ "Courtyard Scene", "scene", { "global_settings.fbx" } },
			{ "Harbour Scenes", "scene_collection", { "close_to_identity_transforms.fbx", "cubes_nonames.fbx" } },
			{ "Island World", "world", { "huesitos.fbx" } },
			{ "Starter Bundle", "bundle", { "box.fbx", "phong_cube.fbx" } },
			{ "Glass Vase", "asset", { "transparentTest.fbx" } },
			{ "Metal Cube", "asset", { "maxPbrMaterial_metalRough.fbx" } },
			{ "Gloss Cube", "asset", { "maxPbrMaterial_specGloss.fbx" } },
			{ "Mirror Blocks", "asset", { "cubes_with_mirroring_and_pivot.fbx" } },
			{ "Phong Cube", "asset", { "phong_cube.fbx" } },
		};

		std::vector<FProduct> Products;
		for (int Index = 0; Index < 30; ++Index)
		{
			const FEntry& Entry = Entries[size_t(Index) % Entries.size()];
			char Id[32];
			std::snprintf(Id, sizeof(Id), "%03d", Index + 1);
			FProduct Product;
			Product.ProductId = std::string("kp-") + Id;
			Product.Title = Entry.Title;
			if (Index >= int(Entries.size()))
			{
				Product.Title += " " + std::to_string(Index / int(Entries.size()) + 1);
			}
			Product.Kind = Entry.Kind;
			Product.SelectionId = std::string("sel-") + Id;
			// Every fourth product was bought outright; the rest come with the membership.
			Product.Source = Index % 4 == 3 ? "purchase" : "membership";
			Product.bInLibrary = Index % 3 == 0 || Product.Source == "purchase";
			Product.bNeedsConsent = Index == 1;
			Product.Packages.push_back(MakePackage(std::string("pkg-") + Id, Product.Title, Entry.Models, uint32_t(Index)));
			// The bundle also comes as a second, lighter package.
			if (std::string(Entry.Kind) == "bundle")
			{
				Product.Packages.push_back(MakePackage(std::string("pkg-") + Id + "-lite", Product.Title + " (lite)", { "box.fbx" }, uint32_t(Index + 100)));
			}
			Products.push_back(std::move(Product));
		}
		return Products;
	}

	static std::string PreviewWebP(const std::string& ProductId)
	{
		// A tile with a diagonal band, tinted per product so that previews tell apart.
		constexpr int Size = 96;
		uint32_t Hash = 2166136261u;
		for (char Char : ProductId)
		{
			Hash = (Hash ^ uint8_t(Char)) * 16777619u;
		}
		std::vector<uint8_t> Pixels(size_t(Size) * Size * 4);
		for (int Y = 0; Y < Size; ++Y)
		{
			for (int X = 0; X < Size; ++X)
			{
				uint8_t* Pixel = &Pixels[(size_t(Y) * Size + X) * 4];
				const bool bBand = std::abs(X - Y) < 14;
				Pixel[0] = bBand ? 240 : uint8_t(40 + (Hash & 0x7F));
				Pixel[1] = bBand ? 236 : uint8_t(60 + ((Hash >> 8) & 0x7F));
				Pixel[2] = bBand ? 228 : uint8_t(80 + ((Hash >> 16) & 0x7F));
				Pixel[3] = 255;
			}
		}
		uint8_t* Output = nullptr;
		const size_t Length = WebPEncodeRGBA(Pixels.data(), Size, Size, Size * 4, 80.0f, &Output);
		std::string Bytes(reinterpret_cast<const char*>(Output), Length);
		WebPFree(Output);
		return Bytes;
	}

	const std::vector<FProduct>& Catalogue()
	{
		static const std::vector<FProduct> Products = MakeCatalogue();
		return Products;
	}

	const std::map<std::string, std::string>& Previews()
	{
		static const std::map<std::string, std::string> Tiles = []
		{
			std::map<std::string, std::string> Made;
			for (const FProduct& Product : Catalogue())
			{
				Made[Product.ProductId] = PreviewWebP(Product.ProductId);
			}
			return Made;
		}();
		return Tiles;
	}
}
