#include "Window/LibraryWindow.h"

#include "Slate/DeferredCleanupSlateBrush.h"
#include "Styling/CoreStyle.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Layout/SScaleBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SOverlay.h"
#include "Widgets/Text/STextBlock.h"
#include "Widgets/Views/STableRow.h"

namespace
{
	struct FKindLabel
	{
		const TCHAR* Kind;
		const TCHAR* Label;
	};

	// Singular, unlike the kind menu; "asset" and anything unknown read "Asset".
	const FKindLabel KindLabels[] = {
		{TEXT("collection"), TEXT("Collection")},
		{TEXT("scene"), TEXT("Scene")},
		{TEXT("scene_collection"), TEXT("Scene collection")},
		{TEXT("kit"), TEXT("Kit")},
		{TEXT("world"), TEXT("World")},
		{TEXT("bundle"), TEXT("Bundle")},
	};

	FString TileLabel(const FKVAProduct& Product)
	{
		if (Product.bOwned)
		{
			return TEXT("In your library");
		}
		for (const FKindLabel& Row : KindLabels)
		{
			if (Product.Kind.Equals(Row.Kind, ESearchCase::IgnoreCase))
			{
				return Row.Label;
			}
		}
		return TEXT("Asset");
	}
}

TSharedRef<ITableRow> SKVALibrary::Tile(FKVAProductPtr Item, const TSharedRef<STableViewBase>& Owner)
{
	GetPreview(Item->Thumbnail);
	const FHandle Handle(Life);

	// Image and caption are read on every paint, so a preview that arrives later shows at once.
	auto Image = [Handle, Item]() -> const FSlateBrush*
	{
		const SKVALibrary* Window = Handle.Get();
		const TSharedPtr<FPreview>* Preview = Window ? Window->Previews.Find(Item->Thumbnail) : nullptr;
		return Preview ? FDeferredCleanupSlateBrush::TrySlateBrush((*Preview)->Brush) : nullptr;
	};
	auto Caption = [Handle, Item]()
	{
		const SKVALibrary* Window = Handle.Get();
		const FString& Url = Item->Thumbnail;
		if (!Window)
		{
			return FText::FromString(Url.IsEmpty() ? TEXT("Preview unavailable") : TEXT("Loading preview"));
		}
		if (Window->Previews.Contains(Url))
		{
			return FText::GetEmpty();
		}
		if (Url.IsEmpty() || Window->PreviewsFailed.Contains(Url))
		{
			return FText::FromString(TEXT("Preview unavailable"));
		}
		return FText::FromString(TEXT("Loading preview"));
	};

	return SNew(STableRow<FKVAProductPtr>, Owner)
		.Style(&Styles.TileRow)
		.Padding(FMargin(8.0f, 8.0f, 8.0f, 8.0f))
		[
			SNew(SVerticalBox)
			+ SVerticalBox::Slot()
			.AutoHeight()
			[
				SNew(SBox)
				.HeightOverride(180.0f)
				[
					SNew(SOverlay)
					+ SOverlay::Slot()
					[
						SNew(SBorder)
						.BorderImage(&Styles.Panel)
						.Padding(0.0f)
						[
							SNew(SScaleBox)
							.Stretch(EStretch::ScaleToFit)
							[
								SNew(SImage)
								.Image_Lambda(Image)
							]
						]
					]
					+ SOverlay::Slot()
					.HAlign(HAlign_Center)
					.VAlign(VAlign_Center)
					[
						SNew(STextBlock)
						.ColorAndOpacity(KVABrand::TextMuted)
						.Text_Lambda(Caption)
					]
				]
			]
			+ SVerticalBox::Slot()
			.AutoHeight()
			.Padding(0.0f, 10.0f, 0.0f, 4.0f)
			[
				SNew(STextBlock)
				.Text(FText::FromString(Item->Title))
				.Font(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 14))
				.ColorAndOpacity(KVABrand::TextPrimary)
				.OverflowPolicy(ETextOverflowPolicy::Ellipsis)
			]
			+ SVerticalBox::Slot()
			.AutoHeight()
			[
				Text(TileLabel(*Item), 12, KVABrand::TextMuted)
			]
		];
}
