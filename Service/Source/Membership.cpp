#include "KestrovaService/Membership.h"

#include "Encoding.h"
#include "Fixtures.h"

#include <nlohmann/json.hpp>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <set>

namespace KVAService
{
	namespace
	{
		using FJson = nlohmann::ordered_json;

		const char* const ApiHost = "api.kestrova.example";
		const char* const ContentHost = "content.kestrova.example";
		const char* const PreviewHosts[] = { "images.kestrova.example", "kestrova.example", "www.kestrova.example", "api.kestrova.example" };
		constexpr size_t PageSize = 24;

		FReply Error(int Status, const std::string& Code)
		{
			return FReply::Json(Status, FJson { { "error", Code } }.dump());
		}

		FReply Ok(const FJson& Body, int Status = 200)
		{
			return FReply::Json(Status, Body.dump());
		}

		std::string RandomToken(size_t Bytes)
		{
			return Encoding::Hex(Encoding::RandomBytes(Bytes));
		}

		// RFC 7636 S256: the challenge is BASE64URL(SHA256(ASCII(verifier))).
		std::string S256(const std::string& Verifier)
		{
			return Encoding::Base64Url(Encoding::Sha256(Verifier));
		}

		std::string Lower(std::string Text)
		{
			std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char Char) { return char(std::tolower(Char)); });
			return Text;
		}

		FJson ParseBody(const FRequestRecord& Request)
		{
			FJson Body = FJson::parse(Request.Body, nullptr, false);
			return Body.is_object() ? Body : FJson::object();
		}

		std::string Field(const FJson& Body, const char* Key)
		{
			const auto It = Body.find(Key);
			return It != Body.end() && It->is_string() ? It->get<std::string>() : std::string();
		}

		std::string QueryOf(const FRequestRecord& Request, const char* Key)
		{
			const auto It = Request.Query.find(Key);
			return It == Request.Query.end() ? std::string() : It->second;
		}

		struct FAttempt
		{
			std::string Challenge;
			int64_t Expires = 0;
			// "pending", "approved", "refused", "canceled", "used"
			std::string State = "pending";
		};

		struct FConsent
		{
			std::string ConsentId;
			std::string PackageId;
			int ChecksLeft = 0;
		};

		struct FTicket
		{
			std::string PackageId;
			int64_t Expires = 0;
		};
	}

	struct FMembership::FImpl
	{
		FService& Service;
		mutable std::mutex Mutex;
		FMembershipSettings Settings;
		// The fixture catalogue, then whatever a test added.
		std::deque<FProduct> Products { Fixtures::Catalogue().begin(), Fixtures::Catalogue().end() };
		std::map<std::string, std::string> Previews = Fixtures::Previews();
		std::string SigningKey = Encoding::RandomBytes(32);
		// Tells cursors this service made from forged ones.
		std::string CursorTag = Signature("cursor", 0).substr(0, 8);
		int64_t ClockOffset = 0;

		std::map<std::string, FAttempt> Attempts;
		std::map<std::string, int64_t> Tokens;
		std::map<std::string, FConsent> Consents;
		std::map<std::string, std::string> ConsentByKey;
		std::set<std::string> ConsentedPackages;
		std::map<std::string, FTicket> TicketsByKey;
		int Downloads = 0;
		int64_t DayStart = 0;

		explicit FImpl(FService& InService)
			: Service(InService)
		{
			DayStart = Now();
		}

		int64_t Now() const
		{
			return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count() + ClockOffset;
		}

		const FProduct* FindBySelection(const std::string& SelectionId) const
		{
			for (const FProduct& Product : Products)
			{
				if (Product.SelectionId == SelectionId)
				{
					return &Product;
				}
			}
			return nullptr;
		}

		std::pair<const FProduct*, const FPackage*> FindPackage(const std::string& PackageId) const
		{
			for (const FProduct& Product : Products)
			{
				for (const FPackage& Package : Product.Packages)
				{
					if (Package.PackageId == PackageId)
					{
						return { &Product, &Package };
					}
				}
			}
			return { nullptr, nullptr };
		}

		// Locked: the bearer token of the request is live.
		bool Authorised(const FRequestRecord& Request)
		{
			const auto Header = Request.Headers.find("authorization");
			if (Header == Request.Headers.end() || Header->second.rfind("Bearer ", 0) != 0)
			{
				return false;
			}
			const auto Token = Tokens.find(Header->second.substr(7));
			return Token != Tokens.end() && Token->second > Now();
		}

		std::string Signature(const std::string& PackageId, int64_t Expires) const
		{
			const std::string Message = PackageId + "|" + std::to_string(Expires);
			unsigned char Mac[EVP_MAX_MD_SIZE];
			unsigned int Length = 0;
			HMAC(EVP_sha256(), SigningKey.data(), int(SigningKey.size()), reinterpret_cast<const unsigned char*>(Message.data()), Message.size(), Mac, &Length);
			return Encoding::Base64Url(std::string(reinterpret_cast<const char*>(Mac), Length));
		}

		std::string Url(const std::string& PackageId, int64_t Expires) const
		{
			return std::string("https://") + ContentHost + "/packages/" + PackageId + "?expires=" + std::to_string(Expires) + "&sig=" + Signature(PackageId, Expires);
		}

		FJson FileJson(const FProduct& Product, const FPackage& Package, const FTicket* Ticket) const
		{
			FJson File = {
				{ "package_id", Package.PackageId },
				{ "sha256", Package.Sha256 },
				{ "filename", Package.Filename },
				{ "source", Product.Source },
				{ "selection_id", Product.SelectionId },
				{ "formats", Package.Formats },
				{ "size_bytes", Package.Bytes.size() },
			};
			if (Ticket)
			{
				File["url"] = Url(Package.PackageId, Ticket->Expires);
				File["expires_at"] = Ticket->Expires;
			}
			return File;
		}

		// The catalogue lists products without their files, which come with the details; the
		// member's library lists them with their files.
		FJson ProductJson(const FProduct& Product, bool bWithFiles) const
		{
			const bool bActive = Settings.MembershipStatus == "active";
			const bool bAllowed = Product.Source == "purchase" || (bActive && Downloads < Settings.DailyLimit);
			std::string Reason;
			if (!bAllowed)
			{
				Reason = !bActive ? "membership_required" : "daily_limit";
			}
			FJson Json = {
				{ "product_id", Product.ProductId },
				{ "title", Product.Title },
				{ "kind", Product.Kind },
				{ "selection_id", Product.SelectionId },
				{ "source", Product.Source },
				{ "owned", Product.Source == "purchase" },
				{ "thumbnail", { { "url", Product.Thumbnail.empty() ? std::string("https://") + PreviewHosts[0] + "/previews/" + Product.ProductId + ".webp" : Product.Thumbnail } } },
				{ "download", { { "allowed", bAllowed }, { "reason", Reason } } },
			};
			if (bWithFiles)
			{
				FJson Files = FJson::array();
				for (const FPackage& Package : Product.Packages)
				{
					Files.push_back(FileJson(Product, Package, nullptr));
				}
				Json["files"] = Files;
			}
			return Json;
		}

		FReply Listing(const FRequestRecord& Request, bool bLibrary)
		{
			const std::string Query = Lower(QueryOf(Request, "q"));
			const std::string Kind = Lower(QueryOf(Request, "product_kind"));
			const std::string Format = Lower(QueryOf(Request, "format"));
			const std::string Cursor = QueryOf(Request, "cursor");

			std::vector<const FProduct*> Matches;
			for (const FProduct& Product : Products)
			{
				if (bLibrary && !Product.bInLibrary)
				{
					continue;
				}
				if (!Query.empty() && Lower(Product.Title).find(Query) == std::string::npos)
				{
					continue;
				}
				if (!Kind.empty() && Lower(Product.Kind) != Kind)
				{
					continue;
				}
				const bool bHasFormat = Format.empty() || std::any_of(Product.Packages.begin(), Product.Packages.end(), [&](const FPackage& Package)
				{
					return std::find(Package.Formats.begin(), Package.Formats.end(), Format) != Package.Formats.end();
				});
				if (bHasFormat)
				{
					Matches.push_back(&Product);
				}
			}

			// Cursors are opaque to the client: the offset, signed so that a forged one fails.
			size_t Offset = 0;
			if (!Cursor.empty())
			{
				const size_t Dot = Cursor.find('.');
				if (Dot == std::string::npos || CursorTag != Cursor.substr(Dot + 1))
				{
					return Error(400, "invalid_cursor");
				}
				Offset = size_t(std::strtoull(Cursor.substr(0, Dot).c_str(), nullptr, 10));
			}
			FJson Items = FJson::array();
			for (size_t Index = Offset; Index < Matches.size() && Index < Offset + PageSize; ++Index)
			{
				Items.push_back(ProductJson(*Matches[Index], bLibrary));
			}
			FJson Body = { { "items", Items } };
			if (Offset + PageSize < Matches.size())
			{
				Body["next_cursor"] = std::to_string(Offset + PageSize) + "." + CursorTag;
			}
			else
			{
				Body["next_cursor"] = nullptr;
			}
			return Ok(Body);
		}

		FReply IssueTicket(const FProduct& Product, const FPackage& Package, const std::string& IdempotencyKey)
		{
			if (!IdempotencyKey.empty())
			{
				const auto Known = TicketsByKey.find(IdempotencyKey);
				if (Known != TicketsByKey.end())
				{
					if (Known->second.Expires <= Now())
					{
						return Error(410, "download_expired");
					}
					return Ok(FileJson(Product, Package, &Known->second));
				}
			}
			if (Settings.QueuedTickets > 0)
			{
				--Settings.QueuedTickets;
				return Ok({ { "status", "queued" } }, 202);
			}
			if (Now() - DayStart >= 86400)
			{
				DayStart = Now();
				Downloads = 0;
			}
			if (Product.Source != "purchase" && Downloads >= Settings.DailyLimit)
			{
				return Error(403, "daily_download_limit");
			}
			++Downloads;
			FTicket Ticket { Package.PackageId, Now() + Settings.TicketSeconds };
			if (!IdempotencyKey.empty())
			{
				TicketsByKey[IdempotencyKey] = Ticket;
			}
			return Ok(FileJson(Product, Package, &Ticket));
		}

		void Install();
	};

	void FMembership::FImpl::Install()
	{
		auto Api = [this](const std::string& Method, const std::string& Path, bool bAuthenticated, std::function<FReply(const FRequestRecord&)> Handler)
		{
			Service.Route(ApiHost, Method, Path, [this, bAuthenticated, Handler](const FRequestRecord& Request)
			{
				std::lock_guard Lock(Mutex);
				if (bAuthenticated && !Authorised(Request))
				{
					return Error(401, "login_required");
				}
				return Handler(Request);
			});
		};

		Api("GET", "/v1/config", false, [this](const FRequestRecord&)
		{
			return Ok({
				{ "login", Settings.Login },
				{ "membership", Settings.bMembershipFlag },
				{ "fixture", Settings.bFixture },
				{ "login_clients", Settings.LoginClients },
				{ "consent_text", Settings.ConsentText },
			});
		});

		Api("POST", "/v1/login/start", false, [this](const FRequestRecord& Request)
		{
			const FJson Body = ParseBody(Request);
			const std::string Challenge = Field(Body, "code_challenge");
			if (Field(Body, "client") != "unreal" || Challenge.size() != 43)
			{
				return Error(400, "invalid_request");
			}
			const std::string AttemptId = "att-" + RandomToken(12);
			Attempts[AttemptId] = FAttempt { Challenge, Now() + Settings.AttemptSeconds };
			return Ok({
				{ "attempt_id", AttemptId },
				{ "authorization_url", std::string("https://") + ApiHost + "/connect/unreal?attempt_id=" + AttemptId },
				{ "expires_in", Settings.AttemptSeconds },
				{ "interval", Settings.PollIntervalSeconds },
			});
		});

		Api("POST", "/v1/login/poll", false, [this](const FRequestRecord& Request)
		{
			const FJson Body = ParseBody(Request);
			const auto Attempt = Attempts.find(Field(Body, "attempt_id"));
			if (Attempt == Attempts.end() || Attempt->second.State == "used" || Attempt->second.State == "canceled")
			{
				return Error(400, "invalid_session");
			}
			// The verifier proves that the poller is the one who started the attempt.
			if (S256(Field(Body, "code_verifier")) != Attempt->second.Challenge)
			{
				return Error(400, "invalid_grant");
			}
			if (Attempt->second.Expires <= Now())
			{
				return Error(400, "login_expired");
			}
			if (Attempt->second.State == "refused")
			{
				return Error(403, "access_denied");
			}
			if (Attempt->second.State == "pending")
			{
				return Ok({ { "status", "pending" }, { "interval", Settings.PollIntervalSeconds } });
			}
			Attempt->second.State = "used";
			const std::string Token = "tok-" + RandomToken(24);
			Tokens[Token] = Now() + Settings.TokenSeconds;
			return Ok({ { "status", "authorized" }, { "access_token", Token }, { "expires_in", Settings.TokenSeconds }, { "token_type", "bearer" } });
		});

		Api("POST", "/v1/login/cancel", false, [this](const FRequestRecord& Request)
		{
			const FJson Body = ParseBody(Request);
			const auto Attempt = Attempts.find(Field(Body, "attempt_id"));
			if (Attempt == Attempts.end() || S256(Field(Body, "code_verifier")) != Attempt->second.Challenge)
			{
				return Error(400, "invalid_session");
			}
			Attempt->second.State = "canceled";
			return Ok({ { "status", "canceled" } });
		});

		Api("GET", "/connect/unreal", false, [this](const FRequestRecord& Request)
		{
			const std::string AttemptId = QueryOf(Request, "attempt_id");
			FReply Page;
			Page.Headers.push_back({ "Content-Type", "text/html; charset=utf-8" });
			Page.Status = Attempts.count(AttemptId) ? 200 : 404;
			Page.Body = "<!doctype html><title>Sign in to Kestrova</title><form method=post action=/connect/unreal>"
						"<input type=hidden name=attempt_id value=\"" + AttemptId + "\">"
						"<button name=decision value=approve>Allow Unreal Editor</button>"
						"<button name=decision value=refuse>Refuse</button></form>";
			return Page;
		});

		// The page's form, posted by the browser (as JSON or as a form).
		Api("POST", "/connect/unreal", false, [this](const FRequestRecord& Request)
		{
			FJson Body = ParseBody(Request);
			std::string AttemptId = Field(Body, "attempt_id");
			std::string Decision = Field(Body, "decision");
			if (AttemptId.empty())
			{
				AttemptId = FMembership::AttemptOf("?" + Request.Body);
				Decision = Request.Body.find("decision=approve") != std::string::npos ? "approve" : "refuse";
			}
			const auto Attempt = Attempts.find(AttemptId);
			if (Attempt == Attempts.end() || Attempt->second.State != "pending" || Attempt->second.Expires <= Now())
			{
				return Error(400, "invalid_session");
			}
			Attempt->second.State = Decision == "approve" ? "approved" : "refused";
			return Ok({ { "status", Attempt->second.State } });
		});

		Api("DELETE", "/v1/session", true, [this](const FRequestRecord& Request)
		{
			Tokens.erase(Request.Headers.at("authorization").substr(7));
			return Ok(FJson::object());
		});

		Api("GET", "/v1/membership", true, [this](const FRequestRecord&)
		{
			return Ok({
				{ "active", Settings.MembershipStatus == "active" },
				{ "checkout_pending", Settings.MembershipStatus == "pending" },
				{ "status", Settings.MembershipStatus },
			});
		});

		Api("GET", "/v1/membership/catalog", true, [this](const FRequestRecord& Request) { return Listing(Request, false); });
		Api("GET", "/v1/membership/library", true, [this](const FRequestRecord& Request) { return Listing(Request, true); });

		Api("GET", "/v1/membership/products/*", true, [this](const FRequestRecord& Request)
		{
			const FProduct* Product = FindBySelection(Request.Path.substr(std::string("/v1/membership/products/").size()));
			return Product ? Ok(ProductJson(*Product, true)) : Error(404, "not_found");
		});

		Api("POST", "/v1/membership/consent", true, [this](const FRequestRecord& Request)
		{
			const FJson Body = ParseBody(Request);
			const std::string PackageId = Field(Body, "package_id");
			const std::string Key = Field(Body, "idempotency_key");
			const bool bImmediate = Body.value("immediate_access", false);
			const bool bAcknowledged = Body.value("acknowledge_loss", false);
			if (!FindPackage(PackageId).second || Key.empty() || !bImmediate || !bAcknowledged)
			{
				return Error(400, "invalid_request");
			}
			const auto Known = ConsentByKey.find(Key);
			if (Known == ConsentByKey.end())
			{
				FConsent Consent { "con-" + RandomToken(8), PackageId, Settings.ConsentChecks };
				ConsentByKey[Key] = Consent.ConsentId;
				Consents[Consent.ConsentId] = Consent;
				if (Consent.ChecksLeft == 0)
				{
					ConsentedPackages.insert(PackageId);
				}
			}
			const FConsent& Consent = Consents[ConsentByKey[Key]];
			return Ok({ { "consent_id", Consent.ConsentId }, { "status", Consent.ChecksLeft == 0 ? "confirmed" : "pending" } });
		});

		Api("GET", "/v1/membership/consent/*", true, [this](const FRequestRecord& Request)
		{
			const auto Consent = Consents.find(Request.Path.substr(std::string("/v1/membership/consent/").size()));
			if (Consent == Consents.end())
			{
				return Error(404, "not_found");
			}
			if (Consent->second.ChecksLeft > 0 && --Consent->second.ChecksLeft == 0)
			{
				ConsentedPackages.insert(Consent->second.PackageId);
			}
			return Ok({ { "consent_id", Consent->first }, { "status", Consent->second.ChecksLeft == 0 ? "confirmed" : "pending" } });
		});

		Api("POST", "/v1/membership/tickets", true, [this](const FRequestRecord& Request)
		{
			const auto [Product, Package] = FindPackage(Field(ParseBody(Request), "package_id"));
			if (!Package)
			{
				return Error(404, "not_found");
			}
			if (Product->Source != "purchase")
			{
				return Error(403, "membership_or_retained_download_required");
			}
			return IssueTicket(*Product, *Package, std::string());
		});

		Api("POST", "/v1/membership/downloads", true, [this](const FRequestRecord& Request)
		{
			const FJson Body = ParseBody(Request);
			const auto [Product, Package] = FindPackage(Field(Body, "package_id"));
			const std::string Key = Field(Body, "idempotency_key");
			if (!Package || Product->SelectionId != Field(Body, "selection_id"))
			{
				return Error(404, "not_found");
			}
			if (Key.empty())
			{
				return Error(400, "invalid_request");
			}
			if (Settings.MembershipStatus == "inactive")
			{
				return Error(403, "membership_inactive");
			}
			if (Settings.MembershipStatus == "pending")
			{
				return Error(403, "paid_membership_required");
			}
			if (Product->bNeedsConsent && !ConsentedPackages.count(Package->PackageId))
			{
				return Error(403, "consent_required");
			}
			return IssueTicket(*Product, *Package, Key);
		});

		Service.Route(ContentHost, "GET", "/packages/*", [this](const FRequestRecord& Request)
		{
			std::lock_guard Lock(Mutex);
			const std::string PackageId = Request.Path.substr(std::string("/packages/").size());
			const auto [Product, Package] = FindPackage(PackageId);
			const std::string Expires = QueryOf(Request, "expires");
			if (!Package || Expires.empty() || Signature(PackageId, std::strtoll(Expires.c_str(), nullptr, 10)) != QueryOf(Request, "sig"))
			{
				return Error(403, "forbidden");
			}
			if (std::strtoll(Expires.c_str(), nullptr, 10) <= Now())
			{
				return Error(403, "download_expired");
			}
			FReply Reply;
			Reply.Headers.push_back({ "Content-Type", "application/zip" });
			Reply.Body = Package->Bytes;
			return Reply;
		});

		for (const char* Host : PreviewHosts)
		{
			Service.Route(Host, "GET", "/previews/*", [this](const FRequestRecord& Request)
			{
				std::string Name = Request.Path.substr(std::string("/previews/").size());
				const size_t Dot = Name.rfind(".webp");
				const auto Preview = Dot == std::string::npos ? Previews.end() : Previews.find(Name.substr(0, Dot));
				if (Preview == Previews.end())
				{
					return Error(404, "not_found");
				}
				FReply Reply;
				Reply.Headers.push_back({ "Content-Type", "image/webp" });
				Reply.Body = Preview->second;
				return Reply;
			});
		}
	}

	FMembership::FMembership(FService& InService)
		: Impl(std::make_unique<FImpl>(InService))
	{
		Impl->Install();
	}

	FMembership::~FMembership() = default;

	FMembershipSettings FMembership::Settings() const
	{
		std::lock_guard Lock(Impl->Mutex);
		return Impl->Settings;
	}

	void FMembership::Change(const std::function<void(FMembershipSettings&)>& Edit)
	{
		std::lock_guard Lock(Impl->Mutex);
		Edit(Impl->Settings);
	}

	bool FMembership::Decide(const std::string& AttemptId, bool bApprove)
	{
		std::lock_guard Lock(Impl->Mutex);
		const auto Attempt = Impl->Attempts.find(AttemptId);
		if (Attempt == Impl->Attempts.end() || Attempt->second.State != "pending")
		{
			return false;
		}
		Attempt->second.State = bApprove ? "approved" : "refused";
		return true;
	}

	std::string FMembership::AttemptOf(const std::string& AuthorizationUrl)
	{
		const std::string Key = "attempt_id=";
		const size_t Start = AuthorizationUrl.find(Key);
		if (Start == std::string::npos)
		{
			return std::string();
		}
		const size_t End = AuthorizationUrl.find_first_of("&#", Start);
		return AuthorizationUrl.substr(Start + Key.size(), End == std::string::npos ? std::string::npos : End - Start - Key.size());
	}

	void FMembership::AdvanceClock(int64_t Seconds)
	{
		std::lock_guard Lock(Impl->Mutex);
		Impl->ClockOffset += Seconds;
	}

	const std::deque<FProduct>& FMembership::Products() const
	{
		return Impl->Products;
	}

	void FMembership::AddProduct(FProduct Product, std::string PreviewWebP)
	{
		std::lock_guard Lock(Impl->Mutex);
		if (!PreviewWebP.empty())
		{
			Impl->Previews[Product.ProductId] = std::move(PreviewWebP);
		}
		Impl->Products.push_back(std::move(Product));
	}

	std::string FMembership::TicketUrl(const std::string& PackageId, int64_t ExpiresAt) const
	{
		std::lock_guard Lock(Impl->Mutex);
		return Impl->Url(PackageId, ExpiresAt);
	}

	int64_t FMembership::Now() const
	{
		std::lock_guard Lock(Impl->Mutex);
		return Impl->Now();
	}

	FPackage FMembership::MakePackage(const std::string& PackageId, std::string ZipBytes)
	{
		FPackage Package;
		Package.PackageId = PackageId;
		Package.Filename = PackageId + ".zip";
		Package.Formats = { "fbx", "png" };
		Package.Sha256 = Encoding::Hex(Encoding::Sha256(ZipBytes));
		Package.Bytes = std::move(ZipBytes);
		return Package;
	}

	const FPackage* FMembership::FindPackage(const std::string& PackageId) const
	{
		return Impl->FindPackage(PackageId).second;
	}

	std::vector<std::string> FMembership::LiveTokens() const
	{
		std::lock_guard Lock(Impl->Mutex);
		std::vector<std::string> Live;
		for (const auto& [Token, Expires] : Impl->Tokens)
		{
			if (Expires > Impl->Now())
			{
				Live.push_back(Token);
			}
		}
		return Live;
	}

	int FMembership::DownloadsToday() const
	{
		std::lock_guard Lock(Impl->Mutex);
		return Impl->Downloads;
	}
}
