#include "Window/LibraryWindow.h"

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Import/LibraryImport.h"
#include "Package/SafeZip.h"
#include "Platform/Keys.h"

#include "Async/Async.h"
#include "Editor.h"
#include "Engine/StaticMesh.h"
#include "Engine/World.h"
#include "HAL/FileManager.h"
#include "Misc/Guid.h"
#include "Misc/Paths.h"

#include <filesystem>
#include <string>
#include <vector>

namespace
{
	constexpr int32 MaxInstalled = 128;

	// What every continuation of one delivery carries, as it was when the delivery started.
	struct FDelivery
	{
		explicit FDelivery(SKVALibrary::FHandle InHandle) : Handle(MoveTemp(InHandle)) {}

		SKVALibrary::FHandle Handle;
		FKVAProductPtr Product;
		TSharedPtr<FKVAFile> File;
		uint32 Generation = 0;
		bool bAdd = false;
		TWeakObjectPtr<UWorld> World;
		bool bReuse = false;
	};

	struct FExtraction
	{
		explicit FExtraction(SKVALibrary::FHandle InHandle) : Handle(MoveTemp(InHandle)) {}

		SKVALibrary::FHandle Handle;
		FString Package;
		FString Staging;
		TSharedPtr<std::atomic<bool>> CancelFlag;
		uint32 Generation = 0;
		bool bAdd = false;
		TWeakObjectPtr<UWorld> World;
	};

	FString Plain(const FGuid& Guid)
	{
		return Guid.ToString(EGuidFormats::Digits);
	}

	UWorld* EditorWorld()
	{
		return GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	}

	FString ConsentKey(const FDelivery& Job)
	{
		return Job.Product->SelectionId + TEXT("|") + Job.File->PackageId;
	}

	bool SameFormats(TArray<FString> Left, TArray<FString> Right)
	{
		if (Left.Num() != Right.Num())
		{
			return false;
		}
		auto Before = [](const FString& A, const FString& B) { return A.Compare(B, ESearchCase::IgnoreCase) < 0; };
		Left.Sort(Before);
		Right.Sort(Before);
		for (int32 Index = 0; Index < Left.Num(); ++Index)
		{
			if (!Left[Index].Equals(Right[Index], ESearchCase::IgnoreCase))
			{
				return false;
			}
		}
		return true;
	}

	// A ticket must hand out exactly the package the member chose.
	bool Describes(const FKVAFile& Ticket, const FKVAFile& File)
	{
		return Ticket.PackageId.Equals(File.PackageId, ESearchCase::IgnoreCase)
			&& Ticket.Sha256.Equals(File.Sha256, ESearchCase::IgnoreCase)
			&& Ticket.SizeBytes == File.SizeBytes
			&& Ticket.Filename.Equals(File.Filename, ESearchCase::IgnoreCase)
			&& SameFormats(Ticket.Formats, File.Formats);
	}

	void Unpack(const FDelivery& Job, const FString& Code);

	void Extracted(const FExtraction& Job, bool bExtracted, TArray<FString> Models, const FString& Error)
	{
		SKVALibrary* Window = Job.Handle.Get();
		if (!Window || Window->Generation != Job.Generation || Job.CancelFlag->load())
		{
			// Nobody will import what may be a complete extraction.
			IFileManager::Get().DeleteDirectory(*Job.Staging, false, true);
			return;
		}
		if (!bExtracted)
		{
			// The extractor's sentence is shown as it is; it has no code of the service.
			Window->bBusy = false;
			Window->Phase.Empty();
			Window->Message = Error;
			Window->Rebuild();
			return;
		}
		Window->Import(Job.Staging, MoveTemp(Models), Job.bAdd, Job.World);
	}

	void Extract(const FExtraction& Job)
	{
		std::vector<std::string> Models;
		std::string Error;
		const bool bExtracted = KVASafe::Extract(std::filesystem::path(KVAText::Utf8(Job.Package)),
			std::filesystem::path(KVAText::Utf8(Job.Staging)), *Job.CancelFlag, Models, Error);
		TArray<FString> Names;
		for (const std::string& Model : Models)
		{
			Names.Add(KVAText::FromUtf8(Model));
		}
		const FString Sentence = KVAText::FromUtf8(Error);
		AsyncTask(ENamedThreads::GameThread, [Job, bExtracted, Names = MoveTemp(Names), Sentence]() mutable
		{
			Extracted(Job, bExtracted, MoveTemp(Names), Sentence);
		});
	}

