#include "FrameworkTestSupport.h"

#include "HAL/FileManager.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"

#include <cstdlib>
#include <filesystem>

namespace
{
	// Sets an environment variable for the scope, then puts the old value back.
	class FScopedEnvironment
	{
	public:
		FScopedEnvironment(const char* InName, const char* Value) : Name(InName)
		{
			const char* Old = std::getenv(Name);
			bHadOld = Old != nullptr;
			OldValue = bHadOld ? Old : "";
			if (Value != nullptr)
			{
				setenv(Name, Value, 1);
			}
			else
			{
				unsetenv(Name);
			}
		}
		~FScopedEnvironment()
		{
			if (bHadOld)
			{
				setenv(Name, OldValue.c_str(), 1);
			}
			else
			{
				unsetenv(Name);
			}
		}

	private:
		const char* Name;
		bool bHadOld = false;
		std::string OldValue;
	};
}

TEST(PluginManagerTest, PluginsAreFoundByTheirDescriptorInThePluginFolder)
{
	const std::filesystem::path Other = std::filesystem::temp_directory_path() / "kva-plugin-manager-test";
	std::filesystem::create_directories(Other);
	const std::string OtherPath = Other.string();
	const FString OtherDir(OtherPath.c_str());
	ASSERT_TRUE(FFileHelper::SaveStringToFile(TEXT("{}"), *(OtherDir + TEXT("/Other.uplugin"))));

	struct FCase
	{
		const char* Name;
		const char* Environment;
		const TCHAR* Query;
		FString ExpectedBaseDir;
	};
	const FCase Cases[] = {
		{"the repository's plug-in", nullptr, TEXT("Kestrova"), FString(KVA_PLUGIN_DIR)},
		{"names are matched without case", nullptr, TEXT("kestrova"), FString(KVA_PLUGIN_DIR)},
		{"no such plug-in", nullptr, TEXT("Missing"), FString()},
		{"an empty variable is not a folder", "", TEXT("Kestrova"), FString(KVA_PLUGIN_DIR)},
		{"another folder named by the environment", OtherPath.c_str(), TEXT("Other"), OtherDir},
		{"the repository's plug-in is not in it", OtherPath.c_str(), TEXT("Kestrova"), FString()},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		const FScopedEnvironment Environment("KVA_PLUGIN_DIR", Case.Environment);
		const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(Case.Query);
		ASSERT_EQ(Plugin.IsValid(), !Case.ExpectedBaseDir.IsEmpty());
		if (Plugin.IsValid())
		{
			EXPECT_EQ(Plugin->GetBaseDir(), Case.ExpectedBaseDir);
			EXPECT_TRUE(FPaths::FileExists(Plugin->GetDescriptorFileName()));
		}
	}
	// The narrow-string lookup finds the same plug-in.
	const TSharedPtr<IPlugin> Narrow = IPluginManager::Get().FindPlugin("Kestrova");
	ASSERT_TRUE(Narrow.IsValid());
	EXPECT_TRUE(FPaths::FileExists(FPaths::Combine(Narrow->GetBaseDir(), TEXT("Resources/logo.webp"))));
	std::filesystem::remove_all(Other);
}
