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

// Each step is "+k" (add k with the step's number as value), "-k" (remove k), "C" (Compact)
// or "S" (CompactStable); the engine's containers iterate in slot order and reuse the slot freed
// last, so none of these orders is the insertion order.
TEST(Containers, IterationFollowsTheSlotsAndTheNextAddTakesTheSlotFreedLast)
{
	const struct
	{
		const char* Steps;
		TArray<FString> Expected;
	} Cases[] = {
		{"+a +b +c +d -a +e", {TEXT("e"), TEXT("b"), TEXT("c"), TEXT("d")}},
		{"+a +b +c +d -b -c +e +f", {TEXT("a"), TEXT("f"), TEXT("e"), TEXT("d")}},
		{"+a +b +c -b +b", {TEXT("a"), TEXT("b"), TEXT("c")}},
		// A key already present is replaced where it stands; the slot it was offered stays free.
		{"+a +b +c -a +b +d", {TEXT("d"), TEXT("b"), TEXT("c")}},
		{"+a +b +c +A", {TEXT("A"), TEXT("b"), TEXT("c")}},
		// Compact fills the holes, in free-list order, with the last elements.
		{"+a +b +c +d +e -a -c C", {TEXT("d"), TEXT("b"), TEXT("e")}},
		{"+a +b +c +d +e -a -c C +f", {TEXT("d"), TEXT("b"), TEXT("e"), TEXT("f")}},
		{"+a +b +c +d +e -a -c S", {TEXT("b"), TEXT("d"), TEXT("e")}},
		{"+a +b +c +d +e -a -c S +f", {TEXT("b"), TEXT("d"), TEXT("e"), TEXT("f")}},
		{"+a +b C S", {TEXT("a"), TEXT("b")}},
	};
	for (const auto& Case : Cases)
	{
		TMap<FString, int32> Map;
		TMap<FString, int32> Values;
		TArray<FString> Tokens;
		FString(Case.Steps).ParseIntoArray(Tokens, TEXT(" "));
		int32 Step = 0;
		for (const FString& Token : Tokens)
		{
			++Step;
			const FString Key = Token.RightChop(1);
			if (Token[0] == TEXT('+'))
			{
				Map.Add(Key, Step);
				Values.Add(Key, Step);
			}
			else if (Token[0] == TEXT('-'))
			{
				EXPECT_EQ(Map.Remove(Key), 1) << Case.Steps;
				Values.Remove(Key);
			}
			else
			{
				Token == TEXT("C") ? Map.Compact() : Map.CompactStable();
			}
		}
		const TArray<FString> Keys = KeysOf(Map);
		EXPECT_EQ(Keys, Case.Expected) << Case.Steps;
		for (int32 Index = 0; Index < Keys.Num() && Index < Case.Expected.Num(); ++Index)
		{
			EXPECT_TRUE(Keys[Index].Equals(Case.Expected[Index], ESearchCase::CaseSensitive)) << Case.Steps;
		}
		// Whatever moved is still found under its key, with its own value.
		for (const auto& Pair : Values)
		{
			ASSERT_NE(Map.Find(Pair.Key), nullptr) << Case.Steps << " " << TCHAR_TO_UTF8(*Pair.Key);
			EXPECT_EQ(*Map.Find(Pair.Key), Pair.Value) << Case.Steps << " " << TCHAR_TO_UTF8(*Pair.Key);
		}
		EXPECT_EQ(Map.Num(), Values.Num()) << Case.Steps;
	}
}

TEST(Containers, RemovingDuringIterationVisitsEveryOtherElementOnce)
{
	TMap<FString, int32> Map;
	for (const TCHAR* Key : {TEXT("a"), TEXT("b"), TEXT("c"), TEXT("d")})
	{
		Map.Add(Key, 0);
	}
	TArray<FString> Visited;
	for (auto It = Map.CreateIterator(); It; ++It)
	{
		Visited.Add(It.Key());
		if (It.Key() == TEXT("b") || It.Key() == TEXT("c"))
		{
			It.RemoveCurrent();
		}
	}
	EXPECT_EQ(Visited, (TArray<FString>{TEXT("a"), TEXT("b"), TEXT("c"), TEXT("d")}));
	EXPECT_EQ(KeysOf(Map), (TArray<FString>{TEXT("a"), TEXT("d")}));
	// The slot freed last (c's) is taken first.
	Map.Add(TEXT("e"), 0);
	Map.Add(TEXT("f"), 0);
	EXPECT_EQ(KeysOf(Map), (TArray<FString>{TEXT("a"), TEXT("f"), TEXT("e"), TEXT("d")}));
}

TEST(Containers, SetsKeepTheirElementsInTheSameSlots)
{
	TSet<int32> Set{5, 1, 4};
	Set.Remove(5);
	Set.Add(2);
	EXPECT_EQ(Set.Array(), (TArray<int32>{2, 1, 4}));
	Set.Remove(1);
	EXPECT_TRUE(Set.CompactStable());
	Set.Add(7);
	EXPECT_EQ(Set.Array(), (TArray<int32>{2, 4, 7}));
	EXPECT_FALSE(Set.Compact());
	EXPECT_TRUE(Set.Contains(7));
	EXPECT_FALSE(Set.Contains(1));
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
