#pragma once

#include "EditorFramework/AssetImportData.h"

// Import settings common to every asset made from an FBX file.
class UFbxAssetImportData : public UAssetImportData
{
	DECLARE_HOST_CLASS(UFbxAssetImportData, UAssetImportData, TEXT("/Script/UnrealEd"))

public:
	// Applied to every vertex: scale first, then rotation, then translation.
	FVector ImportTranslation = FVector::ZeroVector;
	FRotator ImportRotation = FRotator::ZeroRotator;
	float ImportUniformScale = 1.0f;
};
