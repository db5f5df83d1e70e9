#include "Fixtures.h"

#include "Encoding.h"

#include "PackageContent.h"
#include "ZipWriter.h"

#include <webp/decode.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace KVAService::Fixtures
{
	namespace
	{
		struct FEntry
		{
			const char* Title;
			const char* Kind;
			// The preview's file under the catalogue's assets, without ".webp".
			const char* Preview;
			std::vector<const char*> Models;
		};

		// A committed file of the catalogue's assets; a missing one is a broken checkout, which no
		// fixture may paper over with an empty model or preview.
		std::string Asset(const std::string& Path)
		{
			std::string Bytes = KVAZip::CatalogueAsset(Path);
			if (Bytes.empty())
			{
				std::fprintf(stderr, "kestrova-service: the catalogue's asset %s is missing (Service/Assets/make-assets makes it)\n", Path.c_str());
				std::abort();
			}
			return Bytes;
		}

		FPackage MakePackage(const std::string& PackageId, const std::string& Title, const std::vector<const char*>& Models, uint32_t Seed)
		{
			KVAZip::FBuilder Builder;
			Builder.AddFolder("models");
			for (const char* Model : Models)
			{
				const std::string Name = std::string(Model) + ".fbx";
				Builder.Add("models/" + Name, Asset("Models/" + Name), KVAZip::Deflated);
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

		const std::vector<FEntry>& Entries()
		{
			static const std::vector<FEntry> Made = {
				{ "Oak Chair", "asset", "oak-chair", { "chair" } },
				{ "Garden Spider", "asset", "garden-spider", { "spider" } },
				{ "Workshop Crates \xE2\x80\x94 Set of Three", "collection", "workshop-crates", { "crate_large", "crate_medium", "crate_small" } },
				{ "Courtyard Scene", "scene", "courtyard-scene", { "courtyard" } },
				{ "Harbour Scenes", "scene_collection", "harbour-scenes", { "harbour_pier", "harbour_boats" } },
				{ "Island World", "world", "island-world", { "island" } },
				{ "Starter Bundle", "bundle", "starter-bundle", { "chair", "crate_small", "cube" } },
				{ "Glass Vase", "asset", "glass-vase", { "vase" } },
				{ "Metal Cube", "asset", "metal-cube", { "metal_cube" } },
				{ "Gloss Cube", "asset", "gloss-cube", { "gloss_cube" } },
				{ "Mirror Blocks", "asset", "mirror-blocks", { "mirror_blocks" } },
				{ "Phong Cube", "asset", "phong-cube", { "cube" } },
			};
			return Made;
		}
	}

	static std::vector<FProduct> MakeCatalogue()
	{
		const std::vector<FEntry>& Entries = Fixtures::Entries();
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
				Product.Packages.push_back(MakePackage(std::string("pkg-") + Id + "-lite", Product.Title + " (lite)", { "cube" }, uint32_t(Index + 100)));
			}
			Products.push_back(std::move(Product));
		}
		return Products;
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
			const std::vector<FEntry>& Entries = Fixtures::Entries();
			for (size_t Index = 0; Index < Catalogue().size(); ++Index)
			{
				const std::string Bytes = Asset(std::string("Previews/") + Entries[Index % Entries.size()].Preview + ".webp");
				int Width = 0;
				int Height = 0;
				if (!WebPGetInfo(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size(), &Width, &Height) || Width != FixturePreviewSize || Height != FixturePreviewSize)
				{
					std::fprintf(stderr, "kestrova-service: the preview of %s is not a %d-pixel square WebP image\n", Catalogue()[Index].ProductId.c_str(), FixturePreviewSize);
					std::abort();
				}
				Made[Catalogue()[Index].ProductId] = Bytes;
			}
			return Made;
		}();
		return Tiles;
	}
}
