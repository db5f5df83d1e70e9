#include "Interfaces/IPluginManager.h"

#include "HAL/FileManager.h"
#include "Misc/Paths.h"

#include <cstdlib>

namespace
{
	class FHostPlugin : public IPlugin
	{
	public:
		FHostPlugin(const FString& InName, const FString& InBaseDir) : Name(InName), BaseDir(InBaseDir) {}

		const FString& GetName() const override { return Name; }
		FString GetBaseDir() const override { return BaseDir; }
		FString GetContentDir() const override { return FPaths::Combine(BaseDir, TEXT("Content")); }
		FString GetDescriptorFileName() const override { return FPaths::Combine(BaseDir, Name + TEXT(".uplugin")); }
		bool IsEnabled() const override { return true; }

	private:
		FString Name;
		FString BaseDir;
	};

	// The host's project has one plug-in folder: the repository's plug-in, or the folder the
	// KVA_PLUGIN_DIR environment variable names. A plug-in is named by its descriptor there.
	class FHostPluginManager : public IPluginManager
	{
	public:
		TSharedPtr<IPlugin> FindPlugin(const FStringView Name) override
		{
			for (const TSharedRef<IPlugin>& Plugin : GetEnabledPlugins())
			{
				if (FStringView(Plugin->GetName()).Equals(Name, ESearchCase::IgnoreCase))
				{
					return Plugin;
				}
			}
			return nullptr;
		}

		TSharedPtr<IPlugin> FindPlugin(const ANSICHAR* Name) override
		{
			const FString Wide(Name);
			return FindPlugin(FStringView(Wide));
		}

		TArray<TSharedRef<IPlugin>> GetEnabledPlugins() override
		{
			const char* FromEnvironment = std::getenv("KVA_PLUGIN_DIR");
			const FString PluginDir = FromEnvironment != nullptr && *FromEnvironment != '\0' ? FString(FromEnvironment) : FString(KVA_PLUGIN_DIR);
			TArray<FString> Descriptors;
			IFileManager::Get().FindFiles(Descriptors, *PluginDir, TEXT("*.uplugin"));
			TArray<TSharedRef<IPlugin>> Plugins;
			for (const FString& Descriptor : Descriptors)
			{
				Plugins.Add(MakeShared<FHostPlugin>(FPaths::GetBaseFilename(Descriptor), PluginDir));
			}
			return Plugins;
		}
	};
}

IPluginManager& IPluginManager::Get()
{
	static FHostPluginManager Manager;
	return Manager;
}
