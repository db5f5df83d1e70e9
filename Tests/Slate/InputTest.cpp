#include "SlateTestSupport.h"

#include "Framework/MultiBox/MultiBoxBuilder.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Input/SComboBox.h"
#include "Widgets/Input/SComboButton.h"
#include "Widgets/Input/SEditableText.h"
#include "Widgets/Input/SSearchBox.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/Layout/SSplitter.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SOverlay.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	FString ToString(const FText& Text)
	{
		return Text.ToString();
	}
}

TEST_F(SlateTest, AClickReachesOnlyAButtonThatIsShownUncoveredAndEnabled)
{
	enum class ESetup
	{
		Plain,
		Hidden,
		Collapsed,
		Disabled,
		DisabledParent,
		Covered,
		CoveredByHitTestInvisible,
	};
	struct FCase
	{
		const char* Name;
		ESetup Setup;
		FString ExpectedWhy;
	};
	const FCase Cases[] = {
		{"plain", ESetup::Plain, TEXT("")},
		{"hidden", ESetup::Hidden, TEXT("not shown")},
		{"collapsed", ESetup::Collapsed, TEXT("not shown")},
		{"disabled", ESetup::Disabled, TEXT("disabled")},
		{"in a disabled box", ESetup::DisabledParent, TEXT("disabled")},
		{"under a border", ESetup::Covered, TEXT("covered by SBorder")},
		{"under a border that lets the mouse through", ESetup::CoveredByHitTestInvisible, TEXT("")},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		int32 Clicks = 0;
		TSharedRef<SButton> Button = SNew(SButton).Text(FText::FromString(TEXT("Press"))).OnClicked_Lambda([&Clicks]()
		{
			++Clicks;
			return FReply::Handled();
		});
		Button->SetVisibility(Case.Setup == ESetup::Hidden ? EVisibility::Hidden : Case.Setup == ESetup::Collapsed ? EVisibility::Collapsed : EVisibility::Visible);
		Button->SetEnabled(Case.Setup != ESetup::Disabled);
		TSharedRef<SBorder> Cover = SNew(SBorder);
		Cover->SetVisibility(Case.Setup == ESetup::Covered ? EVisibility::Visible
			: Case.Setup == ESetup::CoveredByHitTestInvisible ? EVisibility::HitTestInvisible : EVisibility::Collapsed);
		TSharedRef<SWidget> Content = SNew(SOverlay)
			+ SOverlay::Slot().HAlign(HAlign_Center).VAlign(VAlign_Center)
			[
				SNew(SBox).IsEnabled(Case.Setup != ESetup::DisabledParent)[Button]
			]
			+ SOverlay::Slot()[Cover];
		FSlateDriver Driver = Open(FVector2D(200, 100), Content);

		EXPECT_EQ(Driver.Click(Button), Case.ExpectedWhy);
		EXPECT_EQ(Clicks, Case.ExpectedWhy.IsEmpty() ? 1 : 0);
		// A click at the spot itself, as a person would try, does not get through either.
		const FSlateRect Rect = Driver.GetRect(Button);
		Driver.ClickAt(Rect.IsEmpty() ? FVector2D(100, 50) : Rect.GetCenter());
		EXPECT_EQ(Clicks, Case.ExpectedWhy.IsEmpty() ? 2 : 0);
		FSlateApplication::Get().DestroyWindowImmediately(Driver.GetWindow());
	}
}

