#pragma once

#include "CoreMinimal.h"
#include "UObject/SoftObjectPath.h"

class UClass;
class UObject;

namespace EResolveClass
{
	enum Type
	{
		No,
		Yes
	};
}

// What the asset registry knows of one asset, loaded or not.
struct FAssetData
{
public:
	FAssetData() = default;
	// Describes a loaded asset; empty for null.
	FAssetData(const UObject* InAsset);

	// "/Game/Folder/Asset"
	FName PackageName;
	// "/Game/Folder"
	FName PackagePath;
	// "Asset"
	FName AssetName;
	// "/Script/Engine.StaticMesh"
	FTopLevelAssetPath AssetClassPath;

	bool IsValid() const { return !AssetName.IsNone(); }
	bool IsAssetLoaded() const;
	// The asset, loaded if needed. The stand-in keeps no packages on disk: this finds the asset
	// only while it is in memory.
	UObject* GetAsset(TSet<FName> LoadTags = {}) const;
	UClass* GetClass(EResolveClass::Type ResolveClass = EResolveClass::No) const;
	// "/Game/Folder/Asset.Asset"
	FString GetObjectPathString() const { return GetSoftObjectPath().ToString(); }
	FSoftObjectPath GetSoftObjectPath() const { return FSoftObjectPath(FTopLevelAssetPath(PackageName, AssetName)); }
	FSoftObjectPath ToSoftObjectPath() const { return GetSoftObjectPath(); }
	// "StaticMesh /Game/Folder/Asset.Asset"
	FString GetFullName() const;

	bool operator==(const FAssetData& Other) const
	{
		return PackageName == Other.PackageName && AssetName == Other.AssetName && AssetClassPath == Other.AssetClassPath;
	}
};
