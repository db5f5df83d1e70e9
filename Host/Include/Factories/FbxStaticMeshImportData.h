#pragma once

#include "Factories/FbxMeshImportData.h"

// Import settings of static meshes made from an FBX file.
class UFbxStaticMeshImportData : public UFbxMeshImportData
{
	DECLARE_HOST_CLASS(UFbxStaticMeshImportData, UFbxMeshImportData, TEXT("/Script/UnrealEd"))

public:
	// Triangles that have no area are dropped.
	uint32 bRemoveDegenerates : 1 = 1;
	// All mesh nodes of the file become one static mesh (otherwise one static mesh per node).
	uint32 bCombineMeshes : 1 = 0;
};
