#pragma once

#include "UObject/Object.h"

class UFbxStaticMeshImportData;

// What an FBX file is imported as.
enum EFBXImportType : int
{
	FBXIT_StaticMesh,
	FBXIT_SkeletalMesh,
	FBXIT_Animation,
	FBXIT_MAX,
};

// The options of an FBX import, as the import dialog shows them.
class UFbxImportUI : public UObject
{
	DECLARE_HOST_CLASS(UFbxImportUI, UObject, TEXT("/Script/UnrealEd"))

public:
	UFbxImportUI();
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	// The type found in (or chosen for) the file, which the dialog starts from.
	TEnumAsByte<enum EFBXImportType> OriginalImportType = FBXIT_StaticMesh;
	TEnumAsByte<enum EFBXImportType> MeshTypeToImport = FBXIT_StaticMesh;
	bool bImportAsSkeletal = false;
	bool bImportMesh = true;
	uint32 bImportAnimations : 1 = 1;
	uint32 bImportMaterials : 1 = 1;
	uint32 bImportTextures : 1 = 1;
	// Use the name given as the mesh's full name when the file holds one mesh.
	uint32 bOverrideFullName : 1 = 1;
	// An automated import looks at the file to choose static mesh, skeletal mesh or animation.
	bool bAutomatedImportShouldDetectType = true;
	TObjectPtr<class UFbxStaticMeshImportData> StaticMeshImportData;

	void SetMeshTypeToImport() { MeshTypeToImport = bImportAsSkeletal ? FBXIT_SkeletalMesh : FBXIT_StaticMesh; }
};
