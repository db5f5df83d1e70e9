#pragma once

#include "Engine/EngineTypes.h"
#include "Engine/Level.h"

class UPackage;

struct FActorSpawnParameters
{
	// A name for the actor; a unique one is made when none is given.
	FName Name;
	AActor* Template = nullptr;
	AActor* Owner = nullptr;
	// The level to spawn in; the world's current level when null.
	ULevel* OverrideLevel = nullptr;
	ESpawnActorCollisionHandlingMethod SpawnCollisionHandlingOverride = ESpawnActorCollisionHandlingMethod::Undefined;
	bool bNoFail = false;
	EObjectFlags ObjectFlags = RF_Transactional;
};

// A world: its persistent level, its sub-levels and the level new actors go to.
class UWorld : public UObject
{
	DECLARE_HOST_CLASS(UWorld, UObject, TEXT("/Script/Engine"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);
	virtual UWorld* GetWorld() const override { return const_cast<UWorld*>(this); }

	// A new world named WorldName ("Untitled" when none) in InWorldPackage (a new "/Temp/"
	// package when none), with an empty persistent level that is also its current level.
	static UWorld* CreateWorld(const EWorldType::Type InWorldType, bool bInformEngineOfWorld, FName WorldName = NAME_None,
		UPackage* InWorldPackage = nullptr, bool bAddToRoot = true);
	// Takes the world apart for the garbage collector.
	void DestroyWorld(bool bInformEngineOfWorld, UWorld* NewWorld = nullptr);

	ULevel* GetCurrentLevel() const { return CurrentLevel; }
	bool SetCurrentLevel(ULevel* InLevel);
	const TArray<TObjectPtr<ULevel>>& GetLevels() const { return Levels; }
	bool AddLevel(ULevel* InLevel);

	// Places a new actor of Class at the location and rotation given (origin and no rotation
	// when null). Transactional actors are recorded in the open transaction as new, so that
	// undo takes them away again.
	AActor* SpawnActor(UClass* Class, const FVector* Location = nullptr, const FRotator* Rotation = nullptr,
		const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters());
	template <class T>
	T* SpawnActor(const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return static_cast<T*>(SpawnActor(T::StaticClass(), nullptr, nullptr, SpawnParameters));
	}

	TObjectPtr<ULevel> PersistentLevel;
	TEnumAsByte<EWorldType::Type> WorldType = EWorldType::None;

private:
	TArray<TObjectPtr<ULevel>> Levels;
	TObjectPtr<ULevel> CurrentLevel;
};
