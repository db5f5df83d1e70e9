#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

struct FPlatformProcess
{
	// Opens an address in the user's browser; the host decides what that means.
	static void LaunchURL(const TCHAR* URL, const TCHAR* Parms, FString* Error);
	static bool CanLaunchURL(const TCHAR* URL);
	static void Sleep(float Seconds);
	static const TCHAR* BaseDir();
};
