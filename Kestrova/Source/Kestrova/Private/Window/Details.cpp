#include "Window/LibraryWindow.h"

#include "Client/KestrovaClient.h"
#include "Import/LibraryImport.h"

#include "Engine/StaticMesh.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Input/SComboBox.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	constexpr uint64 OneMiB = 1048576;

	// One file: its size, in whole kilobytes rounded up below a mebibyte. Several: their names.
	FString FileLabel(const FKVAFile& File, bool bOnlyFile)
	{
		if (!bOnlyFile)
		{
			return File.Filename;
		}
		const uint64 Size = uint64(File.SizeBytes);
		if (Size < OneMiB)
		{
			return FString::Printf(TEXT("FBX / %.0f KB"), double((Size + 1023) / 1024));
		}
		return FString::Printf(TEXT("FBX / %.1f MB"), double(Size) / double(OneMiB));
	}


	// A consent check-box: its state lives in the window; ticking it does not rebuild.
	TSharedRef<SWidget> Statement(const SKVALibrary::FHandle& Handle, const FString& Label, bool bChecked, bool bEnabled, bool SKVALibrary::*Member)
	{
		return SNew(SCheckBox)
			.IsChecked(bChecked ? ECheckBoxState::Checked : ECheckBoxState::Unchecked)
			.IsEnabled(bEnabled)
			.OnCheckStateChanged_Lambda([Handle, Member](ECheckBoxState State)
			{
				if (SKVALibrary* Window = Handle.Get())
				{
					Window->*Member = State == ECheckBoxState::Checked;
				}
			})
			[
				SKVALibrary::Text(Label, 12, KVABrand::TextPrimary)
			];
	}
}

