#include "UObject/UObjectHash.h"

#include "CoreUObject/ObjectArray.h"

namespace
{
	template <typename PredicateType>
	void CollectObjects(TArray<UObject*>& Results, EObjectFlags ExcludeFlags, PredicateType Predicate)
	{
		FObjectArray::Get().ForEach([&](FObjectArray::FItem& Item)
		{
			if (!Item.Object->IsGarbage() && !Item.Object->HasAnyFlags(ExcludeFlags) && Predicate(Item.Object))
			{
				Results.Add(Item.Object);
			}
		});
	}
}

void GetObjectsOfClass(const UClass* ClassToLookFor, TArray<UObject*>& Results, bool bIncludeDerivedClasses, EObjectFlags ExcludeFlags)
{
	CollectObjects(Results, ExcludeFlags, [&](const UObject* Object)
	{
		return bIncludeDerivedClasses ? Object->IsA(ClassToLookFor) : Object->GetClass() == ClassToLookFor;
	});
}

void GetObjectsWithOuter(const UObject* Outer, TArray<UObject*>& Results, bool bIncludeNestedObjects, EObjectFlags ExclusionFlags)
{
	CollectObjects(Results, ExclusionFlags, [&](const UObject* Object)
	{
		return bIncludeNestedObjects ? Object->IsIn(Outer) : Object->GetOuter() == Outer;
	});
}
