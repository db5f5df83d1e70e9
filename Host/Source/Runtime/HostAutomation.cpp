#include "Runtime/HostAutomation.h"

#include "Misc/AutomationTest.h"
#include "Runtime/HostRuntime.h"

#include <chrono>
#include <thread>

namespace
{
	bool Matches(const FAutomationTestInfo& Test, const TArray<FString>& Parts)
	{
		const uint32 Flags = Test.GetTestFlags();
		if (!(Flags & EAutomationTestFlags::EditorContext) || (Flags & EAutomationTestFlags::Disabled))
		{
			return false;
		}
		return Parts.IsEmpty() || Parts.ContainsByPredicate([&](const FString& Part) { return Test.GetFullTestPath().Contains(Part); });
	}

	FHostCheckReport Run(const FAutomationTestInfo& Test, double TimeoutSeconds)
	{
		FAutomationTestFramework& Framework = FAutomationTestFramework::Get();
		const FString Command = Test.GetTestParameter().IsEmpty() ? Test.GetTestName() : Test.GetTestName() + TEXT(" ") + Test.GetTestParameter();
		Framework.StartTestByName(Command, 0);
		const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(TimeoutSeconds);
		bool bTimedOut = false;
		while (!Framework.ExecuteLatentCommands())
		{
			if (std::chrono::steady_clock::now() >= Deadline)
			{
				bTimedOut = true;
				break;
			}
			if (FHostRuntime* Runtime = FHostRuntime::Get())
			{
				Runtime->Tick();
			}
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}
		FAutomationTestExecutionInfo Execution;
		FHostCheckReport Report;
		Report.Name = Test.GetFullTestPath();
		Report.bPassed = Framework.StopTest(Execution) && !bTimedOut;
		for (const FAutomationExecutionEntry& Entry : Execution.GetEntries())
		{
			TArray<FString>& Into = Entry.Event.Type == EAutomationEventType::Error ? Report.Errors
				: Entry.Event.Type == EAutomationEventType::Warning ? Report.Warnings : Report.Infos;
			Into.Add(Entry.Event.Message);
		}
		if (bTimedOut)
		{
			Report.Errors.Add(FString::Printf(TEXT("Latent commands did not finish within %g seconds."), TimeoutSeconds));
		}
		return Report;
	}
}

TArray<FHostCheckReport> RunAutomationChecks(const FString& Filter, double TimeoutSeconds)
{
	TArray<FString> Parts;
	Filter.ParseIntoArray(Parts, TEXT("+"), true);
	TArray<FAutomationTestInfo> Tests;
	FAutomationTestFramework::Get().GetValidTestNames(Tests);
	TArray<FHostCheckReport> Reports;
	for (const FAutomationTestInfo& Test : Tests)
	{
		if (Matches(Test, Parts))
		{
			Reports.Add(Run(Test, TimeoutSeconds));
		}
	}
	return Reports;
}
