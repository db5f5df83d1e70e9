#pragma once

#include "KestrovaService/Membership.h"

#include <map>
#include <string>
#include <vector>

namespace KVAService::Fixtures
{
	// The fixture catalogue: 30 products of every kind, packages made from the real FBX
	// models of the assimp test set, a licence file and texture-like members in each. Made
	// once per process and never changed, so every service instance shares it.
	const std::vector<FProduct>& Catalogue();
	// A WebP preview tile per product id, made with libwebp; made once per process.
	const std::map<std::string, std::string>& Previews();
}
