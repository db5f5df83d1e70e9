#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/UnrealString.h"

struct FFileHelper
{
	enum class EEncodingOptions
	{
		AutoDetect,
		ForceAnsi,
		ForceUnicode,
		ForceUTF8,
		ForceUTF8WithoutBOM
	};

	static bool LoadFileToArray(TArray<uint8>& Result, const TCHAR* Filename, uint32 Flags = 0);
	static bool LoadFileToString(FString& Result, const TCHAR* Filename);
	static bool SaveArrayToFile(const TArray<uint8>& Array, const TCHAR* Filename);
	static bool SaveStringToFile(const FString& String, const TCHAR* Filename, EEncodingOptions EncodingOptions = EEncodingOptions::AutoDetect);
	// Bytes to text: a UTF-16 byte-order mark selects UTF-16, anything else is read as UTF-8
	// (a UTF-8 byte-order mark is skipped); malformed sequences become '?'.
	static void BufferToString(FString& Result, const uint8* Buffer, int32 Size);
};
