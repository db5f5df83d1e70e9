#include "Window/LibraryWindow.h"

#include "Client/KestrovaClient.h"

#include "Interfaces/IPluginManager.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"

SKVALibrary* SKVALibrary::FHandle::Get() const
{
	check(IsInGameThread());
	return Life.IsValid() && Life->bAlive.load() ? Life->Window : nullptr;
}

SKVALibrary* SKVALibrary::FHandle::Succeeded(const FString& InCode) const
{
	SKVALibrary* Window = Get();
	if (Window && !InCode.IsEmpty())
	{
		Window->Finish(InCode);
		return nullptr;
	}
	return Window;
}

TFunction<void()> SKVALibrary::FHandle::Bind(TFunction<void(SKVALibrary&)> Action) const
{
	return [Handle = *this, Action]()
	{
		if (SKVALibrary* Window = Handle.Get())
		{
			Action(*Window);
		}
	};
}

SKVALibrary::~SKVALibrary()
{
	Close();
}

void SKVALibrary::Construct(const FArguments&)
{
	Life = MakeShared<FWindowLife>();
	Life->Window = this;
	Client = MakeShared<FKVAClient>();
	ModelOptions = MakeShared<TArray<TSharedPtr<FString>>>();

	// A missing plug-in, file or image leaves the header with its text wordmark.
	if (TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("Kestrova")))
	{
		TArray<uint8> Bytes;
		if (FFileHelper::LoadFileToArray(Bytes, *FPaths::Combine(Plugin->GetBaseDir(), TEXT("Resources/logo.webp"))))
		{
			Logo = Decode(MoveTemp(Bytes));
		}
	}
	Rebuild();
}

void SKVALibrary::Close()
{
	if (bClosed)
	{
		return;
	}
	bClosed = true;
	// From here on every pending callback of this window does nothing.
	if (Life.IsValid())
	{
		Life->bAlive = false;
	}
	++Generation;
	if (SearchTicker.IsValid())
	{
		FTSTicker::RemoveTicker(SearchTicker);
		SearchTicker.Reset();
	}
	if (CancelFlag.IsValid())
	{
		*CancelFlag = true;
	}
	if (Client.IsValid())
	{
		// The session lasts as long as the window: signing out ends it at the service.
		Client->CancelLogin();
		Client->SignOut();
		Client.Reset();
	}
	Grid.Reset();
	Previews.Empty();
	Logo.Reset();
}

void SKVALibrary::SignIn()
{
	StartRequest();
	bSigningIn = true;
	Rebuild();

	const FHandle Handle(Life);
	Client->SignIn([Handle](const FString& InCode)
	{
		SKVALibrary* Window = Handle.Succeeded(InCode);
		if (!Window)
		{
			return;
		}
		Window->bBusy = false;
		Window->bSigningIn = false;
		Window->Load(false);
	});
}

void SKVALibrary::SignOut()
{
	++Generation;
	// A search typed just before signing out is not sent for the next session.
	if (SearchTicker.IsValid())
	{
		FTSTicker::RemoveTicker(SearchTicker);
		SearchTicker.Reset();
	}
	Client->SignOut();
	if (CancelFlag.IsValid())
	{
		*CancelFlag = true;
	}
	bImporting = false;
	bBusy = false;
	bSigningIn = false;
	bMember = false;
	bMembershipPending = false;
	Message.Empty();
	// A delivery interrupted here must not leave its label for the next plain request.
	Phase.Empty();
	Products.Empty();
	ResetSelection();
	ConsentKeys.Empty();
	Previews.Empty();
	PreviewsLoading.Empty();
	PreviewQueue.Empty();
	PreviewsFailed.Empty();
	PreviewBytes = 0;
	Cursor.Empty();
	Rebuild();
}

void SKVALibrary::Cancel()
{
	++Generation;
	if (bSigningIn)
	{
		Client->CancelLogin();
	}
	else
	{
		Client->Cancel();
	}
	if (CancelFlag.IsValid())
	{
		*CancelFlag = true;
	}
	bBusy = false;
	bSigningIn = false;
	Phase.Empty();
	Message.Empty();
	PreviewsLoading.Empty();
	PreviewQueue.Empty();
	Rebuild();
}

void SKVALibrary::Load(bool bMore)
{
	if (bBusy)
	{
		return;
	}
	// A session whose token ran out while the window was open has ended: the member is told,
	// and the signed-out view replaces controls that could only fail.
	if (!Client->Connected())
	{
		Finish(TEXT("login_required"));
		return;
	}
	StartRequest();
	Rebuild();

	const FHandle Handle(Life);
	Client->API(TEXT("GET"), TEXT("/v1/membership"), nullptr, [Handle, bMore](TSharedPtr<FJsonObject> Reply, const FString& InCode)
	{
		SKVALibrary* Window = Handle.Succeeded(InCode);
		if (!Window)
		{
			return;
		}
		if (!Reply.IsValid() || !Reply->HasTypedField<EJson::Boolean>(TEXT("active")))
		{
			Window->Finish(TEXT("invalid_response"));
			return;
		}
		Window->bMember = Reply->GetBoolField(TEXT("active"));
		Window->bMembershipPending = FKVAClient::Flag(Reply, TEXT("checkout_pending"))
			|| FKVAClient::Text(Reply, TEXT("status")).Equals(TEXT("pending_service"), ESearchCase::IgnoreCase);
		// Non-members list the catalogue too; the window stays busy until the page arrives.
		Window->Browse(bMore);
	}, false);
}

void SKVALibrary::Finish(const FString& InCode)
{
	bBusy = false;
	bSigningIn = false;
	bImporting = false;
	Phase.Empty();
	Code = InCode;
	Message = InCode.IsEmpty() ? FString() : FKVAClient::Message(InCode);
	// Nothing of a lost session stays visible.
	if (InCode.Equals(TEXT("login_required"), ESearchCase::IgnoreCase))
	{
		bMember = false;
		Products.Empty();
		ResetSelection();
		Previews.Empty();
		PreviewBytes = 0;
		// Previews on their way or waiting were for the session that ended.
		Client->Cancel();
		PreviewsLoading.Empty();
		PreviewQueue.Empty();
	}
	Rebuild();
}

void SKVALibrary::StartRequest()
{
	bBusy = true;
	Message.Empty();
	Code.Empty();
	Progress = 0.0f;
}

void SKVALibrary::ResetSelection()
{
	Selected.Reset();
	SelectedFile.Reset();
	Meshes.Empty();
	ModelOptions->Empty();
	bConsentRequired = false;
	ConsentId.Empty();
	bImmediateAccess = false;
}
