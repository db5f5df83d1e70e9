#pragma once

#include "Platform/Transport.h"

#include "KestrovaService/Service.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

constexpr uint64_t MiB = 1 << 20;

// The local service the transport tests talk to, started once for the test binary.
extern KVAService::FService* GService;

// Each test starts with the service hosts routed to the service, no scripts, no requests and
// the shipping time limits; files made with TempFile are removed afterwards.
class TransportTest : public testing::Test
{
protected:
	void SetUp() override;
	void TearDown() override;
	std::filesystem::path TempFile(const std::string& Name);

	std::vector<std::filesystem::path> Files;
};

KVAPlatform::Request Api(const std::string& Path, uint64_t MaxBytes = 4 * MiB);
KVAPlatform::Request Download(const std::string& Path, const std::filesystem::path& Output, uint64_t MaxBytes);

// Sends and waits for the reply; a transfer that never answers fails the test instead of hanging it.
KVAPlatform::Reply SendAndWait(KVAPlatform::Request Req, std::shared_ptr<KVAPlatform::Cancel> Flag = std::make_shared<KVAPlatform::Cancel>());

// A port on 127.0.0.1 that nothing listens on at the moment of the call: a closed port for
// refused connections, or a free one to start a listener on.
uint16_t UnusedLoopbackPort();
