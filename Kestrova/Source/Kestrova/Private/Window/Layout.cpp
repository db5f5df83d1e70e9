#include "Window/LibraryWindow.h"

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Platform/Hosts.h"

#include "Framework/Application/SlateApplication.h"
#include "Framework/MultiBox/MultiBoxBuilder.h"
#include "HAL/PlatformProcess.h"
#include "Slate/DeferredCleanupSlateBrush.h"
#include "Styling/AppStyle.h"
#include "Styling/CoreStyle.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SComboButton.h"
#include "Widgets/Input/SSearchBox.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Layout/SScaleBox.h"
#include "Widgets/Layout/SSplitter.h"
#include "Widgets/Notifications/SProgressBar.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/Text/STextBlock.h"
#include "Widgets/Views/STableRow.h"
#include "Widgets/Views/STileView.h"

namespace
{
	struct FKindEntry
	{
		const TCHAR* Label;
		const TCHAR* Value;
	};

	// The kind menu, in menu order; the value is what the service filters on.
	const FKindEntry Kinds[] = {
		{TEXT("All assets"), TEXT("")},
		{TEXT("Assets"), TEXT("asset")},
		{TEXT("Kits"), TEXT("kit")},
		{TEXT("Collections"), TEXT("collection")},
		{TEXT("Scenes"), TEXT("scene")},
		{TEXT("Scene collections"), TEXT("scene_collection")},
		{TEXT("Worlds"), TEXT("world")},
		{TEXT("Bundles"), TEXT("bundle")},
	};

	FString KindLabel(const FString& Kind)
	{
		for (const FKindEntry& Entry : Kinds)
		{
			if (Kind.Equals(Entry.Value, ESearchCase::IgnoreCase))
			{
				return Entry.Label;
			}
		}
		return TEXT("Bundles");
	}

	void Refocus(const TSharedRef<SWidget>& Widget)
	{
		if (!Widget->HasKeyboardFocus() && !Widget->HasFocusedDescendants())
		{
			FSlateApplication::Get().SetKeyboardFocus(Widget, EFocusCause::SetDirectly);
		}
	}

	FString EmptyListText(const FString& Query, bool bMyDownloads)
	{
		if (!Query.IsEmpty())
		{
			return TEXT("No assets found. Try another search.");
		}
		return bMyDownloads ? TEXT("No downloads yet. Find your next asset in the library.")
							: TEXT("No FBX assets here yet. Open the library for other formats.");
	}

}

void SKVALibrary::OpenMembershipPage()
{
	const FString Address = FString(TEXT("https://")) + KVAText::FromUtf8(KVAPlatform::Hosts::Api) + TEXT("/membership/?intent=unreal");
	FPlatformProcess::LaunchURL(*Address, nullptr, nullptr);
}

