#include "UnrealEd/Fbx/FbxStaticMeshImport.h"

#include "Engine/StaticMesh.h"
#include "Engine/Texture2D.h"
#include "Factories/FbxImportUI.h"
#include "Factories/FbxStaticMeshImportData.h"
#include "Materials/Material.h"
#include "Misc/Paths.h"
#include "ObjectTools.h"
#include "UObject/Package.h"
#include "UnrealEd/Fbx/FbxScene.h"

namespace UE::Host::Fbx
{
	namespace
	{
		constexpr EObjectFlags AssetFlags = RF_Public | RF_Standalone | RF_Transactional;

		// The nodes that become one static mesh, and the mesh's name.
		struct FMeshGroup
		{
			FString Name;
			TArray<const FMeshNode*> Nodes;
		};

		bool IsDegenerate(const FMeshPart& Part, int32 First)
		{
			const FVector3f& A = Part.Positions[Part.Indices[First]];
			const FVector3f& B = Part.Positions[Part.Indices[First + 1]];
			const FVector3f& C = Part.Positions[Part.Indices[First + 2]];
			return FVector3f::CrossProduct(B - A, C - A).Size() <= 1e-8f;
		}

		// The naming rules of the editor's FBX import documentation: with one mesh node the mesh
		// takes the asset name (or asset name + "_" + node name when the full name is not
		// overridden); combined meshes take the asset name; separate meshes take asset name +
		// "_" + node name.
		TArray<FMeshGroup> GroupMeshes(const FScene& Scene, const FString& AssetName, bool bCombine, bool bOverrideFullName)
		{
			TArray<FMeshGroup> Groups;
			if (Scene.MeshNodes.IsEmpty())
			{
				return Groups;
			}
			if (bCombine || Scene.MeshNodes.Num() == 1)
			{
				FMeshGroup& Group = Groups.Emplace_GetRef();
				const bool bFullName = Scene.MeshNodes.Num() > 1 || bOverrideFullName;
				Group.Name = bFullName ? AssetName : AssetName + TEXT("_") + ObjectTools::SanitizeObjectName(Scene.MeshNodes[0].Name);
				for (const FMeshNode& Node : Scene.MeshNodes)
				{
					Group.Nodes.Add(&Node);
				}
				return Groups;
			}
			TSet<FString> Taken;
			for (const FMeshNode& Node : Scene.MeshNodes)
			{
				const FString Base = AssetName + TEXT("_") + ObjectTools::SanitizeObjectName(Node.Name);
				// Two nodes of one name would make one asset twice; the later ones are numbered.
				FString Name = Base;
				for (int32 Suffix = 1; Taken.Contains(Name); ++Suffix)
				{
					Name = FString::Printf(TEXT("%s_%d"), *Base, Suffix);
				}
				Taken.Add(Name);
				Groups.Add(FMeshGroup{Name, {&Node}});
			}
			return Groups;
		}

		template <typename T>
		T* FindOrMakeAsset(const FString& Path, const FString& Name, TArray<UObject*>& Made)
		{
			UPackage* Package = CreatePackage(*(Path / Name));
			if (T* Existing = FindObject<T>(Package, *Name))
			{
				return Existing;
			}
			if (FindObject<UObject>(Package, *Name) != nullptr)
			{
				return nullptr;
			}
			T* Asset = NewObject<T>(Package, FName(Name), AssetFlags);
			Made.Add(Asset);
			return Asset;
		}

		UTexture2D* ImportTexture(const FTextureSource& Source, const FImportRequest& Request, TArray<UObject*>& Made)
		{
			if (!Source.bEmbedded && Source.FoundFile.IsEmpty())
			{
				return nullptr;
			}
			const FString Name = ObjectTools::SanitizeObjectName(FPaths::GetBaseFilename(Source.Reference.Replace(TEXT("\\"), TEXT("/"))));
			return FindOrMakeAsset<UTexture2D>(Request.DestinationPath, Name, Made);
		}