TSharedRef<SWidget> SKVALibrary::Details()
{
	check(Selected.IsValid());
	const FHandle Handle(Life);
	const TAttribute<bool> Idle = !bBusy;
	const TAttribute<bool> Always = true;

	TSharedRef<SVerticalBox> Panel = SNew(SVerticalBox)
		+ SVerticalBox::Slot()
		.AutoHeight()
		[
			Text(Selected->Title, 22, KVABrand::TextPrimary)
		]
		+ SVerticalBox::Slot()
		.AutoHeight()
		.Padding(0.0f, 12.0f, 0.0f, 12.0f)
		[
			Text(TEXT("FBX models and textures. Materials may need setup."), 12, KVABrand::TextMuted)
		];
	TSharedRef<SWidget> Result = SNew(SScrollBox)
		.NavigationScrollPadding(18.0f)
		.ScrollWhenFocusChanges(EScrollWhenFocusChanges::AnimatedScroll)
		+ SScrollBox::Slot()
		.Padding(18.0f, 18.0f, 18.0f, 18.0f)
		[
			Panel
		];

	const bool bRefused = !Selected->bAllowed;
	const bool bDailyLimit = bRefused && Selected->Reason.Equals(TEXT("daily_limit"), ESearchCase::IgnoreCase);
	if (bRefused && Selected->Reason.Equals(TEXT("membership_required"), ESearchCase::IgnoreCase))
	{
		if (bMembershipPending)
		{
			Panel->AddSlot()
			.AutoHeight()
			.Padding(0.0f, 12.0f, 0.0f, 12.0f)
			[
				Text(TEXT("Your membership is being confirmed."), 13, KVABrand::Warning)
			];
			Panel->AddSlot()
			.AutoHeight()
			.Padding(0.0f, 12.0f, 0.0f, 12.0f)
			[
				Button(TEXT("Check again"), &Styles.PrimaryButton, KVABrand::OnPrimary, Handle.Bind([](SKVALibrary& Window) { Window.Load(false); }), Idle)
			];
		}
		else
		{
			Panel->AddSlot()
			.AutoHeight()
			.Padding(0.0f, 12.0f, 0.0f, 12.0f)
			[
				Button(TEXT("Join membership"), &Styles.MembershipButton, KVABrand::OnMembership, Handle.Bind([](SKVALibrary&) { OpenMembershipPage(); }), Always)
			];
		}
		return Result;
	}
	if (bDailyLimit)
	{
		Panel->AddSlot()
		.AutoHeight()
		.Padding(0.0f, 12.0f, 0.0f, 12.0f)
		[
			Text(TEXT("Daily limit reached. Your imported files remain available."), 13, KVABrand::Warning)
		];
	}

	if (!Meshes.IsEmpty())
	{
		ModelOptions->Empty();
		for (const TSoftObjectPtr<UStaticMesh>& Mesh : Meshes)
		{
			ModelOptions->Add(MakeShared<FString>(Mesh.GetAssetName()));
		}
		ModelIndex = FMath::Clamp(ModelIndex, 0, Meshes.Num() - 1);
		if (Meshes.Num() > 1)
		{
			Panel->AddSlot()
			.AutoHeight()
			.Padding(0.0f, 12.0f, 0.0f, 12.0f)
			[
				SNew(SComboBox<TSharedPtr<FString>>)
				.OptionsSource(ModelOptions.Get())
				.InitiallySelectedItem((*ModelOptions)[ModelIndex])
				.OnGenerateWidget_Lambda([](TSharedPtr<FString> Option) -> TSharedRef<SWidget>
				{
					return Text(Option.IsValid() ? *Option : FString(), 13, KVABrand::TextPrimary);
				})
				.OnSelectionChanged_Lambda([Handle](TSharedPtr<FString> Option, ESelectInfo::Type)
				{
					if (SKVALibrary* Window = Handle.Get())
					{
						Window->ModelIndex = Window->ModelOptions->IndexOfByKey(Option);
					}
				})
				[
					SNew(STextBlock)
					.Text_Lambda([Handle]()
					{
						const SKVALibrary* Window = Handle.Get();
						const bool bValid = Window && Window->ModelOptions->IsValidIndex(Window->ModelIndex) && (*Window->ModelOptions)[Window->ModelIndex].IsValid();
						return FText::FromString(bValid ? *(*Window->ModelOptions)[Window->ModelIndex] : FString(TEXT("Choose model")));
					})
				]
			];
		}
		Panel->AddSlot()
		.AutoHeight()
		.Padding(0.0f, 12.0f, 0.0f, 12.0f)
		[
			Button(TEXT("Add to Scene"), &Styles.SceneButton, KVABrand::OnScene, Handle.Bind([](SKVALibrary& Window) { Window.Add(); }), Idle)
		];
		Panel->AddSlot()
		.AutoHeight()
		[
			Button(TEXT("Show in Content Browser"), &Styles.SecondaryButton, KVABrand::TextPrimary,
				Handle.Bind([](SKVALibrary& Window) { KVAImport::Show(Window.Folder); }), Idle)
		];
	}

	const bool bOnlyFile = Selected->Files.Num() == 1;
	for (const TSharedPtr<FKVAFile>& File : Selected->Files)
	{
		const bool bChosen = File == SelectedFile;
		Panel->AddSlot()
		.AutoHeight()
		.Padding(0.0f, 8.0f, 0.0f, 8.0f)
		[
			Button(FileLabel(*File, bOnlyFile), bChosen ? &Styles.PrimaryButton : &Styles.SecondaryButton,
				bChosen ? KVABrand::OnPrimary : KVABrand::TextPrimary,
				Handle.Bind([File](SKVALibrary& Window)
				{
					// Another file is another delivery: its consent and imports are its own.
					Window.SelectedFile = File;
					Window.Meshes.Empty();
					Window.bConsentRequired = false;
					Window.ConsentId.Empty();
					Window.bImmediateAccess = false;
					Window.bAcknowledgeLoss = false;
					Window.Rebuild();
				}), Idle)
		];
	}

	if (bConsentRequired)
	{
		const FString ConsentText = Client.IsValid() ? Client->ConsentText : FString();
		Panel->AddSlot()
		.AutoHeight()
		.Padding(0.0f, 18.0f, 0.0f, 12.0f)
		[
			Text(ConsentText, 13, KVABrand::TextMuted)
		];
		if (ConsentText.IsEmpty())
		{
			return Result;
		}
		Panel->AddSlot()
		.AutoHeight()
		[
			Statement(Handle, TEXT("I request immediate access."), bImmediateAccess, !bBusy, &SKVALibrary::bImmediateAccess)
		];
		Panel->AddSlot()
		.AutoHeight()
		.Padding(0.0f, 8.0f, 0.0f, 8.0f)
		[
			Statement(Handle, TEXT("I acknowledge the withdrawal terms above."), bAcknowledgeLoss, !bBusy, &SKVALibrary::bAcknowledgeLoss)
		];
		Panel->AddSlot()
		.AutoHeight()
		.Padding(0.0f, 12.0f, 0.0f, 12.0f)
		[
			Button(ConsentId.IsEmpty() ? TEXT("Confirm") : TEXT("Check confirmation"), &Styles.PrimaryButton, KVABrand::OnPrimary,
				Handle.Bind([](SKVALibrary& Window) { Window.ConfirmConsent(); }),
				TAttribute<bool>::CreateLambda([Handle]()
				{
					const SKVALibrary* Window = Handle.Get();
					return Window && !Window->bBusy && Window->bImmediateAccess && Window->bAcknowledgeLoss;
				}))
		];
	}
	else if (SelectedFile.IsValid() && Meshes.IsEmpty())
	{
		const bool bDeliverable = !bBusy && (Selected->bAllowed || bDailyLimit);
		Panel->AddSlot()
		.AutoHeight()
		.Padding(0.0f, 18.0f, 0.0f, 8.0f)
		[
			Button(TEXT("Add to Scene"), &Styles.SceneButton, KVABrand::OnScene, Handle.Bind([](SKVALibrary& Window) { Window.Download(true); }), bDeliverable)
		];
		Panel->AddSlot()
		.AutoHeight()
		[
			Button(TEXT("Add to Project"), &Styles.SecondaryButton, KVABrand::TextPrimary, Handle.Bind([](SKVALibrary& Window) { Window.Download(false); }), bDeliverable)
		];
	}
	return Result;
}
