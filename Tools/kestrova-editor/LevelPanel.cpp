#include "LevelPanel.h"

#include "LevelViewport.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "ContentBrowser/ContentBrowserHost.h"
#include "Editor.h"
#include "Editor/Transactor.h"
#include "Framework/Application/SlateApplication.h"
#include "GameFramework/Actor.h"
#include "Runtime/HostEditor.h"
#include "Slate/Rendering/SlateCairoRenderer.h"
#include "Styling/AppStyle.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SWindow.h"
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

	// The folder the Content Browser was last asked to show (the project's content before any
	// was), then its assets by name with their class, sorted.
	TArray<FString> BrowserLines()
	{
		const TArray<UE::Host::FContentBrowserSync> Syncs = UE::Host::GetContentBrowserSyncs();
		const FString Folder = !Syncs.IsEmpty() && !Syncs.Last().Folders.IsEmpty() ? Syncs.Last().Folders[0] : FString(TEXT("/Game"));
		TArray<FAssetData> Assets;
		FModuleManager::LoadModuleChecked<FAssetRegistryModule>(TEXT("AssetRegistry")).Get().GetAssetsByPath(FName(*Folder), Assets, true, false);
		TArray<FString> Names;
		for (const FAssetData& Asset : Assets)
		{
			Names.Add(Asset.AssetName.ToString() + TEXT(" (") + Asset.AssetClassPath.GetAssetName().ToString() + TEXT(")"));
		}
		Names.Sort();
		Names.Insert(Folder, 0);
		return Names;
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

TSharedRef<SWindow> SLevelPanel::MakeWindow(const SWindow& Main, TSharedPtr<SLevelPanel>& OutPanel)
{
	const FVector2D MainSize = Main.GetClientSizeInScreen();
	const TSharedRef<SWindow> Window = SNew(SWindow)
		.Title(FText::FromString(TEXT("Level")))
		.ClientSize(FVector2D(Width, MainSize.Y))
		.ScreenPosition(FVector2D(MainSize.X, 0.0))
		[
			SAssignNew(OutPanel, SLevelPanel)
		];
	FSlateApplication::Get().AddWindow(Window);
	return Window;
}

bool SLevelPanel::SavePicture(const SWindow& Main, const SWindow& Panel, const FString& Filename)
{
	const FSlateRenderedImage Left = FSlateCairoRenderer::RenderWindow(Main);
	const FSlateRenderedImage Right = FSlateCairoRenderer::RenderWindow(Panel);
	FSlateRenderedImage Both;
	Both.Width = Left.Width + Right.Width;
	Both.Height = FMath::Max(Left.Height, Right.Height);
	Both.Pixels.Init(FColor(0, 0, 0, 255), Both.Width * Both.Height);
	for (int32 Y = 0; Y < Both.Height; ++Y)
	{
		for (int32 X = 0; X < Left.Width && Y < Left.Height; ++X)
		{
			Both.Pixels[Y * Both.Width + X] = Left.At(X, Y);
		}
		for (int32 X = 0; X < Right.Width && Y < Right.Height; ++X)
		{
			Both.Pixels[Y * Both.Width + Left.Width + X] = Right.At(X, Y);
		}
	}
	return FSlateCairoRenderer::SavePNG(Both, Filename);
}

void SLevelPanel::Construct(const FArguments&)
{
	ChildSlot
	.Padding(12.0f)
	[
		SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight().Padding(0.0f, 0.0f, 0.0f, 6.0f)[Heading(TEXT("Viewport"))]
		+ SVerticalBox::Slot().AutoHeight()[SAssignNew(Viewport, SLevelViewport).Width(int32(Width) - 24).Height(240)]
		+ SVerticalBox::Slot().AutoHeight().Padding(0.0f, 12.0f, 0.0f, 6.0f)[Heading(TEXT("Content Browser"))]
		+ SVerticalBox::Slot().FillHeight(1.0f)[SNew(SScrollBox) + SScrollBox::Slot()[SAssignNew(BrowserList, SVerticalBox)]]
		+ SVerticalBox::Slot().AutoHeight().Padding(0.0f, 12.0f, 0.0f, 6.0f)[Heading(TEXT("Level"))]
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
	const TArray<AActor*> LevelActors = FHostEditor::Get()->GetLevelActors();
	Viewport->Refresh(LevelActors);
	TArray<FString> Actors;
	for (const AActor* Actor : LevelActors)
	{
		Actors.Add(Actor->GetActorLabel());
	}
	const TArray<FString> Browser = BrowserLines();
	const FString NowBrowser = FString::Join(Browser, TEXT("\n"));
	if (!NowBrowser.Equals(ShownBrowser, ESearchCase::CaseSensitive))
	{
		BrowserList->ClearChildren();
		for (int32 Index = 0; Index < Browser.Num(); ++Index)
		{
			BrowserList->AddSlot().AutoHeight().Padding(Index == 0 ? 0.0f : 10.0f, 2.0f, 0.0f, 2.0f)[Row(Browser[Index], Index == 0)];
		}
		ShownBrowser = NowBrowser;
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
