#include "ClientTestSupport.h"

#include "Platform/Keys.h"

#include "Misc/DateTime.h"
#include "Misc/FileHelper.h"

#include <filesystem>
#include <fstream>

namespace
{
	constexpr int64 MiB = 1 << 20;

	std::string Sha256Of(const std::string& Bytes)
	{
		const std::string Path = std::filesystem::temp_directory_path() / "kestrova-hash-probe";
		std::ofstream(Path, std::ios::binary).write(Bytes.data(), std::streamsize(Bytes.size()));
		const std::string Hash = KVAPlatform::FileHash(Path);
		std::filesystem::remove(Path);
		return Hash;
	}

	std::string Pattern(uint64 Size)
	{
		std::string Bytes(Size, '\0');
		for (uint64 Offset = 0; Offset < Size; ++Offset)
		{
			Bytes[Offset] = char(KVAService::PatternByte(Offset));
		}
		return Bytes;
	}
}

class TransfersTest : public ClientTest
{
protected:
	FString Target;
	TArray<float> Fractions;

	void SetUp() override
	{
		ClientTest::SetUp();
		Target = FPaths::ProjectSavedDir() / TEXT("Kestrova/Downloads/target.zip.part");
		IFileManager::Get().MakeDirectory(*FPaths::GetPath(Target), true);
	}

	// A record for Size pattern bytes served from /packages/scripted.
	FKVAFile Scripted(uint64 Size, const std::string& Hash)
	{
		FKVAFile File;
		File.PackageId = TEXT("pkg-scripted");
		File.Sha256 = KVAText::FromUtf8(Hash);
		File.Filename = TEXT("scripted.zip");
		File.Url = TEXT("https://content.kestrova.example/packages/scripted");
		File.Formats = {TEXT("fbx")};
		File.SizeBytes = int64(Size);
		File.ExpiresAt = FDateTime::UtcNow().ToUnixTimestamp() + 300;
		return File;
	}

	FString Download(const FKVAFile& File)
	{
		std::optional<FString> Code;
		Client->Download(File, Target, [this](float Fraction) { Fractions.Add(Fraction); }, [&Code](const FString& Result) { Code = Result; });
		EXPECT_TRUE(Host.PumpUntil([&] { return Code.has_value(); }, 60.0));
		return Code.value_or(TEXT("<none>"));
	}

	bool TargetExists() const
	{
		return IFileManager::Get().FileExists(*Target);
	}
};

TEST_F(TransfersTest, ATicketedPackageDownloadsAndVerifies)
{
	ASSERT_EQ(SignIn(), TEXT(""));
	TSharedPtr<FJsonObject> Ticket;
	TSharedPtr<FJsonObject> Body = FKVAClient::Object();
	Body->SetStringField(TEXT("package_id"), TEXT("pkg-004"));
	std::optional<FString> Code;
	Client->API(TEXT("POST"), TEXT("/v1/membership/tickets"), Body, [&](TSharedPtr<FJsonObject> Json, const FString& Result) { Ticket = Json; Code = Result; }, false);
	ASSERT_TRUE(Host.PumpUntil([&] { return Code.has_value(); }));
	ASSERT_EQ(*Code, TEXT(""));
	const TSharedPtr<FKVAFile> File = FKVAClient::File(Ticket);
	ASSERT_TRUE(File.IsValid());
	EXPECT_EQ(Download(*File), TEXT(""));
	TArray<uint8> Bytes;
	ASSERT_TRUE(FFileHelper::LoadFileToArray(Bytes, *Target));
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(Bytes.GetData()), size_t(Bytes.Num())), Membership->FindPackage("pkg-004")->Bytes);
	EXPECT_EQ(Fractions.Last(), 1.0f);
}

