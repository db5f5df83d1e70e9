#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"

// Hooks into the engine's life: code that must wait for the engine to be up registers here.
class FCoreDelegates
{
public:
	// The engine has finished starting: modules are loaded and Slate is up.
	static FSimpleMulticastDelegate OnPostEngineInit;
	// The engine is about to shut down.
	static FSimpleMulticastDelegate OnEnginePreExit;
};
