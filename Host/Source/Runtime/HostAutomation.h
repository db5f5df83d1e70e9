#pragma once

#include "CoreMinimal.h"

// What one automation check reported.
struct FHostCheckReport
{
	// The check's name, "Project.Area.Check".
	FString Name;
	bool bPassed = false;
	TArray<FString> Errors;
	TArray<FString> Warnings;
	TArray<FString> Infos;
};

// Runs the registered editor checks whose name contains one of the filter's parts ("+"
// separates them; an empty filter runs all), in registration order, as the editor's
// "Automation RunTests" does. Disabled checks and checks not meant for the editor are left out.
// Latent commands run one step per host frame (the running host, if any, ticks between steps);
// a check whose commands have not finished after TimeoutSeconds fails.
TArray<FHostCheckReport> RunAutomationChecks(const FString& Filter, double TimeoutSeconds = 60.0);