TEST_F(TransfersTest, ProgressAtEachMebibyteAndAtTheEnd)
{
	const std::string Bytes = Pattern(3 * MiB);
	KVAService::FReply Reply;
	Reply.Headers.push_back({ "Content-Type", "application/zip" });
	Reply.PatternLength = 3 * MiB;
	Service.Script("/packages/scripted", Reply);
	EXPECT_EQ(Download(Scripted(3 * MiB, Sha256Of(Bytes))), TEXT(""));
	EXPECT_EQ(Fractions, (TArray<float>{float(1.0 / 3.0), float(2.0 / 3.0), 1.0f}));
	EXPECT_EQ(IFileManager::Get().FileSize(*Target), 3 * MiB);
}

TEST_F(TransfersTest, RefusedBeforeAnythingIsSent)
{
	const std::string Hash = Sha256Of("x");
	const int64 Now = FDateTime::UtcNow().ToUnixTimestamp();
	struct FCase
	{
		const char* Name;
		std::function<void(FKVAFile&)> Edit;
	};
	const FCase Cases[] = {
		{"expired", [Now](FKVAFile& File) { File.ExpiresAt = Now - 10; }},
		{"expires this second", [](FKVAFile& File) { File.ExpiresAt = FDateTime::UtcNow().ToUnixTimestamp(); }},
		{"no expiry", [](FKVAFile& File) { File.ExpiresAt = -1; }},
		{"invalid record", [](FKVAFile& File) { File.Sha256 = TEXT("abc"); }},
		{"image host", [](FKVAFile& File) { File.Url = TEXT("https://images.kestrova.example/packages/scripted"); }},
		{"plain http", [](FKVAFile& File) { File.Url = TEXT("http://content.kestrova.example/packages/scripted"); }},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		FKVAFile File = Scripted(1, Hash);
		Case.Edit(File);
		std::optional<FString> Code;
		Client->Download(File, Target, nullptr, [&Code](const FString& Result) { Code = Result; });
		EXPECT_EQ(Code.value_or(TEXT("<later>")), TEXT("invalid_package"));
	}

	// An existing destination is refused and left as it was.
	TArray<uint8> Existing{1, 2, 3};
	FFileHelper::SaveArrayToFile(Existing, *Target);
	std::optional<FString> Code;
	Client->Download(Scripted(1, Hash), Target, nullptr, [&Code](const FString& Result) { Code = Result; });
	EXPECT_EQ(Code.value_or(TEXT("<later>")), TEXT("invalid_package"));
	TArray<uint8> After;
	FFileHelper::LoadFileToArray(After, *Target);
	EXPECT_EQ(After, Existing);
	Host.PumpUntil([] { return false; }, 0.2);
	EXPECT_TRUE(RequestsTo("/packages/scripted").empty());
}

TEST_F(TransfersTest, FailuresLeaveNoFile)
{
	const std::string Bytes = Pattern(MiB + 7);
	const std::string Hash = Sha256Of(Bytes);
	auto Served = [](std::function<void(KVAService::FReply&)> Edit)
	{
		KVAService::FReply Reply;
		Reply.Headers.push_back({ "Content-Type", "application/zip" });
		Reply.PatternLength = MiB + 7;
		Edit(Reply);
		return Reply;
	};
	struct FCase
	{
		const char* Name;
		KVAService::FReply Reply;
		std::string Hash;
	};
	const FCase Cases[] = {
		{"short body", Served([](auto& R) { R.AnnouncedLength = MiB + 7; R.PatternLength = MiB; }), Hash},
		{"wrong hash", Served([](auto&) {}), Sha256Of("other")},
		{"announced too large", Served([](auto& R) { R.PatternLength = MiB + 8; }), Hash},
		{"streamed too large", Served([](auto& R) { R.PatternLength = MiB + 8; R.bChunked = true; }), Hash},
		{"not found", KVAService::FReply::Json(404, R"({"error":"not_found"})"), Hash},
		{"redirect", KVAService::FReply::Redirect(302, "https://content.kestrova.example/packages/other"), Hash},
		{"dropped", Served([](auto& R) { R.DropAfter = 4096; }), Hash},
		// The package's reader has begun to follow the file by then.
		{"dropped after the first MiB", Served([](auto& R) { R.DropAfter = MiB + 3; }), Hash},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		Service.Script("/packages/scripted", Case.Reply);
		EXPECT_EQ(Download(Scripted(MiB + 7, Case.Hash)), TEXT("download_failed"));
		EXPECT_FALSE(TargetExists());
	}
}

