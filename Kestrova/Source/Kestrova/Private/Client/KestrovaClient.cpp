#include "Client/KestrovaClient.h"

#include "Client/KestrovaText.h"
#include "Platform/Hosts.h"
#include "Platform/Keys.h"
#include "Platform/Transport.h"

#include "Async/Async.h"
#include "HAL/PlatformProcess.h"
#include "HAL/PlatformTime.h"
#include "Misc/FileHelper.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <cmath>

namespace
{
	constexpr uint64 MaxReplyBytes = 4194304;
	constexpr double DefaultBackOff = 60.0;
	constexpr double MinBackOff = 1.0;
	constexpr double MaxBackOff = 3600.0;
	constexpr int64 MaxPackageBytes = 2147483648;
	constexpr double MaxWholeNumber = 9007199254740991.0;
	constexpr int64 MaxAttemptSeconds = 900;
	constexpr int64 MaxTokenSeconds = 3600;

	FString BaseAddress()
	{
		return FString(TEXT("https://")) + KVAText::FromUtf8(KVAPlatform::Hosts::Api);
	}

	// A count or a time from the service: a finite, non-negative whole number that a double
	// holds exactly; anything else is -1.
	int64 Whole(const TSharedPtr<FJsonObject>& Json, const FString& Key)
	{
		double Number = 0;
		if (!Json.IsValid() || !Json->TryGetNumberField(Key, Number))
		{
			return -1;
		}
		if (!std::isfinite(Number) || Number < 0 || Number > MaxWholeNumber || Number != std::floor(Number))
		{
			return -1;
		}
		return int64(Number);
	}

	// Appends the string elements of an array field. Other elements are skipped, numbers and
	// booleans included, although the JSON getters would turn them into text.
	void Strings(const TSharedPtr<FJsonObject>& Json, const FString& Key, TArray<FString>& Out)
	{
		const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
		if (!Json.IsValid() || !Json->TryGetArrayField(Key, Array))
		{
			return;
		}
		for (const TSharedPtr<FJsonValue>& Element : *Array)
		{
			FString Value;
			if (Element.IsValid() && Element->Type == EJson::String && Element->TryGetString(Value))
			{
				Out.Add(Value);
			}
		}
	}

	// The poll delay the service asks for, bounded to 2 to 30 seconds; 2 when it names none.
	float PollDelay(const TSharedPtr<FJsonObject>& Json)
	{
		const int64 Interval = Whole(Json, TEXT("interval"));
		return Interval < 0 ? 2.0f : float(FMath::Clamp<int64>(Interval, 2, 30));
	}

	bool HasLowerHexDigits(const FString& Text, int32 Count)
	{
		if (Text.Len() != Count)
		{
			return false;
		}
		for (TCHAR Char : Text)
		{
			if (!FChar::IsDigit(Char) && !(Char >= u'a' && Char <= u'f'))
			{
				return false;
			}
		}
		return true;
	}
}

bool FKVAFile::Valid() const
{
	return !PackageId.IsEmpty()
		&& HasLowerHexDigits(Sha256, 64)
		&& !Filename.IsEmpty() && Filename.EndsWith(TEXT(".zip"), ESearchCase::IgnoreCase)
		&& SizeBytes >= 1 && SizeBytes <= MaxPackageBytes
		&& Formats.ContainsByPredicate([](const FString& Format) { return Format.Equals(TEXT("fbx"), ESearchCase::IgnoreCase); });
}

FKVAClient::~FKVAClient()
{
	Cancel();
}

TSharedPtr<FJsonObject> FKVAClient::Object()
{
	return MakeShared<FJsonObject>();
}

FString FKVAClient::Text(const TSharedPtr<FJsonObject>& Json, const FString& Key)
{
	FString Value;
	return Json.IsValid() && Json->TryGetStringField(Key, Value) ? Value : FString();
}

bool FKVAClient::Flag(const TSharedPtr<FJsonObject>& Json, const FString& Key)
{
	bool bValue = false;
	return Json.IsValid() && Json->TryGetBoolField(Key, bValue) && bValue;
}

