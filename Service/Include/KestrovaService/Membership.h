#pragma once

#include "KestrovaService/Service.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace KVAService
{
	// The side, in pixels, of every preview of the fixture catalogue (square WebP images).
	constexpr int FixturePreviewSize = 256;

	// One package of a fixture product: a real ZIP made from real FBX models.
	struct FPackage
	{
		std::string PackageId;
		std::string Filename;
		std::vector<std::string> Formats;
		std::string Bytes;
		std::string Sha256;
	};

	// One product of the fixture catalogue.
	struct FProduct
	{
		std::string ProductId;
		std::string Title;
		std::string Kind;
		std::string SelectionId;
		// "membership" or "purchase": purchases are fetched through tickets.
		std::string Source;
		bool bInLibrary = false;
		bool bNeedsConsent = false;
		std::vector<FPackage> Packages;
		// The preview's address; empty means the service's own preview of this product.
		std::string Thumbnail;
	};

	// What a test (or the demo) can change about the service while it runs.
	struct FMembershipSettings
	{
		// Configuration reply.
		bool bFixture = false;
		std::string Login = "browser-pkce";
		bool bMembershipFlag = true;
		std::vector<std::string> LoginClients { "unreal" };
		std::string ConsentText = "Downloads start at once. By asking for immediate access you lose the right to withdraw from this download.";
		// Sign-in.
		int64_t AttemptSeconds = 600;
		int64_t PollIntervalSeconds = 2;
		int64_t TokenSeconds = 3600;
		// Membership: "active", "inactive" or "pending".
		std::string MembershipStatus = "active";
		// Consent answers "pending" to this many checks before it is confirmed.
		int ConsentChecks = 0;
		// Downloads a member may start per day.
		int DailyLimit = 50;
		// The next this-many ticket requests are answered "queued".
		int QueuedTickets = 0;
		// Lifetime of a download address.
		int64_t TicketSeconds = 300;
	};

	// The whole Kestrova membership service on top of an FService: configuration, browser
	// sign-in with PKCE, membership, catalogue and library pages, product details, consent,
	// tickets and downloads, previews on the image hosts and packages behind signed,
	// expiring addresses on the content host. Thread-safe.
	class FMembership
	{
	public:
		explicit FMembership(FService& InService);
		~FMembership();
		FMembership(const FMembership&) = delete;
		FMembership& operator=(const FMembership&) = delete;

		FMembershipSettings Settings() const;
		void Change(const std::function<void(FMembershipSettings&)>& Edit);

		// The sign-in page's two buttons, for the attempt named in its address.
		bool Decide(const std::string& AttemptId, bool bApprove);
		// The attempt id carried by a sign-in page address, or empty.
		static std::string AttemptOf(const std::string& AuthorizationUrl);

		// Moves the service's clock (attempt, token and address expiry, the daily count).
		void AdvanceClock(int64_t Seconds);

		const std::deque<FProduct>& Products() const;
		// Adds a product after the fixture catalogue (with its preview tile, when given).
		void AddProduct(FProduct Product, std::string PreviewWebP = std::string());
		// The signed address at which the content host hands out the package until ExpiresAt
		// (service clock, Unix seconds), as a ticket carries it.
		std::string TicketUrl(const std::string& PackageId, int64_t ExpiresAt) const;
		// The service's clock, in Unix seconds.
		int64_t Now() const;
		// A package record for ZIP bytes: id, file name, formats and SHA-256.
		static FPackage MakePackage(const std::string& PackageId, std::string ZipBytes);
		const FPackage* FindPackage(const std::string& PackageId) const;
		// Tokens issued and not ended; the sign-out notice ends one.
		std::vector<std::string> LiveTokens() const;
		int DownloadsToday() const;

	private:
		struct FImpl;
		std::unique_ptr<FImpl> Impl;
	};
}
