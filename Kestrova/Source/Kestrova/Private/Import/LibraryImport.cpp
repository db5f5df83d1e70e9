#include "Import/LibraryImport.h"

#include "AssetImportTask.h"
#include "AssetRegistry/AssetData.h"
#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetRegistry/IAssetRegistry.h"
#include "AssetToolsModule.h"
#include "ContentBrowserModule.h"
#include "Editor.h"
#include "Engine/Level.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"
#include "Engine/World.h"
#include "Components/StaticMeshComponent.h"
#include "Factories/FbxImportUI.h"
#include "Factories/FbxStaticMeshImportData.h"
#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"
#include "IAssetTools.h"
#include "IContentBrowserSingleton.h"
#include "LevelUtils.h"
#include "Misc/Guid.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "ObjectTools.h"
#include "ScopedTransaction.h"
#include "UObject/Package.h"
#include "UObject/StrongObjectPtr.h"

namespace
{
	constexpr int32 MaxNameLength = 72;

	// Content paths take letters, digits and underscores; anything else in an id is dropped.
	FString AssetName(const FString& ProductId)
	{
		FString Name;
		for (const TCHAR Char : ProductId)
		{
			const bool bAsciiAlnum = (Char >= u'A' && Char <= u'Z') || (Char >= u'a' && Char <= u'z') || (Char >= u'0' && Char <= u'9');
			if (Char == u'_' || bAsciiAlnum)
			{
				Name.AppendChar(Char);
			}
		}
		Name = Name.Left(MaxNameLength);
		return Name.IsEmpty() ? FString(TEXT("Asset")) : Name;
	}

	UFbxImportUI* StaticMeshOptions()
	{
		UFbxImportUI* Options = NewObject<UFbxImportUI>(GetTransientPackage());
		Options->OriginalImportType = FBXIT_StaticMesh;
		Options->MeshTypeToImport = FBXIT_StaticMesh;
		Options->bImportAsSkeletal = false;
		Options->bImportMesh = true;
		Options->bImportAnimations = false;
		Options->bImportMaterials = true;
		Options->bImportTextures = true;
		Options->bAutomatedImportShouldDetectType = false;
		// One model becomes one placeable mesh, whatever the number of nodes it was built from.
		if (Options->StaticMeshImportData)
		{
			Options->StaticMeshImportData->bCombineMeshes = true;
		}
		return Options;
	}

	// Deletes every asset that the batch left under Folder, saved or only in memory.
	void RollBack(const FString& Folder)
	{
		TArray<FAssetData> Assets;
		FModuleManager::LoadModuleChecked<FAssetRegistryModule>(TEXT("AssetRegistry")).Get().GetAssetsByPath(FName(*Folder), Assets, true, false);
		TArray<UObject*> Objects;
		const FString Prefix = Folder + TEXT("/");
		for (const FAssetData& Asset : Assets)
		{
			if (Asset.PackageName.ToString().StartsWith(Prefix, ESearchCase::IgnoreCase))
			{
				if (UObject* Object = Asset.GetAsset())
				{
					Objects.Add(Object);
				}
			}
		}
		ObjectTools::DeleteObjectsUnchecked(Objects);
	}
}