	void Unpack(const FDelivery& Job, const FString& Code)
	{
		SKVALibrary* Window = Job.Handle.Get();
		if (!Window)
		{
			return;
		}
		if (!Code.IsEmpty())
		{
			Window->Finish(Code);
			return;
		}
		FExtraction Extraction(Job.Handle);
		Extraction.Package = SKVALibrary::CachePath(*Job.File);
		Extraction.Staging = FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Incoming"), Plain(FGuid::NewGuid()));
		Extraction.bAdd = Job.bAdd;
		Extraction.World = Job.World;
		Window->Phase = TEXT("Unpacking");
		Window->CancelFlag = MakeShared<std::atomic<bool>>(false);
		Window->Rebuild();
		Extraction.CancelFlag = Window->CancelFlag;
		Extraction.Generation = Window->Generation;
		Async(EAsyncExecution::ThreadPool, [Extraction]() { Extract(Extraction); });
	}

	void Downloaded(const FDelivery& Job, const FString& Target, const FString& Code)
	{
		SKVALibrary* Window = Job.Handle.Get();
		if (!Window)
		{
			IFileManager::Get().Delete(*Target, false, false, true);
			return;
		}
		if (!Code.IsEmpty())
		{
			Unpack(Job, Code);
			return;
		}
		if (!IFileManager::Get().Move(*SKVALibrary::CachePath(*Job.File), *Target, true))
		{
			IFileManager::Get().Delete(*Target, false, false, true);
			Unpack(Job, TEXT("write_failed"));
			return;
		}
		// The key was for this download; a later one of the same selection asks anew.
		Window->ConsentKeys.Remove(ConsentKey(Job));
		Unpack(Job, FString());
	}

	void Ticketed(const FDelivery& Job, TSharedPtr<FJsonObject> Reply, const FString& Code)
	{
		SKVALibrary* Window = Job.Handle.Get();
		if (!Window)
		{
			return;
		}
		if (!Code.IsEmpty())
		{
			if (Code.Equals(TEXT("consent_required"), ESearchCase::IgnoreCase) || Code.Equals(TEXT("download_consent_required"), ESearchCase::IgnoreCase))
			{
				Window->bConsentRequired = true;
				Window->bImmediateAccess = false;
				Window->bAcknowledgeLoss = false;
			}
			if (Code.Equals(TEXT("download_expired"), ESearchCase::IgnoreCase))
			{
				Window->ConsentKeys.Remove(ConsentKey(Job));
			}
			Window->Finish(Code);
			return;
		}
		if (FKVAClient::Text(Reply, TEXT("status")).Equals(TEXT("queued"), ESearchCase::IgnoreCase))
		{
			Window->Finish(TEXT("files_preparing"));
			return;
		}
		const TSharedPtr<FKVAFile> Ticket = FKVAClient::File(Reply);
		if (!Ticket.IsValid() || !Describes(*Ticket, *Job.File))
		{
			Window->Finish(TEXT("invalid_package"));
			return;
		}

		const FString Target = SKVALibrary::CachePath(*Job.File) + TEXT(".") + Plain(FGuid::NewGuid()) + TEXT(".part");
		IFileManager::Get().MakeDirectory(*FPaths::GetPath(Target), true);
		Window->Phase = TEXT("Downloading");
		Window->Rebuild();

		const SKVALibrary::FHandle Handle = Job.Handle;
		Window->Client->Download(*Ticket, Target, [Handle](float Fraction)
		{
			// The progress bar reads the member on its next paint.
			if (SKVALibrary* Owner = Handle.Get())
			{
				Owner->Progress = Fraction;
			}
		}, [Job, Target](const FString& DownloadCode) { Downloaded(Job, Target, DownloadCode); });
	}