TSharedPtr<FKVAFile> FKVAClient::File(const TSharedPtr<FJsonObject>& Json)
{
	if (!Json.IsValid())
	{
		return nullptr;
	}
	TSharedPtr<FKVAFile> Result = MakeShared<FKVAFile>();
	Result->PackageId = Text(Json, TEXT("package_id"));
	Result->Sha256 = Text(Json, TEXT("sha256"));
	Result->Filename = Text(Json, TEXT("filename"));
	Result->Source = Text(Json, TEXT("source"));
	Result->SelectionId = Text(Json, TEXT("selection_id"));
	Result->Url = Text(Json, TEXT("url"));
	Result->SizeBytes = Whole(Json, TEXT("size_bytes"));
	Result->ExpiresAt = Whole(Json, TEXT("expires_at"));
	Strings(Json, TEXT("formats"), Result->Formats);
	return Result->Valid() ? Result : nullptr;
}

FKVAProductPtr FKVAClient::Product(const TSharedPtr<FJsonObject>& Json, bool bLibrary)
{
	if (!Json.IsValid())
	{
		return nullptr;
	}
	FKVAProductPtr Result = MakeShared<FKVAProduct>();
	Result->ProductId = Text(Json, TEXT("product_id"));
	Result->Title = Text(Json, TEXT("title")).Replace(TEXT("\u2014"), TEXT(":"), ESearchCase::CaseSensitive);
	Result->Kind = Text(Json, TEXT("kind"));
	Result->SelectionId = Text(Json, TEXT("selection_id"));
	Result->Source = Text(Json, TEXT("source"));
	Result->bOwned = Flag(Json, TEXT("owned"));

	const TSharedPtr<FJsonObject>* Thumbnail = nullptr;
	if (Json->TryGetObjectField(TEXT("thumbnail"), Thumbnail))
	{
		Result->Thumbnail = Text(*Thumbnail, TEXT("url"));
	}
	const TSharedPtr<FJsonObject>* Download = nullptr;
	if (Json->TryGetObjectField(TEXT("download"), Download))
	{
		Result->bAllowed = Flag(*Download, TEXT("allowed"));
		Result->Reason = Text(*Download, TEXT("reason"));
	}

	const TArray<TSharedPtr<FJsonValue>>* Files = nullptr;
	if (Json->TryGetArrayField(TEXT("files"), Files))
	{
		for (const TSharedPtr<FJsonValue>& Element : *Files)
		{
			// A files list holding anything but objects is not a product the service meant.
			const TSharedPtr<FJsonObject>* FileJson = nullptr;
			if (!Element.IsValid() || !Element->TryGetObject(FileJson) || !FileJson->IsValid())
			{
				return nullptr;
			}
			if (TSharedPtr<FKVAFile> Parsed = File(*FileJson))
			{
				Result->Files.Add(Parsed);
			}
		}
	}

	// What sits in the member's own library with a usable package is theirs to download.
	if (bLibrary && !Result->Files.IsEmpty())
	{
		Result->bOwned = true;
		Result->bAllowed = true;
	}

	if (Result->ProductId.IsEmpty() || Result->Title.IsEmpty())
	{
		return nullptr;
	}
	if (!Result->SelectionId.IsEmpty())
	{
		return Result;
	}
	if (bLibrary && Result->Source.Equals(TEXT("purchase"), ESearchCase::IgnoreCase) && !Result->Files.IsEmpty())
	{
		return Result;
	}
	return nullptr;
}

