#pragma once

#include "CoreMinimal.h"

#include <string>

// The editor's text and the byte strings of the platform layer meet here.
namespace KVAText
{
	inline std::string Utf8(const FString& Text)
	{
		const FTCHARToUTF8 Converted(*Text, Text.Len());
		return std::string(Converted.Get(), SIZE_T(Converted.Length()));
	}

	inline FString FromUtf8(const std::string& Bytes)
	{
		const FUTF8ToTCHAR Converted(Bytes.data(), int32(Bytes.size()));
		return FString(Converted.Length(), Converted.Get());
	}
}
