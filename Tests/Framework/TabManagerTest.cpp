#include "FrameworkTestSupport.h"

#include "Framework/Application/SlateApplication.h"
#include "Framework/Docking/TabManager.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	const FName TabA(TEXT("TestTabA"));
	const FName TabB(TEXT("TestTabB"));

	// Two nomad tabs, "Tab A" and "Tab B", each showing "Content A" or "Content B"; what
	// happens to them is recorded.
	class TabManagerTest : public EditorUITest
	{
	protected:
		void SetUp() override
		{
			EditorUITest::SetUp();
			Register(TabA, TEXT("A"));
			Register(TabB, TEXT("B"));
		}

		void TearDown() override
		{
			FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(TabA);
			FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(TabB);
			EditorUITest::TearDown();
		}

		void Register(FName TabId, const FString& Letter)
		{
			FGlobalTabmanager::Get()
				->RegisterNomadTabSpawner(TabId, FOnSpawnTab::CreateLambda([this, Letter](const FSpawnTabArgs& Args) { return Spawn(Args, Letter); }))
				.SetDisplayName(FText::FromString(TEXT("Tab ") + Letter))
				.SetMenuType(ETabSpawnerMenuType::Hidden);
		}

		TSharedRef<SDockTab> Spawn(const FSpawnTabArgs& Args, const FString& Letter)
		{
			Events.Add(TEXT("spawn ") + Letter);
			EXPECT_EQ(Args.GetOwnerWindow(), FGlobalTabmanager::Get()->GetRootWindow());
			const TSharedRef<STextBlock> Content = SNew(STextBlock).Text(FText::FromString(TEXT("Content ") + Letter));
			Contents.Add(Content);
			return SNew(SDockTab)
				.TabRole(ETabRole::NomadTab)
				.OnTabClosed_Lambda([this, Letter](TSharedRef<SDockTab>) { Events.Add(TEXT("closed ") + Letter); })
				.OnCanCloseTab_Lambda([this]() { return bAllowClose; })
				.CanEverClose(bCanEverClose)
				[
					Content
				];
		}

		bool IsContentShown(const FString& Letter) const
		{
			const TSharedPtr<STextBlock> Text = Driver().FindText(TEXT("Content ") + Letter);
			return Text.IsValid() && Driver().IsShown(Text.ToSharedRef());
		}

		TSharedRef<SWidget> CloseButtonOf(const TSharedRef<SDockTab>& Tab) const
		{
			for (const TSharedRef<SWidget>& Button : Driver().FindAll(TEXT("SButton")))
			{
				if (FSlateDriver::FindAncestor(Button, TEXT("SDockTab")) == Tab.ToSharedPtr())
				{
					return Button;
				}
			}
			ADD_FAILURE() << "the tab has no close button";
			return Tab;
		}

		TArray<FString> Events;
		TArray<TWeakPtr<SWidget>> Contents;
		bool bAllowClose = true;
		bool bCanEverClose = true;
	};
}

TEST_F(TabManagerTest, InvokingSpawnsOnceAndBringsTheTabForward)
{
	const TSharedPtr<SDockTab> A = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabA));
	ASSERT_TRUE(A.IsValid());
	Driver().Tick();
	EXPECT_EQ(A->GetParentWindow(), UI->GetMainWindow().ToSharedPtr());
	EXPECT_TRUE(A->IsForeground());
	EXPECT_TRUE(IsContentShown(TEXT("A")));
	// The tab has no label of its own, so it shows its spawner's display name.
	EXPECT_TRUE(Driver().FindText(TEXT("Tab A")).IsValid());

	const TSharedPtr<SDockTab> B = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabB));
	Driver().Tick();
	EXPECT_TRUE(B->IsForeground());
	EXPECT_FALSE(A->IsForeground());
	EXPECT_FALSE(IsContentShown(TEXT("A")));
	EXPECT_TRUE(IsContentShown(TEXT("B")));

	EXPECT_EQ(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabA)), A);
	Driver().Tick();
	EXPECT_TRUE(A->IsForeground());
	EXPECT_TRUE(IsContentShown(TEXT("A")));
	EXPECT_EQ(Events, (TArray<FString>{TEXT("spawn A"), TEXT("spawn B")}));

	// Invoked as inactive, an open tab stays behind.
	EXPECT_EQ(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabB), true), B);
	EXPECT_TRUE(A->IsForeground());

	// A click on a tab's label brings it forward.
	EXPECT_EQ(Driver().ClickText(TEXT("Tab B")), TEXT(""));
	EXPECT_TRUE(B->IsForeground());
	EXPECT_TRUE(IsContentShown(TEXT("B")));

	EXPECT_FALSE(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TEXT("NoSuchTab"))).IsValid());
	EXPECT_TRUE(FGlobalTabmanager::Get()->HasTabSpawner(TabA));
	EXPECT_FALSE(FGlobalTabmanager::Get()->HasTabSpawner(TEXT("NoSuchTab")));
}

