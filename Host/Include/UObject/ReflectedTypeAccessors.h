#pragma once

#include "UObject/Class.h"

// The class of ClassType, for code that names classes by template argument.
template <typename ClassType>
UClass* StaticClass()
{
	return ClassType::StaticClass();
}
