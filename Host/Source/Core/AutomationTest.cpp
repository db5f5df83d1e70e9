#include "Misc/AutomationTest.h"

#include "HAL/PlatformTime.h"

void FAutomationTestExecutionInfo::Clear()
{
	Entries.Reset();
	bSuccessful = false;
}

int32 FAutomationTestExecutionInfo::GetErrorTotal() const
{
	return Entries.FilterByPredicate([](const FAutomationExecutionEntry& Entry) { return Entry.Event.Type == EAutomationEventType::Error; }).Num();
}

int32 FAutomationTestExecutionInfo::GetWarningTotal() const
{
	return Entries.FilterByPredicate([](const FAutomationExecutionEntry& Entry) { return Entry.Event.Type == EAutomationEventType::Warning; }).Num();
}

bool FWaitLatentCommand::Update()
{
	const double Now = FPlatformTime::Seconds();
	if (StartTime < 0.0)
	{
		StartTime = Now;
	}
	return Now - StartTime >= Duration;
}

FAutomationTestFramework& FAutomationTestFramework::Get()
{
	static FAutomationTestFramework Framework;
	return Framework;
}

bool FAutomationTestFramework::RegisterAutomationTest(const FString& InTestNameToRegister, FAutomationTestBase* InTestToRegister)
{
	if (ContainsTest(InTestNameToRegister))
	{
		return false;
	}
	Tests.Add(TPair<FString, FAutomationTestBase*>(InTestNameToRegister, InTestToRegister));
	return true;
}

bool FAutomationTestFramework::UnregisterAutomationTest(const FString& InTestNameToUnregister)
{
	return Tests.RemoveAll([&](const TPair<FString, FAutomationTestBase*>& Test) { return Test.Key == InTestNameToUnregister; }) > 0;
}

bool FAutomationTestFramework::ContainsTest(const FString& InTestName) const
{
	return Tests.ContainsByPredicate([&](const TPair<FString, FAutomationTestBase*>& Test) { return Test.Key == InTestName; });
}

void FAutomationTestFramework::GetValidTestNames(TArray<FAutomationTestInfo>& TestInfo) const
{
	TestInfo.Reset();
	for (const TPair<FString, FAutomationTestBase*>& Test : Tests)
	{
		TArray<FString> Names;
		TArray<FString> Commands;
		Test.Value->GetTests(Names, Commands);
		for (int32 Index = 0; Index < Names.Num(); ++Index)
		{
			TestInfo.Add(FAutomationTestInfo(Names[Index], Names[Index], Test.Key, Test.Value->GetTestFlags(), Commands[Index]));
		}
	}
}

void FAutomationTestFramework::StartTestByName(const FString& InTestToRun, const int32)
{
	FString Name = InTestToRun;
	FString Parameters;
	InTestToRun.Split(TEXT(" "), &Name, &Parameters);
	const int32 Index = Tests.IndexOfByPredicate([&](const TPair<FString, FAutomationTestBase*>& Test) { return Test.Key == Name; });
	LatentCommands.clear();
	CurrentTest = Index != INDEX_NONE ? Tests[Index].Value : nullptr;
	if (CurrentTest == nullptr)
	{
		return;
	}
	CurrentTest->ExecutionInfo.Clear();
	bCurrentTestReturned = CurrentTest->RunTest(Parameters);
}

bool FAutomationTestFramework::ExecuteLatentCommands()
{
	if (!LatentCommands.empty() && LatentCommands.front()->Update())
	{
		LatentCommands.pop_front();
	}
	return LatentCommands.empty();
}

bool FAutomationTestFramework::StopTest(FAutomationTestExecutionInfo& OutExecutionInfo)
{
	LatentCommands.clear();
	if (CurrentTest == nullptr)
	{
		OutExecutionInfo.Clear();
		return false;
	}
	CurrentTest->ExecutionInfo.bSuccessful = bCurrentTestReturned && !CurrentTest->HasAnyErrors();
	OutExecutionInfo = CurrentTest->ExecutionInfo;
	CurrentTest = nullptr;
	return OutExecutionInfo.bSuccessful;
}

