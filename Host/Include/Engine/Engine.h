#pragma once

#include "Containers/IndirectArray.h"
#include "Engine/EngineTypes.h"
#include "UObject/Object.h"

class UWorld;

// One world the engine runs and what it is for.
struct FWorldContext
{
	TEnumAsByte<EWorldType::Type> WorldType = EWorldType::None;
	FName ContextHandle;

	UWorld* World() const { return ThisCurrentWorld; }
	void SetCurrentWorld(UWorld* InWorld) { ThisCurrentWorld = InWorld; }

private:
	friend class UEngine;
	TObjectPtr<UWorld> ThisCurrentWorld;
};

class UEngine : public UObject
{
	DECLARE_HOST_CLASS(UEngine, UObject, TEXT("/Script/Engine"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	FWorldContext& CreateNewWorldContext(EWorldType::Type WorldType);
	void DestroyWorldContext(UWorld* InWorld);
	FWorldContext* GetWorldContextFromWorld(const UWorld* InWorld);
	const TIndirectArray<FWorldContext>& GetWorldContexts() const { return WorldList; }

private:
	TIndirectArray<FWorldContext> WorldList;
	int32 NextWorldContextHandle = 0;
};

extern UEngine* GEngine;
