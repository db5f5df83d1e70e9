#include "LevelPanel.h"
#include "LevelRender.h"
#include "LevelViewport.h"

#include "Import/LibraryImport.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "Editor.h"
#include "Engine/StaticMesh.h"
#include "Engine/World.h"
#include "Framework/Application/SlateApplication.h"
#include "GameFramework/Actor.h"
#include "Materials/MaterialInterface.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostEditorUI.h"
#include "Runtime/HostRuntime.h"
#include "Slate/Rendering/SlateCairoRenderer.h"
#include "SlateTesting/SlateDriver.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace
{
	std::filesystem::path Native(const FString& Path)
	{
		return std::filesystem::path(FTCHARToUTF8(*Path).Get());
	}

	bool IsBackground(const FColor& Colour)
	{
		return Colour == KVAEditor::LevelBackground();
	}

	// What a picture shows: how many pixels are drawn, their bounds, and the colours used.
	struct FCoverage
	{
		int32 Drawn = 0;
		int32 MinX = INT32_MAX;
		int32 MinY = INT32_MAX;
		int32 MaxX = -1;
		int32 MaxY = -1;
		std::set<uint32> Colours;
	};

	FCoverage Cover(const KVAEditor::FLevelPicture& Picture)
	{
		FCoverage Coverage;
		for (int32 Y = 0; Y < Picture.Height; ++Y)
		{
			for (int32 X = 0; X < Picture.Width; ++X)
			{
				const FColor& Colour = Picture.Pixels[Y * Picture.Width + X];
				if (!IsBackground(Colour))
				{
					++Coverage.Drawn;
					Coverage.MinX = FMath::Min(Coverage.MinX, X);
					Coverage.MinY = FMath::Min(Coverage.MinY, Y);
					Coverage.MaxX = FMath::Max(Coverage.MaxX, X);
					Coverage.MaxY = FMath::Max(Coverage.MaxY, Y);
					Coverage.Colours.insert(uint32(Colour.R) << 16 | uint32(Colour.G) << 8 | Colour.B);
				}
			}
		}
		return Coverage;
	}

	class LevelViewTest : public ::testing::Test
	{
	protected:
		// One of the catalogue's models imported as the window's delivery imports it.
		UStaticMesh* Import(const TCHAR* Model)
		{
			const FString Staging = FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Incoming"), FString::Printf(TEXT("Job%d"), ++Jobs));
			const FString Name = FString(TEXT("models/")) + Model;
			std::filesystem::create_directories(Native(FPaths::Combine(Staging, TEXT("models"))));
			std::filesystem::copy_file(Native(FPaths::Combine(TEXT(KVA_CATALOGUE_ASSETS), TEXT("Models"), Model)), Native(FPaths::Combine(Staging, Name)));
			TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
			FString Folder;
			FString Error;
			EXPECT_TRUE(KVAImport::Install(Staging, {Name}, TEXT("kp-level"), Meshes, Folder, Error)) << FTCHARToUTF8(*Error).Get();
			return Meshes.Num() == 1 ? Meshes[0].Get() : nullptr;
		}

		// Places the mesh as "Add to Scene" does, then moves the new actor.
		AActor* Place(UStaticMesh* Mesh, const FVector& Location = FVector(0.0, 0.0, 0.0))
		{
			FString Error;
			EXPECT_TRUE(KVAImport::Add(Mesh, GEditor->GetEditorWorldContext().World(), Error)) << FTCHARToUTF8(*Error).Get();
			const TArray<AActor*> Actors = Editor.GetLevelActors();
			if (Actors.IsEmpty())
			{
				return nullptr;
			}
			Actors.Last()->SetActorTransform(FTransform(FRotator(0.0, 0.0, 0.0), Location, FVector(1.0, 1.0, 1.0)));
			return Actors.Last();
		}

		FHostRuntime Runtime;
		FHostEditor Editor;
		int32 Jobs = 0;
	};
}

TEST_F(LevelViewTest, NothingButTheBackgroundWithoutMeshes)
{
	const KVAEditor::FLevelPicture Picture = KVAEditor::RenderLevel({}, 64, 48);
	EXPECT_EQ(Picture.Width, 64);
	EXPECT_EQ(Picture.Height, 48);
	ASSERT_EQ(Picture.Pixels.Num(), 64 * 48);
	EXPECT_EQ(Cover(Picture).Drawn, 0);
}

