#include "Core/EngineModules.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetToolsModule.h"
#include "ContentBrowserModule.h"
#include "SslModule.h"
#include "ToolMenus/ToolMenusModule.h"

namespace
{
	template <typename ModuleType>
	IModuleInterface* Create()
	{
		return new ModuleType();
	}

	struct FEngineModule
	{
		const TCHAR* Name;
		FInitializeModuleFunctionPtr Create;
	};

	const FEngineModule GEngineModules[] = {
		// Modules that exist in the editor and in the stand-in without an interface of their own.
		{TEXT("Core"), &Create<FDefaultModuleImpl>},
		{TEXT("CoreUObject"), &Create<FDefaultModuleImpl>},
		{TEXT("EditorFramework"), &Create<FDefaultModuleImpl>},
		{TEXT("Engine"), &Create<FDefaultModuleImpl>},
		{TEXT("InputCore"), &Create<FDefaultModuleImpl>},
		{TEXT("Json"), &Create<FDefaultModuleImpl>},
		{TEXT("Projects"), &Create<FDefaultModuleImpl>},
		{TEXT("Slate"), &Create<FDefaultModuleImpl>},
		{TEXT("SlateCore"), &Create<FDefaultModuleImpl>},
		{TEXT("UnrealEd"), &Create<FDefaultModuleImpl>},
		{TEXT("AssetRegistry"), &Create<FAssetRegistryModule>},
		{TEXT("AssetTools"), &Create<FAssetToolsModule>},
		{TEXT("ContentBrowser"), &Create<FContentBrowserModule>},
		{TEXT("SSL"), &Create<FSslModule>},
		{TEXT("ToolMenus"), &Create<FToolMenusModule>},
	};
}

FInitializeModuleFunctionPtr UE::Host::FindEngineModule(const FName ModuleName)
{
	for (const FEngineModule& Module : GEngineModules)
	{
		if (FName(Module.Name) == ModuleName)
		{
			return Module.Create;
		}
	}
	return nullptr;
}