TEST_F(SlateTest, AButtonClicksOnReleaseOverItAndReportsHover)
{
	TArray<FString> Events;
	TSharedRef<SButton> Button = SNew(SButton)
		.Text(FText::FromString(TEXT("Press")))
		.OnClicked_Lambda([&Events]()
		{
			Events.Add(TEXT("clicked"));
			return FReply::Handled();
		})
		.OnHovered_Lambda([&Events]() { Events.Add(TEXT("hovered")); })
		.OnUnhovered_Lambda([&Events]() { Events.Add(TEXT("unhovered")); });
	FSlateDriver Driver = Open(FVector2D(300, 100), SNew(SBox).HAlign(HAlign_Left).VAlign(VAlign_Top)[Button]);
	const FVector2D Centre = Driver.GetRect(Button).GetCenter();
	const FVector2D Outside(280, 90);

	Driver.MoveTo(Centre);
	EXPECT_TRUE(Button->IsHovered());
	Driver.PressAt(Centre);
	EXPECT_TRUE(Button->IsPressed());
	// Dragged off before release: no click.
	Driver.MoveTo(Outside);
	Driver.ReleaseAt(Outside);
	EXPECT_FALSE(Button->IsPressed());
	EXPECT_FALSE(Button->IsHovered());
	EXPECT_EQ(Events, (TArray<FString>{TEXT("hovered"), TEXT("unhovered")}));

	Events.Empty();
	Driver.ClickAt(Centre);
	EXPECT_EQ(Events, (TArray<FString>{TEXT("hovered"), TEXT("clicked")}));
}

TEST_F(SlateTest, TypingEditsTheSearchBoxAtItsCaret)
{
	TArray<FString> Changes;
	TArray<FString> Commits;
	TSharedRef<SSearchBox> Search = SNew(SSearchBox)
		.HintText(FText::FromString(TEXT("Search assets")))
		.OnTextChanged_Lambda([&Changes](const FText& Text) { Changes.Add(Text.ToString()); })
		.OnTextCommitted_Lambda([&Commits](const FText& Text, ETextCommit::Type Type)
		{
			Commits.Add(Text.ToString() + (Type == ETextCommit::OnEnter ? TEXT(" on enter") : Type == ETextCommit::OnCleared ? TEXT(" cleared") : TEXT(" other")));
		});
	FSlateDriver Driver = Open(FVector2D(300, 60), SNew(SBox).VAlign(VAlign_Top)[Search]);
	const TSharedRef<SEditableText> Text = StaticCastSharedRef<SEditableText>(Driver.Find(TEXT("SEditableText")).ToSharedRef());
	EXPECT_TRUE(Driver.GetShownTexts().Contains(TEXT("Search assets")));

	EXPECT_EQ(Driver.Click(Search), TEXT(""));
	EXPECT_TRUE(Text->HasKeyboardFocus());
	EXPECT_TRUE(FSlateApplication::Get().HasFocusedDescendants(Search));

	struct FStep
	{
		const char* Name;
		TFunction<void()> Act;
		FString ExpectedText;
		int32 ExpectedCaret;
	};
	const FStep Steps[] = {
		{"typed", [&]() { Driver.Type(TEXT("chair")); }, TEXT("chair"), 5},
		{"home", [&]() { Driver.PressKey(EKeys::Home); }, TEXT("chair"), 0},
		{"typed at the start", [&]() { Driver.Type(TEXT("a ")); }, TEXT("a chair"), 2},
		{"delete", [&]() { Driver.PressKey(EKeys::Delete); }, TEXT("a hair"), 2},
		{"right twice", [&]() { Driver.PressKey(EKeys::Right); Driver.PressKey(EKeys::Right); }, TEXT("a hair"), 4},
		{"backspace", [&]() { Driver.PressKey(EKeys::BackSpace); }, TEXT("a hir"), 3},
		{"end and left", [&]() { Driver.PressKey(EKeys::End); Driver.PressKey(EKeys::Left); }, TEXT("a hir"), 4},
		{"backspace at the start does nothing", [&]() { Driver.PressKey(EKeys::Home); Driver.PressKey(EKeys::BackSpace); }, TEXT("a hir"), 0},
	};
	for (const FStep& Step : Steps)
	{
		SCOPED_TRACE(Step.Name);
		Step.Act();
		EXPECT_EQ(ToString(Text->GetText()), Step.ExpectedText);
		EXPECT_EQ(Text->GetCaretIndex(), Step.ExpectedCaret);
	}
	// One change per edit that changed the text.
	EXPECT_EQ(Changes, (TArray<FString>{TEXT("c"), TEXT("ch"), TEXT("cha"), TEXT("chai"), TEXT("chair"), TEXT("achair"), TEXT("a chair"), TEXT("a hair"),
		TEXT("a hir")}));
	EXPECT_FALSE(Driver.GetShownTexts().Contains(TEXT("Search assets")));

	// Enter commits, then the box lets go of focus (which the engine reports as a second commit).
	Driver.PressKey(EKeys::Enter);
	EXPECT_EQ(Commits, (TArray<FString>{TEXT("a hir on enter"), TEXT("a hir cleared")}));
	EXPECT_FALSE(Text->HasKeyboardFocus());
}

