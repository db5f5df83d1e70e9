#include "Client/KestrovaClient.h"

#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	TSharedPtr<FJsonObject> Json(const std::string& Text)
	{
		TSharedPtr<FJsonObject> Object;
		const bool bParsed = FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(FString(FUTF8ToTCHAR(Text.c_str()).Get())), Object);
		EXPECT_TRUE(bParsed) << Text;
		return Object;
	}

	const std::string Hash = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

	// Built by appending: GCC 12 at -O3 reports a false -Wrestrict overlap inside
	// operator+(const char*, std::string&&), the form "\"" + Text.substr(1) would take.
	std::string Quoted(const std::string& Text)
	{
		std::string Out = "\"";
		Out += Text;
		Out += '"';
		return Out;
	}

	// A valid file record with one field replaced (or removed, with an empty value).
	std::string FileJson(const std::string& Key = "", const std::string& Value = "")
	{
		const std::pair<std::string, std::string> Fields[] = {
			{"package_id", "\"pkg-1\""},
			{"sha256", Quoted(Hash)},
			{"filename", "\"Chair.zip\""},
			{"source", "\"membership\""},
			{"selection_id", "\"sel-1\""},
			{"url", "\"https://content.kestrova.example/p/1\""},
			{"formats", "[\"fbx\"]"},
			{"size_bytes", "1024"},
			{"expires_at", "1900000000"},
		};
		std::string Out = "{";
		for (const auto& [Name, Default] : Fields)
		{
			const std::string Chosen = Name == Key ? Value : Default;
			if (Chosen.empty())
			{
				continue;
			}
			if (Out.size() > 1)
			{
				Out += ',';
			}
			Out += Quoted(Name) + ":" + Chosen;
		}
		return Out + "}";
	}
}

TEST(Records, FileValidity)
{
	struct FCase
	{
		const char* Name;
		std::string Key;
		std::string Value;
		bool bValid;
	};
	const FCase Cases[] = {
		{"complete", "", "", true},
		{"uppercase hash", "sha256", "\"0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF\"", false},
		{"63 digits", "sha256", Quoted(Hash.substr(1)), false},
		{"65 digits", "sha256", Quoted(Hash + "0"), false},
		{"no package id", "package_id", "\"\"", false},
		{"size 2 GiB", "size_bytes", "2147483648", true},
		{"size 2 GiB + 1", "size_bytes", "2147483649", false},
		{"size 0", "size_bytes", "0", false},
		{"size -5", "size_bytes", "-5", false},
		{"size 12.5", "size_bytes", "12.5", false},
		{"size absent", "size_bytes", "", false},
		{"size 1", "size_bytes", "1", true},
		{"FBX in capitals", "formats", "[\"FBX\"]", true},
		{"obj and glb", "formats", "[\"obj\",\"glb\"]", false},
		{"no formats", "formats", "[]", false},
		{"numbers among formats", "formats", "[3,\"fbx\",null]", true},
		{".ZIP name", "filename", "\"CHAIR.ZIP\"", true},
		{".zip.txt name", "filename", "\"chair.zip.txt\"", false},
		{"no name", "filename", "", false},
		{"no expiry", "expires_at", "", true},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		EXPECT_EQ(FKVAClient::File(Json(FileJson(Case.Key, Case.Value))).IsValid(), Case.bValid);
	}

	const TSharedPtr<FKVAFile> File = FKVAClient::File(Json(FileJson("formats", "[\"zip\",1,\"FBX\"]")));
	ASSERT_TRUE(File.IsValid());
	EXPECT_EQ(File->Formats, (TArray<FString>{TEXT("zip"), TEXT("FBX")}));
	EXPECT_EQ(File->SizeBytes, 1024);
	EXPECT_EQ(File->ExpiresAt, 1900000000);
	EXPECT_EQ(FKVAClient::File(Json(FileJson("expires_at", "")))->ExpiresAt, -1);
	EXPECT_EQ(FKVAClient::File(Json(FileJson("expires_at", "1e300")))->ExpiresAt, -1);
	EXPECT_EQ(FKVAClient::File(Json(FileJson("expires_at", "9007199254740991")))->ExpiresAt, 9007199254740991);
	EXPECT_EQ(FKVAClient::File(Json(FileJson("expires_at", "9007199254740992")))->ExpiresAt, -1);
	EXPECT_FALSE(FKVAClient::File(nullptr).IsValid());
}

