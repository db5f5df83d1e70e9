#pragma once

#include "Factories/FbxAssetImportData.h"

// Import settings common to the meshes made from an FBX file.
class UFbxMeshImportData : public UFbxAssetImportData
{
	DECLARE_HOST_CLASS(UFbxMeshImportData, UFbxAssetImportData, TEXT("/Script/UnrealEd"))

public:
	// Vertices are placed by the node's transform in the scene (true) or left in the node's space.
	bool bTransformVertexToAbsolute = true;
};