TEST_F(SlateTest, ASearchBoxKeptAcrossARebuildKeepsFocusTextAndCaret)
{
	TSharedRef<SSearchBox> Search = SNew(SSearchBox);
	TSharedRef<SBorder> Root = SNew(SBorder)[SNew(SVerticalBox) + SVerticalBox::Slot().AutoHeight()[Search]];
	FSlateDriver Driver = Open(FVector2D(300, 200), Root);
	Driver.Click(Search);
	Driver.Type(TEXT("lamp"));
	Driver.PressKey(EKeys::Left);
	const TSharedRef<SEditableText> Text = StaticCastSharedRef<SEditableText>(Driver.Find(TEXT("SEditableText")).ToSharedRef());

	// The window's content is built anew around the same search box.
	Root->SetContent(SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight()[SNew(STextBlock).Text(FText::FromString(TEXT("Results")))]
		+ SVerticalBox::Slot().AutoHeight()[Search]);
	Driver.Tick();
	EXPECT_TRUE(Text->HasKeyboardFocus());
	EXPECT_EQ(ToString(Text->GetText()), TEXT("lamp"));
	EXPECT_EQ(Text->GetCaretIndex(), 3);
	Driver.Type(TEXT("s"));
	EXPECT_EQ(ToString(Text->GetText()), TEXT("lamsp"));

	// Rebuilt without it, the box loses focus.
	Root->SetContent(SNew(STextBlock).Text(FText::FromString(TEXT("Nothing"))));
	Driver.Tick();
	EXPECT_FALSE(FSlateApplication::Get().GetKeyboardFocusedWidget().IsValid());
	EXPECT_FALSE(Text->HasKeyboardFocus());
}

TEST_F(SlateTest, AComboButtonMenuIsChosenFromByClicking)
{
	TArray<FString> Chosen;
	TSharedRef<SComboButton> Combo = SNew(SComboButton)
		.ButtonContent()[SNew(STextBlock).Text(FText::FromString(TEXT("Sort")))]
		.OnGetMenuContent_Lambda([&Chosen]()
		{
			FMenuBuilder Menu(true, nullptr);
			for (const TCHAR* Label : {TEXT("Newest"), TEXT("Name")})
			{
				Menu.AddMenuEntry(FText::FromString(Label), FText(), FSlateIcon(), FUIAction(FExecuteAction::CreateLambda([&Chosen, Label]() { Chosen.Add(Label); })));
			}
			return Menu.MakeWidget();
		});
	FSlateDriver Driver = Open(FVector2D(400, 300), SNew(SBox).HAlign(HAlign_Left).VAlign(VAlign_Top)[Combo]);

	struct FStep
	{
		const char* Name;
		TFunction<void()> Act;
		bool bOpenAfter;
	};
	const FStep Steps[] = {
		{"the button opens the menu", [&]() { EXPECT_EQ(Driver.Click(Combo), TEXT("")); }, true},
		{"a second click closes it", [&]() { EXPECT_EQ(Driver.Click(Combo), TEXT("")); }, false},
		{"open again", [&]() { Driver.Click(Combo); }, true},
		{"a click elsewhere closes it", [&]() { Driver.ClickAt(FVector2D(390, 290)); }, false},
		{"open once more", [&]() { Driver.Click(Combo); }, true},
		{"an entry runs and closes the menu", [&]() { EXPECT_EQ(Driver.ClickText(TEXT("Name")), TEXT("")); }, false},
	};
	for (const FStep& Step : Steps)
	{
		SCOPED_TRACE(Step.Name);
		Step.Act();
		EXPECT_EQ(Combo->IsOpen(), Step.bOpenAfter);
		EXPECT_EQ(Driver.FindText(TEXT("Newest")).IsValid(), Step.bOpenAfter);
	}
	EXPECT_EQ(Chosen, TArray<FString>{TEXT("Name")});
}

