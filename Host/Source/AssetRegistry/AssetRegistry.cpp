#include "AssetRegistry/AssetRegistryModule.h"

#include "UObject/Package.h"
#include "UObject/UObjectHash.h"

namespace
{
	// The stand-in's registry reads the assets in memory; an asset counts as on disk once its
	// package has been saved.
	class FAssetRegistryImpl final : public IAssetRegistry
	{
	public:
		virtual bool GetAssetsByPath(FName PackagePath, TArray<FAssetData>& OutAssetData, bool bRecursive, bool bIncludeOnlyOnDiskAssets) const override
		{
			return GetAssetsByPaths({PackagePath}, OutAssetData, bRecursive, bIncludeOnlyOnDiskAssets);
		}

		virtual bool GetAssetsByPaths(TArray<FName> PackagePaths, TArray<FAssetData>& OutAssetData, bool bRecursive, bool bIncludeOnlyOnDiskAssets) const override
		{
			ForEachAsset(bIncludeOnlyOnDiskAssets, [&](const UObject* Asset)
			{
				const FAssetData Data(Asset);
				for (const FName& Path : PackagePaths)
				{
					if (IsInPath(Data.PackagePath, Path, bRecursive))
					{
						OutAssetData.Add(Data);
						break;
					}
				}
			});
			return true;
		}

		virtual FAssetData GetAssetByObjectPath(const FSoftObjectPath& ObjectPath, bool bIncludeOnlyOnDiskAssets) const override
		{
			FAssetData Found;
			ForEachAsset(bIncludeOnlyOnDiskAssets, [&](const UObject* Asset)
			{
				if (FSoftObjectPath(Asset) == ObjectPath)
				{
					Found = FAssetData(Asset);
				}
			});
			return Found;
		}

		virtual bool HasAssets(const FName PackagePath, const bool bRecursive) const override
		{
			TArray<FAssetData> Assets;
			GetAssetsByPath(PackagePath, Assets, bRecursive, false);
			return !Assets.IsEmpty();
		}

	private:
		template <typename FunctionType>
		static void ForEachAsset(bool bIncludeOnlyOnDiskAssets, FunctionType Function)
		{
			TArray<UObject*> Objects;
			GetObjectsOfClass(UObject::StaticClass(), Objects);
			for (const UObject* Object : Objects)
			{
				if (Object->IsAsset() && !(bIncludeOnlyOnDiskAssets && Object->GetPackage()->HasAnyPackageFlags(PKG_NewlyCreated)))
				{
					Function(Object);
				}
			}
		}

		static bool IsInPath(FName AssetPath, FName Path, bool bRecursive)
		{
			if (AssetPath == Path)
			{
				return true;
			}
			FString Prefix = Path.ToString();
			if (!Prefix.EndsWith(TEXT("/")))
			{
				Prefix += TEXT("/");
			}
			return bRecursive && AssetPath.ToString().StartsWith(Prefix);
		}
	};
}

FAssetRegistryModule::FAssetRegistryModule()
	: Registry(std::make_unique<FAssetRegistryImpl>())
{
}

FAssetRegistryModule::~FAssetRegistryModule() = default;

IAssetRegistry& FAssetRegistryModule::GetRegistry()
{
	return FModuleManager::LoadModuleChecked<FAssetRegistryModule>(TEXT("AssetRegistry")).Get();
}

IAssetRegistry* IAssetRegistry::Get()
{
	FAssetRegistryModule* Module = FModuleManager::LoadModulePtr<FAssetRegistryModule>(TEXT("AssetRegistry"));
	return Module != nullptr ? Module->TryGet() : nullptr;
}

IAssetRegistry& IAssetRegistry::GetChecked()
{
	return FAssetRegistryModule::GetRegistry();
}
