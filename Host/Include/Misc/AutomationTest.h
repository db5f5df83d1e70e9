#pragma once

#include "CoreMinimal.h"

#include <deque>

// Where a test may run and what kind of test it is, with the engine's values.
struct EAutomationTestFlags
{
	enum Type
	{
		None = 0x00000000,
		EditorContext = 0x00000001,
		ClientContext = 0x00000002,
		ServerContext = 0x00000004,
		CommandletContext = 0x00000008,
		ProgramContext = 0x00000010,
		ApplicationContextMask = EditorContext | ClientContext | ServerContext | CommandletContext | ProgramContext,
		NonNullRHI = 0x00000100,
		RequiresUser = 0x00000200,
		FeatureMask = NonNullRHI | RequiresUser,
		Disabled = 0x00010000,
		CriticalPriority = 0x00100000,
		HighPriority = 0x00200000,
		HighPriorityAndAbove = CriticalPriority | HighPriority,
		MediumPriority = 0x00400000,
		MediumPriorityAndAbove = CriticalPriority | HighPriority | MediumPriority,
		LowPriority = 0x00800000,
		PriorityMask = CriticalPriority | HighPriority | MediumPriority | LowPriority,
		SmokeFilter = 0x01000000,
		EngineFilter = 0x02000000,
		ProductFilter = 0x04000000,
		PerfFilter = 0x08000000,
		StressFilter = 0x10000000,
		NegativeFilter = 0x20000000,
		FilterMask = SmokeFilter | EngineFilter | ProductFilter | PerfFilter | StressFilter | NegativeFilter,
	};
};

enum class EAutomationEventType : uint8
{
	Info,
	Warning,
	Error
};

struct FAutomationEvent
{
	FAutomationEvent(EAutomationEventType InType, const FString& InMessage) : Type(InType), Message(InMessage) {}

	EAutomationEventType Type;
	FString Message;
};

struct FAutomationExecutionEntry
{
	explicit FAutomationExecutionEntry(const FAutomationEvent& InEvent) : Event(InEvent) {}

	FAutomationEvent Event;
};

// What one run of a test reported.
struct FAutomationTestExecutionInfo
{
	bool bSuccessful = false;

	void Clear();
	void AddEvent(const FAutomationEvent& Event) { Entries.Add(FAutomationExecutionEntry(Event)); }
	const TArray<FAutomationExecutionEntry>& GetEntries() const { return Entries; }
	int32 GetErrorTotal() const;
	int32 GetWarningTotal() const;

private:
	TArray<FAutomationExecutionEntry> Entries;
};

// A step of a test that runs over several frames: Update is called once a frame until it
// returns true.
class IAutomationLatentCommand
{
public:
	virtual ~IAutomationLatentCommand() = default;
	virtual bool Update() = 0;
};

// Runs a function each frame until it returns true.
class FFunctionLatentCommand : public IAutomationLatentCommand
{
public:
	explicit FFunctionLatentCommand(TFunction<bool()> InLatentPredicate) : LatentPredicate(MoveTemp(InLatentPredicate)) {}
	virtual bool Update() override { return LatentPredicate(); }

private:
	TFunction<bool()> LatentPredicate;
};

// Waits the given number of seconds.
class FWaitLatentCommand : public IAutomationLatentCommand
{
public:
	explicit FWaitLatentCommand(float InDuration) : Duration(InDuration) {}
	virtual bool Update() override;

private:
	float Duration;
	double StartTime = -1.0;
};

// A test name and what the runner needs to know of it.
class FAutomationTestInfo
{
public:
	FAutomationTestInfo(const FString& InDisplayName, const FString& InFullTestPath, const FString& InTestName, uint32 InTestFlags, const FString& InParameterName = FString())
		: DisplayName(InDisplayName), FullTestPath(InFullTestPath), TestName(InTestName), TestParameter(InParameterName), TestFlags(InTestFlags)
	{
	}

	const FString& GetDisplayName() const { return DisplayName; }
	// The test's pretty name, "Project.Area.Check"; filters match against it.
	const FString& GetFullTestPath() const { return FullTestPath; }
	// The name the test is registered under.
	FString GetTestName() const { return TestName; }
	const FString& GetTestParameter() const { return TestParameter; }
	uint32 GetTestFlags() const { return TestFlags; }

private:
	FString DisplayName;
	FString FullTestPath;
	FString TestName;
	FString TestParameter;
	uint32 TestFlags;
};

class FAutomationTestBase;

// The registry of tests and the state of the test that runs.
class FAutomationTestFramework
{
public:
	static FAutomationTestFramework& Get();