TEST_F(SlateTest, AComboBoxOfStringsShowsAndReportsTheChosenOption)
{
	TArray<TSharedPtr<FString>> Options = {MakeShared<FString>(TEXT("Any licence")), MakeShared<FString>(TEXT("Free")), MakeShared<FString>(TEXT("Paid"))};
	TSharedPtr<FString> Current = Options[0];
	TArray<FString> Reports;
	TSharedRef<SComboBox<TSharedPtr<FString>>> Combo = SNew(SComboBox<TSharedPtr<FString>>)
		.OptionsSource(&Options)
		.InitiallySelectedItem(Current)
		.OnGenerateWidget_Lambda([](TSharedPtr<FString> Option) { return SNew(STextBlock).Text(FText::FromString(*Option)); })
		.OnSelectionChanged_Lambda([&](TSharedPtr<FString> Option, ESelectInfo::Type Info)
		{
			Current = Option;
			Reports.Add(*Option + (Info == ESelectInfo::OnMouseClick ? TEXT(" by click") : TEXT(" otherwise")));
		})
		[
			SNew(STextBlock).Text_Lambda([&Current]() { return FText::FromString(*Current); })
		];
	FSlateDriver Driver = Open(FVector2D(400, 300), SNew(SBox).HAlign(HAlign_Left).VAlign(VAlign_Top)[Combo]);
	EXPECT_EQ(Driver.GetShownTexts(), TArray<FString>{TEXT("Any licence")});

	EXPECT_EQ(Driver.Click(Combo), TEXT(""));
	EXPECT_EQ(Driver.GetShownTexts(), (TArray<FString>{TEXT("Any licence"), TEXT("Any licence"), TEXT("Free"), TEXT("Paid")}));
	const TArray<TSharedRef<STextBlock>> Paid = Driver.FindTexts(TEXT("Paid"));
	ASSERT_EQ(Paid.Num(), 1);
	EXPECT_EQ(Driver.Click(Paid[0]), TEXT(""));
	EXPECT_EQ(Reports, TArray<FString>{TEXT("Paid by click")});
	EXPECT_FALSE(Combo->IsOpen());
	EXPECT_EQ(Driver.GetShownTexts(), TArray<FString>{TEXT("Paid")});
	EXPECT_EQ(Combo->GetSelectedItem(), Options[2]);
}

TEST_F(SlateTest, ACheckBoxTogglesOnClickUnlessItsStateIsBound)
{
	ECheckBoxState Owned = ECheckBoxState::Unchecked;
	TArray<ECheckBoxState> Reports;
	TSharedRef<SCheckBox> Free = SNew(SCheckBox).OnCheckStateChanged_Lambda([&Reports](ECheckBoxState State) { Reports.Add(State); });
	TSharedRef<SCheckBox> Bound = SNew(SCheckBox)
		.IsChecked_Lambda([&Owned]() { return Owned; })
		.OnCheckStateChanged_Lambda([&Reports](ECheckBoxState State) { Reports.Add(State); });
	FSlateDriver Driver = Open(FVector2D(200, 100),
		SNew(SHorizontalBox) + SHorizontalBox::Slot().AutoWidth()[Free] + SHorizontalBox::Slot().AutoWidth().Padding(20, 0)[Bound]);

	Driver.Click(Free);
	EXPECT_EQ(Free->GetCheckedState(), ECheckBoxState::Checked);
	Driver.Click(Free);
	EXPECT_EQ(Free->GetCheckedState(), ECheckBoxState::Unchecked);
	// A bound state follows its owner, which hears of the click.
	Driver.Click(Bound);
	EXPECT_EQ(Bound->GetCheckedState(), ECheckBoxState::Unchecked);
	Owned = ECheckBoxState::Checked;
	EXPECT_EQ(Bound->GetCheckedState(), ECheckBoxState::Checked);
	EXPECT_EQ(Reports, (TArray<ECheckBoxState>{ECheckBoxState::Checked, ECheckBoxState::Unchecked, ECheckBoxState::Checked}));
}

