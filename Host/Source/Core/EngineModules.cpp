#include "Core/EngineModules.h"

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

	// Modules that exist in the editor and in the stand-in without an interface of their own.
	const FEngineModule GEngineModules[] = {
		{TEXT("Core"), &Create<FDefaultModuleImpl>},
		{TEXT("CoreUObject"), &Create<FDefaultModuleImpl>},
		{TEXT("Json"), &Create<FDefaultModuleImpl>},
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
