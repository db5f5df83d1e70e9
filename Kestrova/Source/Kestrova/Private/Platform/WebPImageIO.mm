#include "HAL/Platform.h"

// Elsewhere libwebp decodes instead (WebPLibWebP.cpp).
#if PLATFORM_MAC

#include "Platform/WebPDecoder.h"

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CoreGraphics.h>
#include <ImageIO/ImageIO.h>

#include <memory>
#include <type_traits>

namespace KVAPlatform::WebPDecoder
{
	namespace
	{
		struct FReleaser
		{
			void operator()(const void* Object) const { CFRelease(Object); }
		};
		// Owns one Core Foundation object (Core Graphics and ImageIO objects are such objects).
		template <typename RefType>
		using TOwned = std::unique_ptr<std::remove_pointer_t<RefType>, FReleaser>;

		// An integer property of the image; 0 when it is absent or not a 32-bit integer.
		int32_t IntegerProperty(CFDictionaryRef Properties, CFStringRef Key)
		{
			int32_t Value = 0;
			const CFTypeRef Number = CFDictionaryGetValue(Properties, Key);
			if (Number == nullptr || CFGetTypeID(Number) != CFNumberGetTypeID() || !CFNumberGetValue(static_cast<CFNumberRef>(Number), kCFNumberSInt32Type, &Value))
			{
				return 0;
			}
			return Value;
		}
	}

	bool DecodePremultiplied(const std::vector<uint8_t>& Bytes, int32_t& Width, int32_t& Height, std::vector<uint8_t>& Pixels)
	{
		@autoreleasepool
		{
			// The bytes outlive every object made from them here, so they are not copied.
			const TOwned<CFDataRef> Data(CFDataCreateWithBytesNoCopy(kCFAllocatorDefault, Bytes.data(), static_cast<CFIndex>(Bytes.size()), kCFAllocatorNull));
			const TOwned<CGImageSourceRef> Source(Data ? CGImageSourceCreateWithData(Data.get(), nullptr) : nullptr);
			if (!Source || CGImageSourceGetCount(Source.get()) != 1)
			{
				return false;
			}
			const TOwned<CFDictionaryRef> Properties(CGImageSourceCopyPropertiesAtIndex(Source.get(), 0, nullptr));
			if (!Properties)
			{
				return false;
			}
			const int32_t PixelWidth = IntegerProperty(Properties.get(), kCGImagePropertyPixelWidth);
			const int32_t PixelHeight = IntegerProperty(Properties.get(), kCGImagePropertyPixelHeight);
			if (PixelWidth < 1 || PixelWidth > static_cast<int32_t>(MaxSide) || PixelHeight < 1 || PixelHeight > static_cast<int32_t>(MaxSide))
			{
				return false;
			}
			const TOwned<CGImageRef> Image(CGImageSourceCreateImageAtIndex(Source.get(), 0, nullptr));
			const TOwned<CGColorSpaceRef> ColourSpace(CGColorSpaceCreateWithName(kCGColorSpaceSRGB));
			if (!Image || !ColourSpace)
			{
				return false;
			}

			const size_t RowBytes = static_cast<size_t>(PixelWidth) * 4;
			Pixels.assign(RowBytes * static_cast<size_t>(PixelHeight), 0);
			// Premultiplied alpha first in a little-endian 32-bit word: blue, green, red, alpha in memory.
			const uint32_t BitmapInfo = static_cast<uint32_t>(kCGImageAlphaPremultipliedFirst) | static_cast<uint32_t>(kCGBitmapByteOrder32Little);
			const TOwned<CGContextRef> Context(CGBitmapContextCreate(Pixels.data(), static_cast<size_t>(PixelWidth), static_cast<size_t>(PixelHeight), 8, RowBytes, ColourSpace.get(), BitmapInfo));
			if (!Context)
			{
				return false;
			}
			// Scaled to the declared size should the decoded image differ from it.
			CGContextDrawImage(Context.get(), CGRectMake(0, 0, PixelWidth, PixelHeight), Image.get());
			Width = PixelWidth;
			Height = PixelHeight;
			return true;
		}
	}
}

#endif
