#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/ObjectMacros.h"
#include "UObject/ObjectPtr.h"

class UObject;
class UPackage;
class FProperty;
struct FObjectInstancingGraph;

// The package of objects that are never saved: "/Engine/Transient".
UPackage* GetTransientPackage();

// The package named PackageName ("/Game/Folder/Asset"), made if it does not exist.
UPackage* CreatePackage(const TCHAR* PackageName);
UPackage* FindPackage(UObject* InOuter, const TCHAR* PackageName);

// "ClassName_N" with the class's next free number N, unused inside Parent.
FName MakeUniqueObjectName(UObject* Parent, const UClass* Class, FName InBaseName = NAME_None);

// Finds a loaded object: by its name inside InOuter, or by its whole path when InOuter is null
// ("/Game/Folder/Asset.Asset"). Objects marked as garbage are not found.
UObject* StaticFindObject(UClass* Class, UObject* InOuter, const TCHAR* Name, bool ExactClass = false);
UObject* StaticFindObjectFast(UClass* Class, UObject* InOuter, FName InName, bool ExactClass = false);

template <class T>
inline T* FindObject(UObject* Outer, const TCHAR* Name, bool ExactClass = false)
{
	return static_cast<T*>(StaticFindObject(T::StaticClass(), Outer, Name, ExactClass));
}

template <class T>
inline T* FindObjectFast(UObject* Outer, FName Name, bool ExactClass = false)
{
	return static_cast<T*>(StaticFindObjectFast(T::StaticClass(), Outer, Name, ExactClass));
}

struct FStaticConstructObjectParameters
{
	explicit FStaticConstructObjectParameters(const UClass* InClass) : Class(InClass) {}

	const UClass* Class;
	UObject* Outer = nullptr;
	FName Name;
	EObjectFlags SetFlags = RF_NoFlags;
};

UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params);

template <class T>
T* NewObject(UObject* Outer, const UClass* Class, FName Name = NAME_None, EObjectFlags Flags = RF_NoFlags, UObject* Template = nullptr,
	bool bCopyTransientsFromClassDefaults = false, FObjectInstancingGraph* InInstanceGraph = nullptr, UPackage* InExternalPackage = nullptr)
{
	// Archetypes, instancing graphs and external packages are not part of the stand-in.
	check(Template == nullptr && InInstanceGraph == nullptr && InExternalPackage == nullptr);
	(void)bCopyTransientsFromClassDefaults;
	check(Class != nullptr && Class->IsChildOf(T::StaticClass()));
	FStaticConstructObjectParameters Params(Class);
	Params.Outer = Outer;
	Params.Name = Name;
	Params.SetFlags = Flags;
	return static_cast<T*>(StaticConstructObject_Internal(Params));
}

template <class T>
T* NewObject(UObject* Outer = (UObject*)GetTransientPackage())
{
	return NewObject<T>(Outer, T::StaticClass());
}

template <class T>
T* NewObject(UObject* Outer, FName Name, EObjectFlags Flags = RF_NoFlags, UObject* Template = nullptr, bool bCopyTransientsFromClassDefaults = false,
	FObjectInstancingGraph* InInstanceGraph = nullptr, UPackage* InExternalPackage = nullptr)
{
	return NewObject<T>(Outer, T::StaticClass(), Name, Flags, Template, bCopyTransientsFromClassDefaults, InInstanceGraph, InExternalPackage);
}

// Visits the objects an object holds, for the garbage collector. A reference to an object that
// is marked as garbage is cleared, unless the referencer asked to keep such references.
class FReferenceCollector
{
public:
	virtual ~FReferenceCollector() = default;

	template <class UObjectType>
	void AddReferencedObject(UObjectType*& Object, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		UObject* Handle = Object;
		HandleObjectReference(Handle, ReferencingObject, ReferencingProperty);
		Object = static_cast<UObjectType*>(Handle);
	}
	template <class UObjectType>
	void AddReferencedObject(TObjectPtr<UObjectType>& Object, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		UObjectType* Raw = Object.Get();
		AddReferencedObject(Raw, ReferencingObject, ReferencingProperty);
		Object = Raw;
	}
	template <class ContainerType>
	void AddReferencedObjects(ContainerType& Objects, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		for (auto& Object : Objects)
		{
			AddReferencedObject(Object, ReferencingObject, ReferencingProperty);
		}
	}
	void AllowEliminatingReferences(bool bAllow) { bAllowEliminatingReferences = bAllow; }
	bool IsEliminatingReferences() const { return bAllowEliminatingReferences; }

protected:
	virtual void HandleObjectReference(UObject*& InObject, const UObject* InReferencingObject, const FProperty* InReferencingProperty) = 0;

private:
	bool bAllowEliminatingReferences = true;
};

// In the editor, objects flagged standalone (assets) stay until they are deleted.
#define GARBAGE_COLLECTION_KEEPFLAGS RF_Standalone

// Destroys every object that neither the root set, a strong pointer, KeepFlags nor a reachable
// object keeps. Weak pointers to destroyed objects stop resolving.
void CollectGarbage(EObjectFlags KeepFlags, bool bPerformFullPurge = true);
