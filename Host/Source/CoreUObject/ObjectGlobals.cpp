#include "UObject/UObjectGlobals.h"

#include "CoreUObject/ObjectArray.h"
#include "UObject/Package.h"

namespace
{
	const TCHAR* const TransientPackageName = TEXT("/Engine/Transient");

	bool IsPathDelimiter(TCHAR Char)
	{
		return Char == TEXT('.') || Char == TEXT(':');
	}

	bool MatchesClass(const UObject* Object, const UClass* Class, bool bExactClass)
	{
		return Class == nullptr || (bExactClass ? Object->GetClass() == Class : Object->IsA(Class));
	}

	// Walks "A.B:C" down from Outer (a null Outer starts at the packages).
	UObject* FindByPath(UObject* Outer, const FString& Path)
	{
		UObject* Current = Outer;
		int32 Start = 0;
		for (int32 Index = 0; Index <= Path.Len(); ++Index)
		{
			if (Index == Path.Len() || IsPathDelimiter(Path[Index]))
			{
				if (Index == Start)
				{
					return nullptr;
				}
				Current = FObjectArray::Get().FindByName(Current, FName(Path.Mid(Start, Index - Start)));
				if (Current == nullptr)
				{
					return nullptr;
				}
				Start = Index + 1;
			}
		}
		return Current;
	}
}

UPackage* GetTransientPackage()
{
	if (UPackage* Existing = FindPackage(nullptr, TransientPackageName))
	{
		return Existing;
	}
	return NewObject<UPackage>(nullptr, FName(TransientPackageName), RF_Transient | RF_MarkAsRootSet);
}

UPackage* CreatePackage(const TCHAR* PackageName)
{
	if (UPackage* Existing = FindPackage(nullptr, PackageName))
	{
		return Existing;
	}
	// Not saved yet.
	UPackage* Package = NewObject<UPackage>(nullptr, FName(PackageName), RF_Public);
	Package->SetPackageFlags(PKG_NewlyCreated);
	return Package;
}

UPackage* FindPackage(UObject* InOuter, const TCHAR* PackageName)
{
	UObject* Found = FObjectArray::Get().FindByName(InOuter, FName(PackageName));
	return Found != nullptr && !Found->IsGarbage() && Found->IsA<UPackage>() ? static_cast<UPackage*>(Found) : nullptr;
}

UObject* StaticFindObjectFast(UClass* Class, UObject* InOuter, FName InName, bool ExactClass)
{
	UObject* Found = FObjectArray::Get().FindByName(InOuter, InName);
	return Found != nullptr && !Found->IsGarbage() && MatchesClass(Found, Class, ExactClass) ? Found : nullptr;
}

UObject* StaticFindObject(UClass* Class, UObject* InOuter, const TCHAR* Name, bool ExactClass)
{
	UObject* Found = FindByPath(InOuter, FString(Name));
	return Found != nullptr && !Found->IsGarbage() && MatchesClass(Found, Class, ExactClass) ? Found : nullptr;
}
