#include "WindowTestSupport.h"

#include "PackageContent.h"

#include "Editor.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Views/STileView.h"

#include <nlohmann/json.hpp>

namespace
{
	class SelectionTest : public WindowTest
	{
	protected:
		void SetUp() override
		{
			WindowTest::SetUp();
			SignIn();
		}

		// The JSON bodies the service received at Path, oldest first.
		std::vector<nlohmann::ordered_json> Bodies(const std::string& Path) const
		{
			std::vector<nlohmann::ordered_json> Out;
			for (const KVAService::FRequestRecord& Request : RequestsTo(Path))
			{
				if (Request.Path == Path)
				{
					Out.push_back(nlohmann::ordered_json::parse(Request.Body));
				}
			}
			return Out;
		}

		TSharedRef<SWidget> CheckBoxOf(const FString& Statement) const
		{
			const TSharedPtr<STextBlock> Text = Driver().FindText(Statement);
			EXPECT_TRUE(Text.IsValid());
			return FSlateDriver::FindAncestor(Text.ToSharedRef(), TEXT("SCheckBox")).ToSharedRef();
		}

		// A product whose one package (never downloaded) is Size bytes long.
		void AddSized(const std::string& Id, int64 Size, int32 Files = 1)
		{
			KVAService::FProduct Product;
			Product.ProductId = Id;
			Product.Title = "Sized " + Id;
			Product.Kind = "asset";
			Product.SelectionId = "sel-" + Id;
			Product.Source = "membership";
			for (int32 Index = 0; Index < Files; ++Index)
			{
				Product.Packages.push_back(KVAService::FMembership::MakePackage(Id + "-part" + std::to_string(Index + 1), std::string(size_t(Size), 'x')));
			}
			Membership->AddProduct(Product);
		}
	};
}

TEST_F(SelectionTest, ChoosingAListedProductFetchesItsDetails)
{
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());

	// The catalogue lists no files: the details bring them, and the first is the one delivered.
	EXPECT_EQ(CountPath("/v1/membership/products/sel-001"), 1u);
	ASSERT_TRUE(Library().SelectedFile.IsValid());
	EXPECT_EQ(Library().SelectedFile->PackageId, TEXT("pkg-001"));
	for (const TCHAR* Text : {TEXT("Oak Chair"), TEXT("FBX models and textures. Materials may need setup."), TEXT("Add to Scene"), TEXT("Add to Project")})
	{
		EXPECT_TRUE(Shows(Text)) << FTCHARToUTF8(Text).Get();
	}
	EXPECT_TRUE(IsEnabled(TEXT("Add to Scene")));
	EXPECT_TRUE(IsEnabled(TEXT("Add to Project")));
	// The chosen file is drawn as the primary button.
	const FString Size = FString::Printf(TEXT("FBX / %d KB"), int32((Library().SelectedFile->SizeBytes + 1023) / 1024));
	ASSERT_TRUE(ButtonOf(Size).IsValid());
	EXPECT_TRUE(Near(PixelAt(ButtonOf(Size).ToSharedRef(), 0.03f, 0.5f), SRGB(KVABrand::Accent)));
	EXPECT_TRUE(Near(PixelAt(ButtonOf(TEXT("Add to Scene")).ToSharedRef(), 0.03f, 0.5f), SRGB(KVABrand::Lime)));
	SaveState(TEXT("selection"));

	// The member's own library lists the files already: no request.
	ASSERT_EQ(Click(TEXT("My downloads")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(CountPath("/v1/membership/products/sel-001"), 1u);
	EXPECT_TRUE(Library().SelectedFile.IsValid());
}

TEST_F(SelectionTest, MembershipOffersReplaceTheDownloadForNonMembers)
{
	const struct
	{
		std::string Status;
		FString Bar;
		FString Button;
		FString State;
	} Cases[] = {
		{"inactive", TEXT("Get the library with membership."), TEXT("Join membership"), TEXT("nonmember")},
		{"pending", TEXT("Your membership is being confirmed."), TEXT("Check again"), TEXT("membership-pending")},
	};
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Status);
		Membership->Change([&Case](KVAService::FMembershipSettings& Settings) { Settings.MembershipStatus = Case.Status; });
		ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
		ASSERT_TRUE(Settle());
		EXPECT_FALSE(Library().bMember);
		EXPECT_EQ(Library().bMembershipPending, Case.Status == "pending");
		EXPECT_TRUE(Shows(Case.Bar));
		EXPECT_TRUE(IsEnabled(Case.Button));
		SaveState(Case.State);

		// A product for members only: nothing is asked, the panel carries the offer instead of
		// the bar, and no file or add button is offered.
		const size_t Details = CountRequests("/v1/membership/products/");
		ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
		ASSERT_TRUE(Settle());
		EXPECT_EQ(CountRequests("/v1/membership/products/"), Details);
		EXPECT_EQ(Library().Selected->Reason, TEXT("membership_required"));
		EXPECT_FALSE(Shows(TEXT("Get the library with membership.")));
		EXPECT_EQ(Driver().FindTexts(Case.Button).Num(), 1);
		EXPECT_FALSE(Shows(TEXT("Add to Scene")));
		EXPECT_FALSE(Shows(TEXT("Add to Project")));
	}
	// "Join membership" opens the membership page in the browser.
	Membership->Change([](KVAService::FMembershipSettings& Settings) { Settings.MembershipStatus = "inactive"; });
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Join membership")), TEXT(""));
	EXPECT_EQ(Session->Launched.Last(), TEXT("https://api.kestrova.example/membership/?intent=unreal"));
}

