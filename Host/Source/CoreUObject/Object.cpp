#include "UObject/Object.h"

#include "CoreUObject/ObjectArray.h"
#include "Misc/ITransaction.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

namespace
{
	// What StaticConstructObject_Internal hands to the UObject constructor of the object it is
	// making: the identity is set before any constructor of a derived class runs, so that
	// those constructors can make subobjects inside the new object.
	struct FPendingConstruction
	{
		const UClass* Class = nullptr;
		UObject* Outer = nullptr;
		FName Name;
		EObjectFlags Flags = RF_NoFlags;
	};
	thread_local FPendingConstruction* GPending = nullptr;

	constexpr TCHAR SubobjectDelimiter = TEXT(':');
}

UClass* UObject::StaticClass()
{
	static UClass* Class = UE::CoreUObject::Private::MakeHostClass(TEXT("UObject"), TEXT("/Script/CoreUObject"), nullptr,
		[]() -> UObject* { return new UObject(); }, &UObject::AddReferencedObjects);
	return Class;
}

void UObject::AddReferencedObjects(UObject*, FReferenceCollector&)
{
}

UObject::UObject()
{
	checkf(GPending != nullptr, "objects are made by NewObject");
	FPendingConstruction& Pending = *GPending;
	GPending = nullptr;
	FObjectArrayAccess::SetIdentity(this, Pending.Name, Pending.Outer, const_cast<UClass*>(Pending.Class), Pending.Flags & ~RF_MarkAsRootSet);
	FObjectArray& Array = FObjectArray::Get();
	InternalIndex = Array.Add(this);
	Array.HashName(this);
	if (Pending.Flags & RF_MarkAsRootSet)
	{
		AddToRoot();
	}
}

UObject::~UObject() = default;

UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params)
{
	check(Params.Class != nullptr && Params.Class->ClassConstructor != nullptr);
	// Only packages live outside an outer.
	check(Params.Outer != nullptr || Params.Class->IsChildOf(UPackage::StaticClass()));
	const FName Name = Params.Name.IsNone() ? MakeUniqueObjectName(Params.Outer, Params.Class) : Params.Name;
	// A deleted object that something (the undo history) still holds gives up its name; the
	// editor would replace a live object of the same name in place, the stand-in refuses.
	if (UObject* Existing = FObjectArray::Get().FindByName(Params.Outer, Name))
	{
		check(Existing->IsGarbage());
		Existing->Rename(nullptr, GetTransientPackage(), REN_DoNotDirty);
	}
	FPendingConstruction Pending{Params.Class, Params.Outer, Name, Params.SetFlags};
	GPending = &Pending;
	UObject* Object = Params.Class->ClassConstructor();
	check(GPending == nullptr);
	return Object;
}

FName MakeUniqueObjectName(UObject* Parent, const UClass* Class, FName InBaseName)
{
	const FString Base = InBaseName.IsNone() ? Class->GetName() : InBaseName.ToString();
	UClass* Counter = const_cast<UClass*>(Class);
	while (true)
	{
		const FName Candidate(FString::Printf(TEXT("%s_%d"), *Base, Counter->ClassUnique++));
		if (FObjectArray::Get().FindByName(Parent, Candidate) == nullptr)
		{
			return Candidate;
		}
	}
}

FString UObject::GetPathName(const UObject* StopOuter) const
{
	if (this == StopOuter)
	{
		return FString();
	}
	if (Outer == nullptr || Outer == StopOuter)
	{
		return GetName();
	}
	FString Result = Outer->GetPathName(StopOuter);
	// The first object inside a package's top-level object follows a ":".
	const bool bSubobject = !Outer->IsA<UPackage>() && Outer->Outer != nullptr && Outer->Outer->IsA<UPackage>();
	Result += bSubobject ? SubobjectDelimiter : TEXT('.');
	return Result + GetName();
}

FString UObject::GetFullName() const
{
	return Class->GetName() + TEXT(" ") + GetPathName();
}

UPackage* UObject::GetPackage() const
{
	const UObject* Top = this;
	while (Top->Outer != nullptr)
	{
		Top = Top->Outer;
	}
	return static_cast<UPackage*>(const_cast<UObject*>(Top));
}

UWorld* UObject::GetWorld() const
{
	return Outer != nullptr ? Outer->GetWorld() : nullptr;
}

bool UObject::IsIn(const UObject* SomeOuter) const
{
	for (const UObject* Next = Outer; Next != nullptr; Next = Next->Outer)
	{
		if (Next == SomeOuter)
		{
			return true;
		}
	}
	return false;
}

void UObject::AddToRoot()
{
	FObjectArray::Get().Find(InternalIndex)->bRooted = true;
}

void UObject::RemoveFromRoot()
{
	FObjectArray::Get().Find(InternalIndex)->bRooted = false;
}

bool UObject::IsRooted() const
{
	return FObjectArray::Get().Find(InternalIndex)->bRooted;
}

void UObject::MarkAsGarbage()
{
	check(!IsRooted());
	bGarbage = true;
}

void UObject::ClearGarbage()
{
	bGarbage = false;
}

bool UObject::MarkPackageDirty() const
{
	UPackage* Package = GetPackage();
	if (Package == nullptr || Package->HasAnyFlags(RF_Transient) || HasAnyFlags(RF_Transient))
	{
		return false;
	}
	Package->SetDirtyFlag(true);
	return true;
}

bool UObject::IsAsset() const
{
	return Outer != nullptr && Outer->IsA<UPackage>() && !Outer->HasAnyFlags(RF_Transient) && HasAnyFlags(RF_Public)
		&& !HasAnyFlags(RF_Transient | RF_ClassDefaultObject) && !IsGarbage();
}

bool UObject::Modify(bool bAlwaysMarkDirty)
{
	// Objects of a play session never enter the editor's history.
	const UPackage* Package = GetPackage();
	if (Package != nullptr && Package->HasAnyPackageFlags(PKG_PlayInEditor))
	{
		return false;
	}
	if (bAlwaysMarkDirty)
	{
		MarkPackageDirty();
	}
	if (GUndo == nullptr || GIsTransacting || !HasAnyFlags(RF_Transactional))
	{
		return false;
	}
	GUndo->SaveObject(this);
	return true;
}

bool UObject::Rename(const TCHAR* NewName, UObject* NewOuter, ERenameFlags RenameFlags)
{
	UObject* TargetOuter = NewOuter != nullptr ? NewOuter : Outer;
	const FName TargetName = NewName != nullptr ? FName(NewName) : MakeUniqueObjectName(TargetOuter, Class);
	UObject* Existing = FObjectArray::Get().FindByName(TargetOuter, TargetName);
	if (Existing != nullptr && Existing != this)
	{
		return false;
	}
	if (RenameFlags & REN_Test)
	{
		return true;
	}
	if (!(RenameFlags & REN_DoNotDirty))
	{
		MarkPackageDirty();
	}
	FObjectArray& Array = FObjectArray::Get();
	Array.UnhashName(this);
	FObjectArrayAccess::SetName(this, TargetName, TargetOuter);
	Array.HashName(this);
	if (!(RenameFlags & REN_DoNotDirty))
	{
		MarkPackageDirty();
	}
	return true;
}
