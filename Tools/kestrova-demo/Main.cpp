// kestrova-demo: the service client's whole flow against the bundled local service — browser
// sign-in, membership, the first catalogue page, a refused download and the consent that
// lifts it, the ticket, the verified download with progress, and the strict extraction.

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Package/SafeZip.h"
#include "Platform/Transport.h"

#include "HAL/FileManager.h"
#include "KestrovaService/Membership.h"
#include "KestrovaService/Service.h"
#include "Misc/Paths.h"
#include "Runtime/HostRuntime.h"

#include <atomic>
#include <cstdio>
#include <optional>

namespace
{
	void Say(const FString& Line)
	{
		std::printf("%s\n", KVAText::Utf8(Line).c_str());
		std::fflush(stdout);
	}

	struct FDemo
	{
		FHostRuntime Host;
		KVAService::FService Service;
		std::optional<KVAService::FMembership> Membership;
		TSharedPtr<FKVAClient> Client = MakeShared<FKVAClient>();

		// Waits for one answer of the client, as the window would between two clicks.
		template <typename ResultType>
		bool Await(std::optional<ResultType>& Result, double Seconds = 60.0)
		{
			return Host.PumpUntil([&Result] { return Result.has_value(); }, Seconds);
		}

		FString Call(const FString& Method, const FString& Path, TSharedPtr<FJsonObject> Body, TSharedPtr<FJsonObject>& OutJson)
		{
			std::optional<FString> Code;
			Client->API(Method, Path, Body, [&](TSharedPtr<FJsonObject> Json, const FString& Result) { OutJson = Json; Code = Result; }, false);
			return Await(Code) ? *Code : FString(TEXT("network_failed"));
		}

		// The member's browser: it opens the sign-in page and presses "Allow".
		void InstallBrowser()
		{
			Host.SetLaunchURLHandler([](const FString& Url)
			{
				Say(TEXT("  browser opens ") + Url);
				const std::string Attempt = KVAService::FMembership::AttemptOf(KVAText::Utf8(Url));
				KVAPlatform::Request Approve;
				Approve.Method = "POST";
				Approve.Url = "https://api.kestrova.example/connect/unreal";
				Approve.Body = "{\"attempt_id\":\"" + Attempt + "\",\"decision\":\"approve\"}";
				Approve.Role = KVAPlatform::URLRole::Connect;
				Approve.MaxBytes = 65536;
				KVAPlatform::Send(std::move(Approve), std::make_shared<KVAPlatform::Cancel>(), [](KVAPlatform::Reply Reply)
				{
					std::printf("  browser: the member allowed Unreal Editor (HTTP %d)\n", Reply.Status);
					std::fflush(stdout);
				});
			});
		}

