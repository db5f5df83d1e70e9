#pragma once

#include "GameFramework/Actor.h"

class UWorld;

// A level: the actors placed in it. A world holds its persistent level and any sub-levels.
class ULevel : public UObject
{
	DECLARE_HOST_CLASS(ULevel, UObject, TEXT("/Script/Engine"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);
	virtual void Serialize(FArchive& Ar) override;
	virtual UWorld* GetWorld() const override { return OwningWorld; }

	bool IsPersistentLevel() const;

	TArray<TObjectPtr<AActor>> Actors;
	TObjectPtr<UWorld> OwningWorld;
	// Whether the level is locked for editing (see FLevelUtils).
	bool bLocked = false;
};