	bool RegisterAutomationTest(const FString& InTestNameToRegister, FAutomationTestBase* InTestToRegister);
	bool UnregisterAutomationTest(const FString& InTestNameToUnregister);
	bool ContainsTest(const FString& InTestName) const;
	// Every registered test and test command, in registration order.
	void GetValidTestNames(TArray<FAutomationTestInfo>& TestInfo) const;

	// Runs a test's RunTest ("TestName Parameters"); latent commands it queued run afterwards.
	void StartTestByName(const FString& InTestToRun, const int32 InRoleIndex);
	// Runs one frame of the queued latent commands; true once none is left.
	bool ExecuteLatentCommands();
	// Ends the running test; true if it ran without error.
	bool StopTest(FAutomationTestExecutionInfo& OutExecutionInfo);

	void EnqueueLatentCommand(TSharedPtr<IAutomationLatentCommand> NewCommand);
	FAutomationTestBase* GetCurrentTest() const { return CurrentTest; }

private:
	TArray<TPair<FString, FAutomationTestBase*>> Tests;
	FAutomationTestBase* CurrentTest = nullptr;
	bool bCurrentTestReturned = false;
	std::deque<TSharedPtr<IAutomationLatentCommand>> LatentCommands;
};

// The base of every automation test: what it reports and the checks it can make.
class FAutomationTestBase
{
public:
	FAutomationTestBase(const FString& InName, const bool bInComplexTask);
	virtual ~FAutomationTestBase();
	FAutomationTestBase(const FAutomationTestBase&) = delete;
	FAutomationTestBase& operator=(const FAutomationTestBase&) = delete;

	virtual uint32 GetTestFlags() const = 0;
	virtual uint32 GetRequiredDeviceNum() const = 0;
	virtual FString GetTestSourceFileName() const { return FString(); }
	virtual int32 GetTestSourceFileLine() const { return 0; }
	const FString& GetTestName() const { return TestName; }

	virtual void AddError(const FString& InError, int32 StackOffset = 0);
	virtual void AddErrorIfFalse(bool bCondition, const FString& InError, int32 StackOffset = 0);
	virtual void AddWarning(const FString& InWarning, int32 StackOffset = 0);
	virtual void AddInfo(const FString& InLogItem, int32 StackOffset = 0, bool bCaptureStack = false);
	bool HasAnyErrors() const { return ExecutionInfo.GetErrorTotal() > 0; }

	bool TestTrue(const TCHAR* What, bool Value);
	bool TestTrue(const FString& What, bool Value) { return TestTrue(*What, Value); }
	bool TestFalse(const TCHAR* What, bool Value);
	bool TestFalse(const FString& What, bool Value) { return TestFalse(*What, Value); }
	bool TestEqual(const TCHAR* What, const int32 Actual, const int32 Expected);
	bool TestEqual(const TCHAR* What, const int64 Actual, const int64 Expected);
	bool TestEqual(const TCHAR* What, const float Actual, const float Expected, float Tolerance = 1.e-4f);
	bool TestEqual(const TCHAR* What, const double Actual, const double Expected, double Tolerance = 1.e-4);
	bool TestEqual(const TCHAR* What, const FString& Actual, const FString& Expected);
	bool TestEqual(const TCHAR* What, const TCHAR* Actual, const TCHAR* Expected) { return TestEqual(What, FString(Actual), FString(Expected)); }
	bool TestEqual(const TCHAR* What, const FString& Actual, const TCHAR* Expected) { return TestEqual(What, Actual, FString(Expected)); }
	bool TestEqual(const TCHAR* What, const FName& Actual, const FName& Expected) { return TestEqual(What, Actual.ToString(), Expected.ToString()); }
	// Any other type that compares with ==.
	template <typename ValueType>
	bool TestEqual(const TCHAR* What, const ValueType& Actual, const ValueType& Expected)
	{
		if (!(Actual == Expected))
		{
			AddError(FString::Printf(TEXT("Expected '%s' to be equal."), What), 1);
			return false;
		}
		return true;
	}
	template <typename ValueType>
	bool TestEqual(const FString& What, const ValueType& Actual, const ValueType& Expected)
	{
		return TestEqual(*What, Actual, Expected);
	}
	bool TestNotEqual(const TCHAR* What, const FString& Actual, const FString& Expected);
	bool TestNotEqual(const TCHAR* What, const int32 Actual, const int32 Expected);
	bool TestNull(const TCHAR* What, const void* Pointer);
	template <typename ValueType>
	bool TestNotNull(const TCHAR* What, const ValueType* Pointer)
	{
		if (Pointer == nullptr)
		{
			AddError(FString::Printf(TEXT("Expected '%s' to be not null."), What), 1);
			return false;
		}
		return true;
	}
	template <typename ValueType>
	bool TestNotNull(const FString& What, const ValueType* Pointer)
	{
		return TestNotNull(*What, Pointer);
	}
	template <typename ValueType>
	bool TestValid(const TCHAR* What, const TSharedPtr<ValueType>& SharedPointer)
	{
		if (!SharedPointer.IsValid())
		{
			AddError(FString::Printf(TEXT("Expected '%s' to be valid."), What), 1);
			return false;
		}
		return true;
	}

protected:
	friend class FAutomationTestFramework;