TEST_F(SelectionTest, DetailsOfAnotherProductAreRefused)
{
	Service->Script("/v1/membership/products/sel-001", KVAService::FReply::Json(200,
		R"({"product_id":"kp-002","title":"Garden Spider","selection_id":"sel-002","files":[]})"));
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());

	EXPECT_EQ(Library().Code, TEXT("selection_changed"));
	EXPECT_TRUE(TextDrawnIn(TEXT("Could not complete the request. Try again."), KVABrand::Error));
	// The listed record stays chosen, without a file to deliver.
	ASSERT_TRUE(Library().Selected.IsValid());
	EXPECT_EQ(Library().Selected->ProductId, TEXT("kp-001"));
	EXPECT_FALSE(Library().SelectedFile.IsValid());
	EXPECT_FALSE(Shows(TEXT("Add to Scene")));

	// Choosing it again asks again.
	Service->ClearScripts();
	ASSERT_EQ(Click(TEXT("Garden Spider")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_TRUE(Library().SelectedFile.IsValid());
}

TEST_F(SelectionTest, FileButtonsShowTheSizeOfAnOnlyFileOrTheNamesOfSeveral)
{
	const struct
	{
		std::string Id;
		int64 Size;
		int32 Files;
		TArray<FString> Labels;
	} Cases[] = {
		{"s1", 1500, 1, {TEXT("FBX / 2 KB")}},
		{"s2", 1048575, 1, {TEXT("FBX / 1024 KB")}},
		{"s3", 1048576, 1, {TEXT("FBX / 1.0 MB")}},
		{"s4", 5452595, 1, {TEXT("FBX / 5.2 MB")}},
		{"s5", 2000, 2, {TEXT("s5-part1.zip"), TEXT("s5-part2.zip")}},
	};
	for (const auto& Case : Cases)
	{
		AddSized(Case.Id, Case.Size, Case.Files);
	}
	for (const auto& Case : Cases)
	{
		SCOPED_TRACE(Case.Id);
		Choose(KVAText::FromUtf8("Sized " + Case.Id));
		for (const FString& Label : Case.Labels)
		{
			EXPECT_TRUE(ButtonOf(Label).IsValid()) << FTCHARToUTF8(*Label).Get();
		}
	}
	// Another file of the product becomes the one delivered.
	ASSERT_EQ(Click(TEXT("s5-part2.zip")), TEXT(""));
	EXPECT_EQ(Library().SelectedFile->PackageId, TEXT("s5-part2"));
	EXPECT_TRUE(Near(PixelAt(ButtonOf(TEXT("s5-part2.zip")).ToSharedRef(), 0.03f, 0.5f), SRGB(KVABrand::Accent)));
}

TEST_F(SelectionTest, TheConsentWalkUsesOneKeyAndChecksARecordedConsent)
{
	// The service confirms a consent at its second look.
	Membership->Change([](KVAService::FMembershipSettings& Settings) { Settings.ConsentChecks = 1; });
	ASSERT_EQ(Click(TEXT("Garden Spider")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	ASSERT_TRUE(Settle());

	EXPECT_EQ(Library().Code, TEXT("consent_required"));
	EXPECT_TRUE(Library().bConsentRequired);
	EXPECT_TRUE(TextDrawnIn(TEXT("Review the download consent."), KVABrand::Error));
	EXPECT_TRUE(Shows(KVAText::FromUtf8(Membership->Settings().ConsentText)));
	EXPECT_FALSE(IsEnabled(TEXT("Confirm")));
	EXPECT_FALSE(Shows(TEXT("Add to Scene")));
	SaveState(TEXT("consent-required"));

	// Ticking both boxes enables Confirm at once; nothing is rebuilt for it.
	const TSharedPtr<SButton> Confirm = ButtonOf(TEXT("Confirm"));
	ASSERT_EQ(Driver().Click(CheckBoxOf(TEXT("I request immediate access."))), TEXT(""));
	Frame();
	EXPECT_TRUE(Library().bImmediateAccess);
	EXPECT_FALSE(IsEnabled(TEXT("Confirm")));
	ASSERT_EQ(Driver().Click(CheckBoxOf(TEXT("I acknowledge the withdrawal terms above."))), TEXT(""));
	Frame();
	EXPECT_TRUE(Library().bAcknowledgeLoss);
	EXPECT_EQ(ButtonOf(TEXT("Confirm")), Confirm);
	EXPECT_TRUE(IsEnabled(TEXT("Confirm")));
	EXPECT_TRUE(TextDrawnIn(TEXT("Confirm"), KVABrand::OnPrimary));
	SaveState(TEXT("consent-checked"));

	ASSERT_EQ(Click(TEXT("Confirm")), TEXT(""));
	ASSERT_TRUE(Settle());

	const std::vector<nlohmann::ordered_json> Tickets = Bodies("/v1/membership/downloads");
	const std::vector<nlohmann::ordered_json> Consents = Bodies("/v1/membership/consent");
	ASSERT_EQ(Tickets.size(), 1u);
	ASSERT_EQ(Consents.size(), 1u);
	const std::string Key = Tickets[0]["idempotency_key"];
	EXPECT_EQ(Consents[0].dump(), nlohmann::ordered_json({{"package_id", "pkg-002"}, {"idempotency_key", "consent-" + Key},
		{"immediate_access", true}, {"acknowledge_loss", true}}).dump());
	EXPECT_EQ(Library().Code, TEXT("confirmation_required"));
	EXPECT_TRUE(TextDrawnIn(TEXT("Confirmation pending. Check again shortly."), KVABrand::Warning));
	EXPECT_TRUE(Shows(TEXT("Check confirmation")));
	EXPECT_FALSE(Library().ConsentId.IsEmpty());
	SaveState(TEXT("confirmation-pending"));

	// The recorded consent is looked at again; no second one is posted.
	ASSERT_EQ(Click(TEXT("Check confirmation")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(CountPath("/v1/membership/consent"), 1u);
	EXPECT_EQ(CountPath("/v1/membership/consent/" + KVAText::Utf8(Library().ConsentId)), 1u);
	EXPECT_FALSE(Library().bConsentRequired);
	EXPECT_TRUE(Library().Message.IsEmpty());
	EXPECT_TRUE(IsEnabled(TEXT("Add to Scene")));

	// The delivery asks again with the same key, and a finished download forgets it.
	const int32 Actors = Editor->CountLevelActors();
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	ASSERT_TRUE(Settle());
	const std::vector<nlohmann::ordered_json> Again = Bodies("/v1/membership/downloads");
	ASSERT_EQ(Again.size(), 2u);
	EXPECT_EQ(Again[1]["idempotency_key"], Key);
	EXPECT_EQ(Again[1]["selection_id"], "sel-002");
	EXPECT_EQ(Again[1]["package_id"], "pkg-002");
	EXPECT_TRUE(Library().ConsentKeys.IsEmpty());
	EXPECT_EQ(Editor->CountLevelActors(), Actors + 1);
}

TEST_F(SelectionTest, RetriesOfAConsentKeepTheirKeyAndSigningOutForgetsIt)
{
	ASSERT_EQ(Click(TEXT("Garden Spider")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Driver().Click(CheckBoxOf(TEXT("I request immediate access."))), TEXT(""));
	ASSERT_EQ(Driver().Click(CheckBoxOf(TEXT("I acknowledge the withdrawal terms above."))), TEXT(""));
	Frame();

	// The first consent is lost on the way, and so is an answer without a consent id.
	Service->Script("/v1/membership/consent", KVAService::FReply::Json(502, R"({"error":"bad_gateway"})"));
	ASSERT_EQ(Click(TEXT("Confirm")), TEXT(""));
	ASSERT_TRUE(Settle());
	Service->Script("/v1/membership/consent", KVAService::FReply::Json(200, R"({"status":"confirmed"})"));
	ASSERT_EQ(Click(TEXT("Confirm")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(Library().Code, TEXT("invalid_response"));
	EXPECT_TRUE(Library().ConsentId.IsEmpty());
	Service->ClearScripts();
	ASSERT_EQ(Click(TEXT("Confirm")), TEXT(""));
	ASSERT_TRUE(Settle());

	const std::vector<nlohmann::ordered_json> Consents = Bodies("/v1/membership/consent");
	ASSERT_EQ(Consents.size(), 3u);
	EXPECT_EQ(Consents[0]["idempotency_key"], Consents[1]["idempotency_key"]);
	EXPECT_EQ(Consents[1]["idempotency_key"], Consents[2]["idempotency_key"]);
	EXPECT_FALSE(Library().bConsentRequired);
	const FString Key = Library().Key();

	// Another product has its own key; signing out forgets them all.
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_NE(Library().Key(), Key);
	ASSERT_EQ(Click(TEXT("Sign out")), TEXT(""));
	EXPECT_TRUE(Library().ConsentKeys.IsEmpty());
}

TEST_F(SelectionTest, RefusedDownloadsKeepTheirPanel)
{
	// The daily limit is reached: the notice shows and imported files stay available.
	const int Used = Membership->DownloadsToday();
	Membership->Change([Used](KVAService::FMembershipSettings& Settings) { Settings.DailyLimit = Used; });
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(Library().Selected->Reason, TEXT("daily_limit"));
	EXPECT_TRUE(TextDrawnIn(TEXT("Daily limit reached. Your imported files remain available."), KVABrand::Warning));
	EXPECT_TRUE(IsEnabled(TEXT("Add to Scene")));
	EXPECT_TRUE(IsEnabled(TEXT("Add to Project")));
	// The membership bar stays for any refusal but membership.
	SaveState(TEXT("daily-limit"));
	ASSERT_EQ(Click(TEXT("Add to Project")), TEXT(""));
	ASSERT_TRUE(Settle());
	EXPECT_EQ(Library().Code, TEXT("daily_download_limit"));
	EXPECT_EQ(CountPath("/v1/membership/downloads"), 0u);

	// Any other refusal disables the add buttons.
	AddProduct("region", "Blocked Region", {{"models/box.fbx", KVAZip::TestModel("box.fbx")}});
	Service->Script("/v1/membership/products/sel-region", KVAService::FReply::Json(200, nlohmann::json({{"product_id", "region"}, {"title", "Blocked Region"},
		{"selection_id", "sel-region"}, {"download", {{"allowed", false}, {"reason", "region_blocked"}}},
		{"files", nlohmann::json::array({nlohmann::json::parse(R"({"package_id":"pkg-region","sha256":")" + Membership->Products().back().Packages[0].Sha256
			+ R"(","filename":"pkg-region.zip","formats":["fbx"],"size_bytes":)" + std::to_string(Membership->Products().back().Packages[0].Bytes.size()) + "}")})}}).dump()));
	Membership->Change([](KVAService::FMembershipSettings& Settings) { Settings.DailyLimit = 50; });
	Choose(TEXT("Blocked Region"));
	EXPECT_TRUE(Shows(TEXT("Add to Scene")));
	EXPECT_FALSE(IsEnabled(TEXT("Add to Scene")));
	EXPECT_FALSE(IsEnabled(TEXT("Add to Project")));
}

TEST_F(SelectionTest, DetailsAnsweringTheIdInAnotherCaseKeepTheTileChosen)
{
	// The listing spells the product ids in capitals; the details (the service's own) in lower case.
	Service->Script("/v1/membership/catalog", KVAService::FReply::Json(200, R"({"items":[
		{"product_id":"KP-001","title":"Oak Chair","selection_id":"sel-001","kind":"asset","thumbnail":{"url":""}},
		{"product_id":"KP-002","title":"Garden Spider","selection_id":"sel-002","kind":"asset","thumbnail":{"url":""}}
	],"next_cursor":null})"));
	ASSERT_EQ(Click(TEXT("Refresh")), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());

	EXPECT_EQ(Library().Code, TEXT(""));
	ASSERT_TRUE(Library().Selected.IsValid());
	EXPECT_EQ(Library().Selected->ProductId, TEXT("kp-001"));
	EXPECT_TRUE(Library().SelectedFile.IsValid());
	// The rebuilt grid marks the listed tile of that product.
	EXPECT_EQ(Library().Grid->GetSelectedItems(), TArray<FKVAProductPtr>{Library().Products[0]});
}
