#include "Misc/FileHelper.h"

#include "Containers/StringConv.h"

#include <fstream>
#include <iterator>

namespace
{
	std::string ToNative(const TCHAR* Filename)
	{
		return FTCHARToUTF8(Filename).Get();
	}
}

bool FFileHelper::LoadFileToArray(TArray<uint8>& Result, const TCHAR* Filename, uint32)
{
	std::ifstream Stream(ToNative(Filename), std::ios::binary);
	if (!Stream)
	{
		return false;
	}
	Stream.seekg(0, std::ios::end);
	const std::streamoff Size = Stream.tellg();
	if (Size < 0 || Size > 0x7fffffff)
	{
		return false;
	}
	Stream.seekg(0, std::ios::beg);
	Result.SetNumUninitialized(int32(Size));
	Stream.read(reinterpret_cast<char*>(Result.GetData()), Size);
	return bool(Stream) || Size == 0;
}

bool FFileHelper::LoadFileToString(FString& Result, const TCHAR* Filename)
{
	TArray<uint8> Bytes;
	if (!LoadFileToArray(Bytes, Filename))
	{
		return false;
	}
	BufferToString(Result, Bytes.GetData(), Bytes.Num());
	return true;
}

bool FFileHelper::SaveArrayToFile(const TArray<uint8>& Array, const TCHAR* Filename)
{
	std::ofstream Stream(ToNative(Filename), std::ios::binary | std::ios::trunc);
	Stream.write(reinterpret_cast<const char*>(Array.GetData()), Array.Num());
	Stream.close();
	return bool(Stream);
}

bool FFileHelper::SaveStringToFile(const FString& String, const TCHAR* Filename, EEncodingOptions EncodingOptions)
{
	bool bPlain = true;
	for (TCHAR Char : String)
	{
		bPlain = bPlain && Char < 0x80;
	}
	TArray<uint8> Bytes;
	if (EncodingOptions == EEncodingOptions::ForceUnicode || (EncodingOptions == EEncodingOptions::AutoDetect && !bPlain))
	{
		// UTF-16 little-endian with its byte-order mark, as the engine writes non-ANSI text.
		Bytes.Add(0xFF);
		Bytes.Add(0xFE);
		for (TCHAR Char : String)
		{
			Bytes.Add(uint8(Char & 0xFF));
			Bytes.Add(uint8(Char >> 8));
		}
	}
	else
	{
		if (EncodingOptions == EEncodingOptions::ForceUTF8)
		{
			Bytes.Append(reinterpret_cast<const uint8*>("\xEF\xBB\xBF"), 3);
		}
		const FTCHARToUTF8 Utf8(*String, String.Len());
		Bytes.Append(reinterpret_cast<const uint8*>(Utf8.Get()), Utf8.Length());
	}
	return SaveArrayToFile(Bytes, Filename);
}

void FFileHelper::BufferToString(FString& Result, const uint8* Buffer, int32 Size)
{
	if (Size >= 2 && !(Size & 1) && Buffer[0] == 0xFF && Buffer[1] == 0xFE)
	{
		std::u16string Text;
		for (int32 Index = 2; Index + 1 < Size; Index += 2)
		{
			Text += char16_t(Buffer[Index] | (Buffer[Index + 1] << 8));
		}
		Result = FString(std::move(Text));
		return;
	}
	if (Size >= 2 && !(Size & 1) && Buffer[0] == 0xFE && Buffer[1] == 0xFF)
	{
		std::u16string Text;
		for (int32 Index = 2; Index + 1 < Size; Index += 2)
		{
			Text += char16_t((Buffer[Index] << 8) | Buffer[Index + 1]);
		}
		Result = FString(std::move(Text));
		return;
	}
	if (Size >= 3 && Buffer[0] == 0xEF && Buffer[1] == 0xBB && Buffer[2] == 0xBF)
	{
		Buffer += 3;
		Size -= 3;
	}
	// Text stops at the first NUL, as the engine's conversion of a byte buffer does.
	int32 Length = 0;
	while (Length < Size && Buffer[Length] != 0)
	{
		++Length;
	}
	Result = FString(UE::String::Private::Utf8ToUtf16(reinterpret_cast<const ANSICHAR*>(Buffer), Length));
}
