#include "CoreMinimal.h"
#include "CoreUObject/ObjectHost.h"
#include "Templates/Casts.h"
#include "UObject/Object.h"
#include "UObject/Package.h"
#include "UObject/ReflectedTypeAccessors.h"
#include "UObject/SoftObjectPtr.h"
#include "UObject/StrongObjectPtr.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <gtest/gtest.h>

namespace
{
	class UTestThing : public UObject
	{
		DECLARE_HOST_CLASS(UTestThing, UObject, TEXT("/Script/EditorTests"))

	public:
		static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
		{
			Super::AddReferencedObjects(InThis, Collector);
			Collector.AddReferencedObject(static_cast<UTestThing*>(InThis)->Held, InThis);
		}

		TObjectPtr<UObject> Held;
	};

	class UTestSpecialThing : public UTestThing
	{
		DECLARE_HOST_CLASS(UTestSpecialThing, UTestThing, TEXT("/Script/EditorTests"))
	};

	class ObjectTest : public ::testing::Test
	{
	protected:
		virtual void TearDown() override { UE::Host::DestroyAllObjects(); }
	};
}

TEST_F(ObjectTest, NamesOutersPackagesAndPaths)
{
	UPackage* Package = CreatePackage(TEXT("/Game/Props/Chair"));
	UTestThing* Asset = NewObject<UTestThing>(Package, TEXT("Chair"), RF_Public | RF_Standalone);
	UTestThing* Inner = NewObject<UTestThing>(Asset, TEXT("Seat"));
	UTestThing* Deeper = NewObject<UTestThing>(Inner, TEXT("Cushion"));
	UTestThing* Loose = NewObject<UTestThing>();

	struct FCase
	{
		UObject* Object;
		const TCHAR* Name;
		const TCHAR* PathName;
		UObject* Outer;
		const TCHAR* PackageName;
	};
	const FCase Cases[] = {
		{Package, TEXT("/Game/Props/Chair"), TEXT("/Game/Props/Chair"), nullptr, TEXT("/Game/Props/Chair")},
		{Asset, TEXT("Chair"), TEXT("/Game/Props/Chair.Chair"), Package, TEXT("/Game/Props/Chair")},
		{Inner, TEXT("Seat"), TEXT("/Game/Props/Chair.Chair:Seat"), Asset, TEXT("/Game/Props/Chair")},
		{Deeper, TEXT("Cushion"), TEXT("/Game/Props/Chair.Chair:Seat.Cushion"), Inner, TEXT("/Game/Props/Chair")},
		{Loose, TEXT("TestThing_0"), TEXT("/Engine/Transient.TestThing_0"), GetTransientPackage(), TEXT("/Engine/Transient")},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(testing::Message() << FTCHARToUTF8(Case.PathName).Get());
		EXPECT_TRUE(Case.Object->GetName().Equals(Case.Name, ESearchCase::CaseSensitive));
		EXPECT_TRUE(Case.Object->GetPathName().Equals(Case.PathName, ESearchCase::CaseSensitive));
		EXPECT_EQ(Case.Object->GetOuter(), Case.Outer);
		EXPECT_TRUE(Case.Object->GetPackage()->GetName().Equals(Case.PackageName, ESearchCase::CaseSensitive));
		EXPECT_EQ(StaticFindObject(nullptr, nullptr, Case.PathName), Case.Object);
	}
	EXPECT_TRUE(Asset->HasAllFlags(RF_Public | RF_Standalone));
	EXPECT_FALSE(Asset->HasAnyFlags(RF_Transient));
	EXPECT_EQ(FindObject<UTestThing>(Asset, TEXT("Seat.Cushion")), Deeper);
	EXPECT_EQ(FindObject<UTestThing>(Package, TEXT("chair")), Asset);
	EXPECT_EQ(FindObject<UTestSpecialThing>(Package, TEXT("Chair")), nullptr);
	EXPECT_EQ(FindObject<UTestThing>(nullptr, TEXT("/Game/Props/Chair.Table")), nullptr);
	EXPECT_EQ(CreatePackage(TEXT("/Game/Props/Chair")), Package);
	EXPECT_TRUE(Asset->GetFullName().Equals(TEXT("TestThing /Game/Props/Chair.Chair"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Deeper->IsIn(Package));
	EXPECT_FALSE(Package->IsIn(Asset));
	EXPECT_EQ(Deeper->GetTypedOuter<UPackage>(), Package);
}

TEST_F(ObjectTest, UnnamedObjectsTakeTheClassNameAndItsNextFreeNumber)
{
	UPackage* Package = CreatePackage(TEXT("/Game/Names"));
	NewObject<UTestThing>(Package, TEXT("TestThing_1"));
	const FString Expected[] = {TEXT("TestThing_0"), TEXT("TestThing_2"), TEXT("TestThing_3")};
	for (const FString& Name : Expected)
	{
		EXPECT_TRUE(NewObject<UTestThing>(Package)->GetName().Equals(Name, ESearchCase::CaseSensitive)) << FTCHARToUTF8(*Name).Get();
	}
	// Each class counts on its own.
	EXPECT_TRUE(NewObject<UTestSpecialThing>(Package)->GetName().Equals(TEXT("TestSpecialThing_0"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(NewObject<UTestThing>(Package, UTestSpecialThing::StaticClass())->GetName().Equals(TEXT("TestSpecialThing_1"), ESearchCase::CaseSensitive));
}

TEST_F(ObjectTest, ClassesCastsAndSubclasses)
{
	UObject* Plain = NewObject<UTestThing>();
	UObject* Special = NewObject<UTestThing>(GetTransientPackage(), UTestSpecialThing::StaticClass(), TEXT("Special"), RF_Transient);

	EXPECT_TRUE(UTestSpecialThing::StaticClass()->GetName().Equals(TEXT("TestSpecialThing"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(UTestSpecialThing::StaticClass()->GetPathName().Equals(TEXT("/Script/EditorTests.TestSpecialThing"), ESearchCase::CaseSensitive));
	EXPECT_EQ(UTestSpecialThing::StaticClass()->GetSuperClass(), UTestThing::StaticClass());
	EXPECT_EQ(StaticClass<UTestSpecialThing>(), UTestSpecialThing::StaticClass());
	EXPECT_EQ(Special->GetClass(), UTestSpecialThing::StaticClass());
	EXPECT_TRUE(Special->HasAnyFlags(RF_Transient));

	struct FCase
	{
		UObject* Object;
		bool bThing;
		bool bSpecial;
		bool bPackage;
	};
	const FCase Cases[] = {
		{Plain, true, false, false},
		{Special, true, true, false},
		{GetTransientPackage(), false, false, true},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(testing::Message() << FTCHARToUTF8(*Case.Object->GetName()).Get());
		EXPECT_TRUE(Case.Object->IsA<UObject>());
		EXPECT_EQ(Case.Object->IsA<UTestThing>(), Case.bThing);
		EXPECT_EQ(Case.Object->IsA(UTestSpecialThing::StaticClass()), Case.bSpecial);
		EXPECT_EQ(Cast<UTestThing>(Case.Object) != nullptr, Case.bThing);
		EXPECT_EQ(Cast<UTestSpecialThing>(Case.Object) != nullptr, Case.bSpecial);
		EXPECT_EQ(Cast<UPackage>(Case.Object) != nullptr, Case.bPackage);
		EXPECT_EQ(ExactCast<UTestThing>(Case.Object) != nullptr, Case.bThing && !Case.bSpecial);
	}
	EXPECT_EQ(Cast<UTestThing>(static_cast<UObject*>(nullptr)), nullptr);
	EXPECT_EQ(CastChecked<UTestThing>(static_cast<UObject*>(nullptr), ECastCheckedType::NullAllowed), nullptr);
	TObjectPtr<UObject> Held = Special;
	EXPECT_TRUE(Held.IsA<UTestSpecialThing>());
	EXPECT_EQ(Cast<UTestSpecialThing>(Held), Special);
}

TEST_F(ObjectTest, DeletedObjectsStopResolvingThroughWeakAndSoftPointers)
{
	UPackage* Package = CreatePackage(TEXT("/Game/Gone"));
	UTestThing* Asset = NewObject<UTestThing>(Package, TEXT("Gone"), RF_Public | RF_Standalone);
	TWeakObjectPtr<UTestThing> Weak = Asset;
	TSoftObjectPtr<UTestThing> Soft = Asset;
	TSoftObjectPtr<UTestThing> FromPath(FSoftObjectPath(TEXT("/Game/Gone.Gone")));

	EXPECT_TRUE(Soft.ToString().Equals(TEXT("/Game/Gone.Gone"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Soft.GetAssetName().Equals(TEXT("Gone"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Soft.GetLongPackageName().Equals(TEXT("/Game/Gone"), ESearchCase::CaseSensitive));
	EXPECT_EQ(Soft, FromPath);
	EXPECT_EQ(FromPath.Get(), Asset);
	EXPECT_EQ(Weak.Get(), Asset);

	// Marked as garbage: nothing resolves it any more, though it still exists.
	Asset->ClearFlags(RF_Standalone);
	Asset->MarkAsGarbage();
	EXPECT_EQ(Weak.Get(), nullptr);
	EXPECT_EQ(Weak.Get(true), Asset);
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_EQ(Soft.Get(), nullptr);
	EXPECT_TRUE(Soft.IsPending());
	EXPECT_EQ(FindObject<UTestThing>(Package, TEXT("Gone")), nullptr);

	// Collected: gone for good, and its name is free again.
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Weak.Get(true), nullptr);
	EXPECT_TRUE(Weak.IsStale());
	EXPECT_EQ(FindPackage(nullptr, TEXT("/Game/Gone")), nullptr);

	// A new object at the same path is found by the soft pointer (a path), never by the weak one.
	UTestThing* Again = NewObject<UTestThing>(CreatePackage(TEXT("/Game/Gone")), TEXT("Gone"), RF_Public | RF_Standalone);
	EXPECT_EQ(Soft.Get(), Again);
	EXPECT_EQ(FromPath.Get(), Again);
	EXPECT_EQ(Weak.Get(true), nullptr);
	TSoftObjectPtr<UTestSpecialThing> WrongClass(FSoftObjectPath(TEXT("/Game/Gone.Gone")));
	EXPECT_EQ(WrongClass.Get(), nullptr);
}

TEST_F(ObjectTest, GarbageCollectionKeepsWhatIsReachableAndNothingElse)
{
	UPackage* Package = CreatePackage(TEXT("/Game/Kept"));
	UTestThing* Standalone = NewObject<UTestThing>(Package, TEXT("Kept"), RF_Public | RF_Standalone);
	UTestThing* Holder = NewObject<UTestThing>(GetTransientPackage(), TEXT("Holder"));
	UTestThing* HeldByHolder = NewObject<UTestThing>(GetTransientPackage(), TEXT("HeldByHolder"));
	UTestThing* StronglyHeld = NewObject<UTestThing>();
	UTestThing* Unreferenced = NewObject<UTestThing>();
	UTestThing* InnerOfUnreferenced = NewObject<UTestThing>(Unreferenced, TEXT("Inner"));
	Holder->Held = HeldByHolder;
	Holder->AddToRoot();
	TStrongObjectPtr<UTestThing> Strong(StronglyHeld);
	TStrongObjectPtr<UTestThing> Copy = Strong;

	TWeakObjectPtr<UObject> Watched[] = {Package, Standalone, Holder, HeldByHolder, StronglyHeld, Unreferenced, InnerOfUnreferenced};
	auto Alive = [&Watched]()
	{
		std::vector<bool> Result;
		for (const TWeakObjectPtr<UObject>& Weak : Watched)
		{
			Result.push_back(Weak.IsValid());
		}
		return Result;
	};

	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Alive(), (std::vector<bool>{true, true, true, true, true, false, false}));

	// One of two strong pointers released: still kept; both released: collected.
	Strong.Reset();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Alive(), (std::vector<bool>{true, true, true, true, true, false, false}));
	Copy.Reset();
	// A reference to an object marked as garbage is cleared by the collection, as the engine does.
	HeldByHolder->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Alive(), (std::vector<bool>{true, true, true, false, false, false, false}));
	EXPECT_EQ(Holder->Held, nullptr);

	// Without its standalone flag nothing keeps the asset, nor then its package.
	Standalone->ClearFlags(RF_Standalone);
	Holder->RemoveFromRoot();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Alive(), (std::vector<bool>{false, false, false, false, false, false, false}));
	EXPECT_NE(GetTransientPackage(), nullptr);
}
