#include "TransportSupport.h"

#include "Runtime/HostRuntime.h"

#include <arpa/inet.h>
#include <future>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

KVAService::FService* GService = nullptr;

namespace
{
	class FServiceEnvironment : public testing::Environment
	{
	public:
		void SetUp() override
		{
			// The test thread is the game thread, from which the plug-in sends.
			Runtime = new FHostRuntime(1);
			GService = new KVAService::FService();
			ASSERT_TRUE(GService->Start());
			KVAPlatform::SetRouting(GService->Port(), GService->AuthorityPem());
		}

		void TearDown() override
		{
			KVAPlatform::SetRouting(0, std::string());
			delete GService;
			GService = nullptr;
			delete Runtime;
			Runtime = nullptr;
		}

	private:
		FHostRuntime* Runtime = nullptr;
	};

	const testing::Environment* const Environment = testing::AddGlobalTestEnvironment(new FServiceEnvironment);
}

void TransportTest::SetUp()
{
	GService->ClearScripts();
	GService->ClearRequests();
	KVAPlatform::SetRouting(GService->Port(), GService->AuthorityPem());
}

void TransportTest::TearDown()
{
	KVAPlatform::Testing::SetTimeScale(1.0, 1.0);
	for (const std::filesystem::path& Path : Files)
	{
		std::filesystem::remove(Path);
	}
}

std::filesystem::path TransportTest::TempFile(const std::string& Name)
{
	Files.push_back(std::filesystem::temp_directory_path() / ("kva-transport-" + std::to_string(getpid()) + "-" + Name));
	std::filesystem::remove(Files.back());
	return Files.back();
}

KVAPlatform::Request Api(const std::string& Path, uint64_t MaxBytes)
{
	KVAPlatform::Request Req;
	Req.Method = "GET";
	Req.Url = "https://api.kestrova.example" + Path;
	Req.Role = KVAPlatform::URLRole::Api;
	Req.MaxBytes = MaxBytes;
	return Req;
}

KVAPlatform::Request Download(const std::string& Path, const std::filesystem::path& Output, uint64_t MaxBytes)
{
	KVAPlatform::Request Req;
	Req.Method = "GET";
	Req.Url = "https://content.kestrova.example" + Path;
	Req.Role = KVAPlatform::URLRole::Package;
	Req.OutputPath = Output.string();
	Req.MaxBytes = MaxBytes;
	return Req;
}

KVAPlatform::Reply SendAndWait(KVAPlatform::Request Req, std::shared_ptr<KVAPlatform::Cancel> Flag)
{
	auto Promise = std::make_shared<std::promise<KVAPlatform::Reply>>();
	std::future<KVAPlatform::Reply> Future = Promise->get_future();
	KVAPlatform::Send(std::move(Req), std::move(Flag), [Promise](KVAPlatform::Reply Rep) { Promise->set_value(std::move(Rep)); });
	if (Future.wait_for(std::chrono::seconds(60)) != std::future_status::ready)
	{
		ADD_FAILURE() << "no reply within 60 s";
		return KVAPlatform::Reply();
	}
	return Future.get();
}

uint16_t UnusedLoopbackPort()
{
	const int Socket = socket(AF_INET, SOCK_STREAM, 0);
	sockaddr_in Address {};
	Address.sin_family = AF_INET;
	Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
	socklen_t Length = sizeof(Address);
	getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
	close(Socket);
	return ntohs(Address.sin_port);
}
