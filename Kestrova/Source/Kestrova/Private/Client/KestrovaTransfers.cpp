#include "Client/KestrovaClient.h"

#include "Client/KestrovaText.h"
#include "Platform/Keys.h"
#include "Platform/Transport.h"

#include "HAL/FileManager.h"
#include "Misc/DateTime.h"

#include <memory>

namespace
{
	constexpr uint64 MaxPreviewBytes = 2097152;
}

void FKVAClient::Preview(const FString& Url, FOnPreview Callback)
{
	KVAPlatform::Request Request;
	Request.Method = "GET";
	Request.Url = KVAText::Utf8(Url);
	Request.Role = KVAPlatform::URLRole::Preview;
	Request.MaxBytes = MaxPreviewBytes;

	Exchange(std::move(Request), nullptr, [Callback](FKVAClient&, KVAPlatform::Reply& Reply)
	{
		TArray<uint8> Bytes;
		if (Reply.Error.empty() && Reply.Status == 200 && Reply.MimeType == "image/webp")
		{
			Bytes = TArray<uint8>(Reply.Body.data(), int32(Reply.Body.size()));
		}
		const FString Code = Bytes.IsEmpty() ? FString(TEXT("Preview unavailable")) : FString();
		Callback(MoveTemp(Bytes), Code);
	}, nullptr);
}

void FKVAClient::Download(const FKVAFile& File, const FString& Path, FOnProgress Progress, FOnDone Done)
{
	// Refused before anything is sent; an existing file at the destination is left alone.
	if (!File.Valid()
		|| File.ExpiresAt <= FDateTime::UtcNow().ToUnixTimestamp()
		|| !KVAPlatform::SafeURL(KVAText::Utf8(File.Url), KVAPlatform::URLRole::Package)
		|| IFileManager::Get().FileExists(*Path))
	{
		Done(TEXT("invalid_package"));
		return;
	}

	TWeakPtr<FKVAClient> Weak = AsShared();
	const uint32 SentGeneration = Generation;
	const int64 SizeBytes = File.SizeBytes;

	// The package is hashed as it arrives, by a reader that follows the transfer's writes on
	// the core the transfer leaves free, so that verification ends with the last byte.
	const std::shared_ptr<KVAPlatform::FFollowingHash> Hash = std::make_shared<KVAPlatform::FFollowingHash>(KVAText::Utf8(Path));

	KVAPlatform::Request Request;
	Request.Method = "GET";
	Request.Url = KVAText::Utf8(File.Url);
	Request.Role = KVAPlatform::URLRole::Package;
	Request.MaxBytes = uint64(SizeBytes);
	Request.OutputPath = KVAText::Utf8(Path);
	Request.Progress = [Weak, SentGeneration, SizeBytes, Progress, Hash](uint64 Received)
	{
		Hash->Written(Received);
		if (Progress)
		{
			PostIfCurrent(Weak, SentGeneration, [Progress, Received, SizeBytes](FKVAClient&) { Progress(float(double(Received) / double(SizeBytes))); });
		}
	};

	const FKVAFile Expected = File;
	// The verdict is reached on the transfer's thread, once the transport has closed the file,
	// and travels to the game thread as the reply's error. The hash is of the file as read back.
	auto Verify = [Expected, Path, Hash](KVAPlatform::Reply& Reply)
	{
		const bool bTransferred = Reply.Error.empty() && Reply.Status == 200 && Reply.Received == uint64(Expected.SizeBytes);
		if (!bTransferred)
		{
			Hash->Stop();
		}
		const bool bVerified = bTransferred && Hash->Finish() == KVAText::Utf8(Expected.Sha256);
		Reply.Error = bVerified ? std::string() : std::string("download_failed");
		if (!bVerified)
		{
			IFileManager::Get().Delete(*Path, false, false, false);
		}
	};
	// Nobody takes the file of a dropped download, verified or not.
	auto Discard = [Path]() { IFileManager::Get().Delete(*Path, false, false, false); };
	Exchange(std::move(Request), Verify, [Done](FKVAClient&, KVAPlatform::Reply& Reply) { Done(KVAText::FromUtf8(Reply.Error)); }, Discard);
}
