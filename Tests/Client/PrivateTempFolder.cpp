#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace
{
	// Gives the test process a temporary folder of its own for its whole run, so that what a
	// test finds there (a token on disk, say) was written by this process and by nothing else.
	class FPrivateTempFolder : public testing::Environment
	{
	public:
		void SetUp() override
		{
			const char* Previous = std::getenv("TMPDIR");
			bHadPrevious = Previous != nullptr;
			PreviousValue = bHadPrevious ? Previous : "";
			std::string Template = (std::filesystem::temp_directory_path() / "kva-client-tests-XXXXXX").string();
			if (mkdtemp(Template.data()) == nullptr)
			{
				throw std::runtime_error("mkdtemp failed");
			}
			Folder = Template;
			setenv("TMPDIR", Folder.c_str(), 1);
		}

		void TearDown() override
		{
			if (bHadPrevious)
			{
				setenv("TMPDIR", PreviousValue.c_str(), 1);
			}
			else
			{
				unsetenv("TMPDIR");
			}
			std::error_code Code;
			std::filesystem::remove_all(Folder, Code);
		}

	private:
		std::filesystem::path Folder;
		bool bHadPrevious = false;
		std::string PreviousValue;
	};

	const testing::Environment* const Environment = testing::AddGlobalTestEnvironment(new FPrivateTempFolder);
}