	virtual void GetTests(TArray<FString>& OutBeautifiedNames, TArray<FString>& OutTestCommands) const = 0;
	virtual bool RunTest(const FString& Parameters) = 0;
	virtual FString GetBeautifiedTestName() const = 0;

	FString TestName;
	bool bComplexTask;
	FAutomationTestExecutionInfo ExecutionInfo;
};

// Queues a latent command on the running test: ADD_LATENT_AUTOMATION_COMMAND(FMyCommand(Args)).
#define ADD_LATENT_AUTOMATION_COMMAND(ClassDeclaration) FAutomationTestFramework::Get().EnqueueLatentCommand(MakeShareable(new ClassDeclaration));

#define DEFINE_LATENT_AUTOMATION_COMMAND(CommandName) \
	class CommandName : public IAutomationLatentCommand \
	{ \
	public: \
		virtual ~CommandName() {} \
		virtual bool Update() override; \
	}

#define DEFINE_LATENT_AUTOMATION_COMMAND_ONE_PARAMETER(CommandName, ParamType, ParamName) \
	class CommandName : public IAutomationLatentCommand \
	{ \
	public: \
		CommandName(ParamType InputParam) : ParamName(InputParam) {} \
		virtual ~CommandName() {} \
		virtual bool Update() override; \
	private: \
		ParamType ParamName; \
	}

#define IMPLEMENT_SIMPLE_AUTOMATION_TEST_PRIVATE(TClass, TBaseClass, PrettyName, TFlags, FileName, LineNumber) \
	static_assert((TFlags) & EAutomationTestFlags::ApplicationContextMask, "AutomationTest has no application flag. It shouldn't run."); \
	static_assert((((TFlags) & EAutomationTestFlags::FilterMask) == EAutomationTestFlags::SmokeFilter) \
			|| (((TFlags) & EAutomationTestFlags::FilterMask) == EAutomationTestFlags::EngineFilter) \
			|| (((TFlags) & EAutomationTestFlags::FilterMask) == EAutomationTestFlags::ProductFilter) \
			|| (((TFlags) & EAutomationTestFlags::FilterMask) == EAutomationTestFlags::PerfFilter) \
			|| (((TFlags) & EAutomationTestFlags::FilterMask) == EAutomationTestFlags::StressFilter) \
			|| (((TFlags) & EAutomationTestFlags::FilterMask) == EAutomationTestFlags::NegativeFilter), \
		"All AutomationTests must have exactly 1 filter type specified."); \
	class TClass : public TBaseClass \
	{ \
	public: \
		TClass(const FString& InName) : TBaseClass(InName, false) {} \
		virtual uint32 GetTestFlags() const override { return TFlags; } \
		virtual bool IsStressTest() const { return false; } \
		virtual uint32 GetRequiredDeviceNum() const override { return 1; } \
		virtual FString GetTestSourceFileName() const override { return FString(FileName); } \
		virtual int32 GetTestSourceFileLine() const override { return LineNumber; } \
	protected: \
		virtual void GetTests(TArray<FString>& OutBeautifiedNames, TArray<FString>& OutTestCommands) const override \
		{ \
			OutBeautifiedNames.Add(TEXT(PrettyName)); \
			OutTestCommands.Add(FString()); \
		} \
		virtual bool RunTest(const FString& Parameters) override; \
		virtual FString GetBeautifiedTestName() const override { return TEXT(PrettyName); } \
	};

// Declares a test class TClass with one test named PrettyName ("Project.Area.Check"), and
// registers it when the program starts; its body is TClass::RunTest.
#define IMPLEMENT_SIMPLE_AUTOMATION_TEST(TClass, PrettyName, TFlags) \
	IMPLEMENT_SIMPLE_AUTOMATION_TEST_PRIVATE(TClass, FAutomationTestBase, PrettyName, TFlags, __FILE__, __LINE__) \
	namespace \
	{ \
		TClass TClass##AutomationTestInstance(TEXT(#TClass)); \
	}
