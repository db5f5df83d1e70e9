#pragma once

#include "CoreTypes.h"

namespace ENamedThreads
{
	enum Type : int32
	{
		UnusedAnchor = -1,
		RHIThread = 0,
		GameThread,
		ActualRenderingThread,
		AnyThread = 0xff,
		AnyHiPriThreadNormalTask = AnyThread,
		AnyHiPriThreadHiPriTask = AnyThread,
		AnyNormalThreadNormalTask = AnyThread,
		AnyNormalThreadHiPriTask = AnyThread,
		AnyBackgroundThreadNormalTask = AnyThread,
		AnyBackgroundHiPriTask = AnyThread,
	};
}
