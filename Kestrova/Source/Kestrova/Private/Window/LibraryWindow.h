#pragma once

#include "Client/KestrovaRecords.h"
#include "Containers/Ticker.h"
#include "CoreMinimal.h"
#include "Types/SlateEnums.h"
#include "UObject/SoftObjectPtr.h"
#include "UObject/StrongObjectPtr.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"
#include "Window/Brand.h"
#include "Window/OldestFirstMap.h"

#include <atomic>

class FDeferredCleanupSlateBrush;
class FKVAClient;
class ITableRow;
class SButton;
class SSearchBox;
class STableViewBase;
class STextBlock;
class UStaticMesh;
class UTexture2D;
class UWorld;
template <typename ItemType>
class STileView;

// The library tab's widget. Its view is a function of the members below: every state change
// ends in Rebuild, which builds the whole tree again. Service work is asynchronous and comes
// back on the game thread through callbacks that hold an FHandle, never the window itself.
class SKVALibrary : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SKVALibrary) {}
	SLATE_END_ARGS()

	// The window-life token. It lives in its own shared allocation so that callbacks can
	// outlive the window; only bAlive is read from other threads.
	struct FWindowLife
	{
		SKVALibrary* Window = nullptr;
		std::atomic<bool> bAlive{true};
	};

	// What a callback holds instead of the window: resolving it yields the window only while
	// the window has not been closed.
	class FHandle
	{
	public:
		explicit FHandle(TSharedPtr<FWindowLife> InLife) : Life(MoveTemp(InLife)) {}
		SKVALibrary* Get() const;
		// The window a service reply is for, while it lives and when the reply carries no
		// failure; a failure code ends the window's request instead.
		SKVALibrary* Succeeded(const FString& InCode) const;
		// A callback that runs Action on the window if it is still open when called.
		TFunction<void()> Bind(TFunction<void(SKVALibrary&)> Action) const;

	private:
		TSharedPtr<FWindowLife> Life;
	};

	// One decoded image. The brush goes before the texture it draws.
	struct FPreview
	{
		TStrongObjectPtr<UTexture2D> Texture;
		TSharedPtr<FDeferredCleanupSlateBrush> Brush;
		int64 Bytes = 0;
	};

	// What one imported package left in the project.
	struct FInstalled
	{
		TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
		FString Folder;
	};

	virtual ~SKVALibrary() override;

	void Construct(const FArguments& InArgs);
	void Close();
	void SignIn();
	void SignOut();
	void Cancel();
	void Load(bool bMore);
	void Finish(const FString& InCode);
	void ResetSelection();

	void Browse(bool bMore);
	void Choose(TSharedPtr<FKVAProduct> Product);
	void ConfirmConsent();
	FString Key();
	void GetPreview(const FString& Url);
	TSharedPtr<FPreview> Decode(TArray<uint8> Bytes);

	void Rebuild();
	TSharedRef<ITableRow> Tile(FKVAProductPtr Item, const TSharedRef<STableViewBase>& Owner);
	TSharedRef<SWidget> Details();

	void Download(bool bAdd);
	void Import(const FString& Staging, TArray<FString> Models, bool bAdd, TWeakObjectPtr<UWorld> World);
	void Add();

	// Every fixed text and every button of the window is made by these two, so fonts,
	// paddings and the disabled look stay uniform.
	static TSharedRef<STextBlock> Text(const FString& Text, int32 Size, FLinearColor Colour);
	static TSharedRef<SButton> Button(const FString& Label, const FButtonStyle* Style, FLinearColor Colour, TFunction<void()> OnClick, TAttribute<bool> Enabled);

	// RFC 3986 percent-encoding of the UTF-8 bytes; only unreserved characters stay as they are.
	static FString Escape(const FString& Text);
	// Where the download cache keeps the package of a file record (absolute).
	static FString CachePath(const FKVAFile& File);

	TSharedPtr<FWindowLife> Life;
	TSharedPtr<FKVAClient> Client;
	KVABrand::Styles Styles;
	TArray<FKVAProductPtr> Products;
	FKVAProductPtr Selected;
	TSharedPtr<FKVAFile> SelectedFile;
	TSharedPtr<STileView<FKVAProductPtr>> Grid;
	TSharedPtr<SSearchBox> SearchBox;
	TSharedPtr<FPreview> Logo;
	TKVAOldestFirstMap<TSharedPtr<FPreview>> Previews;
	TSet<FString> PreviewsLoading;
	TSet<FString> PreviewsFailed;
	TArray<FString> PreviewQueue;
	TMap<FString, FString> ConsentKeys;
	TKVAOldestFirstMap<FInstalled> Installed;
	TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
	TSharedPtr<TArray<TSharedPtr<FString>>> ModelOptions;
	FString Query;
	FString Cursor;
	// The listing (tab, search and kind) that Cursor continues.
	FString CursorListing;
	FString Kind;
	FString Message;
	FString Code;
	FString Phase;
	FString ConsentId;
	FString Folder;
	bool bBusy = false;
	bool bSigningIn = false;
	bool bMember = false;
	bool bMembershipPending = false;
	bool bMyDownloads = false;
	bool bConsentRequired = false;
	bool bImmediateAccess = false;
	bool bAcknowledgeLoss = false;
	bool bImporting = false;
	bool bClosed = false;
	float Progress = 0.0f;
	uint32 Generation = 0;
	int32 ModelIndex = 0;
	int64 PreviewBytes = 0;
	FTSTicker::FDelegateHandle SearchTicker;
	TSharedPtr<std::atomic<bool>> CancelFlag;

private:
	// A request or job begins: the window is busy and the last failure is forgotten.
	void StartRequest();
	void Previewed(const FString& Url, TArray<uint8> Bytes, const FString& InCode);
	void SearchChanged(const FText& NewText);
	void SearchCommitted(const FText& Text, ETextCommit::Type Commit);
	void RestoreInstall();
	static void OpenMembershipPage();
};
