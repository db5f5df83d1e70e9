#pragma once

#include "CoreMinimal.h"

// The editor's Content Browsers.
class IContentBrowserSingleton
{
public:
	virtual ~IContentBrowserSingleton() = default;

	// The singleton of the "ContentBrowser" module, which is loaded if needed.
	static IContentBrowserSingleton& Get();

	// Shows the folders ("/Game/Folder") in a Content Browser: a locked browser only when
	// allowed, focusing it when asked, the named one (or the primary one), or a new one.
	virtual void SyncBrowserToFolders(const TArray<FString>& FolderList, bool bAllowLockedBrowsers = false, bool bFocusContentBrowser = true,
		const FName& InstanceName = FName(), bool bNewSpawnBrowser = false) = 0;
};