TEST_F(TransfersTest, CancelDuringADownloadStopsEverything)
{
	KVAService::FReply Slow;
	Slow.Headers.push_back({ "Content-Type", "application/zip" });
	Slow.PatternLength = 4 * MiB;
	Slow.ChunkBytes = 512 * 1024;
	Slow.ChunkDelay = std::chrono::milliseconds(200);
	Service.Script("/packages/scripted", Slow);
	int32 DoneCalls = 0;
	Client->Download(Scripted(4 * MiB, Sha256Of(Pattern(4 * MiB))), Target, [this](float Fraction) { Fractions.Add(Fraction); }, [&DoneCalls](const FString&) { ++DoneCalls; });
	ASSERT_TRUE(Host.PumpUntil([&] { return Fractions.Num() >= 1; }, 30.0));
	Client->Cancel();
	const int32 Reported = Fractions.Num();
	// The transport ends within a poll; the partial file is deleted when it does.
	ASSERT_TRUE(Host.PumpUntil([&] { return !TargetExists(); }, 10.0));
	Host.PumpUntil([] { return false; }, 0.5);
	EXPECT_EQ(DoneCalls, 0);
	EXPECT_EQ(Fractions.Num(), Reported);
}

TEST_F(TransfersTest, PreviewsAreWebPOrNothing)
{
	auto Preview = [this](const FString& Url)
	{
		std::optional<std::pair<int32, FString>> Result;
		Client->Preview(Url, [&Result](TArray<uint8> Bytes, const FString& Code) { Result = std::make_pair(Bytes.Num(), Code); });
		EXPECT_TRUE(Host.PumpUntil([&] { return Result.has_value(); }));
		return Result.value_or(std::make_pair(-1, FString(TEXT("<none>"))));
	};
	const auto Good = Preview(TEXT("https://images.kestrova.example/previews/kp-001.webp"));
	EXPECT_GT(Good.first, 30);
	EXPECT_EQ(Good.second, TEXT(""));

	KVAService::FReply Png;
	Png.Headers.push_back({ "Content-Type", "image/png" });
	Png.Body = "\x89PNG\r\n\x1a\nrest";
	KVAService::FReply ErrorWebP = Png;
	ErrorWebP.Status = 404;
	ErrorWebP.Headers = { { "Content-Type", "image/webp" } };
	KVAService::FReply Large;
	Large.Headers.push_back({ "Content-Type", "image/webp" });
	Large.PatternLength = 2097153;
	KVAService::FReply EmptyWebP;
	EmptyWebP.Headers.push_back({ "Content-Type", "image/webp" });
	KVAService::FReply Upper;
	Upper.Headers.push_back({ "Content-Type", "IMAGE/WEBP" });
	Upper.Body = "RIFF....WEBP";
	for (const KVAService::FReply& Reply : { Png, ErrorWebP, Large, EmptyWebP, Upper })
	{
		Service.Script("/previews/scripted.webp", Reply);
		const auto Result = Preview(TEXT("https://images.kestrova.example/previews/scripted.webp"));
		EXPECT_EQ(Result.first, 0);
		EXPECT_EQ(Result.second, TEXT("Preview unavailable"));
	}
	// A preview address on the content host never leaves the machine.
	const auto Refused = Preview(TEXT("https://content.kestrova.example/previews/kp-001.webp"));
	EXPECT_EQ(Refused.second, TEXT("Preview unavailable"));

	// A cancelled preview never calls back.
	int32 Calls = 0;
	Client->Preview(TEXT("https://images.kestrova.example/previews/kp-002.webp"), [&Calls](TArray<uint8>, const FString&) { ++Calls; });
	Client->Cancel();
	Host.PumpUntil([] { return false; }, 0.5);
	EXPECT_EQ(Calls, 0);
}
