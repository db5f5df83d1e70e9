// Any byte string: the decoder never crashes, and an accepted image has the promised shape.
#include "Platform/WebP.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	const std::vector<uint8_t> Bytes(Data, Data + Size);
	int32_t Width = 0;
	int32_t Height = 0;
	std::vector<uint8_t> Pixels;
	if (KVAPlatform::DecodeWebP(Bytes, Width, Height, Pixels))
	{
		if (Width < 1 || Width > 512 || Height < 1 || Height > 512 || Pixels.size() != static_cast<size_t>(Width) * Height * 4)
		{
			std::abort();
		}
	}
	return 0;
}
