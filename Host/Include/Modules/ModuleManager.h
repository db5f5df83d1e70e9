#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Modules/ModuleInterface.h"
#include "UObject/NameTypes.h"

#include <memory>

typedef IModuleInterface* (*FInitializeModuleFunctionPtr)(void);

// A module linked into the program registers its creation function through one static entry.
// The entries form a list built during static initialisation, before the manager exists.
class FModuleInitializerEntry
{
public:
	FModuleInitializerEntry(const TCHAR* InName, FInitializeModuleFunctionPtr InFunction, const TCHAR* InName2 = nullptr);
	~FModuleInitializerEntry();
	FModuleInitializerEntry(const FModuleInitializerEntry&) = delete;
	FModuleInitializerEntry& operator=(const FModuleInitializerEntry&) = delete;

	static FInitializeModuleFunctionPtr FindModule(const TCHAR* Name);

private:
	static FModuleInitializerEntry* First;
	FModuleInitializerEntry* Next = nullptr;
	const TCHAR* Name;
	FInitializeModuleFunctionPtr Function;
};

enum class ELoadModuleFlags
{
	None = 0x0,
	LogFailures = 1 << 0
};

// Loads modules by name, keeps them while they are loaded and shuts them down in reverse order.
class FModuleManager
{
public:
	static FModuleManager& Get();

	IModuleInterface* LoadModule(const FName InModuleName, ELoadModuleFlags InLoadModuleFlags = ELoadModuleFlags::None);
	IModuleInterface& LoadModuleChecked(const FName InModuleName);
	bool UnloadModule(const FName InModuleName, bool bIsShutdown = false, bool bAllowUnloadCode = true);
	// Unloads every module that supports automatic shut-down: PreUnloadCallback on each, then
	// ShutdownModule in the reverse order of loading.
	void UnloadModulesAtShutdown();

	bool IsModuleLoaded(const FName InModuleName) const;
	bool ModuleExists(const TCHAR* ModuleName) const;
	IModuleInterface* GetModule(const FName InModuleName);
	int32 GetModuleCount() const { return Modules.Num(); }

	template <typename TModuleInterface>
	static TModuleInterface& LoadModuleChecked(const FName InModuleName)
	{
		return static_cast<TModuleInterface&>(Get().LoadModuleChecked(InModuleName));
	}
	template <typename TModuleInterface>
	static TModuleInterface* LoadModulePtr(const FName InModuleName)
	{
		return static_cast<TModuleInterface*>(Get().LoadModule(InModuleName));
	}
	template <typename TModuleInterface>
	static TModuleInterface& GetModuleChecked(const FName ModuleName)
	{
		IModuleInterface* Module = Get().GetModule(ModuleName);
		check(Module != nullptr);
		return static_cast<TModuleInterface&>(*Module);
	}
	template <typename TModuleInterface>
	static TModuleInterface* GetModulePtr(const FName ModuleName)
	{
		return static_cast<TModuleInterface*>(Get().GetModule(ModuleName));
	}

private:
	struct FModuleInfo
	{
		FName Name;
		int32 LoadOrder = 0;
		std::unique_ptr<IModuleInterface> Module;
	};

	FModuleManager() = default;
	~FModuleManager();
	FInitializeModuleFunctionPtr FindInitializer(const FName InModuleName) const;
	int32 FindLoaded(const FName InModuleName) const;

	TArray<std::unique_ptr<FModuleInfo>> Modules;
	int32 NextLoadOrder = 1;
};

// A module with nothing to start or stop.
class FDefaultModuleImpl : public IModuleInterface
{
};

// UnrealBuildTool names the module being compiled; code built outside it belongs to no module.
#ifndef UE_MODULE_NAME
#define UE_MODULE_NAME ""
#endif

#define PER_MODULE_BOILERPLATE_ANYLINK(ModuleImplClass, ModuleName)

// As the engine's modular builds expand it: a creation function and a static entry that
// registers it under the module's name when the library is loaded.
#define IMPLEMENT_MODULE(ModuleImplClass, ModuleName) \
	static IModuleInterface* Initialize##ModuleName##Module() \
	{ \
		return new ModuleImplClass(); \
	} \
	static FModuleInitializerEntry ModuleName##InitializerEntry(TEXT(#ModuleName), Initialize##ModuleName##Module, TEXT(UE_MODULE_NAME)); \
	extern "C" void IMPLEMENT_MODULE_##ModuleName() {} \
	PER_MODULE_BOILERPLATE_ANYLINK(ModuleImplClass, ModuleName)
