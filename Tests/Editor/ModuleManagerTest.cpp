#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	std::vector<std::string> GEvents;

	template <const char* Name>
	class TRecordingModule : public IModuleInterface
	{
	public:
		virtual void StartupModule() override { GEvents.push_back(std::string("start ") + Name); }
		virtual void PreUnloadCallback() override { GEvents.push_back(std::string("preunload ") + Name); }
		virtual void ShutdownModule() override { GEvents.push_back(std::string("shutdown ") + Name); }
	};

	constexpr char AlphaName[] = "Alpha";
	constexpr char BetaName[] = "Beta";
	constexpr char PinnedName[] = "Pinned";

	using FAlphaModule = TRecordingModule<AlphaName>;
	using FPinnedBase = TRecordingModule<PinnedName>;

	// Loads Alpha from inside its own start-up, so Alpha finishes starting first.
	class FBetaModule : public TRecordingModule<BetaName>
	{
	public:
		virtual void StartupModule() override
		{
			TRecordingModule<BetaName>::StartupModule();
			FModuleManager::Get().LoadModuleChecked(TEXT("Alpha"));
			GEvents.push_back("beta started");
		}
	};

	class FPinnedModule : public FPinnedBase
	{
	public:
		virtual bool SupportsAutomaticShutdown() override { return false; }
	};

	class ModuleManagerTest : public ::testing::Test
	{
	protected:
		virtual void SetUp() override { GEvents.clear(); }
		virtual void TearDown() override
		{
			FModuleManager::Get().UnloadModulesAtShutdown();
			FModuleManager::Get().UnloadModule(TEXT("Pinned"));
		}
	};
}

IMPLEMENT_MODULE(FAlphaModule, Alpha)
IMPLEMENT_MODULE(FBetaModule, Beta)
IMPLEMENT_MODULE(FPinnedModule, Pinned)

TEST_F(ModuleManagerTest, ModulesAreFoundByNameAndStartedOnce)
{
	FModuleManager& Manager = FModuleManager::Get();
	EXPECT_FALSE(Manager.IsModuleLoaded(TEXT("Alpha")));
	EXPECT_EQ(Manager.GetModule(TEXT("Alpha")), nullptr);

	FAlphaModule& Alpha = FModuleManager::LoadModuleChecked<FAlphaModule>(TEXT("Alpha"));
	EXPECT_TRUE(Manager.IsModuleLoaded(TEXT("alpha")));
	EXPECT_EQ(&FModuleManager::GetModuleChecked<FAlphaModule>(TEXT("Alpha")), &Alpha);
	EXPECT_EQ(Manager.LoadModule(TEXT("ALPHA")), &Alpha);
	EXPECT_EQ(&Manager.LoadModuleChecked(TEXT("Alpha")), &Alpha);
	EXPECT_EQ(GEvents, std::vector<std::string>{"start Alpha"});

	EXPECT_EQ(Manager.LoadModule(TEXT("NoSuchModule")), nullptr);
	EXPECT_FALSE(Manager.ModuleExists(TEXT("NoSuchModule")));
	EXPECT_FALSE(Manager.IsModuleLoaded(TEXT("NoSuchModule")));

	EXPECT_TRUE(Manager.UnloadModule(TEXT("Alpha")));
	EXPECT_FALSE(Manager.UnloadModule(TEXT("Alpha")));
	EXPECT_FALSE(Manager.IsModuleLoaded(TEXT("Alpha")));
	EXPECT_EQ(GEvents, (std::vector<std::string>{"start Alpha", "shutdown Alpha"}));
}

TEST_F(ModuleManagerTest, EngineModulesOfTheStandInAreFoundWithoutStaticInitializers)
{
	for (const TCHAR* Name : {TEXT("Core"), TEXT("CoreUObject"), TEXT("Json")})
	{
		EXPECT_TRUE(FModuleManager::Get().ModuleExists(Name));
		EXPECT_NE(FModuleManager::Get().LoadModule(Name), nullptr);
		EXPECT_TRUE(FModuleManager::Get().IsModuleLoaded(Name));
	}
}

TEST_F(ModuleManagerTest, ShutdownUnloadsInReverseOrderOfFinishedStartup)
{
	FModuleManager& Manager = FModuleManager::Get();
	Manager.LoadModuleChecked(TEXT("Pinned"));
	Manager.LoadModuleChecked(TEXT("Beta"));
	EXPECT_EQ(GEvents, (std::vector<std::string>{"start Pinned", "start Beta", "start Alpha", "beta started"}));
	GEvents.clear();

	Manager.UnloadModulesAtShutdown();
	// Every module hears PreUnloadCallback before any shuts down; Beta finished starting last
	// (after Alpha, which it loaded), so it goes first. Pinned opts out and stays loaded.
	EXPECT_EQ(GEvents, (std::vector<std::string>{"preunload Beta", "preunload Alpha", "shutdown Beta", "shutdown Alpha"}));
	EXPECT_FALSE(Manager.IsModuleLoaded(TEXT("Alpha")));
	EXPECT_FALSE(Manager.IsModuleLoaded(TEXT("Beta")));
	EXPECT_TRUE(Manager.IsModuleLoaded(TEXT("Pinned")));

	// A later session loads a fresh instance.
	GEvents.clear();
	Manager.LoadModuleChecked(TEXT("Alpha"));
	EXPECT_EQ(GEvents, std::vector<std::string>{"start Alpha"});
}