		int Run()
		{
			if (!Service.Start())
			{
				Say(TEXT("Could not start the local Kestrova service."));
				return 1;
			}
			Membership.emplace(Service);
			KVAPlatform::SetRouting(Service.Port(), Service.AuthorityPem());
			Say(FString::Printf(TEXT("Local Kestrova service on 127.0.0.1:%d (CA %s)"), int32(Service.Port()), *KVAText::FromUtf8(Service.AuthorityFile())));
			InstallBrowser();

			Say(TEXT("1. Sign in through the browser"));
			std::optional<FString> SignedIn;
			Client->SignIn([&SignedIn](const FString& Code) { SignedIn = Code; });
			// Polls wait on the core ticker; the demo lets its clock run a little faster.
			for (int32 Second = 0; Second < 120 && !Host.PumpUntil([&] { return SignedIn.has_value(); }, 0.2); ++Second)
			{
				Host.AdvanceClock(1.0);
			}
			if (!SignedIn.has_value() || !SignedIn->IsEmpty())
			{
				Say(TEXT("  sign-in failed: ") + FKVAClient::Message(SignedIn.value_or(TEXT("login_expired"))));
				return 1;
			}
			Say(TEXT("  signed in"));

			TSharedPtr<FJsonObject> Reply;
			Say(TEXT("2. Membership"));
			FString Code = Call(TEXT("GET"), TEXT("/v1/membership"), nullptr, Reply);
			if (!Code.IsEmpty())
			{
				Say(TEXT("  ") + FKVAClient::Message(Code));
				return 1;
			}
			Say(TEXT("  status: ") + FKVAClient::Text(Reply, TEXT("status")));

			Say(TEXT("3. First catalogue page"));
			Code = Call(TEXT("GET"), TEXT("/v1/membership/catalog?format=fbx"), nullptr, Reply);
			TArray<FKVAProductPtr> Products;
			if (Code.IsEmpty())
			{
				for (const TSharedPtr<FJsonValue>& Item : Reply->GetArrayField(TEXT("items")))
				{
					if (FKVAProductPtr Product = FKVAClient::Product(Item->AsObject(), false))
					{
						Products.Add(Product);
					}
				}
			}
			Say(FString::Printf(TEXT("  %d products; more pages: %s"), Products.Num(), Reply.IsValid() && Reply->HasTypedField<EJson::String>(TEXT("next_cursor")) ? TEXT("yes") : TEXT("no")));
			for (int32 Index = 0; Index < Products.Num() && Index < 6; ++Index)
			{
				Say(FString::Printf(TEXT("  - %s (%s)"), *Products[Index]->Title, *Products[Index]->Kind));
			}

			// The garden spider needs the download consent first.
			const FKVAProductPtr* Chosen = Products.FindByPredicate([](const FKVAProductPtr& Product) { return Product->ProductId == TEXT("kp-002"); });
			if (!Chosen || (*Chosen)->Files.IsEmpty())
			{
				Say(TEXT("  the chosen product is not in the catalogue"));
				return 1;
			}
			const FKVAProductPtr Product = *Chosen;
			const TSharedPtr<FKVAFile> Selected = Product->Files[0];
			Say(TEXT("4. Ask for a download of \"") + Product->Title + TEXT("\""));
			TSharedPtr<FJsonObject> Body = FKVAClient::Object();
			Body->SetStringField(TEXT("package_id"), Selected->PackageId);
			Body->SetStringField(TEXT("selection_id"), Product->SelectionId);
			Body->SetStringField(TEXT("idempotency_key"), FKVAClient::Key());
			Code = Call(TEXT("POST"), TEXT("/v1/membership/downloads"), Body, Reply);
			Say(TEXT("  refused: ") + Code + TEXT(" -> \"") + FKVAClient::Message(Code) + TEXT("\""));

			Say(TEXT("5. Give the download consent"));
			Say(TEXT("  \"") + Client->ConsentText + TEXT("\""));
			for (const FString& Statement : Client->Statements)
			{
				Say(TEXT("  [x] ") + Statement);
			}
			TSharedPtr<FJsonObject> Consent = FKVAClient::Object();
			Consent->SetStringField(TEXT("package_id"), Selected->PackageId);
			Consent->SetStringField(TEXT("idempotency_key"), FKVAClient::Key());
			Consent->SetBoolField(TEXT("immediate_access"), true);
			Consent->SetBoolField(TEXT("acknowledge_loss"), true);
			Code = Call(TEXT("POST"), TEXT("/v1/membership/consent"), Consent, Reply);
			Say(TEXT("  consent ") + (Code.IsEmpty() ? FKVAClient::Text(Reply, TEXT("status")) : Code));

			Say(TEXT("6. Ask again for the ticket"));
			Code = Call(TEXT("POST"), TEXT("/v1/membership/downloads"), Body, Reply);
			const TSharedPtr<FKVAFile> Ticket = Code.IsEmpty() ? FKVAClient::File(Reply) : nullptr;
			if (!Ticket.IsValid() || Ticket->Sha256 != Selected->Sha256)
			{
				Say(TEXT("  no usable ticket: ") + FKVAClient::Message(Code));
				return 1;
			}
			Say(FString::Printf(TEXT("  ticket for %s, %lld bytes"), *Ticket->Filename, Ticket->SizeBytes));

			Say(TEXT("7. Download and verify"));
			const FString Cache = FPaths::ConvertRelativePathToFull(FPaths::ProjectSavedDir() / TEXT("Kestrova/Downloads") / (Ticket->Sha256 + TEXT(".zip")));
			const FString Part = Cache + TEXT(".") + FGuid::NewGuid().ToString(EGuidFormats::Digits) + TEXT(".part");
			IFileManager::Get().MakeDirectory(*FPaths::GetPath(Cache), true);
			std::optional<FString> Downloaded;
			Client->Download(*Ticket, Part, [](float Fraction) { std::printf("  %3d%%\n", int(Fraction * 100.0f)); }, [&Downloaded](const FString& Result) { Downloaded = Result; });
			if (!Await(Downloaded) || !Downloaded->IsEmpty() || !IFileManager::Get().Move(*Cache, *Part))
			{
				Say(TEXT("  download failed: ") + FKVAClient::Message(Downloaded.value_or(TEXT("network_failed"))));
				return 1;
			}
			Say(TEXT("  SHA-256 verified, cached as ") + FPaths::GetCleanFilename(Cache));

			Say(TEXT("8. Extract"));
			const FString Staging = FPaths::ProjectSavedDir() / TEXT("Kestrova/Incoming") / FGuid::NewGuid().ToString(EGuidFormats::Digits);
			std::atomic<bool> bCancel{false};
			std::vector<std::string> Models;
			std::string Error;
			if (!KVASafe::Extract(KVAText::Utf8(Cache), KVAText::Utf8(Staging), bCancel, Models, Error))
			{
				Say(TEXT("  ") + KVAText::FromUtf8(Error));
				return 1;
			}
			Say(FString::Printf(TEXT("  %d model(s):"), int32(Models.size())));
			for (const std::string& Model : Models)
			{
				Say(TEXT("  - ") + KVAText::FromUtf8(Model));
			}
			IFileManager::Get().DeleteDirectory(*Staging, false, true);

			Say(TEXT("9. Sign out"));
			Client->SignOut();
			Host.PumpUntil([this] { return Membership->LiveTokens().empty(); }, 10.0);
			Say(TEXT("Signed out."));
			return 0;
		}
	};
}

int main()
{
	FDemo Demo;
	const int Result = Demo.Run();
	Demo.Client.Reset();
	Demo.Service.Stop();
	return Result;
}
