#include "Engine/World.h"

#include "Engine/Engine.h"
#include "Misc/ITransaction.h"
#include "UObject/Package.h"
#include "UObject/UObjectHash.h"

void ULevel::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	ULevel* Level = static_cast<ULevel*>(InThis);
	Collector.AddReferencedObjects(Level->Actors, InThis);
	Collector.AddReferencedObject(Level->OwningWorld, InThis);
}

void ULevel::Serialize(FArchive& Ar)
{
	Super::Serialize(Ar);
	Ar << Actors;
}

bool ULevel::IsPersistentLevel() const
{
	return OwningWorld != nullptr && OwningWorld->PersistentLevel == this;
}

void UWorld::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	UWorld* World = static_cast<UWorld*>(InThis);
	Collector.AddReferencedObject(World->PersistentLevel, InThis);
	Collector.AddReferencedObjects(World->Levels, InThis);
	Collector.AddReferencedObject(World->CurrentLevel, InThis);
}

UWorld* UWorld::CreateWorld(const EWorldType::Type InWorldType, bool bInformEngineOfWorld, FName WorldName, UPackage* InWorldPackage, bool bAddToRoot)
{
	if (WorldName.IsNone())
	{
		WorldName = FName(TEXT("Untitled"));
	}
	UPackage* Package = InWorldPackage != nullptr ? InWorldPackage : CreatePackage(*(FString(TEXT("/Temp/")) + WorldName.ToString()));
	if (InWorldType == EWorldType::PIE)
	{
		Package->SetPackageFlags(PKG_PlayInEditor);
	}
	UWorld* World = NewObject<UWorld>(Package, WorldName, RF_Public | RF_Standalone | RF_Transactional);
	World->WorldType = InWorldType;
	if (bAddToRoot)
	{
		World->AddToRoot();
	}
	ULevel* Level = NewObject<ULevel>(World, TEXT("PersistentLevel"), RF_Transactional);
	Level->OwningWorld = World;
	World->PersistentLevel = Level;
	World->Levels.Add(Level);
	World->CurrentLevel = Level;
	if (bInformEngineOfWorld && GEngine != nullptr)
	{
		GEngine->CreateNewWorldContext(InWorldType).SetCurrentWorld(World);
	}
	return World;
}

void UWorld::DestroyWorld(bool bInformEngineOfWorld, UWorld*)
{
	if (bInformEngineOfWorld && GEngine != nullptr)
	{
		GEngine->DestroyWorldContext(this);
	}
	if (IsRooted())
	{
		RemoveFromRoot();
	}
	ClearFlags(RF_Standalone);
	for (ULevel* Level : Levels)
	{
		for (AActor* Actor : Level->Actors)
		{
			if (Actor != nullptr)
			{
				Actor->MarkAsGarbage();
			}
		}
		Level->MarkAsGarbage();
	}
	MarkAsGarbage();
}

bool UWorld::SetCurrentLevel(ULevel* InLevel)
{
	if (InLevel == nullptr || !Levels.Contains(InLevel))
	{
		return false;
	}
	CurrentLevel = InLevel;
	return true;
}

bool UWorld::AddLevel(ULevel* InLevel)
{
	if (InLevel == nullptr || Levels.Contains(InLevel))
	{
		return false;
	}
	InLevel->OwningWorld = this;
	Levels.Add(InLevel);
	return true;
}

AActor* UWorld::SpawnActor(UClass* Class, const FVector* Location, const FRotator* Rotation, const FActorSpawnParameters& SpawnParameters)
{
	if (Class == nullptr || !Class->IsChildOf(AActor::StaticClass()) || Class->ClassConstructor == nullptr)
	{
		return nullptr;
	}
	ULevel* Level = SpawnParameters.OverrideLevel != nullptr ? SpawnParameters.OverrideLevel : CurrentLevel.Get();
	if (Level == nullptr)
	{
		return nullptr;
	}
	const bool bTransactional = (SpawnParameters.ObjectFlags & RF_Transactional) != RF_NoFlags;
	if (bTransactional)
	{
		Level->Modify();
	}
	AActor* Actor = NewObject<AActor>(Level, Class, SpawnParameters.Name, SpawnParameters.ObjectFlags);
	if (bTransactional && GUndo != nullptr)
	{
		// Recorded as "not there yet", so that undoing the transaction takes the new actor
		// and its components away and redoing brings them back.
		TArray<UObject*> Created = {Actor};
		GetObjectsWithOuter(Actor, Created);
		for (UObject* Object : Created)
		{
			Object->MarkAsGarbage();
			Object->Modify(false);
			Object->ClearGarbage();
		}
	}
	Actor->SetActorTransform(FTransform(Rotation != nullptr ? *Rotation : FRotator::ZeroRotator, Location != nullptr ? *Location : FVector::ZeroVector));
	Level->Actors.Add(Actor);
	return Actor;
}
