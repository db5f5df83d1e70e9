#include "Window/LibraryWindow.h"

#include "Client/KestrovaClient.h"

#include "Engine/StaticMesh.h"
#include "Widgets/Views/STileView.h"

namespace
{
	FString InstalledKey(const FKVAProduct& Product, const FKVAFile& File)
	{
		return Product.ProductId + TEXT("|") + File.Sha256;
	}
}

void SKVALibrary::RestoreInstall()
{
	const FInstalled* Record = Installed.Find(InstalledKey(*Selected, *SelectedFile));
	if (!Record)
	{
		return;
	}
	Meshes = Record->Meshes;
	Folder = Record->Folder;
	// Meshes deleted from the project, or no longer loaded, cannot be placed again.
	for (const TSoftObjectPtr<UStaticMesh>& Mesh : Meshes)
	{
		if (!Mesh.Get())
		{
			Meshes.Empty();
			break;
		}
	}
}

void SKVALibrary::Choose(TSharedPtr<FKVAProduct> Product)
{
	// Choosing opens the details panel, and the grid loses columns: the chosen tile is kept in
	// sight (a tile already in view stays where it is).
	const auto Show = [this, Product]()
	{
		Rebuild();
		if (Grid.IsValid() && Product.IsValid())
		{
			Grid->RequestScrollIntoView(Product);
		}
	};
	ResetSelection();
	Selected = Product;
	if (!Product.IsValid())
	{
		Show();
		return;
	}
	if (!Product->Files.IsEmpty())
	{
		SelectedFile = Product->Files[0];
		RestoreInstall();
		Show();
		return;
	}
	// The panel offers membership instead; there is nothing to ask the service.
	if (!Product->bAllowed && Product->Reason.Equals(TEXT("membership_required"), ESearchCase::IgnoreCase))
	{
		Show();
		return;
	}
	StartRequest();
	Show();

	const FHandle Handle(Life);
	Client->API(TEXT("GET"), TEXT("/v1/membership/products/") + Escape(Product->SelectionId), nullptr,
		[Handle, Product](TSharedPtr<FJsonObject> Reply, const FString& InCode)
	{
		SKVALibrary* Window = Handle.Succeeded(InCode);
		if (!Window)
		{
			return;
		}
		const FKVAProductPtr Detailed = FKVAClient::Product(Reply, false);
		if (!Detailed.IsValid()
			|| !Detailed->ProductId.Equals(Product->ProductId, ESearchCase::IgnoreCase)
			|| !Detailed->SelectionId.Equals(Product->SelectionId, ESearchCase::IgnoreCase))
		{
			Window->Finish(TEXT("selection_changed"));
			return;
		}
		Window->Selected = Detailed;
		Window->SelectedFile = Detailed->Files.IsEmpty() ? nullptr : Detailed->Files[0];
		if (Window->SelectedFile.IsValid())
		{
			Window->RestoreInstall();
		}
		Window->Finish(FString());
	}, false);
}

FString SKVALibrary::Key()
{
	check(Selected.IsValid() && SelectedFile.IsValid());
	const FString ConsentKey = Selected->SelectionId + TEXT("|") + SelectedFile->PackageId;
	if (const FString* Stored = ConsentKeys.Find(ConsentKey))
	{
		return *Stored;
	}
	// Retries of one consent or ticket reuse this key, so the service sees them as one.
	const FString NewKey = FKVAClient::Key();
	if (!NewKey.IsEmpty())
	{
		ConsentKeys.Add(ConsentKey, NewKey);
	}
	return NewKey;
}

void SKVALibrary::ConfirmConsent()
{
	if (bBusy || !SelectedFile.IsValid() || Client->ConsentText.IsEmpty() || !bImmediateAccess || !bAcknowledgeLoss)
	{
		return;
	}
	StartRequest();
	Rebuild();

	const FHandle Handle(Life);
	FKVAClient::FOnReply OnReply = [Handle](TSharedPtr<FJsonObject> Reply, const FString& InCode)
	{
		SKVALibrary* Window = Handle.Succeeded(InCode);
		if (!Window)
		{
			return;
		}
		Window->ConsentId = FKVAClient::Text(Reply, TEXT("consent_id"));
		const FString Status = FKVAClient::Text(Reply, TEXT("status"));
		if (Window->ConsentId.IsEmpty())
		{
			Window->Finish(TEXT("invalid_response"));
			return;
		}
		Window->bConsentRequired = !Status.Equals(TEXT("confirmed"), ESearchCase::IgnoreCase);
		Window->Finish(Window->bConsentRequired ? FString(TEXT("confirmation_required")) : FString());
	};

	// A recorded consent is only checked again; a new one is posted with the file's key.
	if (!ConsentId.IsEmpty())
	{
		Client->API(TEXT("GET"), TEXT("/v1/membership/consent/") + Escape(ConsentId), nullptr, OnReply, false);
		return;
	}
	TSharedPtr<FJsonObject> Body = FKVAClient::Object();
	Body->SetStringField(TEXT("package_id"), SelectedFile->PackageId);
	Body->SetStringField(TEXT("idempotency_key"), TEXT("consent-") + Key());
	Body->SetBoolField(TEXT("immediate_access"), true);
	Body->SetBoolField(TEXT("acknowledge_loss"), true);
	Client->API(TEXT("POST"), TEXT("/v1/membership/consent"), Body, OnReply, false);
}