// Wherever the meshes stand, the camera takes them all in: drawn, inside the picture with a
// margin all round, and about in its middle.
TEST_F(LevelViewTest, TheCameraFramesWhatIsPlaced)
{
	const struct
	{
		const char* Name;
		TArray<const TCHAR*> Models;
		TArray<FVector> Locations;
	} Cases[] = {
		{"a chair at the origin", {TEXT("chair.fbx")}, {FVector(0.0, 0.0, 0.0)}},
		{"a cube far away", {TEXT("cube.fbx")}, {FVector(50000.0, -20000.0, 3000.0)}},
		{"a dense spider below the ground", {TEXT("spider.fbx")}, {FVector(0.0, 0.0, -5000.0)}},
		{"a chair and a cube apart", {TEXT("chair.fbx"), TEXT("cube.fbx")}, {FVector(-80.0, 0.0, 0.0), FVector(80.0, 60.0, 0.0)}},
		{"a scene of several objects", {TEXT("courtyard.fbx")}, {FVector(0.0, 0.0, 0.0)}},
	};
	constexpr int32 Width = 200;
	constexpr int32 Height = 120;
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		TArray<AActor*> Actors;
		for (int32 Index = 0; Index < Case.Models.Num(); ++Index)
		{
			Actors.Add(Place(Import(Case.Models[Index]), Case.Locations[Index]));
		}
		const FCoverage Coverage = Cover(KVAEditor::RenderLevel(Actors, Width, Height));
		EXPECT_GT(Coverage.Drawn, Width * Height / 20);
		EXPECT_GT(Coverage.MinX, 0);
		EXPECT_GT(Coverage.MinY, 0);
		EXPECT_LT(Coverage.MaxX, Width - 1);
		EXPECT_LT(Coverage.MaxY, Height - 1);
		EXPECT_NEAR((Coverage.MinX + Coverage.MaxX) / 2.0, Width / 2.0, Width * 0.2);
		EXPECT_NEAR((Coverage.MinY + Coverage.MaxY) / 2.0, Height / 2.0, Height * 0.2);
	}
}

// Flat shading: a cube seen from above and in front shows three faces, each in one shade of its
// material's colour, the top one (lit from above) the brightest and highest on screen.
TEST_F(LevelViewTest, ACubeShowsThreeFlatFacesLitFromAbove)
{
	AActor* Cube = Place(Import(TEXT("cube.fbx")));
	const KVAEditor::FLevelPicture Picture = KVAEditor::RenderLevel({Cube}, 160, 160);
	const FCoverage Coverage = Cover(Picture);
	ASSERT_EQ(Coverage.Colours.size(), 3u);
	const uint32 Brightest = *std::max_element(Coverage.Colours.begin(), Coverage.Colours.end(), [](uint32 A, uint32 B)
	{
		return ((A >> 16) & 0xFF) + ((A >> 8) & 0xFF) + (A & 0xFF) < ((B >> 16) & 0xFF) + ((B >> 8) & 0xFF) + (B & 0xFF);
	});
	// The mean row of each shade: the brightest face lies above the other two.
	TMap<uint32, TPair<double, int32>> Rows;
	for (int32 Y = 0; Y < Picture.Height; ++Y)
	{
		for (int32 X = 0; X < Picture.Width; ++X)
		{
			const FColor& Colour = Picture.Pixels[Y * Picture.Width + X];
			if (!IsBackground(Colour))
			{
				TPair<double, int32>& Row = Rows.FindOrAdd(uint32(Colour.R) << 16 | uint32(Colour.G) << 8 | Colour.B);
				Row.Key += Y;
				++Row.Value;
			}
		}
	}
	for (const TPair<uint32, TPair<double, int32>>& Shade : Rows)
	{
		if (Shade.Key != Brightest)
		{
			EXPECT_LT(Rows[Brightest].Key / Rows[Brightest].Value, Shade.Value.Key / Shade.Value.Value);
		}
	}
}

