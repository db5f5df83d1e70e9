#pragma once

#include "Client/KestrovaRecords.h"
#include "Containers/Ticker.h"
#include "CoreMinimal.h"
#include "Dom/JsonObject.h"

#include <memory>

namespace KVAPlatform
{
	struct Cancel;
	struct Reply;
	struct Request;
}

// The only component that talks to the membership service. Lives on the game thread; every
// asynchronous answer arrives there, and never after Cancel or after the client is gone.
class FKVAClient : public TSharedFromThis<FKVAClient>
{
public:
	typedef TFunction<void(TSharedPtr<FJsonObject>, const FString&)> FOnReply;
	typedef TFunction<void(const FString&)> FOnDone;
	typedef TFunction<void(TArray<uint8>, const FString&)> FOnPreview;
	typedef TFunction<void(float)> FOnProgress;

	FKVAClient() = default;
	~FKVAClient();

	// Readers of service replies; they touch no client state and are safe on any thread.
	static TSharedPtr<FJsonObject> Object();
	static FString Text(const TSharedPtr<FJsonObject>& Json, const FString& Key);
	static bool Flag(const TSharedPtr<FJsonObject>& Json, const FString& Key);
	static TSharedPtr<FKVAFile> File(const TSharedPtr<FJsonObject>& Json);
	static FKVAProductPtr Product(const TSharedPtr<FJsonObject>& Json, bool bLibrary);

	// One service call. The callback runs at most once: inside this call when the request is
	// refused before sending, otherwise later on the game thread.
	void API(const FString& Method, const FString& Path, TSharedPtr<FJsonObject> Body, FOnReply Callback, bool bAnonymous);
	void Cancel();
	bool Connected() const;
	void Track(std::shared_ptr<KVAPlatform::Cancel> Token);
	static FString Key();
	static FString Message(const FString& Code);

	void SignIn(FOnDone Done);
	void Poll(FOnDone Done);
	void CancelLogin();
	void SignOut();

	void Preview(const FString& Url, FOnPreview Callback);
	void Download(const FKVAFile& File, const FString& Path, FOnProgress Progress, FOnDone Done);

private:
	typedef TFunction<void(KVAPlatform::Reply&)> FOnTransferThread;
	typedef TFunction<void(FKVAClient&, KVAPlatform::Reply&)> FOnGameThread;
	// One tracked transfer: OnTransfer runs on the transfer's own thread once it ends, then
	// Deliver on the game thread while this client and its generation live, Dropped if not.
	void Exchange(KVAPlatform::Request Request, FOnTransferThread OnTransfer, FOnGameThread Deliver, TFunction<void()> Dropped);
	// From any thread: runs Deliver on the game thread if the client still lives and has not
	// been cancelled since SentGeneration was read; otherwise runs Dropped, if given.
	static void PostIfCurrent(TWeakPtr<FKVAClient> Weak, uint32 SentGeneration, TUniqueFunction<void(FKVAClient&)> Deliver, TUniqueFunction<void()> Dropped = nullptr);

public:
	FString ConsentText;
	TArray<FString> Statements;
	FString Token;
	FString Verifier;
	FString AttemptId;
	// Times in seconds of the monotonic platform clock.
	double TokenExpiry = 0;
	double LoginDeadline = 0;
	double RetryUntil = 0;
	float PollInterval = 2.0f;
	uint32 Generation = 0;
	bool bSigningIn = false;
	bool bReviewOnly = false;
	FTSTicker::FDelegateHandle PollTicker;
	TArray<std::shared_ptr<KVAPlatform::Cancel>> Pending;
};
