#include "Engine/Level.h"
#include "Engine/StaticMeshActor.h"
#include "Engine/World.h"

void AActor::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	Collector.AddReferencedObject(static_cast<AActor*>(InThis)->RootComponent, InThis);
}

void AActor::Serialize(FArchive& Ar)
{
	Super::Serialize(Ar);
	Ar << ActorLabel << RootComponent;
}

ULevel* AActor::GetLevel() const
{
	return GetTypedOuter<ULevel>();
}

UWorld* AActor::GetWorld() const
{
	ULevel* Level = GetLevel();
	return Level != nullptr ? Level->OwningWorld.Get() : nullptr;
}

bool AActor::SetRootComponent(USceneComponent* NewRootComponent)
{
	if (NewRootComponent != nullptr && NewRootComponent->GetOwner() != this)
	{
		return false;
	}
	RootComponent = NewRootComponent;
	return true;
}

FTransform AActor::GetActorTransform() const
{
	return RootComponent != nullptr ? RootComponent->GetComponentTransform() : FTransform::Identity;
}

FVector AActor::GetActorLocation() const
{
	return GetActorTransform().GetLocation();
}

FRotator AActor::GetActorRotation() const
{
	return RootComponent != nullptr ? RootComponent->GetRelativeRotation() : FRotator::ZeroRotator;
}

FVector AActor::GetActorScale3D() const
{
	return GetActorTransform().GetScale3D();
}

bool AActor::SetActorTransform(const FTransform& NewTransform)
{
	if (RootComponent == nullptr)
	{
		return false;
	}
	RootComponent->SetRelativeTransform(NewTransform);
	return true;
}

void AActor::SetActorScale3D(FVector NewScale3D)
{
	if (RootComponent != nullptr)
	{
		RootComponent->SetRelativeScale3D(NewScale3D);
	}
}

const FString& AActor::GetActorLabel(bool bCreateIfNone) const
{
	if (ActorLabel.IsEmpty() && bCreateIfNone)
	{
		ActorLabel = GetName();
	}
	return ActorLabel;
}

void AActor::SetActorLabel(const FString& NewActorLabel, bool bMarkDirty)
{
	const FString Label = NewActorLabel.TrimStartAndEnd();
	if (Label.Equals(ActorLabel, ESearchCase::CaseSensitive))
	{
		return;
	}
	if (bMarkDirty)
	{
		Modify();
	}
	ActorLabel = Label;
}

AStaticMeshActor::AStaticMeshActor()
{
	StaticMeshComponent = CreateDefaultSubobject<UStaticMeshComponent>(TEXT("StaticMeshComponent0"));
	RootComponent = StaticMeshComponent;
}

void AStaticMeshActor::Serialize(FArchive& Ar)
{
	Super::Serialize(Ar);
	Ar << StaticMeshComponent;
}

void AStaticMeshActor::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	Collector.AddReferencedObject(static_cast<AStaticMeshActor*>(InThis)->StaticMeshComponent, InThis);
}
