#include "CoreMinimal.h"
#include "Misc/Attribute.h"

#include <gtest/gtest.h>

#include <type_traits>

// The declaration macros name the engine's template types, so code written against the
// engine's typedefs compiles here unchanged.
DECLARE_DELEGATE_RetVal_TwoParams(int32, FTestSum, int32, int32);
DECLARE_MULTICAST_DELEGATE_OneParam(FTestNotify, const FString&);
static_assert(std::is_same_v<FTestSum, TDelegate<int32(int32, int32)>>);
static_assert(std::is_same_v<FTestNotify, TMulticastDelegate<void(const FString&)>>);
static_assert(std::is_same_v<FSimpleMulticastDelegate::FDelegate, FSimpleDelegate>);

namespace
{
	class FCounter : public TSharedFromThis<FCounter>
	{
	public:
		int32 Add(int32 Amount, int32 Extra) { return Total += Amount + Extra; }
		int32 Peek(int32 Amount, int32 Extra) const { return Total + Amount + Extra; }
		void Note(const FString& Text) { Log += Text; }
		int32 Value() const { return Total; }
		int32 Total = 0;
		FString Log;
	};

	int32 Scaled(int32 A, int32 B, int32 Factor) { return (A + B) * Factor; }
}

TEST(DelegateTest, EveryKindOfBindingCallsItsTargetWithPayloadAfterTheCallsParameters)
{
	TSharedRef<FCounter> Counter = MakeShared<FCounter>();
	Counter->Total = 100;
	struct FCase
	{
		const char* Name;
		TDelegate<int32(int32)> Delegate;
		int32 Expected;
	};
	const FCase Cases[] = {
		{"static with payload", TDelegate<int32(int32)>::CreateStatic(&Scaled, 2, 10), (5 + 2) * 10},
		{"lambda with payload", TDelegate<int32(int32)>::CreateLambda([](int32 A, int32 B) { return A - B; }, 3), 5 - 3},
		{"raw const method", TDelegate<int32(int32)>::CreateRaw(&Counter.Get(), &FCounter::Peek, 1), 100 + 5 + 1},
		{"shared const method", TDelegate<int32(int32)>::CreateSP(Counter, &FCounter::Peek, 4), 100 + 5 + 4},
		{"shared method from a raw pointer", TDelegate<int32(int32)>::CreateSP(&Counter.Get(), &FCounter::Peek, 0), 100 + 5},
		{"lambda tied to a shared object", TDelegate<int32(int32)>::CreateSPLambda(Counter, [](int32 A) { return A * 7; }), 35},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		ASSERT_TRUE(Case.Delegate.IsBound());
		EXPECT_EQ(Case.Delegate.Execute(5), Case.Expected);
	}

	TDelegate<int32(int32)> Adding = TDelegate<int32(int32)>::CreateSP(Counter, &FCounter::Add, 1);
	EXPECT_EQ(Adding.Execute(9), 110);
	EXPECT_EQ(Counter->Total, 110);
	EXPECT_TRUE(Adding.IsBoundToObject(&Counter.Get()));
	EXPECT_FALSE(Cases[1].Delegate.IsBoundToObject(&Counter.Get()));
}

TEST(DelegateTest, SharedBindingsLetGoOfTheirObjectAndUnbindWhenItDies)
{
	TSharedPtr<FCounter> Counter = MakeShared<FCounter>();
	FTestNotify::FDelegate Method = FTestNotify::FDelegate::CreateSP(Counter.ToSharedRef(), &FCounter::Note);
	int32 LambdaCalls = 0;
	FTestNotify::FDelegate Lambda = FTestNotify::FDelegate::CreateSPLambda(Counter, [&LambdaCalls](const FString&) { ++LambdaCalls; });
	EXPECT_EQ(Counter.GetSharedReferenceCount(), 1);

	EXPECT_TRUE(Method.ExecuteIfBound(TEXT("a")));
	EXPECT_TRUE(Lambda.ExecuteIfBound(TEXT("a")));
	EXPECT_EQ(Counter->Log, FString(TEXT("a")));
	Counter.Reset();

	EXPECT_FALSE(Method.IsBound());
	EXPECT_FALSE(Lambda.IsBound());
	EXPECT_FALSE(Method.ExecuteIfBound(TEXT("b")));
	EXPECT_FALSE(Lambda.ExecuteIfBound(TEXT("b")));
	EXPECT_EQ(LambdaCalls, 1);
}

