#include "Async/Async.h"
#include "CoreMinimal.h"
#include "EditorTestSupport.h"
#include "Misc/AutomationTest.h"
#include "Runtime/HostAutomation.h"
#include "Runtime/HostRuntime.h"

#include <gtest/gtest.h>

namespace
{
	constexpr uint32 EditorCheck = EAutomationTestFlags::EditorContext | EAutomationTestFlags::EngineFilter;
	bool bGameThreadWorkDone = false;
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FPassingCheck, "EditorTests.Checks.Passing", EditorCheck)
bool FPassingCheck::RunTest(const FString& Parameters)
{
	TestTrue(TEXT("No parameters"), Parameters.IsEmpty());
	TestEqual(TEXT("Sum"), 2 + 2, 4);
	TestEqual(TEXT("Name"), FString(TEXT("Chair")), TEXT("Chair"));
	// As in the engine, strings compare without case.
	TestEqual(TEXT("Name in capitals"), FString(TEXT("Chair")), TEXT("CHAIR"));
	TestNull(TEXT("Nothing"), nullptr);
	AddInfo(TEXT("checked"));
	return true;
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FFailingCheck, "EditorTests.Checks.Failing", EditorCheck)
bool FFailingCheck::RunTest(const FString&)
{
	const int32* Missing = nullptr;
	TestEqual(TEXT("Count"), 2, 3);
	TestTrue(TEXT("Ready"), false);
	TestFalse(TEXT("Busy"), true);
	TestEqual(TEXT("Label"), FString(TEXT("Chair")), TEXT("Table"));
	TestNotNull(TEXT("Mesh"), Missing);
	TestEqual(TEXT("Place"), FVector(1, 2, 3), FVector(1, 2, 4));
	AddWarning(TEXT("careful"));
	AddErrorIfFalse(true, TEXT("not reported"));
	AddError(TEXT("plain error"));
	return true;
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FFalseCheck, "EditorTests.Checks.ReturnsFalse", EditorCheck)
bool FFalseCheck::RunTest(const FString&)
{
	return false;
}

// Waits over several frames for work that only the game thread's loop runs.
IMPLEMENT_SIMPLE_AUTOMATION_TEST(FLatentCheck, "EditorTests.Checks.Latent", EditorCheck)
bool FLatentCheck::RunTest(const FString&)
{
	bGameThreadWorkDone = false;
	AsyncTask(ENamedThreads::GameThread, [] { bGameThreadWorkDone = true; });
	TestFalse(TEXT("Done before the loop ran"), bGameThreadWorkDone);
	ADD_LATENT_AUTOMATION_COMMAND(FFunctionLatentCommand([] { return bGameThreadWorkDone; }));
	ADD_LATENT_AUTOMATION_COMMAND(FFunctionLatentCommand([this] { AddInfo(TEXT("after the game thread")); return true; }));
	AddInfo(TEXT("queued"));
	return true;
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FStuckCheck, "EditorTests.Stuck", EditorCheck)
bool FStuckCheck::RunTest(const FString&)
{
	ADD_LATENT_AUTOMATION_COMMAND(FFunctionLatentCommand([] { return false; }));
	return true;
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FDisabledCheck, "EditorTests.Checks.Disabled", EditorCheck | EAutomationTestFlags::Disabled)
bool FDisabledCheck::RunTest(const FString&)
{
	return true;
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FClientCheck, "EditorTests.Checks.ClientOnly", EAutomationTestFlags::ClientContext | EAutomationTestFlags::SmokeFilter)
bool FClientCheck::RunTest(const FString&)
{
	return true;
}

namespace
{
	TArray<FString> NamesOf(const TArray<FHostCheckReport>& Reports)
	{
		TArray<FString> Names;
		for (const FHostCheckReport& Report : Reports)
		{
			Names.Add(Report.Name);
		}
		return Names;
	}

	const FHostCheckReport* Find(const TArray<FHostCheckReport>& Reports, const TCHAR* Name)
	{
		return Reports.FindByPredicate([Name](const FHostCheckReport& Report) { return Report.Name == Name; });
	}
}