namespace KVAImport
{
	bool Install(const FString& Staging, const TArray<FString>& Models, const FString& ProductId,
		TArray<TSoftObjectPtr<UStaticMesh>>& Meshes, FString& Folder, FString& Error)
	{
		check(IsInGameThread());
		// A new folder every time, so an import never replaces anything.
		Folder = FString(TEXT("/Game/Kestrova/")) + AssetName(ProductId) + TEXT("_") + FGuid::NewGuid().ToString(EGuidFormats::Digits).Left(12);
		if (Models.IsEmpty())
		{
			Error = TEXT("No FBX models found.");
			return false;
		}
		const FString Preserved = FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Imported"), FPaths::GetCleanFilename(Folder));
		if (!FPlatformFileManager::Get().GetPlatformFile().CopyDirectoryTree(*Preserved, *Staging, false))
		{
			Error = TEXT("Could not preserve the source files. Try again.");
			return false;
		}

		TArray<TStrongObjectPtr<UAssetImportTask>> Held;
		TArray<UAssetImportTask*> Tasks;
		for (int32 Index = 0; Index < Models.Num(); ++Index)
		{
			UAssetImportTask* Task = NewObject<UAssetImportTask>(GetTransientPackage());
			Held.Emplace(Task);
			Task->Filename = FPaths::Combine(Staging, Models[Index]);
			Task->DestinationPath = Folder + TEXT("/") + FString::Printf(TEXT("Model_%04d"), Index + 1);
			Task->bAutomated = true;
			Task->bReplaceExisting = false;
			Task->bReplaceExistingSettings = false;
			Task->bSave = false;
			Task->bAsync = false;
			Task->Options = StaticMeshOptions();
			Tasks.Add(Task);
		}
		FModuleManager::LoadModuleChecked<FAssetToolsModule>(TEXT("AssetTools")).Get().ImportAssetTasks(Tasks);

		bool bEveryModel = true;
		for (const UAssetImportTask* Task : Tasks)
		{
			bool bAnyMesh = false;
			for (UObject* Object : Task->GetObjects())
			{
				if (UStaticMesh* Mesh = Cast<UStaticMesh>(Object))
				{
					bAnyMesh = true;
					Meshes.AddUnique(TSoftObjectPtr<UStaticMesh>(Mesh));
				}
			}
			bEveryModel = bEveryModel && bAnyMesh;
		}
		if (bEveryModel && !Meshes.IsEmpty())
		{
			return true;
		}

		// All or nothing: what the batch made is deleted with the preserved copy.
		RollBack(Folder);
		Meshes.Empty();
		IFileManager::Get().DeleteDirectory(*Preserved, false, true);
		Error = TEXT("Could not import every model. No assets were added to your scene.");
		return false;
	}

	bool Add(UStaticMesh* Mesh, UWorld* World, FString& Error)
	{
		check(IsInGameThread());
		UWorld* EditorWorld = GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
		ULevel* Level = EditorWorld ? EditorWorld->GetCurrentLevel() : nullptr;
		// A world captured before a level switch, a play session or a locked level is no place for it.
		if (!EditorWorld || !Mesh || EditorWorld != World || GEditor->PlayWorld || !Level || FLevelUtils::IsLevelLocked(Level))
		{
			Error = TEXT("Choose an editable level, then add the asset.");
			return false;
		}

		FScopedTransaction Transaction(NSLOCTEXT("Kestrova", "Add", "Add Kestrova asset"));
		Level->Modify();
		AStaticMeshActor* Actor = Cast<AStaticMeshActor>(GEditor->AddActor(Level, AStaticMeshActor::StaticClass(), FTransform::Identity, true, RF_Transactional, true));
		UStaticMeshComponent* Component = Actor ? Actor->GetStaticMeshComponent() : nullptr;
		if (!Component)
		{
			Transaction.Cancel();
			Error = TEXT("Could not add the asset. Try again.");
			return false;
		}
		Actor->Modify();
		Component->Modify();
		Component->SetStaticMesh(Mesh);
		Actor->SetActorLabel(Mesh->GetName(), true);

		GEditor->SelectNone(false, true, true);
		GEditor->SelectActor(Actor, true, true);
		GEditor->NoteSelectionChange();
		return true;
	}

	void Show(const FString& Folder)
	{
		FContentBrowserModule& ContentBrowser = FModuleManager::LoadModuleChecked<FContentBrowserModule>(TEXT("ContentBrowser"));
		ContentBrowser.Get().SyncBrowserToFolders(TArray<FString>{Folder}, false, true, FName(), false);
	}
}
