#pragma once

#include <cstdint>
#include <vector>

namespace KVAPlatform::WebPDecoder
{
	constexpr uint32_t MaxSide = 512;

	// The platform's own decoder, given bytes whose container has been checked: false unless
	// they hold exactly one image whose width and height are each 1 to MaxSide. On true, Pixels
	// holds Width * Height premultiplied BGRA pixels, rows top to bottom, stride Width * 4.
	bool DecodePremultiplied(const std::vector<uint8_t>& Bytes, int32_t& Width, int32_t& Height, std::vector<uint8_t>& Pixels);
}
