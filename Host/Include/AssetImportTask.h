#pragma once

#include "UObject/Object.h"

class UFactory;

// One file to import, where to and how, and what the import made.
class UAssetImportTask : public UObject
{
	DECLARE_HOST_CLASS(UAssetImportTask, UObject, TEXT("/Script/UnrealEd"))

public:
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	FString Filename;
	// The content folder ("/Game/Folder").
	FString DestinationPath;
	// The asset name; the file's base name when empty.
	FString DestinationName;
	bool bReplaceExisting = false;
	bool bReplaceExistingSettings = false;
	// No dialogs.
	bool bAutomated = false;
	// Save the new assets' packages.
	bool bSave = false;
	bool bAsync = false;
	TObjectPtr<UFactory> Factory;
	TObjectPtr<UObject> Options;
	TArray<FString> ImportedObjectPaths;
	// Deprecated in the engine: use GetObjects().
	TArray<TObjectPtr<UObject>> Result;

	// The objects the import made or updated.
	const TArray<UObject*>& GetObjects() const;
	// The import has finished (the stand-in imports synchronously).
	bool IsAsyncImportComplete() const { return true; }

private:
	mutable TArray<UObject*> Objects;
};
