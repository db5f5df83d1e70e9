#include "ClientTestSupport.h"

// The membership service's states, seen through the client as the window will see them.
class MembershipTest : public ClientTest
{
protected:
	void SetUp() override
	{
		ClientTest::SetUp();
		ASSERT_EQ(SignIn(), TEXT(""));
	}

	FString Post(const FString& Path, const TArray<TPair<FString, FString>>& Fields, TSharedPtr<FJsonObject>* OutJson = nullptr)
	{
		TSharedPtr<FJsonObject> Body = FKVAClient::Object();
		for (const TPair<FString, FString>& Field : Fields)
		{
			Body->SetStringField(Field.Key, Field.Value);
		}
		if (Path.EndsWith(TEXT("/consent")))
		{
			Body->SetBoolField(TEXT("immediate_access"), true);
			Body->SetBoolField(TEXT("acknowledge_loss"), true);
		}
		std::optional<FString> Code;
		Client->API(TEXT("POST"), Path, Body, [&](TSharedPtr<FJsonObject> Json, const FString& Result)
		{
			Code = Result;
			if (OutJson)
			{
				*OutJson = Json;
			}
		}, false);
		EXPECT_TRUE(Host.PumpUntil([&] { return Code.has_value(); }));
		return Code.value_or(TEXT("<none>"));
	}

	FString Downloads(const FString& Package, const FString& Selection, const FString& Key, TSharedPtr<FJsonObject>* OutJson = nullptr)
	{
		return Post(TEXT("/v1/membership/downloads"), {{TEXT("package_id"), Package}, {TEXT("selection_id"), Selection}, {TEXT("idempotency_key"), Key}}, OutJson);
	}

	TArray<FKVAProductPtr> Page(const FString& Path, bool bLibrary, FString* OutCursor = nullptr)
	{
		TSharedPtr<FJsonObject> Json;
		EXPECT_EQ(Call(TEXT("GET"), Path, &Json), TEXT(""));
		TArray<FKVAProductPtr> Products;
		if (Json.IsValid())
		{
			for (const TSharedPtr<FJsonValue>& Item : Json->GetArrayField(TEXT("items")))
			{
				Products.Add(FKVAClient::Product(Item->AsObject(), bLibrary));
			}
			if (OutCursor)
			{
				*OutCursor = FKVAClient::Text(Json, TEXT("next_cursor"));
			}
		}
		return Products;
	}
};

TEST_F(MembershipTest, CataloguePagesFollowOpaqueCursors)
{
	FString Cursor;
	const TArray<FKVAProductPtr> First = Page(TEXT("/v1/membership/catalog"), false, &Cursor);
	ASSERT_EQ(First.Num(), 24);
	ASSERT_FALSE(Cursor.IsEmpty());
	for (const FKVAProductPtr& Product : First)
	{
		ASSERT_TRUE(Product.IsValid());
	}
	FString End;
	const TArray<FKVAProductPtr> Second = Page(TEXT("/v1/membership/catalog?cursor=") + Cursor, false, &End);
	EXPECT_EQ(Second.Num(), 6);
	EXPECT_TRUE(End.IsEmpty());
	EXPECT_EQ(Second[0]->ProductId, TEXT("kp-025"));
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership/catalog?cursor=24.forged")), TEXT("invalid_cursor"));

	// Filters: kind, words of the title, format.
	const TArray<FKVAProductPtr> Worlds = Page(TEXT("/v1/membership/catalog?product_kind=world"), false);
	ASSERT_FALSE(Worlds.IsEmpty());
	for (const FKVAProductPtr& Product : Worlds)
	{
		EXPECT_EQ(Product->Kind, TEXT("world"));
	}
	const TArray<FKVAProductPtr> Spiders = Page(TEXT("/v1/membership/catalog?q=SPIDER"), false);
	ASSERT_EQ(Spiders.Num(), 3);
	EXPECT_TRUE(Spiders[0]->Title.StartsWith(TEXT("Garden Spider")));
	EXPECT_TRUE(Page(TEXT("/v1/membership/catalog?format=glb"), false).IsEmpty());

	// The member's library holds their purchases and earlier downloads, all downloadable.
	const TArray<FKVAProductPtr> Library = Page(TEXT("/v1/membership/library"), true);
	ASSERT_FALSE(Library.IsEmpty());
	for (const FKVAProductPtr& Product : Library)
	{
		ASSERT_TRUE(Product.IsValid());
		EXPECT_TRUE(Product->bOwned);
		EXPECT_TRUE(Product->bAllowed);
	}

	// Product details; a bundle comes with two packages.
	TSharedPtr<FJsonObject> Details;
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership/products/sel-007"), &Details), TEXT(""));
	const FKVAProductPtr Bundle = FKVAClient::Product(Details, false);
	ASSERT_TRUE(Bundle.IsValid());
	EXPECT_EQ(Bundle->Kind, TEXT("bundle"));
	EXPECT_EQ(Bundle->Files.Num(), 2);
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership/products/sel-999")), TEXT("not_found"));
}

TEST_F(MembershipTest, MembershipStatesRefuseDownloads)
{
	struct FCase
	{
		const char* Status;
		const TCHAR* Code;
		bool bActive;
	};
	const FCase Cases[] = {
		{"active", TEXT(""), true},
		{"inactive", TEXT("membership_inactive"), false},
		{"pending", TEXT("paid_membership_required"), false},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Status);
		Membership->Change([&Case](auto& S) { S.MembershipStatus = Case.Status; });
		TSharedPtr<FJsonObject> Status;
		EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership"), &Status), TEXT(""));
		EXPECT_EQ(FKVAClient::Flag(Status, TEXT("active")), Case.bActive);
		EXPECT_EQ(Downloads(TEXT("pkg-001"), TEXT("sel-001"), FKVAClient::Key()), Case.Code);
	}
	EXPECT_EQ(FKVAClient::Message(TEXT("paid_membership_required")), TEXT("Join membership to access this asset."));
}