// The depth buffer decides what is in front, so the order the actors are drawn in does not
// change the picture even where one mesh hides part of another.
TEST_F(LevelViewTest, TheNearerMeshHidesTheFartherWhateverTheOrder)
{
	UStaticMesh* Blue = Import(TEXT("cube.fbx"));
	UStaticMesh* Red = Import(TEXT("gloss_cube.fbx"));
	ASSERT_TRUE(Blue != nullptr && Red != nullptr);
	const FString BlueMaterial = Blue->GetMaterial(0) != nullptr ? Blue->GetMaterial(0)->GetName() : FString();
	const FString RedMaterial = Red->GetMaterial(0) != nullptr ? Red->GetMaterial(0)->GetName() : FString();
	ASSERT_NE(KVAEditor::MaterialTint(BlueMaterial), KVAEditor::MaterialTint(RedMaterial)) << "the two cubes must be told apart";
	// The red cube stands between the camera and the blue one.
	AActor* Far = Place(Blue, FVector(-60.0, 80.0, -50.0));
	AActor* Near = Place(Red, FVector(0.0, 0.0, 0.0));
	const KVAEditor::FLevelPicture NearLast = KVAEditor::RenderLevel({Far, Near}, 160, 120);
	const KVAEditor::FLevelPicture NearFirst = KVAEditor::RenderLevel({Near, Far}, 160, 120);
	EXPECT_TRUE(NearLast.Pixels == NearFirst.Pixels);
	// Both show: three faces of the near cube and at least one of the far one.
	EXPECT_GE(Cover(NearFirst).Colours.size(), 4u);
}

// The panel as a person sees it: the viewport shows the placed asset, the Content Browser the
// folder the import was shown in with its assets, and Undo, clicked, empties the viewport again.
TEST_F(LevelViewTest, ThePanelShowsThePlacedAssetAndUndoTakesItAway)
{
	FHostEditorUI UI;
	TSharedPtr<SLevelPanel> Panel;
	const TSharedRef<SWindow> Window = SLevelPanel::MakeWindow(*UI.GetMainWindow(), Panel);
	const FSlateDriver Driver(Window);
	auto Frame = [&]
	{
		Panel->Refresh();
		Driver.Tick();
	};
	auto EmptyShown = [&]
	{
		const TArray<TSharedRef<STextBlock>> Texts = Driver.FindTexts(SLevelViewport::EmptyText());
		return Texts.Num() == 1 && Driver.IsShown(Texts[0]);
	};
	auto BackgroundPixels = [&]
	{
		const FSlateRenderedImage Image = Driver.Render();
		return int32(std::count_if(Image.Pixels.begin(), Image.Pixels.end(), IsBackground));
	};
	Frame();
	EXPECT_TRUE(EmptyShown());
	EXPECT_EQ(Driver.FindTexts(TEXT("/Game")).Num(), 1);
	const int32 EmptyBackground = BackgroundPixels();
	EXPECT_GT(EmptyBackground, (int32(SLevelPanel::Width) - 24) * 240 * 9 / 10);

	const FString Staging = FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Incoming/Panel"));
	std::filesystem::create_directories(Native(FPaths::Combine(Staging, TEXT("models"))));
	for (const TCHAR* Model : {TEXT("chair.fbx"), TEXT("cube.fbx")})
	{
		std::filesystem::copy_file(Native(FPaths::Combine(TEXT(KVA_CATALOGUE_ASSETS), TEXT("Models"), Model)), Native(FPaths::Combine(Staging, TEXT("models"), Model)));
	}
	TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
	FString Folder;
	FString Error;
	ASSERT_TRUE(KVAImport::Install(Staging, {TEXT("models/chair.fbx"), TEXT("models/cube.fbx")}, TEXT("kp-panel"), Meshes, Folder, Error)) << FTCHARToUTF8(*Error).Get();
	ASSERT_EQ(Meshes.Num(), 2);
	KVAImport::Show(Folder);
	Place(Meshes[0].Get());
	Frame();
	EXPECT_FALSE(EmptyShown());
	EXPECT_LT(BackgroundPixels(), EmptyBackground - 4000);
	EXPECT_EQ(Driver.FindTexts(Folder).Num(), 1);
	for (const TSoftObjectPtr<UStaticMesh>& Mesh : Meshes)
	{
		EXPECT_EQ(Driver.FindTexts(Mesh.GetAssetName() + TEXT(" (StaticMesh)")).Num(), 1) << FTCHARToUTF8(*Mesh.GetAssetName()).Get();
	}

	ASSERT_EQ(Driver.ClickText(TEXT("Undo")), TEXT(""));
	Frame();
	EXPECT_EQ(Editor.CountLevelActors(), 0);
	EXPECT_TRUE(EmptyShown());
	EXPECT_EQ(BackgroundPixels(), EmptyBackground);
	FSlateApplication::Get().DestroyWindowImmediately(Window);
}
