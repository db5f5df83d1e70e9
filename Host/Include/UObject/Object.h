#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/ObjectMacros.h"
#include "UObject/ObjectPtr.h"
#include "UObject/UObjectGlobals.h"

class UPackage;
class UWorld;

// The base of every object: a name inside an outer (packages have none), a class and flags.
// Objects are made by NewObject and destroyed by the garbage collector once nothing keeps them.
class UObject
{
public:
	typedef UObject ThisClass;
	static UClass* StaticClass();
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	UObject();
	virtual ~UObject();
	UObject(const UObject&) = delete;
	UObject& operator=(const UObject&) = delete;

	FString GetName() const { return Name.ToString(); }
	FName GetFName() const { return Name; }
	// "/Game/Folder/Asset.Asset", with ":" before the first object inside a package's asset.
	FString GetPathName(const UObject* StopOuter = nullptr) const;
	// The class name, a space and the path name.
	FString GetFullName() const;
	UObject* GetOuter() const { return Outer; }
	UClass* GetClass() const { return Class; }
	UPackage* GetPackage() const;
	UPackage* GetOutermost() const { return GetPackage(); }
	template <typename T>
	T* GetTypedOuter() const
	{
		for (UObject* Next = Outer; Next != nullptr; Next = Next->Outer)
		{
			if (Next->IsA<T>())
			{
				return static_cast<T*>(Next);
			}
		}
		return nullptr;
	}
	virtual UWorld* GetWorld() const;

	bool IsA(const UClass* SomeBase) const { return Class->IsChildOf(SomeBase); }
	template <typename T>
	bool IsA() const
	{
		return IsA(T::StaticClass());
	}
	bool IsIn(const UObject* SomeOuter) const;

	EObjectFlags GetFlags() const { return Flags; }
	void SetFlags(EObjectFlags NewFlags) { Flags |= NewFlags; }
	void ClearFlags(EObjectFlags NewFlags) { Flags &= ~NewFlags; }
	bool HasAnyFlags(EObjectFlags FlagsToCheck) const { return (Flags & FlagsToCheck) != RF_NoFlags; }
	bool HasAllFlags(EObjectFlags FlagsToCheck) const { return (Flags & FlagsToCheck) == FlagsToCheck; }

	// The root set never collects; marked garbage, an object stops resolving through weak and
	// soft pointers and is destroyed by the next collection that finds it unrooted.
	void AddToRoot();
	void RemoveFromRoot();
	bool IsRooted() const;
	void MarkAsGarbage();
	void ClearGarbage();
	bool IsGarbage() const { return bGarbage; }

	bool MarkPackageDirty() const;
	// An asset: a public top-level object of a package that is saved (not transient, not garbage).
	virtual bool IsAsset() const;
	// Moves the object to a new name and/or outer; false if the name is taken there.
	virtual bool Rename(const TCHAR* NewName = nullptr, UObject* NewOuter = nullptr, ERenameFlags Flags = REN_None);

	// Makes an object inside this one, from this one's constructor; it takes this one's public,
	// transactional and transient flags.
	template <class TReturnType>
	TReturnType* CreateDefaultSubobject(FName SubobjectName, bool bTransient = false)
	{
		const EObjectFlags Propagated = Flags & (RF_Public | RF_ArchetypeObject | RF_Transactional | RF_Transient);
		return NewObject<TReturnType>(this, SubobjectName, Propagated | RF_DefaultSubObject | (bTransient ? RF_Transient : RF_NoFlags));
	}

	// Called by the garbage collector before the object is deleted.
	virtual void BeginDestroy() {}

	// Reads or writes the object's state; each class adds what it holds. The transaction buffer
	// uses it to record and restore objects.
	virtual void Serialize(FArchive&) {}
	// About to change: saves the object into the open transaction (when it is transactional) and
	// marks its package dirty. True when the transaction recorded it.
	virtual bool Modify(bool bAlwaysMarkDirty = true);
	// Called after an undo or redo has restored the object.
	virtual void PostEditUndo() {}

private:
	friend class FObjectArrayAccess;

	FName Name;
	UObject* Outer = nullptr;
	UClass* Class = nullptr;
	EObjectFlags Flags = RF_NoFlags;
	int32 InternalIndex = INDEX_NONE;
	bool bGarbage = false;
};

// True for an object that exists and is not marked as garbage.
inline bool IsValid(const UObject* Test)
{
	return Test != nullptr && !Test->IsGarbage();
}

// Casting comes with the object model, as in the engine's headers.
#include "Templates/Casts.h"
