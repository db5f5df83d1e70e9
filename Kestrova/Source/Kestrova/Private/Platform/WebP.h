#pragma once

#include <cstdint>
#include <vector>

namespace KVAPlatform
{
	// Decodes a plain, single-image WebP file of at most 512 x 512 pixels (and 2 MiB) into
	// straight-alpha BGRA rows, top to bottom, stride Width * 4. The container is checked
	// before any decoder sees the bytes. On false nothing is promised about the outputs.
	bool DecodeWebP(const std::vector<uint8_t>& Bytes, int32_t& Width, int32_t& Height, std::vector<uint8_t>& Pixels);
}
