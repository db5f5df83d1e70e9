#pragma once

#include "CoreTypes.h"

namespace UE::Host
{
	// Ends an editor session's objects: every object is destroyed, rooted or not, and the
	// classes' name counters start again from 0. Weak pointers from before never resolve.
	void DestroyAllObjects();
}
