#include "Checks/CheckSupport.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "Client/KestrovaText.h"
#include "Import/LibraryImport.h"
#include "Package/SafeZip.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "Editor.h"
#include "Engine/Level.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"
#include "Engine/World.h"
#include "HAL/FileManager.h"
#include "Misc/AutomationTest.h"
#include "Misc/FileHelper.h"
#include "Misc/Guid.h"
#include "Misc/Paths.h"

#include <atomic>
#include <string>
#include <vector>

namespace
{
	// A package as the service packs one: the given models, a licence and a texture.
	TArray<uint8> Package(const TArray<FString>& Models)
	{
		TArray<TPair<FString, TArray<uint8>>> Members;
		Members.Emplace(TEXT("license.txt"), KVAChecks::LoadBytes(TEXT("license.txt")));
		for (const FString& Model : Models)
		{
			Members.Emplace(TEXT("models/") + Model, KVAChecks::LoadBytes(TEXT("Models/") + Model));
		}
		Members.Emplace(TEXT("textures/albedo.png"), KVAChecks::LoadBytes(TEXT("texture.png")));
		return KVAChecks::StoredZip(Members);
	}

	FString Temporary(const TCHAR* Folder)
	{
		return FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Checks"), Folder, FGuid::NewGuid().ToString(EGuidFormats::Digits));
	}

	TArray<AActor*> LevelActors()
	{
		UWorld* World = GEditor->GetEditorWorldContext().World();
		TArray<AActor*> Actors;
		for (AActor* Actor : World->GetCurrentLevel()->Actors)
		{
			if (Actor)
			{
				Actors.Add(Actor);
			}
		}
		return Actors;
	}

	int32 AssetsUnder(const FString& Folder)
	{
		TArray<FAssetData> Assets;
		FModuleManager::LoadModuleChecked<FAssetRegistryModule>(TEXT("AssetRegistry")).Get().GetAssetsByPath(FName(*Folder), Assets, true, false);
		return Assets.Num();
	}
}

IMPLEMENT_SIMPLE_AUTOMATION_TEST(FKestrovaDeliveryCheck, "Kestrova.Delivery.ExtractImportPlaceUndo",
	EAutomationTestFlags::EditorContext | EAutomationTestFlags::EngineFilter)

bool FKestrovaDeliveryCheck::RunTest(const FString&)
{
	struct FOutcome
	{
		FString Folder;
		TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
		bool bInstalled = false;
		FString Error;
	};
	// Packs the models, extracts the package into a fresh staging folder and imports it, as the
	// window's delivery does once the package has arrived.
	auto Deliver = [this](const TArray<FString>& Models)
	{
		FOutcome Outcome;
		const FString PackagePath = Temporary(TEXT("Packages")) + TEXT(".zip");
		const FString Staging = Temporary(TEXT("Staging"));
		IFileManager::Get().MakeDirectory(*FPaths::GetPath(PackagePath), true);
		TestTrue(TEXT("The package is written"), FFileHelper::SaveArrayToFile(Package(Models), *PackagePath));
		const std::atomic<bool> bCancel{false};
		std::vector<std::string> Extracted;
		std::string Sentence;
		const bool bExtracted = KVASafe::Extract(KVAText::Utf8(PackagePath), KVAText::Utf8(Staging), bCancel, Extracted, Sentence);
		TestTrue(TEXT("The package is extracted: ") + KVAText::FromUtf8(Sentence), bExtracted);
		TArray<FString> Names;
		for (const std::string& Name : Extracted)
		{
			Names.Add(KVAText::FromUtf8(Name));
		}
		Outcome.bInstalled = KVAImport::Install(Staging, Names, TEXT("check-product"), Outcome.Meshes, Outcome.Folder, Outcome.Error);
		IFileManager::Get().DeleteDirectory(*Staging, false, true);
		IFileManager::Get().Delete(*PackagePath);
		return Outcome;
	};
	auto Preserved = [](const FString& Folder)
	{
		return IFileManager::Get().DirectoryExists(*FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Imported"), FPaths::GetCleanFilename(Folder)));
	};

	if (!TestNotNull(TEXT("The editor is running"), GEditor) || !TestNotNull(TEXT("The editor has a level"), GEditor->GetEditorWorldContext().World()))
	{
		return false;
	}
	UWorld* World = GEditor->GetEditorWorldContext().World();

	// One model: placed as one actor that one undo takes away again.
	const FOutcome One = Deliver({TEXT("chair.fbx")});
	TestTrue(TEXT("One model is imported: ") + One.Error, One.bInstalled);
	if (TestEqual(TEXT("One model yields one mesh"), One.Meshes.Num(), 1))
	{
		UStaticMesh* Mesh = One.Meshes[0].Get();
		const TArray<AActor*> Before = LevelActors();
		FString Error;
		TestTrue(TEXT("The mesh is placed: ") + Error, KVAImport::Add(Mesh, World, Error));
		const TArray<AActor*> After = LevelActors();
		TestEqual(TEXT("One actor more in the level"), After.Num(), Before.Num() + 1);
		const AStaticMeshActor* Actor = After.Num() > 0 ? Cast<AStaticMeshActor>(After.Last()) : nullptr;
		if (TestNotNull(TEXT("The new actor is a static-mesh actor"), Actor))
		{
			// The engine's TestEqual compares strings without case; the label's case is part of it.
			TestTrue(TEXT("The actor is labelled with the mesh's name: ") + Actor->GetActorLabel(),
				Actor->GetActorLabel().Equals(Mesh->GetName(), ESearchCase::CaseSensitive));
			TestTrue(TEXT("The actor shows the mesh"), Actor->GetStaticMeshComponent()->GetStaticMesh() == Mesh);
		}
		TestTrue(TEXT("Undo is possible"), GEditor->UndoTransaction());
		TestEqual(TEXT("One undo removes the actor"), LevelActors().Num(), Before.Num());
		TestTrue(TEXT("The mesh stays in the project"), One.Meshes[0].Get() == Mesh);
		TestTrue(TEXT("The package's files stay preserved"), Preserved(One.Folder));
	}

	// Two models: two meshes, shown in the Content Browser rather than placed.
	const int32 ActorsBefore = LevelActors().Num();
	const FOutcome Two = Deliver({TEXT("chair.fbx"), TEXT("cube.fbx")});
	TestTrue(TEXT("Two models are imported: ") + Two.Error, Two.bInstalled);
	TestEqual(TEXT("Two models yield two meshes"), Two.Meshes.Num(), 2);
	KVAImport::Show(Two.Folder);
	TestEqual(TEXT("Showing the folder places nothing"), LevelActors().Num(), ActorsBefore);
	TestTrue(TEXT("The second model went to its own folder"), Two.Meshes.Num() == 2 && Two.Meshes[1].ToSoftObjectPath().ToString().Contains(TEXT("/Model_0002/")));

	// A model without geometry: the whole package is rolled back.
	const FOutcome Hollow = Deliver({TEXT("chair.fbx"), TEXT("no_geometry.fbx")});
	TestFalse(TEXT("A model without geometry fails the import"), Hollow.bInstalled);
	TestTrue(TEXT("The import's sentence: ") + Hollow.Error,
		Hollow.Error.Equals(TEXT("Could not import every model. No assets were added to your scene."), ESearchCase::CaseSensitive));
	TestEqual(TEXT("No asset of the failed import remains"), AssetsUnder(Hollow.Folder), 0);
	TestFalse(TEXT("No copy of the failed package remains"), Preserved(Hollow.Folder));
	TestEqual(TEXT("No actor was placed"), LevelActors().Num(), ActorsBefore);
	return true;
}

#endif