	void RequestTicket(const FDelivery& Job)
	{
		SKVALibrary* Window = Job.Handle.Get();
		if (!Window || Window->Generation != Job.Generation)
		{
			return;
		}
		if (Job.bReuse)
		{
			Unpack(Job, FString());
			return;
		}
		if (!Job.Product->bAllowed)
		{
			Window->Finish(TEXT("daily_download_limit"));
			return;
		}
		TSharedPtr<FJsonObject> Body = FKVAClient::Object();
		Body->SetStringField(TEXT("package_id"), Job.File->PackageId);
		FString Path = TEXT("/v1/membership/tickets");
		if (!Job.Product->Source.Equals(TEXT("purchase"), ESearchCase::IgnoreCase))
		{
			Path = TEXT("/v1/membership/downloads");
			Body->SetStringField(TEXT("selection_id"), Job.Product->SelectionId);
			Body->SetStringField(TEXT("idempotency_key"), Window->Key());
		}
		Window->Client->API(TEXT("POST"), Path, Body, [Job](TSharedPtr<FJsonObject> Reply, const FString& Code) { Ticketed(Job, Reply, Code); }, false);
	}
}

FString SKVALibrary::CachePath(const FKVAFile& File)
{
	return FPaths::ConvertRelativePathToFull(FPaths::Combine(FPaths::ProjectSavedDir(), TEXT("Kestrova/Downloads"), File.Sha256 + TEXT(".zip")));
}

void SKVALibrary::Download(bool bAdd)
{
	if (bBusy || !Selected.IsValid() || !SelectedFile.IsValid())
	{
		return;
	}
	StartRequest();

	FDelivery Job((FHandle(Life)));
	Job.Product = Selected;
	Job.File = SelectedFile;
	Job.Generation = Generation;
	Job.bAdd = bAdd;
	Job.World = EditorWorld();

	Phase = TEXT("Checking files");
	Rebuild();

	// Hashing up to 2 GiB never happens on the game thread, and only for a file of the right size.
	Async(EAsyncExecution::ThreadPool, [Job]() mutable
	{
		const FString Path = CachePath(*Job.File);
		Job.bReuse = IFileManager::Get().FileSize(*Path) == Job.File->SizeBytes
			&& KVAPlatform::FileHash(KVAText::Utf8(Path)) == KVAText::Utf8(Job.File->Sha256);
		AsyncTask(ENamedThreads::GameThread, [Job]() { RequestTicket(Job); });
	});
}

void SKVALibrary::Import(const FString& Staging, TArray<FString> Models, bool bAdd, TWeakObjectPtr<UWorld> World)
{
	Phase = TEXT("Importing");
	bImporting = true;
	Rebuild();

	Meshes.Empty();
	FString Error;
	// Without a selection the import still completes; only the record needs one.
	const FString ProductId = Selected.IsValid() ? Selected->ProductId : FString();
	const bool bInstalled = KVAImport::Install(Staging, Models, ProductId, Meshes, Folder, Error);
	// What remains of the package's files is the preserved copy.
	IFileManager::Get().DeleteDirectory(*Staging, false, true);
	bBusy = false;
	bImporting = false;
	Phase.Empty();
	if (!bInstalled)
	{
		Message = Error;
		Rebuild();
		return;
	}

	if (Selected.IsValid() && SelectedFile.IsValid())
	{
		Installed.Add(Selected->ProductId + TEXT("|") + SelectedFile->Sha256, FInstalled{Meshes, Folder});
		if (Installed.Num() > MaxInstalled)
		{
			Installed.RemoveOldest();
		}
	}
	if (bAdd && Meshes.Num() == 1)
	{
		KVAImport::Add(Meshes[0].Get(), World.Get(), Message);
	}
	else
	{
		KVAImport::Show(Folder);
	}
	Rebuild();
}

void SKVALibrary::Add()
{
	if (ModelIndex < 0 || ModelIndex >= Meshes.Num())
	{
		return;
	}
	Message.Empty();
	KVAImport::Add(Meshes[ModelIndex].Get(), EditorWorld(), Message);
	Rebuild();
}
