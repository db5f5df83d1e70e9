#include "UObject/SoftObjectPath.h"

#include "UObject/Object.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

bool FTopLevelAssetPath::TrySetPath(const FString& Path)
{
	Reset();
	if (Path.IsEmpty() || Path[0] != TEXT('/') || Path.Contains(TEXT(":")))
	{
		return false;
	}
	FString Package;
	FString Asset;
	if (!Path.Split(TEXT("."), &Package, &Asset))
	{
		Package = Path;
	}
	if (Package.IsEmpty() || Asset.Contains(TEXT(".")))
	{
		return false;
	}
	PackageName = FName(Package);
	AssetName = Asset.IsEmpty() ? FName() : FName(Asset);
	return true;
}

FString FTopLevelAssetPath::ToString() const
{
	if (PackageName.IsNone())
	{
		return FString();
	}
	return AssetName.IsNone() ? PackageName.ToString() : PackageName.ToString() + TEXT(".") + AssetName.ToString();
}

FSoftObjectPath::FSoftObjectPath(const UObject* Object)
{
	if (Object != nullptr)
	{
		SetPath(Object->GetPathName());
	}
}

void FSoftObjectPath::SetPath(const FString& Path)
{
	Reset();
	FString TopLevel = Path;
	FString SubPath;
	Path.Split(TEXT(":"), &TopLevel, &SubPath);
	if (AssetPath.TrySetPath(TopLevel))
	{
		SubPathString = SubPath;
	}
}

void FSoftObjectPath::Reset()
{
	AssetPath.Reset();
	SubPathString.Empty();
}

FString FSoftObjectPath::ToString() const
{
	return SubPathString.IsEmpty() ? AssetPath.ToString() : AssetPath.ToString() + TEXT(":") + SubPathString;
}

UObject* FSoftObjectPath::ResolveObject() const
{
	return IsNull() ? nullptr : StaticFindObject(nullptr, nullptr, *ToString());
}