TEST(Records, ProductRules)
{
	const std::string Valid = FileJson();
	const std::string Invalid = FileJson("sha256", "\"x\"");
	struct FCase
	{
		const char* Name;
		std::string Text;
		bool bLibrary;
		bool bProduct;
		int32 Files;
		bool bOwned;
		bool bAllowed;
	};
	const FCase Cases[] = {
		{"catalogue entry with selection", R"({"product_id":"p","title":"T","selection_id":"s","files":[)" + Valid + "]}", false, true, 1, false, false},
		{"catalogue entry without selection", R"({"product_id":"p","title":"T","files":[)" + Valid + "]}", false, false, 0, false, false},
		{"library purchase in capitals", R"({"product_id":"p","title":"T","source":"PURCHASE","files":[)" + Valid + "]}", true, true, 1, true, true},
		{"library purchase without files", R"({"product_id":"p","title":"T","source":"purchase"})", true, false, 0, false, false},
		{"library membership without selection", R"({"product_id":"p","title":"T","source":"membership","files":[)" + Valid + "]}", true, false, 0, false, false},
		{"library entry refused but holding a file", R"({"product_id":"p","title":"T","selection_id":"s","owned":false,"download":{"allowed":false,"reason":"daily_download_limit"},"files":[)" + Valid + "]}", true, true, 1, true, true},
		{"string among files", R"({"product_id":"p","title":"T","selection_id":"s","files":[)" + Valid + R"(,"x"]})", false, false, 0, false, false},
		{"null among files", R"({"product_id":"p","title":"T","selection_id":"s","files":[null]})", false, false, 0, false, false},
		{"only an invalid file", R"({"product_id":"p","title":"T","selection_id":"s","files":[)" + Invalid + "]}", false, true, 0, false, false},
		{"no title", R"({"product_id":"p","selection_id":"s"})", false, false, 0, false, false},
		{"no product id", R"({"title":"T","selection_id":"s"})", false, false, 0, false, false},
		{"catalogue flags as sent", R"({"product_id":"p","title":"T","selection_id":"s","owned":true,"download":{"allowed":true}})", false, true, 0, true, true},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		const FKVAProductPtr Product = FKVAClient::Product(Json(Case.Text), Case.bLibrary);
		ASSERT_EQ(Product.IsValid(), Case.bProduct);
		if (Product.IsValid())
		{
			EXPECT_EQ(Product->Files.Num(), Case.Files);
			EXPECT_EQ(Product->bOwned, Case.bOwned);
			EXPECT_EQ(Product->bAllowed, Case.bAllowed);
		}
	}
}

TEST(Records, ProductFields)
{
	const FKVAProductPtr Product = FKVAClient::Product(Json(
		"{\"product_id\":\"p-9\",\"title\":\"Oak \xE2\x80\x94 Chair\",\"kind\":\"asset\",\"selection_id\":\"s-9\",\"source\":\"membership\","
		"\"thumbnail\":{\"url\":\"https://images.kestrova.example/p9.webp\"},\"download\":{\"allowed\":true,\"reason\":\"\"}}"), false);
	ASSERT_TRUE(Product.IsValid());
	EXPECT_TRUE(Product->Title.Equals(TEXT("Oak : Chair"), ESearchCase::CaseSensitive));
	EXPECT_EQ(Product->Thumbnail, TEXT("https://images.kestrova.example/p9.webp"));
	EXPECT_EQ(Product->Kind, TEXT("asset"));
	EXPECT_TRUE(Product->bAllowed);

	const FKVAProductPtr Dash = FKVAClient::Product(Json("{\"product_id\":\"p\",\"title\":\"\xE2\x80\x94\",\"selection_id\":\"s\",\"thumbnail\":\"https://x\"}"), false);
	ASSERT_TRUE(Dash.IsValid());
	EXPECT_TRUE(Dash->Title.Equals(TEXT(":"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Dash->Thumbnail.IsEmpty());
	EXPECT_FALSE(FKVAClient::Product(nullptr, true).IsValid());
}

TEST(Records, MessagesForCodes)
{
	struct FCase
	{
		const TCHAR* Code;
		const TCHAR* Sentence;
	};
	// Every row of the table, then the same codes in other letter cases, then codes it lacks.
	const FCase Cases[] = {
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
		{TEXT("INVALID_SESSION"), TEXT("Sign in to continue.")},
		{TEXT("Consent_Required"), TEXT("Review the download consent.")},
		{TEXT("MEMBERSHIP_INACTIVE"), TEXT("Join membership to access this asset.")},
		{TEXT("LOGIN_EXPIRED"), TEXT("Sign-in expired. Try again.")},
		{TEXT("network_failed"), TEXT("Could not complete the request. Try again.")},
		{TEXT("consent"), TEXT("Could not complete the request. Try again.")},
		{TEXT("membership_inactive "), TEXT("Could not complete the request. Try again.")},
		{TEXT("some_future_code"), TEXT("Could not complete the request. Try again.")},
		{TEXT(""), TEXT("Could not complete the request. Try again.")},
	};
	for (const FCase& Case : Cases)
	{
		EXPECT_TRUE(FKVAClient::Message(Case.Code).Equals(Case.Sentence, ESearchCase::CaseSensitive)) << TCHAR_TO_UTF8(Case.Code);
	}
}

TEST(Records, TimesAndCountsAreWholeNonNegativeNumbers)
{
	struct FCase
	{
		const char* Value;
		int64 ExpiresAt;
	};
	const FCase Cases[] = {
		{"1900000000", 1900000000},
		{"0", 0},
		{"-5", -1},
		{"-0.5", -1},
		{"12.5", -1},
		{"1e3", 1000},
		{"9007199254740991", 9007199254740991},
		{"9007199254740992", -1},
		{"null", -1},
		{"", -1},
	};
	for (const FCase& Case : Cases)
	{
		const TSharedPtr<FKVAFile> File = FKVAClient::File(Json(FileJson("expires_at", Case.Value)));
		ASSERT_TRUE(File.IsValid()) << Case.Value;
		EXPECT_EQ(File->ExpiresAt, Case.ExpiresAt) << Case.Value;
	}
}
