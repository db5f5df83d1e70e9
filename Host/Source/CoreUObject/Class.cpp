#include "UObject/Class.h"

#include "CoreUObject/ClassRegistry.h"

#include <mutex>

UClass::UClass(const FString& InName, const FString& InPackageName, UClass* InSuperClass, FConstructor InConstructor,
	FAddReferencedObjects InAddReferencedObjects)
	: ClassConstructor(InConstructor)
	, ClassAddReferencedObjects(InAddReferencedObjects)
	, Name(InName)
	, PackageName(InPackageName)
	, SuperClass(InSuperClass)
{
}

bool UClass::IsChildOf(const UClass* SomeBase) const
{
	for (const UClass* Candidate = this; Candidate != nullptr; Candidate = Candidate->SuperClass)
	{
		if (Candidate == SomeBase)
		{
			return true;
		}
	}
	return false;
}

TArray<std::unique_ptr<UClass>>& UE::CoreUObject::Private::GetClassRegistry()
{
	static TArray<std::unique_ptr<UClass>> Classes;
	return Classes;
}

UClass* UE::CoreUObject::Private::MakeHostClass(const TCHAR* CppName, const TCHAR* PackageName, UClass* SuperClass, UObject* (*Construct)(),
	void (*AddReferencedObjects)(UObject*, FReferenceCollector&))
{
	static std::mutex Mutex;
	std::lock_guard Lock(Mutex);
	// The class's name drops the C++ prefix (U, A).
	GetClassRegistry().Add(std::make_unique<UClass>(FString(CppName).RightChop(1), FString(PackageName), SuperClass, Construct, AddReferencedObjects));
	return GetClassRegistry().Last().get();
}
