#include "AssetRegistry/AssetData.h"

#include "CoreUObject/ClassRegistry.h"
#include "UObject/Package.h"

FAssetData::FAssetData(const UObject* InAsset)
{
	if (InAsset == nullptr)
	{
		return;
	}
	const FString Package = InAsset->GetPackage()->GetName();
	int32 Slash = INDEX_NONE;
	Package.FindLastChar(TEXT('/'), Slash);
	PackageName = FName(Package);
	PackagePath = Slash > 0 ? FName(Package.Left(Slash)) : FName();
	AssetName = InAsset->GetFName();
	AssetClassPath = FTopLevelAssetPath(InAsset->GetClass()->GetPathName());
}

UObject* FAssetData::GetAsset(TSet<FName>) const
{
	return IsValid() ? GetSoftObjectPath().ResolveObject() : nullptr;
}

bool FAssetData::IsAssetLoaded() const
{
	return GetAsset() != nullptr;
}

UClass* FAssetData::GetClass(EResolveClass::Type) const
{
	const FString ClassPath = AssetClassPath.ToString();
	for (const std::unique_ptr<UClass>& Class : UE::CoreUObject::Private::GetClassRegistry())
	{
		if (Class->GetPathName() == ClassPath)
		{
			return Class.get();
		}
	}
	return nullptr;
}

FString FAssetData::GetFullName() const
{
	return AssetClassPath.GetAssetName().ToString() + TEXT(" ") + GetObjectPathString();
}
