#pragma once

#include "CoreMinimal.h"
#include "Containers/IndirectArray.h"

// A run of triangles drawn with one material slot.
struct FStaticMeshSection
{
	int32 MaterialIndex = 0;
	uint32 FirstIndex = 0;
	uint32 NumTriangles = 0;
	uint32 MinVertexIndex = 0;
	uint32 MaxVertexIndex = 0;
};

// One level of detail: vertex positions, triangle indices and sections. The stand-in keeps the
// positions where the engine keeps its vertex buffers.
struct FStaticMeshLODResources
{
	TArray<FVector3f> Positions;
	TArray<uint32> Indices;
	TArray<FStaticMeshSection> Sections;

	int32 GetNumVertices() const { return Positions.Num(); }
	int32 GetNumTriangles() const { return Indices.Num() / 3; }
};

struct FStaticMeshRenderData
{
	TIndirectArray<FStaticMeshLODResources> LODResources;
};
