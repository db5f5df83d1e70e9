#include "Containers/Ticker.h"
#include "CoreMinimal.h"

#include <gtest/gtest.h>

namespace
{
	template <typename MapType>
	TArray<FString> KeysOf(const MapType& Map)
	{
		TArray<FString> Keys;
		for (const auto& Pair : Map)
		{
			Keys.Add(Pair.Key);
		}
		return Keys;
	}
}

TEST(Containers, MapKeysIgnoreCaseAndKeepTheirPlace)
{
	TMap<FString, int32> Map;
	Map.Add(TEXT("Alpha"), 1);
	Map.Add(TEXT("beta"), 2);
	Map.Add(TEXT("ALPHA"), 3); // same key: the value is replaced where it stands

	ASSERT_EQ(Map.Num(), 2);
	ASSERT_NE(Map.Find(TEXT("alpha")), nullptr);
	EXPECT_EQ(*Map.Find(TEXT("alpha")), 3);
	EXPECT_EQ(Map.FindRef(TEXT("BETA")), 2);
	EXPECT_EQ(Map.FindRef(TEXT("gamma")), 0);
	EXPECT_TRUE(Map.Contains(TEXT("bEtA")));
	EXPECT_EQ(KeysOf(Map), (TArray<FString>{TEXT("ALPHA"), TEXT("beta")}));
	// The stored key took the newest spelling, as the engine's map does.
	EXPECT_TRUE(KeysOf(Map)[0].Equals(TEXT("ALPHA"), ESearchCase::CaseSensitive));
	EXPECT_EQ(Map.Remove(TEXT("BETA")), 1);
	EXPECT_EQ(Map.Remove(TEXT("beta")), 0);
}

TEST(Containers, SetElementsIgnoreCase)
{
	TSet<FString> Set;
	bool bAlready = true;
	Set.Add(TEXT("Model.fbx"), &bAlready);
	EXPECT_FALSE(bAlready);
	Set.Add(TEXT("MODEL.FBX"), &bAlready);
	EXPECT_TRUE(bAlready);
	EXPECT_EQ(Set.Num(), 1);
	EXPECT_TRUE(Set.Contains(TEXT("model.fbx")));
	EXPECT_EQ(Set.Remove(TEXT("model.FBX")), 1);
	EXPECT_TRUE(Set.IsEmpty());
}

TEST(Containers, IterationFollowsInsertionAfterRemoval)
{
	TMap<FString, int32> Map;
	for (const TCHAR* Key : {TEXT("a"), TEXT("b"), TEXT("c"), TEXT("d")})
	{
		Map.Add(Key, 0);
	}
	Map.Remove(TEXT("a")); // the oldest goes; the next one becomes the first
	Map.Remove(TEXT("c"));
	Map.Add(TEXT("e"), 0);
	Map.Add(TEXT("a"), 0); // re-added keys go to the end
	EXPECT_EQ(KeysOf(Map), (TArray<FString>{TEXT("b"), TEXT("d"), TEXT("e"), TEXT("a")}));

	for (auto It = Map.CreateIterator(); It; ++It)
	{
		if (It.Key() == TEXT("d") || It.Key() == TEXT("e"))
		{
			It.RemoveCurrent();
		}
	}
	EXPECT_EQ(KeysOf(Map), (TArray<FString>{TEXT("b"), TEXT("a")}));

	TSet<int32> Set{5, 1, 4};
	Set.Remove(1);
	Set.Add(2);
	EXPECT_EQ(Set.Array(), (TArray<int32>{5, 4, 2}));
}

TEST(Containers, ArrayEditing)
{
	TArray<int32> Array{1, 2, 3, 2, 4};
	EXPECT_EQ(Array.Remove(2), 2);
	EXPECT_EQ(Array, (TArray<int32>{1, 3, 4}));
	Array.Insert(9, 1);
	EXPECT_EQ(Array.Find(9), 1);
	EXPECT_EQ(Array.Find(7), INDEX_NONE);
	EXPECT_EQ(Array.RemoveAll([](int32 Value) { return Value > 3; }), 2);
	EXPECT_EQ(Array, (TArray<int32>{1, 3}));
	Array.Sort([](int32 A, int32 B) { return A > B; });
	EXPECT_EQ(Array, (TArray<int32>{3, 1}));
	EXPECT_EQ(Array.Pop(), 1);
	EXPECT_EQ(Array.Last(), 3);
}

TEST(Containers, RemoveAtSwapFillsTheHoleFromTheEnd)
{
	const struct
	{
		int32 Index;
		int32 Count;
		TArray<int32> Expected;
	} Cases[] = {
		{ 0, 1, { 5, 1, 2, 3, 4 } },
		{ 1, 2, { 0, 4, 5, 3 } },
		{ 1, 4, { 0, 5 } },
		{ 4, 2, { 0, 1, 2, 3 } },
		{ 5, 1, { 0, 1, 2, 3, 4 } },
		{ 2, 0, { 0, 1, 2, 3, 4, 5 } },
		{ 0, 6, {} },
	};
	for (const auto& Case : Cases)
	{
		TArray<int32> Array{ 0, 1, 2, 3, 4, 5 };
		Array.RemoveAtSwap(Case.Index, Case.Count);
		EXPECT_EQ(Array, Case.Expected) << Case.Index << " " << Case.Count;
	}
}

TEST(SharedPointers, WeakPointersSeeTheEnd)
{
	struct FNode : TSharedFromThis<FNode>
	{
		int32 Value = 7;
	};
	TWeakPtr<FNode> Weak;
	{
		TSharedRef<FNode> Node = MakeShared<FNode>();
		Weak = Node;
		TSharedPtr<FNode> Again = Node->AsShared();
		EXPECT_EQ(Again.Get(), &Node.Get());
		EXPECT_EQ(Weak.Pin()->Value, 7);
	}
	EXPECT_FALSE(Weak.Pin().IsValid());
	EXPECT_FALSE(Weak.IsValid());
}

TEST(Delegates, SharedBindingsDieWithTheirObject)
{
	struct FCounter : TSharedFromThis<FCounter>
	{
		int32 Calls = 0;
		bool Tick(float) { ++Calls; return true; }
	};
	TSharedPtr<FCounter> Counter = MakeShared<FCounter>();
	FTickerDelegate Delegate = FTickerDelegate::CreateSP(Counter.ToSharedRef(), &FCounter::Tick);
	EXPECT_TRUE(Delegate.IsBound());
	EXPECT_TRUE(Delegate.Execute(0.f));
	EXPECT_EQ(Counter->Calls, 1);
	Counter.Reset();
	EXPECT_FALSE(Delegate.IsBound());
}