void SKVALibrary::Rebuild()
{
	check(IsInGameThread());
	if (bClosed)
	{
		return;
	}
	const bool bSearchFocused = SearchBox.IsValid() && (SearchBox->HasKeyboardFocus() || SearchBox->HasFocusedDescendants());
	const bool bGridFocused = Grid.IsValid() && (Grid->HasKeyboardFocus() || Grid->HasFocusedDescendants());
	// The new grid opens where the member left the old one; a new listing scrolls the old one
	// to the top before it is rebuilt.
	const float GridOffset = Grid.IsValid() ? Grid->GetScrollOffset() : 0.0f;
	const bool bConnected = Client->Connected();
	const FHandle Handle(Life);
	const TAttribute<bool> Idle = !bBusy;
	const TAttribute<bool> Always = true;

	TSharedRef<SHorizontalBox> Header = SNew(SHorizontalBox);
	if (Logo.IsValid())
	{
		Header->AddSlot()
		.AutoWidth()
		[
			SNew(SBox)
			.WidthOverride(180.0f)
			.HeightOverride(44.0f)
			[
				SNew(SScaleBox)
				.Stretch(EStretch::ScaleToFit)
				[
					// Read on every paint: once the window has closed and let its images go, the
					// header no longer points at them.
					SNew(SImage)
					.Image_Lambda([Handle]() -> const FSlateBrush*
					{
						const SKVALibrary* Window = Handle.Get();
						return Window && Window->Logo.IsValid() ? FDeferredCleanupSlateBrush::TrySlateBrush(Window->Logo->Brush) : nullptr;
					})
				]
			]
		];
	}
	else
	{
		Header->AddSlot()
		.AutoWidth()
		[
			Text(TEXT("Kestrova"), 22, KVABrand::TextPrimary)
		];
	}
	Header->AddSlot()
	.FillWidth(1.0f)
	[
		SNullWidget::NullWidget
	];
	if (bConnected)
	{
		Header->AddSlot()
		.AutoWidth()
		.Padding(6.0f, 0.0f, 6.0f, 0.0f)
		[
			Button(TEXT("Account"), &Styles.SecondaryButton, KVABrand::TextPrimary, Handle.Bind([](SKVALibrary&) { OpenMembershipPage(); }), Always)
		];
		Header->AddSlot()
		.AutoWidth()
		[
			Button(TEXT("Sign out"), &Styles.SecondaryButton, KVABrand::TextPrimary, Handle.Bind([](SKVALibrary& Window) { Window.SignOut(); }), Always)
		];
	}

	TSharedRef<SVerticalBox> Root = SNew(SVerticalBox)
		+ SVerticalBox::Slot()
		.AutoHeight()
		.Padding(18.0f, 10.0f, 18.0f, 16.0f)
		[
			Header
		];

	if (!bConnected)
	{
		Grid.Reset();
		TSharedRef<SVerticalBox> Column = SNew(SVerticalBox)
			+ SVerticalBox::Slot()
			.AutoHeight()
			[
				Text(TEXT("Your library. In Unreal."), 26, KVABrand::TextPrimary)
			]
			+ SVerticalBox::Slot()
			.AutoHeight()
			.Padding(0.0f, 12.0f, 0.0f, 26.0f)
			[
				Text(TEXT("Find your next asset and add it to your scene."), 15, KVABrand::TextMuted)
			];
		if (bSigningIn)
		{
			Column->AddSlot()
			.AutoHeight()
			[
				Text(TEXT("Finish signing in in your browser."), 13, KVABrand::Warning)
			];
			Column->AddSlot()
			.AutoHeight()
			.Padding(0.0f, 16.0f, 0.0f, 16.0f)
			[
				Button(TEXT("Cancel"), &Styles.SecondaryButton, KVABrand::TextPrimary, Handle.Bind([](SKVALibrary& Window) { Window.Cancel(); }), Always)
			];
		}
		else
		{
			Column->AddSlot()
			.AutoHeight()
			[
				Button(TEXT("Sign in"), &Styles.PrimaryButton, KVABrand::OnPrimary, Handle.Bind([](SKVALibrary& Window) { Window.SignIn(); }), Idle)
			];
		}
		if (!Message.IsEmpty())
		{
			Column->AddSlot()
			.AutoHeight()
			.Padding(0.0f, 14.0f, 0.0f, 14.0f)
			[
				Text(Message, 13, KVABrand::Error)
			];
		}
		Root->AddSlot()
		.FillHeight(1.0f)
		.HAlign(HAlign_Center)
		.VAlign(VAlign_Center)
		.Padding(24.0f, 24.0f, 24.0f, 24.0f)
		[
			SNew(SBox)
			.MaxDesiredWidth(390.0f)
			[
				Column
			]
		];
	}
	else
	{
		// The details panel carries the membership prompt for a product that needs it.
		const bool bBlockedForMembership = Selected.IsValid() && !Selected->bAllowed
			&& Selected->Reason.Equals(TEXT("membership_required"), ESearchCase::IgnoreCase);
		if (!bMember && !bBlockedForMembership)
		{
			Root->AddSlot()
			.AutoHeight()
			.Padding(18.0f, 0.0f, 18.0f, 12.0f)
			[
				SNew(SHorizontalBox)
				+ SHorizontalBox::Slot()
				.FillWidth(1.0f)
				.VAlign(VAlign_Center)
				[
					bMembershipPending
						? Text(TEXT("Your membership is being confirmed."), 13, KVABrand::Warning)
						: Text(TEXT("Get the library with membership."), 13, KVABrand::TextMuted)
				]
				+ SHorizontalBox::Slot()
				.AutoWidth()
				[
					bMembershipPending
						? Button(TEXT("Check again"), &Styles.PrimaryButton, KVABrand::OnMembership, Handle.Bind([](SKVALibrary& Window) { Window.Load(false); }), Idle)
						: Button(TEXT("Join membership"), &Styles.MembershipButton, KVABrand::OnMembership, Handle.Bind([](SKVALibrary&) { OpenMembershipPage(); }), Idle)
				]
			];
		}

		if (!SearchBox.IsValid())
		{
			SAssignNew(SearchBox, SSearchBox)
			.HintText(FText::FromString(TEXT("Search assets")))
			.InitialText(FText::FromString(Query))
			.OnTextChanged_Lambda([Handle](const FText& NewText)
			{
				if (SKVALibrary* Window = Handle.Get())
				{
					Window->SearchChanged(NewText);
				}
			})
			.OnTextCommitted_Lambda([Handle](const FText& NewText, ETextCommit::Type Commit)
			{
				if (SKVALibrary* Window = Handle.Get())
				{
					Window->SearchCommitted(NewText, Commit);
				}
			});
		}

		Root->AddSlot()
		.AutoHeight()
		.Padding(18.0f, 0.0f, 18.0f, 12.0f)
		[
			SNew(SHorizontalBox)
			+ SHorizontalBox::Slot()
			.AutoWidth()
			[
				Button(TEXT("Library"), bMyDownloads ? &Styles.SecondaryButton : &Styles.PrimaryButton,
					bMyDownloads ? KVABrand::TextPrimary : KVABrand::OnPrimary,
					Handle.Bind([](SKVALibrary& Window) { Window.bMyDownloads = false; Window.Load(false); }), Idle)
			]
			+ SHorizontalBox::Slot()
			.AutoWidth()
			.Padding(6.0f, 0.0f, 6.0f, 0.0f)
			[
				Button(TEXT("My downloads"), bMyDownloads ? &Styles.PrimaryButton : &Styles.SecondaryButton,
					bMyDownloads ? KVABrand::OnPrimary : KVABrand::TextPrimary,
					Handle.Bind([](SKVALibrary& Window) { Window.bMyDownloads = true; Window.Load(false); }), Idle)
			]
			+ SHorizontalBox::Slot()
			.FillWidth(1.0f)
			.Padding(6.0f, 0.0f, 6.0f, 0.0f)
			[
				SearchBox.ToSharedRef()
			]
			+ SHorizontalBox::Slot()
			.AutoWidth()
			.Padding(6.0f, 0.0f, 6.0f, 0.0f)
			[
				SNew(SComboButton)
				.ButtonStyle(&Styles.SecondaryButton)
				.IsEnabled(Idle)
				.ButtonContent()
				[
					// Dimmed with the button, as the labels of the other busy-gated buttons are.
					Text(KindLabel(Kind), 13, bBusy ? KVABrand::TextMuted : KVABrand::TextPrimary)
				]
				.OnGetMenuContent_Lambda([Handle]() -> TSharedRef<SWidget>
				{
					FMenuBuilder Menu(true, nullptr);
					for (const FKindEntry& Entry : Kinds)
					{
						const FString Value = Entry.Value;
						Menu.AddMenuEntry(FText::FromString(Entry.Label), FText::GetEmpty(), FSlateIcon(), FUIAction(FExecuteAction::CreateLambda(
							Handle.Bind([Value](SKVALibrary& Window) { Window.Kind = Value; Window.Load(false); }))));
					}
					return Menu.MakeWidget();
				})
			]
			+ SHorizontalBox::Slot()
			.AutoWidth()
			[
				Button(TEXT("Refresh"), &Styles.SecondaryButton, KVABrand::TextPrimary,
					Handle.Bind([](SKVALibrary& Window) { Window.PreviewsFailed.Empty(); Window.Load(false); }), Idle)
			]
		];

		if (!Message.IsEmpty())
		{
			const bool bNotice = Code.Equals(TEXT("confirmation_required"), ESearchCase::IgnoreCase)
				|| Code.Equals(TEXT("files_preparing"), ESearchCase::IgnoreCase);
			Root->AddSlot()
			.AutoHeight()
			.Padding(18.0f, 0.0f, 18.0f, 12.0f)
			[
				Text(Message, 13, bNotice ? KVABrand::Warning : KVABrand::Error)
			];
		}

		if (bBusy)
		{
			TSharedRef<SHorizontalBox> BusyRow = SNew(SHorizontalBox)
				+ SHorizontalBox::Slot()
				.FillWidth(1.0f)
				.VAlign(VAlign_Center)
				[
					SNew(STextBlock)
					.ColorAndOpacity(KVABrand::TextMuted)
					.Text_Lambda([Handle]()
					{
						const SKVALibrary* Window = Handle.Get();
						return FText::FromString(Window && !Window->Phase.IsEmpty() ? Window->Phase : FString(TEXT("Loading")));
					})
				];
			// An import cannot be stopped halfway.
			if (!bImporting)
			{
				BusyRow->AddSlot()
				.AutoWidth()
				[
					Button(TEXT("Cancel"), &Styles.SecondaryButton, KVABrand::TextPrimary, Handle.Bind([](SKVALibrary& Window) { Window.Cancel(); }), Always)
				];
			}
			Root->AddSlot()
			.AutoHeight()
			.Padding(18.0f, 0.0f, 18.0f, 12.0f)
			[
				BusyRow
			];
			if (Phase.Equals(TEXT("Downloading"), ESearchCase::IgnoreCase))
			{
				Root->AddSlot()
				.AutoHeight()
				.Padding(18.0f, 0.0f, 18.0f, 12.0f)
				[
					// The editor's fill image carries a tint of its own that the fill colour would
					// be multiplied with; a white fill shows the accent as it is.
					SNew(SProgressBar)
					.FillImage(FAppStyle::GetBrush(TEXT("WhiteBrush")))
					.FillColorAndOpacity(KVABrand::Accent)
					.Percent_Lambda([Handle]() -> TOptional<float>
					{
						const SKVALibrary* Window = Handle.Get();
						return Window ? Window->Progress : 0.0f;
					})
				];
			}
		}

		SAssignNew(Grid, STileView<FKVAProductPtr>)
		.ListItemsSource(&Products)
		.ItemWidth(220.0f)
		.ItemHeight(260.0f)
		.SelectionMode(ESelectionMode::Single)
		// A closed window's grid may still be laid out (the tab can outlive the window's client):
		// it gets empty rows.
		.OnGenerateTile_Lambda([Handle](FKVAProductPtr Item, const TSharedRef<STableViewBase>& Owner) -> TSharedRef<ITableRow>
		{
			SKVALibrary* Window = Handle.Get();
			return Window ? Window->Tile(Item, Owner) : SNew(STableRow<FKVAProductPtr>, Owner);
		})
		.OnSelectionChanged_Lambda([Handle](FKVAProductPtr Item, ESelectInfo::Type SelectInfo)
		{
			// Selections made in code, and any made while a request runs, are not choices.
			SKVALibrary* Window = Handle.Get();
			if (Window && SelectInfo != ESelectInfo::Direct && Item.IsValid() && !Window->bBusy)
			{
				Window->Choose(Item);
			}
		});
		Grid->SetScrollOffset(GridOffset);
		if (Selected.IsValid())
		{
			const FKVAProductPtr* Listed = Products.FindByPredicate([this](const FKVAProductPtr& Product)
			{
				return Product->ProductId.Len() == Selected->ProductId.Len() && Product->ProductId.Equals(Selected->ProductId, ESearchCase::IgnoreCase);
			});
			if (Listed)
			{
				Grid->SetSelection(*Listed, ESelectInfo::Direct);
			}
		}

		TSharedRef<SVerticalBox> Library = SNew(SVerticalBox)
			+ SVerticalBox::Slot()
			.FillHeight(1.0f)
			[
				Grid.ToSharedRef()
			];
		if (Products.IsEmpty() && !bBusy)
		{
			Library->AddSlot()
			.AutoHeight()
			.Padding(18.0f, 18.0f, 18.0f, 18.0f)
			[
				Text(EmptyListText(Query, bMyDownloads), 16, KVABrand::TextMuted)
			];
		}
		if (!Cursor.IsEmpty())
		{
			Library->AddSlot()
			.AutoHeight()
			.Padding(0.0f, 12.0f, 0.0f, 12.0f)
			[
				Button(TEXT("Load more"), &Styles.SecondaryButton, KVABrand::TextPrimary, Handle.Bind([](SKVALibrary& Window) { Window.Load(true); }), Idle)
			];
		}

		TSharedRef<SWidget> Content = Library;
		if (Selected.IsValid())
		{
			Content = SNew(SSplitter)
				.Orientation(Orient_Horizontal)
				+ SSplitter::Slot()
				.Value(0.68f)
				[
					Library
				]
				+ SSplitter::Slot()
				.Value(0.32f)
				[
					SNew(SBox)
					.MinDesiredWidth(260.0f)
					[
						Details()
					]
				];
		}
		Root->AddSlot()
		.FillHeight(1.0f)
		.Padding(18.0f, 0.0f, 18.0f, 18.0f)
		[
			Content
		];
	}

	ChildSlot
	[
		SNew(SBorder)
		.BorderImage(&Styles.Background)
		.Padding(0.0f)
		[
			Root
		]
	];

	// Typing goes on in the same search box, and keyboard users keep their place in the grid.
	// Focus that survived the swap is left alone: focusing the box again would select its text,
	// and the next key stroke would replace what the member typed.
	if (bConnected && bSearchFocused && SearchBox.IsValid())
	{
		Refocus(SearchBox.ToSharedRef());
	}
	else if (bConnected && bGridFocused && Grid.IsValid())
	{
		Refocus(Grid.ToSharedRef());
	}
}