		// The slot for each material of the file that a mesh uses: an imported material (with
		// its textures) or, when materials are not imported, the engine's default material.
		UMaterialInterface* ImportMaterial(const FMaterial& Source, const FImportRequest& Request, TArray<UObject*>& Made)
		{
			TArray<UTexture2D*> Textures;
			if (Request.Options->bImportTextures)
			{
				for (const FTextureSource& Texture : Source.Textures)
				{
					if (UTexture2D* Imported = ImportTexture(Texture, Request, Made))
					{
						Textures.Add(Imported);
					}
				}
			}
			if (!Request.Options->bImportMaterials)
			{
				return UMaterial::GetDefaultMaterial(MD_Surface);
			}
			const FString Name = ObjectTools::SanitizeObjectName(Source.Name.IsEmpty() ? FString(TEXT("Material")) : Source.Name);
			UMaterial* Material = FindOrMakeAsset<UMaterial>(Request.DestinationPath, Name, Made);
			if (Material != nullptr)
			{
				for (UTexture2D* Texture : Textures)
				{
					Material->AddTextureSample(Texture);
				}
			}
			return Material;
		}

		std::unique_ptr<FStaticMeshRenderData> BuildRenderData(const FMeshGroup& Group, const TArray<int32>& SlotMaterials, bool bRemoveDegenerates)
		{
			auto RenderData = std::make_unique<FStaticMeshRenderData>();
			FStaticMeshLODResources* LOD = new FStaticMeshLODResources();
			RenderData->LODResources.Add(LOD);
			for (int32 Slot = 0; Slot < SlotMaterials.Num(); ++Slot)
			{
				FStaticMeshSection Section;
				Section.MaterialIndex = Slot;
				Section.FirstIndex = uint32(LOD->Indices.Num());
				Section.MinVertexIndex = uint32(LOD->Positions.Num());
				for (const FMeshNode* Node : Group.Nodes)
				{
					for (const FMeshPart& Part : Node->Parts)
					{
						if (Part.MaterialIndex != SlotMaterials[Slot])
						{
							continue;
						}
						const uint32 Base = uint32(LOD->Positions.Num());
						LOD->Positions.Append(Part.Positions);
						for (int32 First = 0; First + 2 < Part.Indices.Num(); First += 3)
						{
							if (bRemoveDegenerates && IsDegenerate(Part, First))
							{
								continue;
							}
							for (int32 Corner = 0; Corner < 3; ++Corner)
							{
								LOD->Indices.Add(Part.Indices[First + Corner] + Base);
							}
							++Section.NumTriangles;
						}
					}
				}
				Section.MaxVertexIndex = LOD->Positions.IsEmpty() ? 0 : uint32(LOD->Positions.Num() - 1);
				LOD->Sections.Add(Section);
			}
			return RenderData;
		}

		void CopySettings(const UFbxStaticMeshImportData& From, UFbxStaticMeshImportData& To)
		{
			To.ImportTranslation = From.ImportTranslation;
			To.ImportRotation = From.ImportRotation;
			To.ImportUniformScale = From.ImportUniformScale;
			To.bTransformVertexToAbsolute = From.bTransformVertexToAbsolute;
			To.bRemoveDegenerates = From.bRemoveDegenerates;
			To.bCombineMeshes = From.bCombineMeshes;
		}

