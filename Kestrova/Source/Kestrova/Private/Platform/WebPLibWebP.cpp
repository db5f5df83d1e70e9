#include "HAL/Platform.h"

// On a Mac, ImageIO decodes instead (WebPImageIO.mm).
#if !PLATFORM_MAC

#include "Platform/WebPDecoder.h"

#include <webp/demux.h>

#include <memory>

namespace KVAPlatform::WebPDecoder
{
	namespace
	{
		struct FDemuxDeleter
		{
			void operator()(WebPDemuxer* Demuxer) const { WebPDemuxDelete(Demuxer); }
		};
		struct FAnimDecoderDeleter
		{
			void operator()(WebPAnimDecoder* Decoder) const { WebPAnimDecoderDelete(Decoder); }
		};
	}

	bool DecodePremultiplied(const std::vector<uint8_t>& Bytes, int32_t& Width, int32_t& Height, std::vector<uint8_t>& Pixels)
	{
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

		Pixels.assign(Canvas, Canvas + static_cast<size_t>(CanvasWidth) * CanvasHeight * 4);
		Width = static_cast<int32_t>(CanvasWidth);
		Height = static_cast<int32_t>(CanvasHeight);
		return true;
	}
}

#endif
