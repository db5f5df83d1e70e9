// Every test binary links this: a test that runs past its bound stops the whole binary at once,
// naming itself, so a hang fails in minutes with a message instead of waiting for CTest's
// timeout with no word on which test hung. KVA_TEST_SECONDS sets the bound (default 300 s,
// several times the slowest test under the sanitizers on a loaded machine).

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace
{
	class FTestWatchdog final : public testing::EmptyTestEventListener
	{
	public:
		explicit FTestWatchdog(std::chrono::seconds InLimit)
			: Limit(InLimit)
			, Thread([this] { Watch(); })
		{
		}

		~FTestWatchdog() override
		{
			Quit();
		}

		void OnTestStart(const testing::TestInfo& Info) override
		{
			const std::lock_guard<std::mutex> Lock(Mutex);
			Running = std::string(Info.test_suite_name()) + "." + Info.name();
			Deadline = std::chrono::steady_clock::now() + Limit;
			++Started;
			Changed.notify_all();
		}

		void OnTestEnd(const testing::TestInfo&) override
		{
			const std::lock_guard<std::mutex> Lock(Mutex);
			Running.clear();
			Changed.notify_all();
		}

		void OnTestProgramEnd(const testing::UnitTest&) override
		{
			Quit();
		}

	private:
		void Watch()
		{
			std::unique_lock<std::mutex> Lock(Mutex);
			while (!bQuit)
			{
				if (Running.empty())
				{
					Changed.wait(Lock);
					continue;
				}
				const uint64_t Watched = Started;
				if (!Changed.wait_until(Lock, Deadline, [&] { return bQuit || Running.empty() || Started != Watched; }))
				{
					std::fprintf(stderr, "\n[ WATCHDOG ] %s has run for more than %lld s; it is taken as hung and the run stops here.\n",
						Running.c_str(), static_cast<long long>(Limit.count()));
					std::fflush(stderr);
					std::abort();
				}
			}
		}

		void Quit()
		{
			{
				const std::lock_guard<std::mutex> Lock(Mutex);
				bQuit = true;
				Changed.notify_all();
			}
			if (Thread.joinable())
			{
				Thread.join();
			}
		}

		const std::chrono::seconds Limit;
		std::mutex Mutex;
		std::condition_variable Changed;
		std::string Running;
		std::chrono::steady_clock::time_point Deadline;
		uint64_t Started = 0;
		bool bQuit = false;
		std::thread Thread;
	};

	std::chrono::seconds LimitFromEnvironment()
	{
		const char* Text = std::getenv("KVA_TEST_SECONDS");
		const long Seconds = Text != nullptr ? std::strtol(Text, nullptr, 10) : 0;
		return std::chrono::seconds(Seconds > 0 ? Seconds : 300);
	}

	// The listener list owns and deletes the watchdog when the program ends.
	[[maybe_unused]] const bool bInstalled = [] {
		testing::UnitTest::GetInstance()->listeners().Append(new FTestWatchdog(LimitFromEnvironment()));
		return true;
	}();
}
