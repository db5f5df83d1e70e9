#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Member contents that behave like a real package's, reproducible from a seed.
namespace KVAZip
{
	// Text that reads like an ASCII FBX file and deflates like one.
	std::string FbxLikeText(std::size_t Size, std::uint32_t Seed);
	// Bytes that do not compress, like a texture's.
	std::string RandomBytes(std::size_t Size, std::uint32_t Seed);
	// A real FBX model of the assimp test set (Debian's assimp-testmodels), by its path under the
	// set's FBX folder; empty when there is no such file.
	std::string TestModel(const std::string& Name);
	// A file the catalogue's asset script made (Service/Assets), by its path under that folder
	// ("Models/chair.fbx", "Previews/oak-chair.webp"); empty when there is no such file.
	std::string CatalogueAsset(const std::string& Path);
}
