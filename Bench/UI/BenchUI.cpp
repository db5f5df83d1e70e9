// Frames of a 1280 x 800 window holding a tile grid of N products (an image, a title, a price
// and a button per tile, in 220 x 260 cells), N given on the command line. Each frame scrolls
// the grid a notch (alternately down and up), then lays the window out, paints it and draws it
// into pixels. Prints the median frame time in milliseconds.

#include "Brushes/SlateRoundedBoxBrush.h"
#include "CoreMinimal.h"
#include "Engine/Texture2D.h"
#include "Framework/Application/SlateApplication.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"
#include "Slate/DeferredCleanupSlateBrush.h"
#include "SlateTesting/SlateDriver.h"
#include "Styling/StyleColors.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"
#include "Widgets/Views/STableRow.h"
#include "Widgets/Views/STileView.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
	struct FProduct
	{
		FString Title;
		FString Price;
		TSharedPtr<FDeferredCleanupSlateBrush> Preview;
	};
	typedef TSharedPtr<FProduct> FProductPtr;

	// A 256 x 256 preview with a gradient and some transparency, as a decoded WebP would be.
	TSharedRef<FDeferredCleanupSlateBrush> MakePreview(int32 Seed)
	{
		TArray<uint8> Pixels;
		Pixels.SetNum(256 * 256 * 4);
		for (int32 Y = 0; Y < 256; ++Y)
		{
			for (int32 X = 0; X < 256; ++X)
			{
				uint8* Pixel = &Pixels[(Y * 256 + X) * 4];
				Pixel[0] = uint8(X + Seed);
				Pixel[1] = uint8(Y);
				Pixel[2] = uint8((X ^ Y) + Seed * 7);
				Pixel[3] = uint8(X < 16 ? X * 16 : 255);
			}
		}
		UTexture2D* Texture = UTexture2D::CreateTransient(256, 256, PF_B8G8R8A8, NAME_None, TConstArrayView64<uint8>(Pixels.GetData(), Pixels.Num()));
		Texture->UpdateResource();
		return FDeferredCleanupSlateBrush::CreateBrush(Texture);
	}

	TSharedRef<ITableRow> MakeTile(FProductPtr Product, const TSharedRef<STableViewBase>& Owner, const FSlateBrush* Card)
	{
		return SNew(STableRow<FProductPtr>, Owner)
			.Padding(8.0f)
			[
				SNew(SBorder)
				.BorderImage(Card)
				.Padding(8.0f)
				[
					SNew(SVerticalBox)
					+ SVerticalBox::Slot()
					.FillHeight(1.0f)
					[
						SNew(SImage).Image(FDeferredCleanupSlateBrush::TrySlateBrush(Product->Preview))
					]
					+ SVerticalBox::Slot()
					.AutoHeight()
					.Padding(0.0f, 6.0f, 0.0f, 0.0f)
					[
						SNew(STextBlock).Text(FText::FromString(Product->Title)).OverflowPolicy(ETextOverflowPolicy::Ellipsis)
					]
					+ SVerticalBox::Slot()
					.AutoHeight()
					[
						SNew(SHorizontalBox)
						+ SHorizontalBox::Slot()
						.FillWidth(1.0f)
						.VAlign(VAlign_Center)
						[
							SNew(STextBlock).Text(FText::FromString(Product->Price))
						]
						+ SHorizontalBox::Slot()
						.AutoWidth()
						[
							SNew(SButton).Text(FText::FromString(TEXT("Add")))
						]
					]
				]
			];
	}
}

int main(int ArgC, char** ArgV)
{
	const int32 NumTiles = ArgC > 1 ? std::atoi(ArgV[1]) : 24;
	const int32 NumFrames = ArgC > 2 ? std::atoi(ArgV[2]) : 100;
	FHostRuntime Runtime;
	FHostEditor Editor;
	FSlateApplication::Create();
	{
		TArray<TSharedRef<FDeferredCleanupSlateBrush>> Previews;
		for (int32 Index = 0; Index < 24; ++Index)
		{
			Previews.Add(MakePreview(Index));
		}
		TArray<FProductPtr> Products;
		for (int32 Index = 0; Index < NumTiles; ++Index)
		{
			Products.Add(MakeShared<FProduct>(FProduct{FString::Printf(TEXT("Weathered oak chair no. %d"), Index),
				FString::Printf(TEXT("$%d.99"), 5 + Index % 40), Previews[Index % Previews.Num()]}));
		}
		const FSlateRoundedBoxBrush Card(FStyleColors::Panel, 6.0f, FStyleColors::Hover, 1.0f);
		const TSharedRef<SWindow> Window = SNew(SWindow).ClientSize(FVector2D(1280, 800))
			[
				SNew(STileView<FProductPtr>)
				.ListItemsSource(&Products)
				.ItemWidth(220)
				.ItemHeight(260)
				.OnGenerateTile_Lambda([&Card](FProductPtr Product, const TSharedRef<STableViewBase>& Owner) { return MakeTile(Product, Owner, &Card); })
			];
		FSlateApplication::Get().AddWindow(Window);
		const FSlateDriver Driver(Window);
		Driver.Render();

		std::vector<double> Milliseconds;
		for (int32 Frame = 0; Frame < NumFrames; ++Frame)
		{
			const auto Start = std::chrono::steady_clock::now();
			Driver.Scroll(FVector2D(640, 400), Frame % 2 == 0 ? -1.0f : 1.0f);
			const FSlateRenderedImage Image = Driver.Render();
			const auto End = std::chrono::steady_clock::now();
			Milliseconds.push_back(std::chrono::duration<double, std::milli>(End - Start).count());
			if (Image.Width != 1280)
			{
				return 1;
			}
		}
		std::sort(Milliseconds.begin(), Milliseconds.end());
		std::printf("%.3f\n", Milliseconds[Milliseconds.size() / 2]);
		FSlateApplication::Get().DestroyWindowImmediately(Window);
	}
	FSlateApplication::Shutdown();
	return 0;
}