void FKVAClient::API(const FString& Method, const FString& Path, TSharedPtr<FJsonObject> Body, FOnReply Callback, bool bAnonymous)
{
	const double Now = FPlatformTime::Seconds();
	if (bReviewOnly)
	{
		Callback(nullptr, TEXT("review_only"));
		return;
	}
	if (!bAnonymous && (Token.IsEmpty() || TokenExpiry <= Now))
	{
		Callback(nullptr, TEXT("login_required"));
		return;
	}
	if (RetryUntil > Now)
	{
		Callback(nullptr, TEXT("retry_later"));
		return;
	}
	if (!Path.StartsWith(TEXT("/v1/"), ESearchCase::IgnoreCase) || Path.Contains(TEXT("\r")) || Path.Contains(TEXT("\n")))
	{
		Callback(nullptr, TEXT("invalid_request"));
		return;
	}

	FString BodyText;
	if (Body.IsValid())
	{
		FJsonSerializer::Serialize(Body.ToSharedRef(), TJsonWriterFactory<>::Create(&BodyText));
	}

	KVAPlatform::Request Request;
	Request.Method = KVAText::Utf8(Method);
	Request.Url = KVAText::Utf8(BaseAddress() + Path);
	Request.Body = KVAText::Utf8(BodyText);
	Request.Token = bAnonymous ? std::string() : KVAText::Utf8(Token);
	Request.Role = KVAPlatform::URLRole::Api;
	Request.MaxBytes = MaxReplyBytes;

	Exchange(std::move(Request), nullptr, [Callback](FKVAClient& Self, KVAPlatform::Reply& Reply)
	{
		Self.Pending.RemoveAll([](const std::shared_ptr<KVAPlatform::Cancel>& Token) { return Token->bCanceled.load(); });

		FString Decoded;
		FFileHelper::BufferToString(Decoded, Reply.Body.data(), int32(Reply.Body.size()));
		TSharedPtr<FJsonObject> Json;
		FString Code;
		if (!Reply.Error.empty())
		{
			Code = KVAText::FromUtf8(Reply.Error);
		}
		else if (!FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Decoded), Json) || !Json.IsValid())
		{
			Json.Reset();
			Code = TEXT("invalid_response");
		}
		else if (Reply.Status < 200 || Reply.Status > 299)
		{
			// The object of an error reply is kept: callers read the fields of a refusal.
			Code = Text(Json, TEXT("error"));
			if (Code.IsEmpty())
			{
				Code = TEXT("request_failed");
			}
		}

		if (Reply.Status == 401)
		{
			Self.Token.Empty();
			Self.TokenExpiry = 0;
			Code = TEXT("login_required");
		}
		if (Reply.Status == 429)
		{
			const FString RetryAfter = KVAText::FromUtf8(Reply.RetryAfter).TrimStartAndEnd();
			const double Asked = RetryAfter.IsNumeric() ? FCString::Atod(*RetryAfter) : 0.0;
			const double Wait = FMath::Clamp(Asked > 0 ? Asked : DefaultBackOff, MinBackOff, MaxBackOff);
			Self.RetryUntil = FPlatformTime::Seconds() + Wait;
		}
		Callback(Json, Code);
	}, nullptr);
}

void FKVAClient::Exchange(KVAPlatform::Request Request, FOnTransferThread OnTransfer, FOnGameThread Deliver, TFunction<void()> Dropped)
{
	std::shared_ptr<KVAPlatform::Cancel> Settled = std::make_shared<KVAPlatform::Cancel>();
	Track(Settled);
	TWeakPtr<FKVAClient> Weak = AsShared();
	const uint32 SentGeneration = Generation;
	KVAPlatform::Send(std::move(Request), Settled, [Weak, SentGeneration, Settled, OnTransfer, Deliver, Dropped](KVAPlatform::Reply Reply)
	{
		// Storing true settles the token; Cancel uses the same flag to abort.
		Settled->bCanceled = true;
		if (OnTransfer)
		{
			OnTransfer(Reply);
		}
		PostIfCurrent(Weak, SentGeneration, [Deliver, Reply = std::move(Reply)](FKVAClient& Self) mutable { Deliver(Self, Reply); }, [Dropped]
		{
			if (Dropped)
			{
				Dropped();
			}
		});
	});
}

void FKVAClient::PostIfCurrent(TWeakPtr<FKVAClient> Weak, uint32 SentGeneration, TUniqueFunction<void(FKVAClient&)> Deliver, TUniqueFunction<void()> Dropped)
{
	AsyncTask(ENamedThreads::GameThread, [Weak, SentGeneration, Deliver = MoveTemp(Deliver), Dropped = MoveTemp(Dropped)]
	{
		TSharedPtr<FKVAClient> Self = Weak.Pin();
		if (Self.IsValid() && Self->Generation == SentGeneration)
		{
			Deliver(*Self);
		}
		else if (Dropped)
		{
			Dropped();
		}
	});
}

void FKVAClient::Cancel()
{
	++Generation;
	for (const std::shared_ptr<KVAPlatform::Cancel>& Pend : Pending)
	{
		Pend->bCanceled = true;
	}
	Pending.Empty();
	if (PollTicker.IsValid())
	{
		FTSTicker::RemoveTicker(PollTicker);
		PollTicker.Reset();
	}
	bSigningIn = false;
}

bool FKVAClient::Connected() const
{
	return !Token.IsEmpty() && TokenExpiry > FPlatformTime::Seconds();
}

