#pragma once

#include "UObject/Object.h"

class AActor;

// A part of an actor.
class UActorComponent : public UObject
{
	DECLARE_HOST_CLASS(UActorComponent, UObject, TEXT("/Script/Engine"))

public:
	AActor* GetOwner() const;
};
