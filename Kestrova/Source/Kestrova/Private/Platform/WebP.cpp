#include "Platform/WebP.h"

#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace KVAPlatform
{
	namespace
	{
		constexpr size_t MinBytes = 30;
		constexpr size_t MaxBytes = 2 * 1024 * 1024;
		constexpr uint32_t MaxSide = 512;

		struct FDemuxDeleter
		{
			void operator()(WebPDemuxer* Demuxer) const { WebPDemuxDelete(Demuxer); }
		};
		struct FAnimDecoderDeleter
		{
			void operator()(WebPAnimDecoder* Decoder) const { WebPAnimDecoderDelete(Decoder); }
		};

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
		if (!IsPlainContainer(Bytes))
		{
			return false;
		}
		const WebPData Data { Bytes.data(), Bytes.size() };
		const std::unique_ptr<WebPDemuxer, FDemuxDeleter> Demuxer(WebPDemux(&Data));
		if (!Demuxer || WebPDemuxGetI(Demuxer.get(), WEBP_FF_FRAME_COUNT) != 1)
		{
			return false;
		}
		const uint32_t CanvasWidth = WebPDemuxGetI(Demuxer.get(), WEBP_FF_CANVAS_WIDTH);
		const uint32_t CanvasHeight = WebPDemuxGetI(Demuxer.get(), WEBP_FF_CANVAS_HEIGHT);
		if (CanvasWidth < 1 || CanvasWidth > MaxSide || CanvasHeight < 1 || CanvasHeight > MaxSide)
		{
			return false;
		}

		WebPAnimDecoderOptions Options;
		if (!WebPAnimDecoderOptionsInit(&Options))
		{
			return false;
		}
		Options.color_mode = MODE_bgrA;
		Options.use_threads = 0;
		const std::unique_ptr<WebPAnimDecoder, FAnimDecoderDeleter> Decoder(WebPAnimDecoderNew(&Data, &Options));
		WebPAnimInfo Info;
		if (!Decoder || !WebPAnimDecoderGetInfo(Decoder.get(), &Info) || Info.canvas_width != CanvasWidth || Info.canvas_height != CanvasHeight)
		{
			return false;
		}
		uint8_t* Canvas = nullptr;
		int Timestamp = 0;
		if (!WebPAnimDecoderGetNext(Decoder.get(), &Canvas, &Timestamp) || !Canvas)
		{
			return false;
		}

		const size_t Size = static_cast<size_t>(CanvasWidth) * CanvasHeight * 4;
		Pixels.assign(Canvas, Canvas + Size);
		Unpremultiply(Pixels);
		Width = static_cast<int32_t>(CanvasWidth);
		Height = static_cast<int32_t>(CanvasHeight);
		return true;
	}
}
