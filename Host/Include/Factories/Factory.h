#pragma once

#include "UObject/Object.h"

// Makes assets of one kind, from files or from nothing.
class UFactory : public UObject
{
	DECLARE_HOST_CLASS(UFactory, UObject, TEXT("/Script/UnrealEd"))
};
