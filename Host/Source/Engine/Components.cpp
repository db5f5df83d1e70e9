#include "Components/StaticMeshComponent.h"
#include "Engine/StaticMesh.h"
#include "GameFramework/Actor.h"

AActor* UActorComponent::GetOwner() const
{
	return GetTypedOuter<AActor>();
}

void USceneComponent::Serialize(FArchive& Ar)
{
	Super::Serialize(Ar);
	Ar << RelativeLocation << RelativeRotation << RelativeScale3D;
}

void USceneComponent::SetRelativeTransform(const FTransform& NewTransform)
{
	RelativeLocation = NewTransform.GetLocation();
	RelativeRotation = NewTransform.Rotator();
	RelativeScale3D = NewTransform.GetScale3D();
}

void UStaticMeshComponent::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	Collector.AddReferencedObject(static_cast<UStaticMeshComponent*>(InThis)->StaticMesh, InThis);
}

void UStaticMeshComponent::Serialize(FArchive& Ar)
{
	Super::Serialize(Ar);
	Ar << StaticMesh;
}

bool UStaticMeshComponent::SetStaticMesh(UStaticMesh* NewMesh)
{
	if (NewMesh == StaticMesh)
	{
		return false;
	}
	StaticMesh = NewMesh;
	return true;
}
