#pragma once

#include "Components/ActorComponent.h"

// A component with a place in the world, relative to what it is attached to (actors' root
// components are attached to nothing, so their relative transform is their world transform).
class USceneComponent : public UActorComponent
{
	DECLARE_HOST_CLASS(USceneComponent, UActorComponent, TEXT("/Script/Engine"))

public:
	virtual void Serialize(FArchive& Ar) override;

	FVector GetRelativeLocation() const { return RelativeLocation; }
	FRotator GetRelativeRotation() const { return RelativeRotation; }
	FVector GetRelativeScale3D() const { return RelativeScale3D; }
	FTransform GetRelativeTransform() const { return FTransform(RelativeRotation, RelativeLocation, RelativeScale3D); }
	const FTransform GetComponentTransform() const { return GetRelativeTransform(); }
	void SetRelativeLocation(const FVector& NewLocation) { RelativeLocation = NewLocation; }
	void SetRelativeRotation(const FRotator& NewRotation) { RelativeRotation = NewRotation; }
	void SetRelativeScale3D(const FVector& NewScale3D) { RelativeScale3D = NewScale3D; }
	void SetRelativeTransform(const FTransform& NewTransform);

private:
	FVector RelativeLocation = FVector::ZeroVector;
	FRotator RelativeRotation = FRotator::ZeroRotator;
	FVector RelativeScale3D = FVector::OneVector;
};
