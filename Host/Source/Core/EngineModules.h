#pragma once

#include "Modules/ModuleManager.h"

namespace UE::Host
{
	// The stand-in's own engine modules. They live in a static library whose unreferenced
	// objects the linker drops, so they are listed here rather than found through static
	// initializers.
	FInitializeModuleFunctionPtr FindEngineModule(const FName ModuleName);
}
