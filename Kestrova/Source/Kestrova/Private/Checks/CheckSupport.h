#pragma once

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Misc/Build.h"

#if WITH_DEV_AUTOMATION_TESTS

class SWidget;

// What the in-editor checks share: their fixed files, what a widget tree shows, and packages
// made from files the way the service packs them.
namespace KVAChecks
{
	// The folder beside the checks that holds their fixed files, found through the plug-in.
	FString FixtureDir();
	TArray<uint8> LoadBytes(const FString& Name);
	TSharedPtr<FJsonObject> LoadJson(const FString& Name);

	// One text shown in a widget tree, and whether it takes input (it and all that hold it are
	// enabled).
	struct FShownText
	{
		FString Text;
		bool bEnabled = true;
	};
	TArray<FShownText> ShownTexts(const TSharedRef<SWidget>& Root);

	// A ZIP archive of stored members, in the order given.
	TArray<uint8> StoredZip(const TArray<TPair<FString, TArray<uint8>>>& Members);
}

#endif
