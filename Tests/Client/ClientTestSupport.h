#pragma once

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Platform/Transport.h"

#include "HAL/FileManager.h"
#include "KestrovaService/Membership.h"
#include "KestrovaService/Service.h"
#include "Misc/Paths.h"
#include "Runtime/HostRuntime.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// A game thread, the local service with its membership fixtures, and a client routed to it.
class ClientTest : public ::testing::Test
{
protected:
	FHostRuntime Host;
	KVAService::FService Service;
	std::optional<KVAService::FMembership> Membership;
	TSharedPtr<FKVAClient> Client;
	TArray<FString> Launched;
	// What the "browser" does with a sign-in page: approve, refuse, or nothing.
	enum class EBrowser
	{
		Approve,
		Refuse,
		Ignore
	};
	EBrowser Browser = EBrowser::Approve;

	void SetUp() override
	{
		ASSERT_TRUE(Service.Start());
		Membership.emplace(Service);
		KVAPlatform::SetRouting(Service.Port(), Service.AuthorityPem());
		Client = MakeShared<FKVAClient>();
		Host.SetLaunchURLHandler([this](const FString& Url)
		{
			Launched.Add(Url);
			if (Browser != EBrowser::Ignore)
			{
				Membership->Decide(KVAService::FMembership::AttemptOf(KVAText::Utf8(Url)), Browser == EBrowser::Approve);
			}
		});
	}

	void TearDown() override
	{
		Client.Reset();
		Service.Stop();
	}

	// Pumps the host, moving the test clock a second at a time, until Condition holds.
	bool PumpWithClock(TFunctionRef<bool()> Condition, int32 MaxSeconds = 120)
	{
		for (int32 Second = 0; Second <= MaxSeconds; ++Second)
		{
			if (Host.PumpUntil(Condition, 0.05))
			{
				return true;
			}
			Host.AdvanceClock(1.0);
		}
		return Host.PumpUntil(Condition, 5.0);
	}

	FString SignIn()
	{
		std::optional<FString> Code;
		Client->SignIn([&Code](const FString& Result) { Code = Result; });
		EXPECT_TRUE(PumpWithClock([&] { return Code.has_value(); }));
		return Code.value_or(TEXT("<none>"));
	}

	// Calls the API and waits for its one answer.
	FString Call(const FString& Method, const FString& Path, TSharedPtr<FJsonObject>* OutJson = nullptr, bool bAnonymous = false)
	{
		std::optional<FString> Code;
		Client->API(Method, Path, nullptr, [&Code, OutJson](TSharedPtr<FJsonObject> Json, const FString& Result)
		{
			Code = Result;
			if (OutJson)
			{
				*OutJson = Json;
			}
		}, bAnonymous);
		EXPECT_TRUE(Host.PumpUntil([&] { return Code.has_value(); }, 30.0));
		return Code.value_or(TEXT("<none>"));
	}

	std::vector<KVAService::FRequestRecord> RequestsTo(const std::string& Path) const
	{
		std::vector<KVAService::FRequestRecord> Out;
		for (const KVAService::FRequestRecord& Request : Service.Requests())
		{
			if (Request.Path == Path)
			{
				Out.push_back(Request);
			}
		}
		return Out;
	}
};
