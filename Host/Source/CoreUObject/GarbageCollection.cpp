#include "CoreUObject/ObjectArray.h"
#include "CoreUObject/ObjectHost.h"
#include "CoreUObject/ClassRegistry.h"
#include "UObject/StrongObjectPtr.h"
#include "UObject/UObjectGlobals.h"

#include <vector>

namespace
{
	// Marks what is reachable from the roots, following outers and each class's references.
	class FReachabilityCollector final : public FReferenceCollector
	{
	public:
		void Mark(UObject* Object)
		{
			FObjectArray::FItem* Item = FObjectArray::Get().Find(FObjectArrayAccess::GetIndex(Object));
			if (!Item->bReachable)
			{
				Item->bReachable = true;
				Pending.push_back(Object);
			}
		}

		void Run()
		{
			while (!Pending.empty())
			{
				UObject* Object = Pending.back();
				Pending.pop_back();
				// An object keeps its outer, garbage or not.
				if (Object->GetOuter() != nullptr)
				{
					Mark(Object->GetOuter());
				}
				AllowEliminatingReferences(true);
				Object->GetClass()->ClassAddReferencedObjects(Object, *this);
			}
		}

	protected:
		virtual void HandleObjectReference(UObject*& InObject, const UObject*, const FProperty*) override
		{
			if (InObject == nullptr)
			{
				return;
			}
			if (InObject->IsGarbage() && IsEliminatingReferences())
			{
				InObject = nullptr;
				return;
			}
			Mark(InObject);
		}

	private:
		std::vector<UObject*> Pending;
	};

	// Takes the objects out of the table first (so no weak pointer resolves them and their
	// names are free), then lets each begin its destruction, then deletes them.
	void Destroy(const std::vector<UObject*>& Doomed)
	{
		FObjectArray& Array = FObjectArray::Get();
		for (UObject* Object : Doomed)
		{
			Array.UnhashName(Object);
			Array.Remove(FObjectArrayAccess::GetIndex(Object));
		}
		for (UObject* Object : Doomed)
		{
			Object->BeginDestroy();
		}
		for (UObject* Object : Doomed)
		{
			delete Object;
		}
	}
}

void CollectGarbage(EObjectFlags KeepFlags, bool)
{
	FObjectArray& Array = FObjectArray::Get();
	FReachabilityCollector Collector;
	Array.ForEach([](FObjectArray::FItem& Item) { Item.bReachable = false; });
	Array.ForEach([&Array, &Collector, KeepFlags](FObjectArray::FItem& Item)
	{
		const bool bKept = Item.Object->HasAnyFlags(KeepFlags) && !Item.Object->IsGarbage();
		if (Item.bRooted || Array.HasStrongReferences(Item.Object) || bKept)
		{
			Collector.Mark(Item.Object);
		}
	});
	Collector.Run();

	std::vector<UObject*> Unreachable;
	Array.ForEach([&Unreachable](FObjectArray::FItem& Item)
	{
		if (!Item.bReachable)
		{
			Unreachable.push_back(Item.Object);
		}
	});
	Destroy(Unreachable);
}

void UE::CoreUObject::Private::AddStrongReference(const UObject* Object)
{
	FObjectArray::Get().AddStrongReference(Object);
}

void UE::CoreUObject::Private::RemoveStrongReference(const UObject* Object)
{
	FObjectArray::Get().RemoveStrongReference(Object);
}

void UE::Host::DestroyAllObjects()
{
	std::vector<UObject*> All;
	FObjectArray::Get().ForEach([&All](FObjectArray::FItem& Item) { All.push_back(Item.Object); });
	Destroy(All);
	for (const std::unique_ptr<UClass>& Class : UE::CoreUObject::Private::GetClassRegistry())
	{
		Class->ClassUnique = 0;
	}
}
