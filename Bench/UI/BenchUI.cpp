// Frames of 1280 x 800 windows each holding a tile grid of products (an image, a title, a price
// and a button per tile, in 220 x 260 cells), one window per count given on the command line.
// Each frame scrolls a grid a notch (alternately down and up), then lays its window out,
// paints it and draws it into pixels. The windows take turns frame by frame, so a busy machine
// slows them alike. Prints each window's median frame time in milliseconds, in order.

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
#include <memory>
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

namespace
{
	// One window with its grid of Count products, and the times of its frames.
	struct FGridWindow
	{
		FVector2D Position;
		TArray<FProductPtr> Products;
		TSharedPtr<SWindow> Window;
		std::vector<double> Milliseconds;

		// Windows stand side by side on the screen, so that each gets its own wheel events.
		FGridWindow(int32 Count, int32 Place, const TArray<TSharedRef<FDeferredCleanupSlateBrush>>& Previews, const FSlateBrush* Card)
			: Position(Place * 1300.0, 0.0)
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				Products.Add(MakeShared<FProduct>(FProduct{FString::Printf(TEXT("Weathered oak chair no. %d"), Index),
					FString::Printf(TEXT("$%d.99"), 5 + Index % 40), Previews[Index % Previews.Num()]}));
			}
			Window = SNew(SWindow).ClientSize(FVector2D(1280, 800)).ScreenPosition(Position)
				[
					SNew(STileView<FProductPtr>)
					.ListItemsSource(&Products)
					.ItemWidth(220)
					.ItemHeight(260)
					.OnGenerateTile_Lambda([Card](FProductPtr Product, const TSharedRef<STableViewBase>& Owner) { return MakeTile(Product, Owner, Card); })
				];
			FSlateApplication::Get().AddWindow(Window.ToSharedRef());
		}

		void Frame(int32 Number)
		{
			const FSlateDriver Driver(Window.ToSharedRef());
			const auto Start = std::chrono::steady_clock::now();
			Driver.Scroll(Position + FVector2D(640, 400), Number % 2 == 0 ? -1.0f : 1.0f);
			const FSlateRenderedImage Image = Driver.Render();
			const auto End = std::chrono::steady_clock::now();
			check(Image.Width == 1280);
			Milliseconds.push_back(std::chrono::duration<double, std::milli>(End - Start).count());
		}

		double Median()
		{
			std::sort(Milliseconds.begin(), Milliseconds.end());
			return Milliseconds[Milliseconds.size() / 2];
		}
	};
}

int main(int ArgC, char** ArgV)
{
	constexpr int32 NumFrames = 100;
	FHostRuntime Runtime;
	FHostEditor Editor;
	FSlateApplication::Create();
	{
		TArray<TSharedRef<FDeferredCleanupSlateBrush>> Previews;
		for (int32 Index = 0; Index < 24; ++Index)
		{
			Previews.Add(MakePreview(Index));
		}
		const FSlateRoundedBoxBrush Card(FStyleColors::Panel, 6.0f, FStyleColors::Hover, 1.0f);
		std::vector<std::unique_ptr<FGridWindow>> Windows;
		for (int32 Arg = 1; Arg < ArgC; ++Arg)
		{
			Windows.push_back(std::make_unique<FGridWindow>(std::atoi(ArgV[Arg]), Arg - 1, Previews, &Card));
		}
		// One frame each first, which makes the rows and caches.
		for (const std::unique_ptr<FGridWindow>& Grid : Windows)
		{
			FSlateDriver(Grid->Window.ToSharedRef()).Render();
		}
		for (int32 Frame = 0; Frame < NumFrames; ++Frame)
		{
			for (const std::unique_ptr<FGridWindow>& Grid : Windows)
			{
				Grid->Frame(Frame);
			}
		}
		for (const std::unique_ptr<FGridWindow>& Grid : Windows)
		{
			std::printf("%.3f\n", Grid->Median());
		}
	}
	FSlateApplication::Shutdown();
	return 0;
}
