#pragma once

#include "CoreTypes.h"

namespace ESelectionMode
{
	enum Type : int
	{
		None,
		Single,
		SingleToggle,
		Multi,
	};
}

enum class EListItemAlignment : uint8
{
	EvenlyDistributed,
	EvenlySize,
	EvenlyWide,
	LeftAligned,
	RightAligned,
	CenterAligned,
	Fill,
};

namespace ETableViewMode
{
	enum Type : int
	{
		List,
		Tile,
		Tree,
	};
}
