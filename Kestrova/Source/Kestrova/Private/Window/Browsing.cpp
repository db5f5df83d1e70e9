#include "Window/LibraryWindow.h"

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"

#include "Widgets/Views/STileView.h"

namespace
{
	constexpr int32 PageSize = 24;
	constexpr int32 MaxQueryLength = 200;
	constexpr float SearchDelay = 0.4f;
}

FString SKVALibrary::Escape(const FString& Text)
{
	FString Result;
	for (const char Byte : KVAText::Utf8(Text))
	{
		const uint8 Value = uint8(Byte);
		const bool bUnreserved = (Value >= 'A' && Value <= 'Z') || (Value >= 'a' && Value <= 'z') || (Value >= '0' && Value <= '9')
			|| Value == '-' || Value == '.' || Value == '_' || Value == '~';
		if (bUnreserved)
		{
			Result.AppendChar(TCHAR(Value));
		}
		else
		{
			Result += FString::Printf(TEXT("%%%02X"), uint32(Value));
		}
	}
	return Result;
}

void SKVALibrary::Browse(bool bMore)
{
	// A cursor continues only the listing it came from. After a switch of tab, kind or search
	// that did not arrive (or a search typed but not yet sent), "more" asks for the first page
	// of what the member now asks for instead of another listing's next page.
	const FString Listing = FString(bMyDownloads ? TEXT("library") : TEXT("catalog")) + TEXT("?q=") + Escape(Query) + TEXT("&product_kind=") + Escape(Kind);
	const bool bNext = bMore && Listing.Equals(CursorListing, ESearchCase::CaseSensitive);
	// Every parameter is always present, so one listing never inherits another's cursor.
	const FString Path = FString(TEXT("/v1/membership/")) + (bMyDownloads ? TEXT("library") : TEXT("catalog"))
		+ TEXT("?q=") + Escape(Query)
		+ TEXT("&cursor=") + (bNext ? Escape(Cursor) : FString())
		+ TEXT("&limit=24&format=fbx&product_kind=") + Escape(Kind);

	const FHandle Handle(Life);
	Client->API(TEXT("GET"), Path, nullptr, [Handle, bNext, Listing](TSharedPtr<FJsonObject> Reply, const FString& InCode)
	{
		SKVALibrary* Window = Handle.Succeeded(InCode);
		if (!Window)
		{
			return;
		}
		const TArray<TSharedPtr<FJsonValue>>* Items = nullptr;
		if (!Reply.IsValid() || !Reply->TryGetArrayField(TEXT("items"), Items) || Items->Num() > PageSize)
		{
			Window->Finish(TEXT("invalid_response"));
			return;
		}
		// A page is applied whole or not at all.
		TArray<FKVAProductPtr> Page;
		for (const TSharedPtr<FJsonValue>& Item : *Items)
		{
			const TSharedPtr<FJsonObject>* Object = nullptr;
			FKVAProductPtr Product;
			if (Item.IsValid() && Item->TryGetObject(Object) && Object->IsValid())
			{
				Product = FKVAClient::Product(*Object, Window->bMyDownloads);
			}
			if (!Product.IsValid())
			{
				Window->Finish(TEXT("invalid_response"));
				return;
			}
			Page.Add(Product);
		}
		if (!bNext)
		{
			Window->Products.Empty();
			Window->ResetSelection();
			// A new listing starts at the top; a next page keeps the member's place.
			if (Window->Grid.IsValid())
			{
				Window->Grid->ScrollToTop();
			}
		}
		Window->Products.Append(Page);
		Window->Cursor = FKVAClient::Text(Reply, TEXT("next_cursor"));
		Window->CursorListing = Listing;
		Window->Finish(FString());
	}, false);
}

void SKVALibrary::SearchChanged(const FText& NewText)
{
	Query = NewText.ToString().Left(MaxQueryLength);
	if (SearchTicker.IsValid())
	{
		FTSTicker::RemoveTicker(SearchTicker);
	}
	// One request after the last key stroke; while a request runs the ticker keeps waiting.
	const FHandle Handle(Life);
	SearchTicker = FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateLambda([Handle](float)
	{
		SKVALibrary* Window = Handle.Get();
		if (!Window)
		{
			return false;
		}
		if (Window->bBusy)
		{
			return true;
		}
		Window->SearchTicker.Reset();
		Window->Load(false);
		return false;
	}), SearchDelay);
}

void SKVALibrary::SearchCommitted(const FText&, ETextCommit::Type Commit)
{
	if (Commit != ETextCommit::OnEnter)
	{
		return;
	}
	if (SearchTicker.IsValid())
	{
		FTSTicker::RemoveTicker(SearchTicker);
		SearchTicker.Reset();
	}
	if (!bBusy)
	{
		Load(false);
	}
}
