#include "Platform/WebP.h"

#include <gtest/gtest.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <cstring>
#include <string>

namespace
{
	using FBytes = std::vector<uint8_t>;

	// Straight-alpha BGRA pixels: a base colour with a few chosen pixels.
	FBytes Canvas(int Width, int Height, uint8_t B, uint8_t G, uint8_t R, uint8_t A)
	{
		FBytes Pixels(static_cast<size_t>(Width) * Height * 4);
		for (size_t Index = 0; Index < Pixels.size(); Index += 4)
		{
			Pixels[Index] = B;
			Pixels[Index + 1] = G;
			Pixels[Index + 2] = R;
			Pixels[Index + 3] = A;
		}
		return Pixels;
	}

	FBytes Take(uint8_t* Output, size_t Size)
	{
		FBytes Bytes(Output, Output + Size);
		WebPFree(Output);
		return Bytes;
	}

	FBytes Lossless(const FBytes& Pixels, int Width, int Height)
	{
		uint8_t* Output = nullptr;
		const size_t Size = WebPEncodeLosslessBGRA(Pixels.data(), Width, Height, Width * 4, &Output);
		return Take(Output, Size);
	}

	FBytes Lossy(const FBytes& Pixels, int Width, int Height)
	{
		uint8_t* Output = nullptr;
		const size_t Size = WebPEncodeBGRA(Pixels.data(), Width, Height, Width * 4, 90.0f, &Output);
		return Take(Output, Size);
	}

	FBytes Animated(int Frames, int Width, int Height)
	{
		WebPAnimEncoderOptions Options;
		WebPAnimEncoderOptionsInit(&Options);
		WebPAnimEncoder* Encoder = WebPAnimEncoderNew(Width, Height, &Options);
		WebPConfig Config;
		WebPConfigInit(&Config);
		Config.lossless = 1;
		for (int Frame = 0; Frame < Frames; ++Frame)
		{
			const FBytes Pixels = Canvas(Width, Height, static_cast<uint8_t>(Frame * 100), 50, 200, 255);
			WebPPicture Picture;
			WebPPictureInit(&Picture);
			Picture.use_argb = 1;
			Picture.width = Width;
			Picture.height = Height;
			WebPPictureImportBGRA(&Picture, Pixels.data(), Width * 4);
			WebPAnimEncoderAdd(Encoder, &Picture, Frame * 100, &Config);
			WebPPictureFree(&Picture);
		}
		WebPAnimEncoderAdd(Encoder, nullptr, Frames * 100, nullptr);
		WebPData Data;
		WebPDataInit(&Data);
		WebPAnimEncoderAssemble(Encoder, &Data);
		FBytes Bytes(Data.bytes, Data.bytes + Data.size);
		WebPDataClear(&Data);
		WebPAnimEncoderDelete(Encoder);
		return Bytes;
	}

	void SetRiffSize(FBytes& Bytes, uint32_t Size)
	{
		for (int Index = 0; Index < 4; ++Index)
		{
			Bytes[4 + Index] = static_cast<uint8_t>(Size >> (8 * Index));
		}
	}

	// Adds an unknown chunk inside the RIFF, keeping the size field honest.
	FBytes Padded(FBytes Bytes, size_t Total)
	{
		const size_t Payload = Total - Bytes.size() - 8;
		const uint8_t Header[8] = { 'J', 'U', 'N', 'K', static_cast<uint8_t>(Payload), static_cast<uint8_t>(Payload >> 8), static_cast<uint8_t>(Payload >> 16), static_cast<uint8_t>(Payload >> 24) };
		Bytes.insert(Bytes.end(), Header, Header + 8);
		Bytes.resize(Total, 0);
		SetRiffSize(Bytes, static_cast<uint32_t>(Bytes.size() - 8));
		return Bytes;
	}

	FBytes FromText(const std::string& Text)
	{
		return FBytes(Text.begin(), Text.end());
	}
}

