#pragma once

#include "CoreMinimal.h"

class UObject;

// The path of a top-level object: its package and its name in it ("/Game/Folder/Asset.Asset").
struct FTopLevelAssetPath
{
public:
	FTopLevelAssetPath() = default;
	FTopLevelAssetPath(FName InPackageName, FName InAssetName) : PackageName(InPackageName), AssetName(InAssetName) {}
	explicit FTopLevelAssetPath(const FString& Path) { TrySetPath(Path); }

	// False (and null) unless Path is "/Package/Path.AssetName" or a bare package path.
	bool TrySetPath(const FString& Path);
	FName GetPackageName() const { return PackageName; }
	FName GetAssetName() const { return AssetName; }
	FString ToString() const;
	bool IsValid() const { return !PackageName.IsNone(); }
	bool IsNull() const { return PackageName.IsNone(); }
	void Reset() { *this = FTopLevelAssetPath(); }

	bool operator==(const FTopLevelAssetPath& Other) const { return PackageName == Other.PackageName && AssetName == Other.AssetName; }
	bool operator!=(const FTopLevelAssetPath& Other) const { return !(*this == Other); }
	friend uint32 GetTypeHash(const FTopLevelAssetPath& Path) { return GetTypeHash(Path.PackageName) * 31u + GetTypeHash(Path.AssetName); }

private:
	FName PackageName;
	FName AssetName;
};

// The path of an object that may or may not be loaded: "/Package/Path.AssetName[:SubPath]".
struct FSoftObjectPath
{
public:
	FSoftObjectPath() = default;
	FSoftObjectPath(TYPE_OF_NULLPTR) {}
	FSoftObjectPath(const FString& Path) { SetPath(Path); }
	FSoftObjectPath(const TCHAR* Path) { SetPath(FString(Path)); }
	FSoftObjectPath(FTopLevelAssetPath InAssetPath, FString InSubPathString = FString())
		: AssetPath(InAssetPath), SubPathString(MoveTemp(InSubPathString))
	{
	}
	FSoftObjectPath(const UObject* Object);

	FString ToString() const;
	FString GetAssetPathString() const { return AssetPath.ToString(); }
	const FTopLevelAssetPath& GetAssetPath() const { return AssetPath; }
	FName GetLongPackageFName() const { return AssetPath.GetPackageName(); }
	FString GetLongPackageName() const { return AssetPath.GetPackageName().ToString(); }
	FString GetAssetName() const { return AssetPath.GetAssetName().ToString(); }
	const FString& GetSubPathString() const { return SubPathString; }
	void SetPath(const FString& Path);
	void Reset();

	bool IsValid() const { return AssetPath.IsValid(); }
	bool IsNull() const { return AssetPath.IsNull(); }
	bool IsAsset() const { return AssetPath.IsValid() && SubPathString.IsEmpty(); }

	// The object if it is in memory (and not garbage); never loads.
	UObject* ResolveObject() const;
	// Loads the object if it is not in memory. The stand-in keeps no packages on disk, so this
	// finds only what is in memory.
	UObject* TryLoad() const { return ResolveObject(); }

	bool operator==(const FSoftObjectPath& Other) const
	{
		return AssetPath == Other.AssetPath && SubPathString.Equals(Other.SubPathString, ESearchCase::IgnoreCase);
	}
	bool operator!=(const FSoftObjectPath& Other) const { return !(*this == Other); }
	friend uint32 GetTypeHash(const FSoftObjectPath& Path) { return GetTypeHash(Path.AssetPath) * 31u + GetTypeHash(Path.SubPathString); }

private:
	FTopLevelAssetPath AssetPath;
	FString SubPathString;
};
