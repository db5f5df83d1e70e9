#pragma once

#include "KestrovaService/Membership.h"

#include <string>
#include <vector>

namespace KVAService::Fixtures
{
	// The fixture catalogue: 30 products of every kind, packages made from the real FBX
	// models of the assimp test set, a licence file and texture-like members in each.
	std::vector<FProduct> MakeCatalogue();
	// A WebP preview tile for a product, made with libwebp.
	std::string PreviewWebP(const std::string& ProductId);
	std::string Sha256Hex(const std::string& Bytes);
}