TEST_F(TabManagerTest, TheCloseButtonClosesTheTabAndReleasesItsContent)
{
	TSharedPtr<SDockTab> A = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabA));
	const TSharedPtr<SDockTab> B = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabB));
	Driver().Tick();
	const TSharedRef<SWidget> CloseA = CloseButtonOf(A.ToSharedRef());

	// A tab behind shows its close button only under the mouse.
	EXPECT_EQ(Driver().WhyNotClickable(CloseA), TEXT("not shown"));
	Driver().Hover(A.ToSharedRef());
	EXPECT_EQ(Driver().Click(CloseA), TEXT(""));

	EXPECT_EQ(Events, (TArray<FString>{TEXT("spawn A"), TEXT("spawn B"), TEXT("closed A")}));
	EXPECT_FALSE(FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId(TabA)).IsValid());
	EXPECT_FALSE(Driver().FindText(TEXT("Tab A")).IsValid());
	EXPECT_TRUE(B->IsForeground());
	EXPECT_TRUE(IsContentShown(TEXT("B")));
	// Even while someone still holds the closed tab, its content is gone.
	EXPECT_TRUE(A.IsValid());
	EXPECT_FALSE(Contents[0].IsValid());
	EXPECT_TRUE(Contents[1].IsValid());

	// Closing the front tab brings its neighbour forward; invoking it again makes a new one.
	const TSharedPtr<SDockTab> NewA = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabA));
	EXPECT_NE(NewA, A);
	EXPECT_TRUE(NewA->RequestCloseTab());
	EXPECT_TRUE(B->IsForeground());
}

TEST_F(TabManagerTest, ATabThatRefusesStaysOpen)
{
	struct FCase
	{
		const char* Name;
		bool bCanEverClose;
		bool bAllowClose;
		bool bCloses;
	};
	const FCase Cases[] = {
		{"closable", true, true, true},
		{"refuses now", true, false, false},
		{"can never close", false, true, false},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		Events.Empty();
		bCanEverClose = Case.bCanEverClose;
		bAllowClose = Case.bAllowClose;
		const TSharedPtr<SDockTab> A = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabA));
		Driver().Tick();
		// The front tab shows its close button unless it can never close.
		EXPECT_EQ(Driver().WhyNotClickable(CloseButtonOf(A.ToSharedRef())), Case.bCanEverClose ? TEXT("") : TEXT("not shown"));
		EXPECT_EQ(A->RequestCloseTab(), Case.bCloses);
		EXPECT_EQ(FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId(TabA)).IsValid(), !Case.bCloses);
		EXPECT_EQ(Events.Contains(TEXT("closed A")), Case.bCloses);
		// A fresh editor window for the next case; the old one closes its tabs regardless.
		UI.reset();
		UI = std::make_unique<FHostEditorUI>();
	}
}

TEST_F(TabManagerTest, ClosingTheWindowClosesEveryTab)
{
	FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabA));
	FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabB));
	bAllowClose = false;
	FSlateApplication::Get().RequestDestroyWindow(UI->GetMainWindow());

	EXPECT_EQ(Events, (TArray<FString>{TEXT("spawn A"), TEXT("spawn B"), TEXT("closed A"), TEXT("closed B")}));
	EXPECT_FALSE(FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId(TabA)).IsValid());
	EXPECT_FALSE(FGlobalTabmanager::Get()->GetRootWindow().IsValid());
	EXPECT_FALSE(Contents[0].IsValid());
	EXPECT_FALSE(Contents[1].IsValid());

	// The next tab opens in a new main window of the default size.
	const TSharedPtr<SDockTab> A = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabA));
	ASSERT_TRUE(A.IsValid());
	const TSharedPtr<SWindow> Window = FGlobalTabmanager::Get()->GetRootWindow();
	ASSERT_TRUE(Window.IsValid());
	EXPECT_EQ(Window->GetClientSizeInScreen(), FVector2D(1280, 800));
	EXPECT_TRUE(FSlateApplication::Get().GetTopLevelWindows().Contains(Window.ToSharedRef()));
}
