#pragma once

#include "AssetRegistry/AssetData.h"

// The catalogue of assets, on disk and in memory.
class IAssetRegistry
{
public:
	virtual ~IAssetRegistry() = default;

	static IAssetRegistry* Get();
	static IAssetRegistry& GetChecked();

	// The assets in the package path ("/Game/Folder"), and in its sub-folders when recursive;
	// with bIncludeOnlyOnDiskAssets, only assets that have been saved.
	virtual bool GetAssetsByPath(FName PackagePath, TArray<FAssetData>& OutAssetData, bool bRecursive = false, bool bIncludeOnlyOnDiskAssets = false) const = 0;
	virtual bool GetAssetsByPaths(TArray<FName> PackagePaths, TArray<FAssetData>& OutAssetData, bool bRecursive = false, bool bIncludeOnlyOnDiskAssets = false) const = 0;
	virtual FAssetData GetAssetByObjectPath(const FSoftObjectPath& ObjectPath, bool bIncludeOnlyOnDiskAssets = false) const = 0;
	virtual bool HasAssets(const FName PackagePath, const bool bRecursive = false) const = 0;
};
