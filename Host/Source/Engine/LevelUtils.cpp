#include "LevelUtils.h"

#include "Engine/Level.h"

bool FLevelUtils::IsLevelLocked(ULevel* Level)
{
	return Level != nullptr && !Level->IsPersistentLevel() && Level->bLocked;
}

bool FLevelUtils::IsLevelLocked(AActor* Actor)
{
	return Actor != nullptr && IsLevelLocked(Actor->GetLevel());
}

void FLevelUtils::ToggleLevelLock(ULevel* Level)
{
	if (Level != nullptr && !Level->IsPersistentLevel())
	{
		Level->bLocked = !Level->bLocked;
	}
}
