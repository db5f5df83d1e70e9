#pragma once

#include "CoreMinimal.h"
#include "UObject/SoftObjectPtr.h"

class UStaticMesh;
class UWorld;

// Bringing an extracted package into the open project and the current level. Game thread only.
namespace KVAImport
{
	// Imports every model of Staging as static meshes into a new content folder, all or nothing,
	// and keeps a copy of the package's files beside the download cache. Folder names the new
	// content folder even on failure; Error holds the sentence to show.
	bool Install(const FString& Staging, const TArray<FString>& Models, const FString& ProductId,
		TArray<TSoftObjectPtr<UStaticMesh>>& Meshes, FString& Folder, FString& Error);

	// Places one actor of Mesh at the origin of World's current level as one undoable action.
	bool Add(UStaticMesh* Mesh, UWorld* World, FString& Error);

	// Shows Folder in the Content Browser.
	void Show(const FString& Folder);
}
