#include "LevelPanel.h"

#include "Editor.h"
#include "Editor/Transactor.h"
#include "GameFramework/Actor.h"
#include "Runtime/HostEditor.h"
#include "Styling/AppStyle.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	TSharedRef<SWidget> Heading(const TCHAR* Label)
	{
		return SNew(STextBlock).Text(FText::FromString(Label)).Font(FAppStyle::GetFontStyle("NormalFontBold"));
	}

	TSharedRef<SWidget> Row(const FString& Label, bool bDimmed)
	{
		return SNew(STextBlock)
			.Text(FText::FromString(Label))
			.ColorAndOpacity(bDimmed ? FSlateColor::UseSubduedForeground() : FSlateColor::UseForeground());
	}

	TSharedRef<SWidget> HistoryButton(const TCHAR* Label, TFunction<bool()> CanRun, TFunction<void()> Run)
	{
		return SNew(SButton)
			.Text(FText::FromString(Label))
			.IsEnabled_Lambda(MoveTemp(CanRun))
			.OnClicked_Lambda([Run = MoveTemp(Run)]()
			{
				Run();
				return FReply::Handled();
			});
	}
}

void SLevelPanel::Construct(const FArguments&)
{
	ChildSlot
	.Padding(12.0f)
	[
		SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight().Padding(0.0f, 0.0f, 0.0f, 6.0f)[Heading(TEXT("Level"))]
		+ SVerticalBox::Slot().FillHeight(1.0f)[SNew(SScrollBox) + SScrollBox::Slot()[SAssignNew(ActorList, SVerticalBox)]]
		+ SVerticalBox::Slot().AutoHeight().Padding(0.0f, 12.0f, 0.0f, 6.0f)[Heading(TEXT("Undo History"))]
		+ SVerticalBox::Slot().FillHeight(1.0f)[SNew(SScrollBox) + SScrollBox::Slot()[SAssignNew(HistoryList, SVerticalBox)]]
		+ SVerticalBox::Slot().AutoHeight().Padding(0.0f, 12.0f, 0.0f, 0.0f)
		[
			SNew(SHorizontalBox)
			+ SHorizontalBox::Slot().AutoWidth().Padding(0.0f, 0.0f, 8.0f, 0.0f)
			[
				HistoryButton(TEXT("Undo"), [] { return GEditor->Trans->CanUndo(); }, [] { GEditor->UndoTransaction(); })
			]
			+ SHorizontalBox::Slot().AutoWidth()
			[
				HistoryButton(TEXT("Redo"), [] { return GEditor->Trans->CanRedo(); }, [] { GEditor->RedoTransaction(); })
			]
		]
	];
	Refresh();
}

void SLevelPanel::Refresh()
{
	TArray<FString> Actors;
	for (const AActor* Actor : FHostEditor::Get()->GetLevelActors())
	{
		Actors.Add(Actor->GetActorLabel());
	}
	const TArray<FString> History = FHostEditor::Get()->GetUndoTitles();
	const int32 Undone = FHostEditor::Get()->GetUndoCount();
	// As shown: a label that changes only its case has changed.
	const FString NowActors = FString::Join(Actors, TEXT("\n"));
	const FString NowHistory = FString::Join(History, TEXT("\n")) + FString::Printf(TEXT("\n%d"), Undone);
	if (!NowActors.Equals(ShownActors, ESearchCase::CaseSensitive))
	{
		ActorList->ClearChildren();
		for (const FString& Label : Actors)
		{
			ActorList->AddSlot().AutoHeight().Padding(0.0f, 2.0f)[Row(Label, false)];
		}
		ShownActors = NowActors;
	}
	if (!NowHistory.Equals(ShownHistory, ESearchCase::CaseSensitive))
	{
		HistoryList->ClearChildren();
		for (int32 Index = 0; Index < History.Num(); ++Index)
		{
			HistoryList->AddSlot().AutoHeight().Padding(0.0f, 2.0f)[Row(History[Index], Index >= History.Num() - Undone)];
		}
		ShownHistory = NowHistory;
	}
}
