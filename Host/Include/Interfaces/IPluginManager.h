#pragma once

#include "Containers/StringView.h"
#include "CoreMinimal.h"

// A plug-in the editor has found: its name and the folders it lives in.
class IPlugin : public TSharedFromThis<IPlugin>
{
public:
	virtual ~IPlugin() = default;

	virtual const FString& GetName() const = 0;
	virtual FString GetBaseDir() const = 0;
	virtual FString GetContentDir() const = 0;
	virtual FString GetDescriptorFileName() const = 0;
	virtual bool IsEnabled() const = 0;
};

// The plug-ins the editor knows, found by name.
class IPluginManager
{
public:
	virtual ~IPluginManager() = default;

	static IPluginManager& Get();

	virtual TSharedPtr<IPlugin> FindPlugin(const FStringView Name) = 0;
	virtual TSharedPtr<IPlugin> FindPlugin(const ANSICHAR* Name) = 0;
	virtual TArray<TSharedRef<IPlugin>> GetEnabledPlugins() = 0;
};