TEST(WebP, AcceptsOnlyPlainSingleSmallImages)
{
	const FBytes Small = Lossless(Canvas(16, 8, 10, 20, 30, 255), 16, 8);
	FBytes Appended = Small;
	Appended.push_back(0);
	const FBytes Truncated(Small.begin(), Small.end() - 1);
	FBytes Lying = Small;
	SetRiffSize(Lying, static_cast<uint32_t>(Small.size()));
	FBytes ZeroWide = Lossy(Canvas(16, 8, 0, 0, 255, 255), 16, 8);
	// The VP8 frame header keeps the width (14 bits) at offset 26 of a simple lossy file.
	ASSERT_EQ(std::memcmp(ZeroWide.data() + 12, "VP8 ", 4), 0);
	ZeroWide[26] = 0;
	ZeroWide[27] &= 0xC0;

	FBytes Png = FromText(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0\x1f\xf3\xff\x61", 33));
	FBytes Wave = FromText(std::string("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data\0\0\0\0", 44));

	struct FCase
	{
		const char* Name;
		FBytes Bytes;
		bool bAccepted;
		int32_t Width;
		int32_t Height;
	};
	const FCase Cases[] = {
		{ "lossless", Small, true, 16, 8 },
		{ "lossy", Lossy(Canvas(33, 17, 0, 0, 255, 255), 33, 17), true, 33, 17 },
		{ "lossy with alpha", Lossy(Canvas(20, 20, 0, 0, 255, 100), 20, 20), true, 20, 20 },
		{ "512 x 512", Lossless(Canvas(512, 512, 1, 2, 3, 255), 512, 512), true, 512, 512 },
		{ "1 x 1", Lossless(Canvas(1, 1, 1, 2, 3, 255), 1, 1), true, 1, 1 },
		{ "513 x 10", Lossless(Canvas(513, 10, 1, 2, 3, 255), 513, 10), false, 0, 0 },
		{ "10 x 513", Lossless(Canvas(10, 513, 1, 2, 3, 255), 10, 513), false, 0, 0 },
		{ "zero width", ZeroWide, false, 0, 0 },
		{ "animated, two frames", Animated(2, 16, 16), false, 0, 0 },
		{ "one byte appended", Appended, false, 0, 0 },
		{ "one byte missing", Truncated, false, 0, 0 },
		{ "RIFF size too large", Lying, false, 0, 0 },
		{ "PNG", Png, false, 0, 0 },
		{ "WAVE", Wave, false, 0, 0 },
		{ "29 bytes", FBytes(Small.begin(), Small.begin() + 29), false, 0, 0 },
		{ "exactly 2 MiB", Padded(Small, 2 * 1024 * 1024), true, 16, 8 },
		{ "2 MiB and one byte", Padded(Small, 2 * 1024 * 1024 + 1), false, 0, 0 },
		{ "empty", FBytes(), false, 0, 0 },
	};
	for (const FCase& Case : Cases)
	{
		int32_t Width = -1;
		int32_t Height = -1;
		FBytes Pixels;
		EXPECT_EQ(KVAPlatform::DecodeWebP(Case.Bytes, Width, Height, Pixels), Case.bAccepted) << Case.Name;
		if (Case.bAccepted)
		{
			EXPECT_EQ(Width, Case.Width) << Case.Name;
			EXPECT_EQ(Height, Case.Height) << Case.Name;
			EXPECT_EQ(Pixels.size(), static_cast<size_t>(Width) * Height * 4) << Case.Name;
		}
	}
}

TEST(WebP, PixelsAreStraightAlphaBgraRoundedByTheIntegerRule)
{
	// Lossless keeps these values exactly, so the result shows the decoder's own arithmetic.
	FBytes Pixels = Canvas(4, 2, 0, 0, 0, 0);
	const uint8_t Chosen[8][4] = {
		{ 255, 0, 0, 255 },     // opaque blue: byte order is B, G, R, A
		{ 0, 0, 128, 128 },     // premultiplied red 64 at alpha 128 becomes (64 * 255 + 64) / 128 = 128
		{ 0, 0, 255, 1 },       // premultiplied 1 at alpha 1: 255
		{ 100, 0, 255, 51 },    // premultiplied 20 and 51 at alpha 51: back to 100 and 255
		{ 0, 0, 0, 0 },         // fully transparent stays zero
		{ 90, 90, 90, 255 },
		{ 0, 255, 0, 3 },
		{ 40, 50, 60, 200 },
	};
	std::memcpy(Pixels.data(), Chosen, sizeof(Chosen));
	const FBytes Encoded = Lossless(Pixels, 4, 2);

	int32_t Width = 0;
	int32_t Height = 0;
	FBytes Decoded;
	ASSERT_TRUE(KVAPlatform::DecodeWebP(Encoded, Width, Height, Decoded));
	ASSERT_EQ(Decoded.size(), 32u);
	const uint8_t Expected[8][4] = {
		{ 255, 0, 0, 255 },
		{ 0, 0, 128, 128 },
		{ 0, 0, 255, 1 },
		{ 100, 0, 255, 51 },
		{ 0, 0, 0, 0 },
		{ 90, 90, 90, 255 },
		{ 0, 255, 0, 3 },
		{ 40, 50, 60, 200 },
	};
	for (int Pixel = 0; Pixel < 8; ++Pixel)
	{
		for (int Channel = 0; Channel < 4; ++Channel)
		{
			EXPECT_EQ(Decoded[Pixel * 4 + Channel], Expected[Pixel][Channel]) << "pixel " << Pixel << " channel " << Channel;
		}
	}
}

TEST(WebP, LossyColoursSurviveWithinTheCodecError)
{
	const FBytes Encoded = Lossy(Canvas(32, 32, 40, 120, 220, 255), 32, 32);
	int32_t Width = 0;
	int32_t Height = 0;
	FBytes Decoded;
	ASSERT_TRUE(KVAPlatform::DecodeWebP(Encoded, Width, Height, Decoded));
	const uint8_t Expected[4] = { 40, 120, 220, 255 };
	for (int Channel = 0; Channel < 4; ++Channel)
	{
		EXPECT_NEAR(Decoded[(16 * 32 + 16) * 4 + Channel], Expected[Channel], 6) << Channel;
	}
}