void FAutomationTestFramework::EnqueueLatentCommand(TSharedPtr<IAutomationLatentCommand> NewCommand)
{
	LatentCommands.push_back(MoveTemp(NewCommand));
}

FAutomationTestBase::FAutomationTestBase(const FString& InName, const bool bInComplexTask)
	: TestName(InName)
	, bComplexTask(bInComplexTask)
{
	FAutomationTestFramework::Get().RegisterAutomationTest(InName, this);
}

FAutomationTestBase::~FAutomationTestBase()
{
	FAutomationTestFramework::Get().UnregisterAutomationTest(TestName);
}

void FAutomationTestBase::AddError(const FString& InError, int32)
{
	ExecutionInfo.AddEvent(FAutomationEvent(EAutomationEventType::Error, InError));
}

void FAutomationTestBase::AddErrorIfFalse(bool bCondition, const FString& InError, int32 StackOffset)
{
	if (!bCondition)
	{
		AddError(InError, StackOffset);
	}
}

void FAutomationTestBase::AddWarning(const FString& InWarning, int32)
{
	ExecutionInfo.AddEvent(FAutomationEvent(EAutomationEventType::Warning, InWarning));
}

void FAutomationTestBase::AddInfo(const FString& InLogItem, int32, bool)
{
	ExecutionInfo.AddEvent(FAutomationEvent(EAutomationEventType::Info, InLogItem));
}

bool FAutomationTestBase::TestTrue(const TCHAR* What, bool Value)
{
	if (!Value)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be true."), What), 1);
	}
	return Value;
}

bool FAutomationTestBase::TestFalse(const TCHAR* What, bool Value)
{
	if (Value)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be false."), What), 1);
	}
	return !Value;
}

bool FAutomationTestBase::TestEqual(const TCHAR* What, const int32 Actual, const int32 Expected)
{
	return TestEqual(What, int64(Actual), int64(Expected));
}

bool FAutomationTestBase::TestEqual(const TCHAR* What, const int64 Actual, const int64 Expected)
{
	if (Actual != Expected)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be %lld, but it was %lld."), What, Expected, Actual), 1);
		return false;
	}
	return true;
}

bool FAutomationTestBase::TestEqual(const TCHAR* What, const float Actual, const float Expected, float Tolerance)
{
	return TestEqual(What, double(Actual), double(Expected), double(Tolerance));
}

bool FAutomationTestBase::TestEqual(const TCHAR* What, const double Actual, const double Expected, double Tolerance)
{
	if (!FMath::IsNearlyEqual(Actual, Expected, Tolerance))
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be %f, but it was %f within tolerance %f."), What, Expected, Actual, Tolerance), 1);
		return false;
	}
	return true;
}

// The engine compares strings here without case (its TestEqualSensitive is the other way), so a
// check whose case matters must compare with ESearchCase::CaseSensitive itself.
bool FAutomationTestBase::TestEqual(const TCHAR* What, const FString& Actual, const FString& Expected)
{
	if (!Actual.Equals(Expected, ESearchCase::IgnoreCase))
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be \"%s\", but it was \"%s\"."), What, *Expected, *Actual), 1);
		return false;
	}
	return true;
}

bool FAutomationTestBase::TestNotEqual(const TCHAR* What, const FString& Actual, const FString& Expected)
{
	if (Actual.Equals(Expected, ESearchCase::IgnoreCase))
	{
		AddError(FString::Printf(TEXT("Expected '%s' to differ from \"%s\", but it was \"%s\"."), What, *Expected, *Actual), 1);
		return false;
	}
	return true;
}

bool FAutomationTestBase::TestNotEqual(const TCHAR* What, const int32 Actual, const int32 Expected)
{
	if (Actual == Expected)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to differ from %d, but it was %d."), What, Expected, Actual), 1);
		return false;
	}
	return true;
}

bool FAutomationTestBase::TestNull(const TCHAR* What, const void* Pointer)
{
	if (Pointer != nullptr)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be null."), What), 1);
		return false;
	}
	return true;
}
