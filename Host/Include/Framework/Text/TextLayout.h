#pragma once

#include "CoreTypes.h"

namespace ETextJustify
{
	enum Type : int
	{
		Left,
		Center,
		Right,
		InvariantLeft,
		InvariantRight,
	};
}
