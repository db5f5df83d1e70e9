#include "Modules/ModuleManager.h"

#include "Core/EngineModules.h"

#include <algorithm>

// Constant-initialised, so entries constructed during static initialisation find it ready.
FModuleInitializerEntry* FModuleInitializerEntry::First = nullptr;

// The second name (the module whose library holds the code) matters only to monolithic builds.
FModuleInitializerEntry::FModuleInitializerEntry(const TCHAR* InName, FInitializeModuleFunctionPtr InFunction, const TCHAR*)
	: Next(First)
	, Name(InName)
	, Function(InFunction)
{
	First = this;
}

FModuleInitializerEntry::~FModuleInitializerEntry()
{
	for (FModuleInitializerEntry** Link = &First; *Link != nullptr; Link = &(*Link)->Next)
	{
		if (*Link == this)
		{
			*Link = Next;
			break;
		}
	}
}

FInitializeModuleFunctionPtr FModuleInitializerEntry::FindModule(const TCHAR* Name)
{
	for (FModuleInitializerEntry* Entry = First; Entry != nullptr; Entry = Entry->Next)
	{
		if (FCString::Stricmp(Entry->Name, Name) == 0)
		{
			return Entry->Function;
		}
	}
	return nullptr;
}

FModuleManager& FModuleManager::Get()
{
	static FModuleManager Manager;
	return Manager;
}

FModuleManager::~FModuleManager()
{
	// Modules still loaded at exit (those that opt out of automatic shut-down) are abandoned
	// as the engine abandons them: destroyed without ShutdownModule.
	while (!Modules.IsEmpty())
	{
		Modules.Pop();
	}
}

FInitializeModuleFunctionPtr FModuleManager::FindInitializer(const FName InModuleName) const
{
	const FString Name = InModuleName.ToString();
	if (FInitializeModuleFunctionPtr Function = FModuleInitializerEntry::FindModule(*Name))
	{
		return Function;
	}
	return UE::Host::FindEngineModule(InModuleName);
}

int32 FModuleManager::FindLoaded(const FName InModuleName) const
{
	return Modules.IndexOfByPredicate([&InModuleName](const std::unique_ptr<FModuleInfo>& Info) { return Info->Name == InModuleName; });
}

IModuleInterface* FModuleManager::LoadModule(const FName InModuleName, ELoadModuleFlags)
{
	if (IModuleInterface* Loaded = GetModule(InModuleName))
	{
		return Loaded;
	}
	FInitializeModuleFunctionPtr Initialize = FindInitializer(InModuleName);
	if (Initialize == nullptr)
	{
		return nullptr;
	}
	// The module is known (and found by GetModule) before its start-up runs, so that modules it
	// loads in turn can find it; its load order is taken when its start-up has finished.
	std::unique_ptr<FModuleInfo> Info = std::make_unique<FModuleInfo>();
	Info->Name = InModuleName;
	Info->Module.reset(Initialize());
	IModuleInterface* Module = Info->Module.get();
	FModuleInfo* Stable = Info.get();
	Modules.Add(MoveTemp(Info));
	Module->StartupModule();
	Stable->LoadOrder = NextLoadOrder++;
	return Module;
}

IModuleInterface& FModuleManager::LoadModuleChecked(const FName InModuleName)
{
	IModuleInterface* Module = LoadModule(InModuleName);
	check(Module != nullptr);
	return *Module;
}

bool FModuleManager::UnloadModule(const FName InModuleName, bool, bool)
{
	const int32 Index = FindLoaded(InModuleName);
	if (Index == INDEX_NONE)
	{
		return false;
	}
	// Taken out of the list first: a module that asks for itself while shutting down is gone.
	std::unique_ptr<FModuleInfo> Info = MoveTemp(Modules[Index]);
	Modules.RemoveAt(Index);
	Info->Module->ShutdownModule();
	return true;
}

void FModuleManager::UnloadModulesAtShutdown()
{
	TArray<FModuleInfo*> Order;
	for (const std::unique_ptr<FModuleInfo>& Info : Modules)
	{
		if (Info->Module->SupportsAutomaticShutdown())
		{
			Order.Add(Info.get());
		}
	}
	Order.Sort([](const FModuleInfo* A, const FModuleInfo* B) { return A->LoadOrder > B->LoadOrder; });
	TArray<FName> Names;
	for (FModuleInfo* Info : Order)
	{
		Info->Module->PreUnloadCallback();
		Names.Add(Info->Name);
	}
	for (const FName& Name : Names)
	{
		UnloadModule(Name, true);
	}
}

bool FModuleManager::IsModuleLoaded(const FName InModuleName) const
{
	return FindLoaded(InModuleName) != INDEX_NONE;
}

bool FModuleManager::ModuleExists(const TCHAR* ModuleName) const
{
	return FindInitializer(FName(ModuleName)) != nullptr;
}

IModuleInterface* FModuleManager::GetModule(const FName InModuleName)
{
	const int32 Index = FindLoaded(InModuleName);
	return Index == INDEX_NONE ? nullptr : Modules[Index]->Module.get();
}
