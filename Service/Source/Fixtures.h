#pragma once

#include "KestrovaService/Membership.h"

#include <map>
#include <string>
#include <vector>

namespace KVAService::Fixtures
{
	// The fixture catalogue: 30 products of every kind, packages holding the models each title
	// promises (made for the catalogue with Blender, Service/Assets), a licence file and a
	// texture-like member. Made once per process and never changed, so every service instance
	// shares it.
	const std::vector<FProduct>& Catalogue();
	// A WebP preview per product id, rendered from its package's models; read once per process.
	const std::map<std::string, std::string>& Previews();
}