TEST_F(MembershipTest, ConsentIsConfirmedAfterChecks)
{
	EXPECT_EQ(Downloads(TEXT("pkg-002"), TEXT("sel-002"), FKVAClient::Key()), TEXT("consent_required"));
	Membership->Change([](auto& S) { S.ConsentChecks = 2; });
	const FString Key = FKVAClient::Key();
	TSharedPtr<FJsonObject> Consent;
	EXPECT_EQ(Post(TEXT("/v1/membership/consent"), {{TEXT("package_id"), TEXT("pkg-002")}, {TEXT("idempotency_key"), Key}}, &Consent), TEXT(""));
	EXPECT_EQ(FKVAClient::Text(Consent, TEXT("status")), TEXT("pending"));
	const FString ConsentId = FKVAClient::Text(Consent, TEXT("consent_id"));
	// The same key names the same consent.
	TSharedPtr<FJsonObject> Again;
	Post(TEXT("/v1/membership/consent"), {{TEXT("package_id"), TEXT("pkg-002")}, {TEXT("idempotency_key"), Key}}, &Again);
	EXPECT_EQ(FKVAClient::Text(Again, TEXT("consent_id")), ConsentId);

	TSharedPtr<FJsonObject> Check;
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership/consent/") + ConsentId, &Check), TEXT(""));
	EXPECT_EQ(FKVAClient::Text(Check, TEXT("status")), TEXT("pending"));
	EXPECT_EQ(Downloads(TEXT("pkg-002"), TEXT("sel-002"), FKVAClient::Key()), TEXT("consent_required"));
	EXPECT_EQ(Call(TEXT("GET"), TEXT("/v1/membership/consent/") + ConsentId, &Check), TEXT(""));
	EXPECT_EQ(FKVAClient::Text(Check, TEXT("status")), TEXT("confirmed"));
	EXPECT_EQ(Downloads(TEXT("pkg-002"), TEXT("sel-002"), FKVAClient::Key()), TEXT(""));
}

TEST_F(MembershipTest, TicketsQueueLimitAndExpire)
{
	// Purchases go through tickets; membership products through downloads.
	TSharedPtr<FJsonObject> Ticket;
	EXPECT_EQ(Post(TEXT("/v1/membership/tickets"), {{TEXT("package_id"), TEXT("pkg-004")}}, &Ticket), TEXT(""));
	EXPECT_TRUE(FKVAClient::File(Ticket).IsValid());
	EXPECT_EQ(Post(TEXT("/v1/membership/tickets"), {{TEXT("package_id"), TEXT("pkg-001")}}), TEXT("membership_or_retained_download_required"));

	Membership->Change([](auto& S) { S.QueuedTickets = 1; });
	TSharedPtr<FJsonObject> Queued;
	EXPECT_EQ(Downloads(TEXT("pkg-001"), TEXT("sel-001"), FKVAClient::Key(), &Queued), TEXT(""));
	EXPECT_EQ(FKVAClient::Text(Queued, TEXT("status")), TEXT("queued"));

	// The same idempotency key gets the same ticket until it expires, then download_expired.
	const FString Key = FKVAClient::Key();
	TSharedPtr<FJsonObject> First, Second;
	EXPECT_EQ(Downloads(TEXT("pkg-001"), TEXT("sel-001"), Key, &First), TEXT(""));
	EXPECT_EQ(Downloads(TEXT("pkg-001"), TEXT("sel-001"), Key, &Second), TEXT(""));
	EXPECT_EQ(FKVAClient::Text(First, TEXT("url")), FKVAClient::Text(Second, TEXT("url")));
	const TSharedPtr<FKVAFile> File = FKVAClient::File(First);
	ASSERT_TRUE(File.IsValid());

	// The signed address really expires at the service.
	Membership->AdvanceClock(301);
	EXPECT_EQ(Downloads(TEXT("pkg-001"), TEXT("sel-001"), Key), TEXT("download_expired"));
	const FString Target = FPaths::ProjectSavedDir() / TEXT("late.zip");
	std::optional<FString> Code;
	Client->Download(*File, Target, nullptr, [&Code](const FString& Result) { Code = Result; });
	ASSERT_TRUE(Host.PumpUntil([&] { return Code.has_value(); }));
	EXPECT_EQ(*Code, TEXT("download_failed"));
	EXPECT_FALSE(IFileManager::Get().FileExists(*Target));

	const int Used = Membership->DownloadsToday();
	Membership->Change([Used](auto& S) { S.DailyLimit = Used; });
	EXPECT_EQ(Downloads(TEXT("pkg-001"), TEXT("sel-001"), FKVAClient::Key()), TEXT("daily_download_limit"));
	TSharedPtr<FJsonObject> Listed;
	Call(TEXT("GET"), TEXT("/v1/membership/products/sel-001"), &Listed);
	const FKVAProductPtr Product = FKVAClient::Product(Listed, false);
	ASSERT_TRUE(Product.IsValid());
	EXPECT_FALSE(Product->bAllowed);
	EXPECT_EQ(Product->Reason, TEXT("daily_limit"));
}
