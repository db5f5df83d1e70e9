#pragma once

#include "CoreTypes.h"

class UObject;

// A transaction being recorded: the objects about to change save their state into it.
class ITransaction
{
public:
	virtual ~ITransaction() = default;

	// Saves the object's current state, once per transaction (later calls keep the first).
	virtual void SaveObject(UObject* Object) = 0;
	virtual void SetPrimaryObject(UObject* InObject) = 0;
	// Restores the recorded states and keeps the replaced ones, so a second Apply reverts the first.
	virtual void Apply() = 0;
};
