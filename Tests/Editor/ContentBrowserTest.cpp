#include "ContentBrowser/ContentBrowserHost.h"
#include "ContentBrowserModule.h"
#include "CoreMinimal.h"
#include "EditorTestSupport.h"

#include <gtest/gtest.h>

TEST(ContentBrowser, RecordsTheFoldersItWasAskedToShowWithTheArguments)
{
	EXPECT_TRUE(UE::Host::GetContentBrowserSyncs().IsEmpty());
	IContentBrowserSingleton& Browser = FModuleManager::LoadModuleChecked<FContentBrowserModule>(TEXT("ContentBrowser")).Get();
	EXPECT_EQ(&IContentBrowserSingleton::Get(), &Browser);
	Browser.SyncBrowserToFolders({TEXT("/Game/Kestrova/Chair_0123456789AB")});
	Browser.SyncBrowserToFolders({TEXT("/Game/A"), TEXT("/Game/B")}, true, false, FName(TEXT("ContentBrowserTab2")), true);

	const TArray<UE::Host::FContentBrowserSync> Syncs = UE::Host::GetContentBrowserSyncs();
	ASSERT_EQ(Syncs.Num(), 2);
	EXPECT_EQ(Syncs[0].Folders, TArray<FString>{TEXT("/Game/Kestrova/Chair_0123456789AB")});
	EXPECT_FALSE(Syncs[0].bAllowLockedBrowsers);
	EXPECT_TRUE(Syncs[0].bFocusContentBrowser);
	EXPECT_TRUE(Syncs[0].InstanceName.IsNone());
	EXPECT_FALSE(Syncs[0].bNewSpawnBrowser);
	EXPECT_EQ(Syncs[1].Folders, (TArray<FString>{TEXT("/Game/A"), TEXT("/Game/B")}));
	EXPECT_TRUE(Syncs[1].bAllowLockedBrowsers);
	EXPECT_FALSE(Syncs[1].bFocusContentBrowser);
	EXPECT_EQ(Syncs[1].InstanceName, FName(TEXT("ContentBrowserTab2")));
	EXPECT_TRUE(Syncs[1].bNewSpawnBrowser);

	// A new session's browser starts empty.
	FModuleManager::Get().UnloadModulesAtShutdown();
	EXPECT_TRUE(UE::Host::GetContentBrowserSyncs().IsEmpty());
}
