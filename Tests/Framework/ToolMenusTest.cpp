#include "FrameworkTestSupport.h"

#include "Framework/Application/SlateApplication.h"
#include "ToolMenus.h"
#include "Widgets/SWindow.h"

namespace
{
	const FName WindowMenu(FHostEditorUI::WindowMenuName);

	int32 GCallbackRuns = 0;

	struct FCallbackOwner
	{
		void Run() { ++GCallbackRuns; }
	};

	// Opens the Window menu from the menu bar and returns the texts shown, then closes it.
	TArray<FString> ShownWindowMenu(const FSlateDriver& Driver)
	{
		EXPECT_EQ(Driver.ClickText(TEXT("Window")), TEXT(""));
		TArray<FString> Shown;
		const TArray<FString> All = Driver.GetShownTexts();
		// The menu bar's own label comes first; the rest is the open menu.
		for (int32 Index = 1; Index < All.Num(); ++Index)
		{
			Shown.Add(All[Index]);
		}
		FSlateApplication::Get().DismissAllMenus();
		Driver.Tick();
		return Shown;
	}

	FUIAction Counting(int32& Count)
	{
		return FUIAction(FExecuteAction::CreateLambda([&Count]() { ++Count; }));
	}
}

TEST(ToolMenusStartupTest, StartupCallbacksRunOnceTheMenusAreUp)
{
	enum class EUnregister
	{
		No,
		ByHandle,
		ByOwner,
	};
	struct FCase
	{
		const char* Name;
		bool bRegisterAfterStart;
		EUnregister Unregister;
		int32 ExpectedRuns;
	};
	const FCase Cases[] = {
		{"registered before start-up", false, EUnregister::No, 1},
		{"registered once the menus are up", true, EUnregister::No, 1},
		{"taken back by handle", false, EUnregister::ByHandle, 0},
		{"taken back by owner", false, EUnregister::ByOwner, 0},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		GCallbackRuns = 0;
		FCallbackOwner Owner;
		std::unique_ptr<FHostEditorUI> UI;
		if (Case.bRegisterAfterStart)
		{
			UI = std::make_unique<FHostEditorUI>();
		}
		const FDelegateHandle Handle = UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(&Owner, &FCallbackOwner::Run));
		// Called at once, a callback leaves nothing to take back.
		EXPECT_EQ(Handle.IsValid(), !Case.bRegisterAfterStart);
		if (Case.Unregister == EUnregister::ByHandle)
		{
			UToolMenus::UnRegisterStartupCallback(Handle);
		}
		else if (Case.Unregister == EUnregister::ByOwner)
		{
			UToolMenus::UnRegisterStartupCallback(&Owner);
		}
		if (!UI)
		{
			EXPECT_EQ(GCallbackRuns, 0);
			UI = std::make_unique<FHostEditorUI>();
		}
		EXPECT_EQ(GCallbackRuns, Case.ExpectedRuns);
		// A later start-up does not run them again.
		UI.reset();
		UI = std::make_unique<FHostEditorUI>();
		EXPECT_EQ(GCallbackRuns, Case.ExpectedRuns);
	}
}

TEST_F(EditorUITest, OwnersTakeAwayOnlyWhatTheyAdded)
{
	int32 Runs = 0;
	{
		FToolMenuOwnerScoped OwnerScoped(TEXT("OwnerA"));
		UToolMenu* Menu = UToolMenus::Get()->ExtendMenu(WindowMenu);
		Menu->FindOrAddSection(TEXT("WindowLayout")).AddMenuEntry(TEXT("EntryA"), FText::FromString(TEXT("Entry of A")), FText(), FSlateIcon(), Counting(Runs));
		Menu->AddSection(TEXT("SectionA"), FText::FromString(TEXT("Section of A")))
			.AddMenuEntry(TEXT("EntryA2"), FText::FromString(TEXT("Second of A")), FText(), FSlateIcon(), Counting(Runs));
	}
	{
		FToolMenuOwnerScoped OwnerScoped(TEXT("OwnerB"));
		UToolMenus::Get()->ExtendMenu(WindowMenu)->FindOrAddSection(TEXT("WindowLayout"))
			.AddMenuEntry(TEXT("EntryB"), FText::FromString(TEXT("Entry of B")), FText(), FSlateIcon(), Counting(Runs));
	}
	EXPECT_EQ(ShownWindowMenu(Driver()),
		(TArray<FString>{TEXT("Layout"), TEXT("Entry of A"), TEXT("Entry of B"), TEXT("Section of A"), TEXT("Second of A")}));

	UToolMenus::UnregisterOwner(TEXT("OwnerA"));
	EXPECT_EQ(ShownWindowMenu(Driver()), (TArray<FString>{TEXT("Layout"), TEXT("Entry of B")}));
	UToolMenus::UnregisterOwner(TEXT("OwnerB"));
	// The editor's own section stays, empty and so not shown.
	EXPECT_NE(UToolMenus::Get()->FindMenu(WindowMenu)->FindSection(TEXT("WindowLayout")), nullptr);
	EXPECT_EQ(ShownWindowMenu(Driver()), TArray<FString>());
	EXPECT_EQ(Runs, 0);
}