		UStaticMesh* ImportMesh(const FMeshGroup& Group, const FScene& Scene, const FImportRequest& Request, const UFbxStaticMeshImportData& Settings,
			TMap<int32, UMaterialInterface*>& Materials, TArray<UObject*>& Made)
		{
			UPackage* Package = CreatePackage(*(Request.DestinationPath / Group.Name));
			UObject* Existing = FindObject<UObject>(Package, *Group.Name);
			UStaticMesh* Mesh = Cast<UStaticMesh>(Existing);
			// An asset of this name stays unless replacing was asked for, and then only by a mesh.
			if (Existing != nullptr && (!Request.bReplaceExisting || Mesh == nullptr))
			{
				return nullptr;
			}
			const bool bNew = Mesh == nullptr;
			if (bNew)
			{
				Mesh = NewObject<UStaticMesh>(Package, FName(Group.Name), AssetFlags);
			}

			TArray<int32> SlotMaterials;
			for (const FMeshNode* Node : Group.Nodes)
			{
				for (const FMeshPart& Part : Node->Parts)
				{
					SlotMaterials.AddUnique(Part.MaterialIndex);
				}
			}
			TArray<FStaticMaterial> Slots;
			for (int32 MaterialIndex : SlotMaterials)
			{
				const FMaterial& Source = Scene.Materials[MaterialIndex];
				if (!Materials.Contains(MaterialIndex))
				{
					Materials.Add(MaterialIndex, ImportMaterial(Source, Request, Made));
				}
				Slots.Add(FStaticMaterial(Materials[MaterialIndex], FName(Source.Name), FName(Source.Name)));
			}
			Mesh->SetStaticMaterials(Slots);
			Mesh->SetRenderData(BuildRenderData(Group, SlotMaterials, Settings.bRemoveDegenerates));

			UFbxStaticMeshImportData* ImportData = Cast<UFbxStaticMeshImportData>(Mesh->AssetImportData);
			if (ImportData == nullptr || bNew || Request.bReplaceExistingSettings)
			{
				if (ImportData == nullptr)
				{
					ImportData = NewObject<UFbxStaticMeshImportData>(Mesh);
					Mesh->AssetImportData = ImportData;
				}
				CopySettings(Settings, *ImportData);
			}
			ImportData->Update(Request.Filename);
			Made.Add(Mesh);
			return Mesh;
		}
	}

	FImportResult ImportStaticMeshes(const FImportRequest& Request)
	{
		FImportResult Result;
		const UFbxImportUI& Options = *Request.Options;
		const UFbxStaticMeshImportData* Settings = Options.StaticMeshImportData;
		UFbxStaticMeshImportData* Defaults = Settings == nullptr ? NewObject<UFbxStaticMeshImportData>() : nullptr;
		if (Settings == nullptr)
		{
			Settings = Defaults;
		}

		FReadOptions ReadOptions;
		ReadOptions.bTransformVertexToAbsolute = Settings->bTransformVertexToAbsolute;
		ReadOptions.ImportTransform = FTransform(Settings->ImportRotation, Settings->ImportTranslation, FVector(Settings->ImportUniformScale));
		FScene Scene;
		if (!ReadScene(Request.Filename, ReadOptions, Scene))
		{
			return Result;
		}

		EFBXImportType Type = Options.MeshTypeToImport;
		if (Options.bAutomatedImportShouldDetectType)
		{
			Type = Scene.bHasSkinning ? FBXIT_SkeletalMesh : (Scene.MeshNodes.IsEmpty() && Scene.bHasAnimation ? FBXIT_Animation : FBXIT_StaticMesh);
		}
		else if (Options.bImportAsSkeletal)
		{
			Type = FBXIT_SkeletalMesh;
		}
		if (Type != FBXIT_StaticMesh || !Options.bImportMesh)
		{
			return Result;
		}

		TMap<int32, UMaterialInterface*> Materials;
		for (const FMeshGroup& Group : GroupMeshes(Scene, Request.AssetName, Settings->bCombineMeshes, Options.bOverrideFullName))
		{
			if (UStaticMesh* Mesh = ImportMesh(Group, Scene, Request, *Settings, Materials, Result.Assets))
			{
				Result.Meshes.Add(Mesh);
			}
		}
		for (UObject* Asset : Result.Assets)
		{
			Asset->MarkPackageDirty();
		}
		return Result;
	}
}
