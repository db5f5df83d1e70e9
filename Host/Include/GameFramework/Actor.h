#pragma once

#include "Components/SceneComponent.h"

class ULevel;

// Something placed in a level: a set of components, the root one giving its place.
class AActor : public UObject
{
	DECLARE_HOST_CLASS(AActor, UObject, TEXT("/Script/Engine"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);
	virtual void Serialize(FArchive& Ar) override;
	virtual UWorld* GetWorld() const override;

	ULevel* GetLevel() const;
	USceneComponent* GetRootComponent() const { return RootComponent; }
	bool SetRootComponent(USceneComponent* NewRootComponent);

	FTransform GetActorTransform() const;
	FVector GetActorLocation() const;
	FRotator GetActorRotation() const;
	FVector GetActorScale3D() const;
	bool SetActorTransform(const FTransform& NewTransform);
	void SetActorScale3D(FVector NewScale3D);

	// The name shown in the editor's outliner; the object name until a label is set.
	const FString& GetActorLabel(bool bCreateIfNone = true) const;
	// Sets the label, first recording the actor in the open transaction when marking it dirty.
	void SetActorLabel(const FString& NewActorLabel, bool bMarkDirty = true);
	FString GetActorNameOrLabel() const { return GetActorLabel(); }

protected:
	TObjectPtr<USceneComponent> RootComponent;

private:
	mutable FString ActorLabel;
};