TEST_F(SlateTest, DraggingASplitterHandleMovesRoomBetweenItsNeighbours)
{
	// 405 wide: two halves of 200 around a 5-wide handle at 200..205.
	TSharedRef<SBox> Left = Block(10, 10), Right = Block(10, 10);
	// The left slot keeps its own value; the right one's value belongs to its owner, who
	// hears of each change.
	float RightValue = 0.5f;
	TArray<float> Reported;
	TSharedRef<SSplitter> Split = SNew(SSplitter)
		+ SSplitter::Slot().Value(0.5f)[Left]
		+ SSplitter::Slot()
		.Value_Lambda([&RightValue]() { return RightValue; })
		.OnSlotResized_Lambda([&](float Value)
		{
			RightValue = Value;
			Reported.Add(Value);
		})
		[
			Right
		];
	FSlateDriver Driver = Open(FVector2D(405, 50), Split);

	struct FCase
	{
		const char* Name;
		float DragTo;
		float LeftWidth;
	};
	const FCase Cases[] = {
		{"to the right", 302.5f, 300.0f},
		// Neither side gets narrower than the minimum (20).
		{"past the left end", -50.0f, 20.0f},
		{"back to the middle", 202.5f, 200.0f},
	};
	float HandleCentre = 202.5f;
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		Driver.MoveTo(FVector2D(HandleCentre, 25));
		Driver.PressAt(FVector2D(HandleCentre, 25));
		Driver.MoveTo(FVector2D(Case.DragTo, 25));
		Driver.ReleaseAt(FVector2D(Case.DragTo, 25));
		Driver.Tick();
		EXPECT_NEAR(Driver.GetRect(Left).GetSize().X, Case.LeftWidth, 0.01);
		HandleCentre = Case.LeftWidth + 2.5f;
	}
	ASSERT_EQ(Reported.Num(), 3);
	EXPECT_NEAR(Reported[0], 0.25f, 0.001);
	EXPECT_NEAR(Reported[1], 0.95f, 0.001);
	EXPECT_NEAR(Driver.GetRect(Right).GetSize().X, 200.0f, 0.01);
}

TEST_F(SlateTest, AScrollBoxBringsAFocusedDescendantIntoViewWithPadding)
{
	// Twenty buttons, 50 high each, in a 200-high view.
	TArray<TSharedRef<SButton>> Boxes;
	TSharedRef<SScrollBox> Scroll = SNew(SScrollBox).ScrollWhenFocusChanges(EScrollWhenFocusChanges::InstantScroll).NavigationScrollPadding(10.0f);
	for (int32 Index = 0; Index < 20; ++Index)
	{
		Boxes.Add(SNew(SButton).Text(FText::FromString(FString::Printf(TEXT("Button %d"), Index))));
		Scroll->AddSlot()[SNew(SBox).HeightOverride(50)[Boxes.Last()]];
	}
	FSlateDriver Driver = Open(FVector2D(300, 200), Scroll);
	EXPECT_EQ(Driver.WhyNotClickable(Boxes[10]), TEXT("not shown"));

	FSlateApplication::Get().SetKeyboardFocus(Boxes[10], EFocusCause::SetDirectly);
	Driver.Tick();
	// Its bottom (550) sits 10 above the view's bottom: the view starts at 550 + 10 - 200.
	EXPECT_NEAR(Scroll->GetScrollOffset(), 360.0f, 0.01);
	EXPECT_EQ(Driver.WhyNotClickable(Boxes[10]), TEXT(""));

	FSlateApplication::Get().SetKeyboardFocus(Boxes[2], EFocusCause::SetDirectly);
	Driver.Tick();
	// Its top (100) sits 10 below the view's top.
	EXPECT_NEAR(Scroll->GetScrollOffset(), 90.0f, 0.01);
}
