#pragma once

#include "Components/MeshComponent.h"

class UStaticMesh;

class UStaticMeshComponent : public UMeshComponent
{
	DECLARE_HOST_CLASS(UStaticMeshComponent, UMeshComponent, TEXT("/Script/Engine"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);
	virtual void Serialize(FArchive& Ar) override;

	// Changes the mesh drawn; false when it is already that mesh.
	virtual bool SetStaticMesh(UStaticMesh* NewMesh);
	TObjectPtr<UStaticMesh> GetStaticMesh() const { return StaticMesh; }

private:
	TObjectPtr<UStaticMesh> StaticMesh;
};
