#include "AssetToolsModule.h"

#include "AssetImportTask.h"
#include "AssetTools/AssetToolsHost.h"
#include "Factories/FbxImportUI.h"
#include "Misc/Paths.h"
#include "ObjectTools.h"
#include "UObject/Package.h"
#include "UnrealEd/Fbx/FbxStaticMeshImport.h"

namespace
{
	class FAssetToolsImpl final : public IAssetTools
	{
	public:
		virtual void ImportAssetTasks(const TArray<UAssetImportTask*>& ImportTasks) const override
		{
			for (UAssetImportTask* Task : ImportTasks)
			{
				if (Task != nullptr)
				{
					Import(*Task);
				}
			}
		}

		mutable int32 ImportDialogs = 0;

	private:
		// Content paths live under a mount point: the project's "/Game" or the engine's.
		static bool IsValidDestination(const FString& Path)
		{
			return (Path == TEXT("/Game") || Path.StartsWith(TEXT("/Game/")) || Path.StartsWith(TEXT("/Engine/")))
				&& !Path.Contains(TEXT("//")) && !Path.EndsWith(TEXT("/"));
		}

		void Import(UAssetImportTask& Task) const
		{
			Task.Result.Reset();
			Task.ImportedObjectPaths.Reset();
			const FString Filename = FPaths::ConvertRelativePathToFull(Task.Filename);
			const FString Destination = ObjectTools::SanitizeInvalidChars(Task.DestinationPath, INVALID_LONGPACKAGE_CHARACTERS);
			// The stand-in's only importer is its FBX importer: another factory or other options
			// import nothing.
			UFbxImportUI* Options = Task.Options != nullptr ? Cast<UFbxImportUI>(Task.Options) : NewObject<UFbxImportUI>();
			if (!FPaths::FileExists(Filename) || !FPaths::GetExtension(Filename).Equals(TEXT("fbx"), ESearchCase::IgnoreCase)
				|| Task.Factory != nullptr || Options == nullptr || !IsValidDestination(Destination))
			{
				return;
			}
			if (!Task.bAutomated)
			{
				++ImportDialogs;
			}

			UE::Host::Fbx::FImportRequest Request;
			Request.Filename = Filename;
			Request.DestinationPath = Destination;
			Request.AssetName = ObjectTools::SanitizeObjectName(Task.DestinationName.IsEmpty() ? FPaths::GetBaseFilename(Filename) : Task.DestinationName);
			Request.bReplaceExisting = Task.bReplaceExisting;
			Request.bReplaceExistingSettings = Task.bReplaceExistingSettings;
			Request.Options = Options;
			const UE::Host::Fbx::FImportResult Imported = UE::Host::Fbx::ImportStaticMeshes(Request);

			// The stand-in writes no package files: saving marks the packages as saved.
			if (Task.bSave)
			{
				for (UObject* Asset : Imported.Assets)
				{
					Asset->GetPackage()->SetDirtyFlag(false);
					Asset->GetPackage()->ClearPackageFlags(PKG_NewlyCreated);
				}
			}
			for (UObject* Mesh : Imported.Meshes)
			{
				Task.Result.Add(Mesh);
				Task.ImportedObjectPaths.Add(Mesh->GetPathName());
			}
		}
	};
}

FAssetToolsModule::FAssetToolsModule()
	: AssetTools(std::make_unique<FAssetToolsImpl>())
{
}

FAssetToolsModule::~FAssetToolsModule() = default;

FAssetToolsModule& FAssetToolsModule::GetModule()
{
	return FModuleManager::LoadModuleChecked<FAssetToolsModule>(TEXT("AssetTools"));
}

bool FAssetToolsModule::IsModuleLoaded()
{
	return FModuleManager::Get().IsModuleLoaded(TEXT("AssetTools"));
}

IAssetTools& IAssetTools::Get()
{
	return FAssetToolsModule::GetModule().Get();
}

int32 UE::Host::CountImportDialogs()
{
	FAssetToolsModule* Module = FModuleManager::GetModulePtr<FAssetToolsModule>(TEXT("AssetTools"));
	return Module != nullptr ? static_cast<const FAssetToolsImpl&>(Module->Get()).ImportDialogs : 0;
}
