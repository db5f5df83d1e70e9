#pragma once

#include "CoreMinimal.h"

class UFbxImportUI;
class UObject;

namespace UE::Host::Fbx
{
	struct FImportRequest
	{
		FString Filename;
		// "/Game/Folder", already checked.
		FString DestinationPath;
		// The name the importer's naming rules start from (the task's name or the file's).
		FString AssetName;
		bool bReplaceExisting = false;
		bool bReplaceExistingSettings = false;
		const UFbxImportUI* Options = nullptr;
	};

	struct FImportResult
	{
		// The static meshes made or updated, which the task reports.
		TArray<UObject*> Meshes;
		// Every asset made or updated, materials and textures included.
		TArray<UObject*> Assets;
	};

	// Imports the file's mesh nodes as static meshes, with their materials and textures, into the
	// destination path. Nothing is made for a file that cannot be read, holds no mesh geometry,
	// or is to be imported as a skeletal mesh or animation (which the stand-in does not make).
	FImportResult ImportStaticMeshes(const FImportRequest& Request);
}
