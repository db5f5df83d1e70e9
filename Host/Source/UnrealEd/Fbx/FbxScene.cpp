#include "UnrealEd/Fbx/FbxScene.h"

#include "Misc/Paths.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace UE::Host::Fbx
{
	namespace
	{
		FString ToFString(const aiString& Text)
		{
			return FString(FUTF8ToTCHAR(Text.C_Str()).Get());
		}

		// Nodes named for collision shapes and sockets are not meshes of their own.
		bool IsSpecialNode(const FString& Name)
		{
			for (const TCHAR* Prefix : {TEXT("UCX_"), TEXT("UBX_"), TEXT("USP_"), TEXT("UCP_"), TEXT("SOCKET_")})
			{
				if (Name.StartsWith(Prefix, ESearchCase::CaseSensitive))
				{
					return true;
				}
			}
			return false;
		}

		FTextureSource FindTexture(const aiScene& Scene, const FString& FbxFolder, const aiString& Reference)
		{
			FTextureSource Source;
			Source.Reference = ToFString(Reference);
			if (Scene.GetEmbeddedTexture(Reference.C_Str()) != nullptr)
			{
				Source.bEmbedded = true;
				return Source;
			}
			// As written, then beside the FBX file by relative path, then by bare name.
			const FString Path = Source.Reference.Replace(TEXT("\\"), TEXT("/"));
			for (const FString& Candidate : {Path, FbxFolder / Path, FbxFolder / FPaths::GetCleanFilename(Path)})
			{
				if (!Candidate.IsEmpty() && FPaths::FileExists(Candidate))
				{
					Source.FoundFile = FPaths::ConvertRelativePathToFull(Candidate);
					break;
				}
			}
			return Source;
		}

		void ReadMaterials(const aiScene& Scene, const FString& FbxFolder, FScene& OutScene)
		{
			for (uint32 Index = 0; Index < Scene.mNumMaterials; ++Index)
			{
				const aiMaterial& Material = *Scene.mMaterials[Index];
				FMaterial& Read = OutScene.Materials.Emplace_GetRef();
				aiString Name;
				Material.Get(AI_MATKEY_NAME, Name);
				Read.Name = ToFString(Name);
				for (int32 Type = aiTextureType_DIFFUSE; Type < AI_TEXTURE_TYPE_MAX; ++Type)
				{
					for (uint32 Slot = 0; Slot < Material.GetTextureCount(aiTextureType(Type)); ++Slot)
					{
						aiString Reference;
						if (Material.GetTexture(aiTextureType(Type), Slot, &Reference) == AI_SUCCESS
							&& !Read.Textures.ContainsByPredicate([&](const FTextureSource& Known) { return Known.Reference == ToFString(Reference); }))
						{
							Read.Textures.Add(FindTexture(Scene, FbxFolder, Reference));
						}
					}
				}
			}
		}

		FVector3f Place(const aiVector3D& Vertex, const aiMatrix4x4& NodeTransform, const FTransform& ImportTransform)
		{
			const aiVector3D InScene = NodeTransform * Vertex;
			const FVector Placed = ImportTransform.TransformPosition(FVector(InScene.x, InScene.y, InScene.z));
			return FVector3f(float(Placed.X), float(Placed.Y), float(Placed.Z));
		}

		void ReadNode(const aiScene& Scene, const aiNode& Node, const aiMatrix4x4& ParentTransform, const FReadOptions& Options, FScene& OutScene)
		{
			const aiMatrix4x4 Global = ParentTransform * Node.mTransformation;
			const FString Name = ToFString(Node.mName);
			if (Node.mNumMeshes > 0 && !IsSpecialNode(Name))
			{
				const aiMatrix4x4 VertexTransform = Options.bTransformVertexToAbsolute ? Global : aiMatrix4x4();
				FMeshNode& MeshNode = OutScene.MeshNodes.Emplace_GetRef();
				MeshNode.Name = Name;
				for (uint32 MeshIndex = 0; MeshIndex < Node.mNumMeshes; ++MeshIndex)
				{
					const aiMesh& Mesh = *Scene.mMeshes[Node.mMeshes[MeshIndex]];
					OutScene.bHasSkinning |= Mesh.HasBones();
					FMeshPart& Part = MeshNode.Parts.Emplace_GetRef();
					Part.MaterialIndex = int32(Mesh.mMaterialIndex);
					for (uint32 Vertex = 0; Vertex < Mesh.mNumVertices; ++Vertex)
					{
						Part.Positions.Add(Place(Mesh.mVertices[Vertex], VertexTransform, Options.ImportTransform));
					}
					for (uint32 Face = 0; Face < Mesh.mNumFaces; ++Face)
					{
						// Points and lines are not triangles of a static mesh.
						if (Mesh.mFaces[Face].mNumIndices == 3)
						{
							Part.Indices.Append(reinterpret_cast<const uint32*>(Mesh.mFaces[Face].mIndices), 3);
						}
					}
				}
			}
			for (uint32 Child = 0; Child < Node.mNumChildren; ++Child)
			{
				ReadNode(Scene, *Node.mChildren[Child], Global, Options, OutScene);
			}
		}
	}

	bool ReadScene(const FString& Filename, const FReadOptions& Options, FScene& OutScene)
	{
		Assimp::Importer Importer;
		const aiScene* Scene = Importer.ReadFile(FTCHARToUTF8(*Filename).Get(), aiProcess_Triangulate | aiProcess_JoinIdenticalVertices);
		if (Scene == nullptr || Scene->mRootNode == nullptr)
		{
			return false;
		}
		OutScene = FScene();
		OutScene.bHasAnimation = Scene->HasAnimations();
		ReadMaterials(*Scene, FPaths::GetPath(Filename), OutScene);
		ReadNode(*Scene, *Scene->mRootNode, aiMatrix4x4(), Options, OutScene);
		return true;
	}
}
