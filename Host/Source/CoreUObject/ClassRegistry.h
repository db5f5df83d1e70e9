#pragma once

#include "UObject/Class.h"

#include <memory>

namespace UE::CoreUObject::Private
{
	// Every class made so far, so that a new editor session can restart their name counters.
	TArray<std::unique_ptr<UClass>>& GetClassRegistry();
}