TEST(AutomationChecks, AreRegisteredUnderTheirClassAndFilteredByTheirName)
{
	FHostRuntime Runtime;
	EXPECT_TRUE(FAutomationTestFramework::Get().ContainsTest(TEXT("FPassingCheck")));
	EXPECT_TRUE(FAutomationTestFramework::Get().ContainsTest(TEXT("FDisabledCheck")));

	struct FCase
	{
		const TCHAR* Filter;
		TArray<FString> Names;
	};
	const FCase Cases[] = {
		{TEXT("EditorTests.Checks.Passing"), {TEXT("EditorTests.Checks.Passing")}},
		{TEXT("editortests.checks.passing"), {TEXT("EditorTests.Checks.Passing")}},
		{TEXT("Passing+ReturnsFalse"), {TEXT("EditorTests.Checks.Passing"), TEXT("EditorTests.Checks.ReturnsFalse")}},
		{TEXT("EditorTests.Checks"),
			{TEXT("EditorTests.Checks.Passing"), TEXT("EditorTests.Checks.Failing"), TEXT("EditorTests.Checks.ReturnsFalse"), TEXT("EditorTests.Checks.Latent")}},
		{TEXT("Disabled"), {}},
		{TEXT("ClientOnly"), {}},
		{TEXT("Kestrova"), {}},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(testing::PrintToString(FString(Case.Filter)));
		EXPECT_EQ(NamesOf(RunAutomationChecks(Case.Filter)), Case.Names);
	}
}

TEST(AutomationChecks, ReportEachChecksOutcomeAndMessages)
{
	FHostRuntime Runtime;
	const TArray<FHostCheckReport> Reports = RunAutomationChecks(TEXT("EditorTests.Checks+EditorTests.Stuck"), 0.2);
	ASSERT_EQ(Reports.Num(), 5);

	const FHostCheckReport* Passing = Find(Reports, TEXT("EditorTests.Checks.Passing"));
	ASSERT_NE(Passing, nullptr);
	EXPECT_TRUE(Passing->bPassed);
	EXPECT_TRUE(Passing->Errors.IsEmpty());
	EXPECT_EQ(Passing->Infos, TArray<FString>{TEXT("checked")});

	const FHostCheckReport* Failing = Find(Reports, TEXT("EditorTests.Checks.Failing"));
	ASSERT_NE(Failing, nullptr);
	EXPECT_FALSE(Failing->bPassed);
	EXPECT_EQ(Failing->Errors, (TArray<FString>{TEXT("Expected 'Count' to be 3, but it was 2."), TEXT("Expected 'Ready' to be true."),
		TEXT("Expected 'Busy' to be false."), TEXT("Expected 'Label' to be \"Table\", but it was \"Chair\"."), TEXT("Expected 'Mesh' to be not null."),
		TEXT("Expected 'Place' to be equal."), TEXT("plain error")}));
	EXPECT_EQ(Failing->Warnings, TArray<FString>{TEXT("careful")});

	const FHostCheckReport* False = Find(Reports, TEXT("EditorTests.Checks.ReturnsFalse"));
	ASSERT_NE(False, nullptr);
	EXPECT_FALSE(False->bPassed);
	EXPECT_TRUE(False->Errors.IsEmpty());

	const FHostCheckReport* Latent = Find(Reports, TEXT("EditorTests.Checks.Latent"));
	ASSERT_NE(Latent, nullptr);
	EXPECT_TRUE(Latent->bPassed);
	EXPECT_TRUE(Latent->Errors.IsEmpty()) << testing::PrintToString(Latent->Errors);
	EXPECT_EQ(Latent->Infos, (TArray<FString>{TEXT("queued"), TEXT("after the game thread")}));

	const FHostCheckReport* Stuck = Find(Reports, TEXT("EditorTests.Stuck"));
	ASSERT_NE(Stuck, nullptr);
	EXPECT_FALSE(Stuck->bPassed);
	EXPECT_EQ(Stuck->Errors, TArray<FString>{TEXT("Latent commands did not finish within 0.2 seconds.")});

	// A second run starts from a clean report.
	const TArray<FHostCheckReport> Again = RunAutomationChecks(TEXT("EditorTests.Checks.Failing"));
	ASSERT_EQ(Again.Num(), 1);
	EXPECT_EQ(Again[0].Errors.Num(), 7);
}
