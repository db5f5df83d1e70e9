#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "UObject/NameTypes.h"
#include "UObject/ObjectMacros.h"

// A class at run time: its name, its super class, how to make an instance and which objects an
// instance holds. The stand-in's classes are plain records rather than objects of their own.
class UClass
{
public:
	typedef UObject* (*FConstructor)();
	typedef void (*FAddReferencedObjects)(UObject*, FReferenceCollector&);

	UClass(const FString& InName, const FString& InPackageName, UClass* InSuperClass, FConstructor InConstructor,
		FAddReferencedObjects InAddReferencedObjects);
	UClass(const UClass&) = delete;
	UClass& operator=(const UClass&) = delete;

	// The name without its C++ prefix: "StaticMesh" for UStaticMesh.
	FString GetName() const { return Name.ToString(); }
	FName GetFName() const { return Name; }
	// "/Script/Engine.StaticMesh".
	FString GetPathName() const { return PackageName + TEXT(".") + Name.ToString(); }
	UClass* GetSuperClass() const { return SuperClass; }
	bool IsChildOf(const UClass* SomeBase) const;
	template <typename T>
	bool IsChildOf() const
	{
		return IsChildOf(T::StaticClass());
	}

	FConstructor ClassConstructor;
	FAddReferencedObjects ClassAddReferencedObjects;
	// Counts the names made for instances of this class ("StaticMesh_0", "StaticMesh_1", ...).
	int32 ClassUnique = 0;

private:
	FName Name;
	FString PackageName;
	UClass* SuperClass;
};