TEST_F(EditorUITest, EntriesAreOrderedAndReplacedByName)
{
	int32 Runs = 0;
	FToolMenuOwnerScoped OwnerScoped(TEXT("Orderer"));
	FToolMenuSection& Section = UToolMenus::Get()->ExtendMenu(WindowMenu)->FindOrAddSection(TEXT("WindowLayout"));
	auto Add = [&](const TCHAR* Name, const TCHAR* Label, FToolMenuInsert Position)
	{
		FToolMenuEntry Entry = FToolMenuEntry::InitMenuEntry(Name, FText::FromString(Label), FText(), FSlateIcon(), Counting(Runs));
		Entry.InsertPosition = Position;
		Section.AddEntry(Entry);
	};
	Add(TEXT("Middle"), TEXT("Middle"), FToolMenuInsert());
	Add(TEXT("Last"), TEXT("Last"), FToolMenuInsert());
	Add(TEXT("First"), TEXT("First"), FToolMenuInsert(NAME_None, EToolMenuInsertType::First));
	Add(TEXT("BeforeLast"), TEXT("Before last"), FToolMenuInsert(TEXT("Last"), EToolMenuInsertType::Before));
	Add(TEXT("AfterFirst"), TEXT("After first"), FToolMenuInsert(TEXT("First"), EToolMenuInsertType::After));
	Add(TEXT("Middle"), TEXT("Middle again"), FToolMenuInsert());
	EXPECT_EQ(ShownWindowMenu(Driver()),
		(TArray<FString>{TEXT("Layout"), TEXT("First"), TEXT("After first"), TEXT("Middle again"), TEXT("Before last"), TEXT("Last")}));
	UToolMenus::UnregisterOwner(TEXT("Orderer"));
}

TEST_F(EditorUITest, MenuEntriesAreInvokedByClickingThem)
{
	int32 PlainRuns = 0;
	int32 ContextRuns = 0;
	int32 DisabledRuns = 0;
	{
		FToolMenuOwnerScoped OwnerScoped(TEXT("Invoker"));
		FToolMenuSection& Section = UToolMenus::Get()->ExtendMenu(WindowMenu)->FindOrAddSection(TEXT("WindowLayout"));
		Section.AddMenuEntry(TEXT("Plain"), FText::FromString(TEXT("Plain")), FText(), FSlateIcon(), FExecuteAction::CreateLambda([&]() { ++PlainRuns; }));
		Section.AddMenuEntry(TEXT("WithContext"), FText::FromString(TEXT("With context")), FText(), FSlateIcon(),
			FToolMenuExecuteAction::CreateLambda([&](const FToolMenuContext&) { ++ContextRuns; }));
		Section.AddMenuEntry(TEXT("Disabled"), FText::FromString(TEXT("Disabled")), FText(), FSlateIcon(),
			FUIAction(FExecuteAction::CreateLambda([&]() { ++DisabledRuns; }), FCanExecuteAction::CreateLambda([]() { return false; })));
	}
	struct FCase
	{
		const TCHAR* Entry;
		FString ExpectedWhy;
		int32* Runs;
		int32 ExpectedRuns;
	};
	const FCase Cases[] = {
		{TEXT("Plain"), TEXT(""), &PlainRuns, 1},
		{TEXT("WithContext"), TEXT(""), &ContextRuns, 1},
		{TEXT("Disabled"), TEXT("disabled"), &DisabledRuns, 0},
		{TEXT("Missing"), TEXT("no entry Missing in LevelEditor.MainMenu.Window"), nullptr, 0},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(FTCHARToUTF8(Case.Entry).Get());
		EXPECT_EQ(UI->InvokeMenuEntry(WindowMenu, Case.Entry), Case.ExpectedWhy);
		if (Case.Runs != nullptr)
		{
			EXPECT_EQ(*Case.Runs, Case.ExpectedRuns);
		}
		// A chosen entry closes the menu.
		if (Case.ExpectedWhy.IsEmpty())
		{
			EXPECT_TRUE(UI->GetMainWindow()->GetMenus().IsEmpty());
		}
		FSlateApplication::Get().DismissAllMenus();
	}
	EXPECT_EQ(UI->InvokeMenuEntry(TEXT("LevelEditor.MainMenu.Nothing"), TEXT("Plain")), TEXT("no menu LevelEditor.MainMenu.Nothing in the menu bar"));
	UToolMenus::UnregisterOwner(TEXT("Invoker"));
}
