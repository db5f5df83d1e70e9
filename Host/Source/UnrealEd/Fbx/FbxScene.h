#pragma once

#include "CoreMinimal.h"

// What the importer takes from an FBX file, read with assimp: the nodes that carry mesh
// geometry (in the order of the scene graph, depth first) and the materials they use.
namespace UE::Host::Fbx
{
	// The triangles of one node that use one material.
	struct FMeshPart
	{
		TArray<FVector3f> Positions;
		TArray<uint32> Indices;
		int32 MaterialIndex = 0;
	};

	struct FMeshNode
	{
		FString Name;
		TArray<FMeshPart> Parts;
	};

	// A texture a material samples: a file on disk or one embedded in the FBX file.
	struct FTextureSource
	{
		// The file's name as the FBX file gives it ("Textures\\albedo.png").
		FString Reference;
		// The file found on disk; empty for an embedded texture.
		FString FoundFile;
		bool bEmbedded = false;
	};

	struct FMaterial
	{
		FString Name;
		TArray<FTextureSource> Textures;
	};

	struct FScene
	{
		TArray<FMeshNode> MeshNodes;
		TArray<FMaterial> Materials;
		// A mesh is bound to a skeleton (the file holds a skeletal mesh).
		bool bHasSkinning = false;
		bool bHasAnimation = false;
	};

	struct FReadOptions
	{
		bool bTransformVertexToAbsolute = true;
		// Applied to every vertex after the node's own transform.
		FTransform ImportTransform;
	};

	// False when the file cannot be read as an FBX scene.
	bool ReadScene(const FString& Filename, const FReadOptions& Options, FScene& OutScene);
}
