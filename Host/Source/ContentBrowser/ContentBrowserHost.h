#pragma once

#include "CoreMinimal.h"

namespace UE::Host
{
	// One request to show folders in a Content Browser, with its arguments.
	struct FContentBrowserSync
	{
		TArray<FString> Folders;
		bool bAllowLockedBrowsers = false;
		bool bFocusContentBrowser = false;
		FName InstanceName;
		bool bNewSpawnBrowser = false;
	};

	// What the Content Browser was asked to show since the "ContentBrowser" module was loaded,
	// oldest first (empty when the module is not loaded).
	TArray<FContentBrowserSync> GetContentBrowserSyncs();
}
