#pragma once

#include "CoreMinimal.h"

class AActor;
class ULevel;

class FLevelUtils
{
public:
	// Whether the level is locked for editing. The persistent level is never locked.
	static bool IsLevelLocked(ULevel* Level);
	static bool IsLevelLocked(AActor* Actor);
	// Sets the level's edit lock (a no-op for the persistent level).
	static void ToggleLevelLock(ULevel* Level);
};
