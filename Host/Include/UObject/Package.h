#pragma once

#include "UObject/Object.h"
#include "UObject/UObjectGlobals.h"

// A package: the outermost object, named by its long package name ("/Game/Folder/Asset").
class UPackage : public UObject
{
	DECLARE_HOST_CLASS(UPackage, UObject, TEXT("/Script/CoreUObject"))

public:
	void SetPackageFlags(uint32 NewFlags) { PackageFlags |= NewFlags; }
	void ClearPackageFlags(uint32 NewFlags) { PackageFlags &= ~NewFlags; }
	bool HasAnyPackageFlags(uint32 FlagsToCheck) const { return (PackageFlags & FlagsToCheck) != 0; }
	uint32 GetPackageFlags() const { return PackageFlags; }

	// Unsaved changes: set when an object inside is modified, cleared when the package is saved.
	void SetDirtyFlag(bool bIsDirty) { bDirty = bIsDirty; }
	bool IsDirty() const { return bDirty; }

private:
	bool bDirty = false;
	uint32 PackageFlags = PKG_None;
};
