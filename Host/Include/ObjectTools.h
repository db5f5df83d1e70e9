#pragma once

#include "CoreMinimal.h"

class UObject;

namespace ObjectTools
{
	// Deletes the objects without asking and without checking who references them; references
	// from other objects are cleared. Returns how many were deleted.
	int32 DeleteObjectsUnchecked(const TArray<UObject*>& ObjectsToDelete);
	// Replaces every character that an object name may not hold with "_".
	FString SanitizeObjectName(const FString& InObjectName);
	// Replaces every character of InvalidChars in InText with "_".
	FString SanitizeInvalidChars(const FString& InText, const FString& InvalidChars);
}