void FKVAClient::Track(std::shared_ptr<KVAPlatform::Cancel> InToken)
{
	Pending.RemoveAll([](const std::shared_ptr<KVAPlatform::Cancel>& Pend) { return Pend->bCanceled.load(); });
	Pending.Add(std::move(InToken));
}

FString FKVAClient::Key()
{
	return KVAText::FromUtf8(KVAPlatform::RandomKey());
}

FString FKVAClient::Message(const FString& Code)
{
	struct FRow
	{
		const TCHAR* Code;
		const TCHAR* Sentence;
	};
	static const FRow Rows[] = {
		{TEXT("login_required"), TEXT("Sign in to continue.")},
		{TEXT("invalid_session"), TEXT("Sign in to continue.")},
		{TEXT("consent_required"), TEXT("Review the download consent.")},
		{TEXT("download_consent_required"), TEXT("Review the download consent.")},
		{TEXT("confirmation_required"), TEXT("Confirmation pending. Check again shortly.")},
		{TEXT("daily_download_limit"), TEXT("Daily limit reached. Try again after the reset.")},
		{TEXT("membership_inactive"), TEXT("Join membership to access this asset.")},
		{TEXT("paid_membership_required"), TEXT("Join membership to access this asset.")},
		{TEXT("membership_or_retained_download_required"), TEXT("Join membership to access this asset.")},
		{TEXT("login_expired"), TEXT("Sign-in expired. Try again.")},
		{TEXT("connection_unavailable"), TEXT("Connection unavailable. Try again shortly.")},
		{TEXT("files_preparing"), TEXT("Your files are being prepared. Try again shortly.")},
		{TEXT("retry_later"), TEXT("Please wait before trying again.")},
	};
	for (const FRow& Row : Rows)
	{
		if (Code.Equals(Row.Code, ESearchCase::IgnoreCase))
		{
			return Row.Sentence;
		}
	}
	return TEXT("Could not complete the request. Try again.");
}

void FKVAClient::SignIn(FOnDone Done)
{
	if (bSigningIn)
	{
		return;
	}
	bSigningIn = true;
	TWeakPtr<FKVAClient> Weak = AsShared();
	API(TEXT("GET"), TEXT("/v1/config"), nullptr, [Weak, Done](TSharedPtr<FJsonObject> Config, const FString& Code)
	{
		TSharedPtr<FKVAClient> Self = Weak.Pin();
		if (!Self.IsValid())
		{
			return;
		}
		TArray<FString> Clients;
		Strings(Config, TEXT("login_clients"), Clients);
		const bool bOffered = Code.IsEmpty()
			&& !Flag(Config, TEXT("fixture"))
			&& Text(Config, TEXT("login")).Equals(TEXT("browser-pkce"), ESearchCase::IgnoreCase)
			&& Flag(Config, TEXT("membership"))
			&& Clients.ContainsByPredicate([](const FString& Client) { return Client.Equals(TEXT("unreal"), ESearchCase::IgnoreCase); });
		if (!bOffered)
		{
			Self->bSigningIn = false;
			Done(TEXT("connection_unavailable"));
			return;
		}

		Self->ConsentText = Text(Config, TEXT("consent_text"));
		Self->Statements = {TEXT("I request immediate access."), TEXT("I acknowledge the withdrawal terms above.")};
		Self->Verifier = Key();
		if (Self->Verifier.IsEmpty())
		{
			Self->bSigningIn = false;
			Done(TEXT("connection_unavailable"));
			return;
		}

		TSharedPtr<FJsonObject> Body = Object();
		Body->SetStringField(TEXT("client"), TEXT("unreal"));
		Body->SetStringField(TEXT("code_challenge"), KVAText::FromUtf8(KVAPlatform::Challenge(KVAText::Utf8(Self->Verifier))));
		Self->API(TEXT("POST"), TEXT("/v1/login/start"), Body, [Weak, Done](TSharedPtr<FJsonObject> Start, const FString& StartCode)
		{
			TSharedPtr<FKVAClient> Self = Weak.Pin();
			if (!Self.IsValid())
			{
				return;
			}
			Self->AttemptId = Text(Start, TEXT("attempt_id"));
			const FString Address = Text(Start, TEXT("authorization_url"));
			const int64 ExpiresIn = Whole(Start, TEXT("expires_in"));
			if (!StartCode.IsEmpty())
			{
				Self->bSigningIn = false;
				Done(StartCode);
				return;
			}
			// The browser only ever opens the service's own sign-in page.
			if (Self->AttemptId.IsEmpty() || ExpiresIn < 1 || ExpiresIn > MaxAttemptSeconds
				|| !KVAPlatform::SafeURL(KVAText::Utf8(Address), KVAPlatform::URLRole::Connect))
			{
				Self->bSigningIn = false;
				Done(TEXT("invalid_response"));
				return;
			}
			Self->PollInterval = PollDelay(Start);
			Self->LoginDeadline = FPlatformTime::Seconds() + double(ExpiresIn);
			FPlatformProcess::LaunchURL(*Address, nullptr, nullptr);
			Self->Poll(Done);
		}, true);
	}, true);
}

