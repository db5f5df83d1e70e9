#pragma once

#include "Components/StaticMeshComponent.h"
#include "GameFramework/Actor.h"

// An actor that draws one static mesh.
class AStaticMeshActor : public AActor
{
	DECLARE_HOST_CLASS(AStaticMeshActor, AActor, TEXT("/Script/Engine"))

public:
	AStaticMeshActor();
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);
	virtual void Serialize(FArchive& Ar) override;

	class UStaticMeshComponent* GetStaticMeshComponent() const { return StaticMeshComponent; }

private:
	TObjectPtr<UStaticMeshComponent> StaticMeshComponent;
};
