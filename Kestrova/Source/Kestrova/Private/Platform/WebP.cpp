#include "Platform/WebP.h"

#include "Platform/WebPDecoder.h"

#include <algorithm>
#include <cstring>

namespace KVAPlatform
{
	namespace
	{
		constexpr size_t MinBytes = 30;
		constexpr size_t MaxBytes = 2 * 1024 * 1024;

		uint32_t ReadLittle32(const uint8_t* Bytes)
		{
			return static_cast<uint32_t>(Bytes[0]) | (static_cast<uint32_t>(Bytes[1]) << 8) | (static_cast<uint32_t>(Bytes[2]) << 16) | (static_cast<uint32_t>(Bytes[3]) << 24);
		}

		// A RIFF WebP whose size field covers exactly the rest of the file: nothing appended,
		// nothing cut off, and no other RIFF form (such as a WAVE sound).
		bool IsPlainContainer(const std::vector<uint8_t>& Bytes)
		{
			return Bytes.size() >= MinBytes && Bytes.size() <= MaxBytes
				&& std::memcmp(Bytes.data(), "RIFF", 4) == 0
				&& std::memcmp(Bytes.data() + 8, "WEBP", 4) == 0
				&& ReadLittle32(Bytes.data() + 4) == Bytes.size() - 8;
		}

		// Premultiplied to straight alpha, rounding to nearest; opaque and fully transparent
		// pixels are left as decoded.
		void Unpremultiply(std::vector<uint8_t>& Pixels)
		{
			for (size_t Index = 0; Index + 3 < Pixels.size(); Index += 4)
			{
				const uint32_t Alpha = Pixels[Index + 3];
				if (Alpha == 0 || Alpha == 255)
				{
					continue;
				}
				for (size_t Channel = 0; Channel < 3; ++Channel)
				{
					const uint32_t Colour = Pixels[Index + Channel];
					Pixels[Index + Channel] = static_cast<uint8_t>(std::min<uint32_t>(255, (Colour * 255 + Alpha / 2) / Alpha));
				}
			}
		}
	}

	bool DecodeWebP(const std::vector<uint8_t>& Bytes, int32_t& Width, int32_t& Height, std::vector<uint8_t>& Pixels)
	{
		if (!IsPlainContainer(Bytes) || !WebPDecoder::DecodePremultiplied(Bytes, Width, Height, Pixels))
		{
			return false;
		}
		Unpremultiply(Pixels);
		return true;
	}
}