void FKVAClient::Poll(FOnDone Done)
{
	TWeakPtr<FKVAClient> Weak = AsShared();
	PollTicker = FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateLambda([Weak, Done](float)
	{
		TSharedPtr<FKVAClient> Self = Weak.Pin();
		if (!Self.IsValid() || !Self->bSigningIn)
		{
			return false;
		}
		Self->PollTicker.Reset();
		if (FPlatformTime::Seconds() >= Self->LoginDeadline)
		{
			Self->CancelLogin();
			Done(TEXT("login_expired"));
			return false;
		}
		TSharedPtr<FJsonObject> Body = Object();
		Body->SetStringField(TEXT("attempt_id"), Self->AttemptId);
		Body->SetStringField(TEXT("code_verifier"), Self->Verifier);
		Self->API(TEXT("POST"), TEXT("/v1/login/poll"), Body, [Weak, Done](TSharedPtr<FJsonObject> Reply, const FString& Code)
		{
			TSharedPtr<FKVAClient> Self = Weak.Pin();
			if (!Self.IsValid())
			{
				return;
			}
			const FString Status = Text(Reply, TEXT("status"));
			if (Code.IsEmpty() && Status.Equals(TEXT("pending"), ESearchCase::IgnoreCase))
			{
				Self->PollInterval = PollDelay(Reply);
				Self->Poll(Done);
				return;
			}
			const int64 ExpiresIn = Whole(Reply, TEXT("expires_in"));
			const FString AccessToken = Text(Reply, TEXT("access_token"));
			Self->bSigningIn = false;
			if (Status.Equals(TEXT("authorized"), ESearchCase::IgnoreCase) && !AccessToken.IsEmpty() && ExpiresIn >= 1 && ExpiresIn <= MaxTokenSeconds)
			{
				Self->Token = AccessToken;
				Self->TokenExpiry = FPlatformTime::Seconds() + double(ExpiresIn);
				Self->Verifier.Empty();
				Self->AttemptId.Empty();
				Done(FString());
				return;
			}
			Done(Code.IsEmpty() ? FString(TEXT("invalid_session")) : Code);
		}, true);
		return false;
	}), PollInterval);
}

void FKVAClient::CancelLogin()
{
	if (AttemptId.IsEmpty())
	{
		Cancel();
		return;
	}
	TSharedPtr<FJsonObject> Body = Object();
	Body->SetStringField(TEXT("attempt_id"), AttemptId);
	Body->SetStringField(TEXT("code_verifier"), Verifier);
	Cancel();
	Verifier.Empty();
	AttemptId.Empty();
	API(TEXT("POST"), TEXT("/v1/login/cancel"), Body, [](TSharedPtr<FJsonObject>, const FString&) {}, true);
}

void FKVAClient::SignOut()
{
	const FString OldToken = Token;
	Cancel();
	Token.Empty();
	Verifier.Empty();
	AttemptId.Empty();
	ConsentText.Empty();
	Statements.Empty();
	TokenExpiry = 0;
	if (OldToken.IsEmpty() || bReviewOnly)
	{
		return;
	}
	// The notice goes out directly, past the back-off and the path rule, and nobody waits.
	KVAPlatform::Request Request;
	Request.Method = "DELETE";
	Request.Url = KVAText::Utf8(BaseAddress() + TEXT("/v1/session"));
	Request.Token = KVAText::Utf8(OldToken);
	Request.Role = KVAPlatform::URLRole::Api;
	Request.MaxBytes = MaxReplyBytes;
	KVAPlatform::Send(std::move(Request), std::make_shared<KVAPlatform::Cancel>(), [](KVAPlatform::Reply) {});
}