TEST(DelegateTest, BroadcastCallsInReverseOrderAndOnlyThoseListedWhenEachCallIsDue)
{
	FTestNotify Notify;
	FString Order;
	FDelegateHandle Late;
	const FDelegateHandle First = Notify.AddLambda([&](const FString& Text) { Order += TEXT("1") + Text; });
	FDelegateHandle Second;
	// The third binding runs first: it removes the second and adds a fourth.
	Second = Notify.AddLambda([&](const FString& Text) { Order += TEXT("2") + Text; });
	Notify.AddLambda(
		[&](const FString& Text)
		{
			Order += TEXT("3") + Text;
			Notify.Remove(Second);
			Late = Notify.AddLambda([&](const FString& Inner) { Order += TEXT("4") + Inner; });
		});

	Notify.Broadcast(TEXT("x"));
	EXPECT_EQ(Order, FString(TEXT("3x1x")));
	EXPECT_TRUE(Late.IsValid());

	Order.Empty();
	EXPECT_TRUE(Notify.Remove(First));
	EXPECT_FALSE(Notify.Remove(First));
	Notify.Broadcast(TEXT("y"));
	// The third binding adds a fifth again; the fourth, listed last before it, runs first.
	EXPECT_EQ(Order, FString(TEXT("4y3y")));
}

TEST(DelegateTest, RemoveAllDropsOnlyTheBindingsOfThatObject)
{
	TSharedRef<FCounter> Mine = MakeShared<FCounter>();
	TSharedRef<FCounter> Other = MakeShared<FCounter>();
	FTestNotify Notify;
	Notify.AddRaw(&Mine.Get(), &FCounter::Note);
	Notify.AddSP(Mine, &FCounter::Note);
	Notify.AddSP(Other, &FCounter::Note);
	Notify.AddLambda([](const FString&) {});

	EXPECT_TRUE(Notify.IsBoundToObject(&Mine.Get()));
	EXPECT_EQ(Notify.RemoveAll(&Mine.Get()), 2);
	EXPECT_FALSE(Notify.IsBoundToObject(&Mine.Get()));
	Notify.Broadcast(TEXT("z"));
	EXPECT_EQ(Mine->Log, FString());
	EXPECT_EQ(Other->Log, FString(TEXT("z")));
}

TEST(DelegateTest, MulticastWithOnlyDeadBindingsIsNotBound)
{
	FSimpleMulticastDelegate Simple;
	{
		TSharedRef<FCounter> Gone = MakeShared<FCounter>();
		Simple.Add(FSimpleDelegate::CreateSPLambda(Gone, [] {}));
		EXPECT_TRUE(Simple.IsBound());
	}
	EXPECT_FALSE(Simple.IsBound());
	EXPECT_FALSE(Simple.Add(FSimpleDelegate()).IsValid());
}

TEST(AttributeTest, ABoundAttributeIsReadAgainOnEveryGet)
{
	int32 Source = 1;
	TAttribute<int32> Bound = TAttribute<int32>::CreateLambda([&Source] { return Source * 10; });
	TAttribute<int32> Fixed(7);
	TAttribute<int32> Unset;
	TSharedRef<FCounter> Counter = MakeShared<FCounter>();
	TAttribute<int32> Member(Counter, &FCounter::Value);

	EXPECT_EQ(Bound.Get(), 10);
	Source = 4;
	EXPECT_EQ(Bound.Get(), 40);
	EXPECT_TRUE(Bound.IsBound());
	Counter->Total = 12;
	EXPECT_EQ(Member.Get(), 12);

	EXPECT_FALSE(Fixed.IsBound());
	EXPECT_TRUE(Fixed.IsSet());
	EXPECT_EQ(Fixed.Get(3), 7);
	EXPECT_FALSE(Unset.IsSet());
	EXPECT_EQ(Unset.Get(3), 3);

	Bound.Set(5);
	Source = 9;
	EXPECT_FALSE(Bound.IsBound());
	EXPECT_EQ(Bound.Get(), 5);
}
