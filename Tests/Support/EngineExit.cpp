// Linked into the test binaries that send without an editor session: when the tests end, the
// process leaves as the editor does when it quits. Transfers end first, then the modules loaded
// on the way (the SSL module, loaded by the first send) shut down in reverse load order, so a
// module's own allocations are released rather than abandoned.

#include "Modules/ModuleManager.h"
#include "Platform/Transport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace
{
	class FEngineExit final : public testing::Environment
	{
	public:
		void TearDown() override
		{
			EXPECT_TRUE(KVAPlatform::WaitForTransfers(std::chrono::seconds(30))) << "transfer threads still running 30 s after the last test";
			FModuleManager::Get().UnloadModulesAtShutdown();
		}
	};

	[[maybe_unused]] const testing::Environment* const Exit = testing::AddGlobalTestEnvironment(new FEngineExit);
}
