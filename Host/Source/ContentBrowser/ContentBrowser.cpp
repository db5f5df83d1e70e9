#include "ContentBrowserModule.h"

#include "ContentBrowser/ContentBrowserHost.h"

namespace
{
	// The stand-in has no browser to draw: it keeps what it was asked to show.
	class FContentBrowserSingleton final : public IContentBrowserSingleton
	{
	public:
		virtual void SyncBrowserToFolders(const TArray<FString>& FolderList, bool bAllowLockedBrowsers, bool bFocusContentBrowser,
			const FName& InstanceName, bool bNewSpawnBrowser) override
		{
			Syncs.Add(UE::Host::FContentBrowserSync{FolderList, bAllowLockedBrowsers, bFocusContentBrowser, InstanceName, bNewSpawnBrowser});
		}

		TArray<UE::Host::FContentBrowserSync> Syncs;
	};
}

FContentBrowserModule::FContentBrowserModule()
	: Singleton(std::make_unique<FContentBrowserSingleton>())
{
}

FContentBrowserModule::~FContentBrowserModule() = default;

IContentBrowserSingleton& IContentBrowserSingleton::Get()
{
	return FModuleManager::LoadModuleChecked<FContentBrowserModule>(TEXT("ContentBrowser")).Get();
}

TArray<UE::Host::FContentBrowserSync> UE::Host::GetContentBrowserSyncs()
{
	FContentBrowserModule* Module = FModuleManager::GetModulePtr<FContentBrowserModule>(TEXT("ContentBrowser"));
	return Module != nullptr ? static_cast<const FContentBrowserSingleton&>(Module->Get()).Syncs : TArray<UE::Host::FContentBrowserSync>();
}
