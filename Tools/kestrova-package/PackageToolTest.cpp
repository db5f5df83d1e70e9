#include "PackageContent.h"
#include "ZipWriter.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace
{
	struct FRun
	{
		int Exit = -1;
		std::string Out;
		std::string Err;
	};

	std::string Slurp(const std::filesystem::path& Path)
	{
		std::ifstream In(Path, std::ios::binary);
		std::ostringstream Bytes;
		Bytes << In.rdbuf();
		return Bytes.str();
	}

	class PackageTool : public testing::Test
	{
	protected:
		void SetUp() override
		{
			std::string Template = (std::filesystem::temp_directory_path() / "kva-tool-XXXXXX").string();
			ASSERT_NE(mkdtemp(Template.data()), nullptr);
			Root = Template;
			std::filesystem::create_directory(Root / "tmp");
		}

		void TearDown() override
		{
			std::filesystem::remove_all(Root);
		}

		std::filesystem::path Write(const std::string& Name, const KVAZip::FBuilder& Builder)
		{
			const std::filesystem::path Path = Root / Name;
			std::ofstream(Path, std::ios::binary) << Builder.Layout().Serialize();
			return Path;
		}

		// Runs the tool with its temporary folder inside the sandbox, so leftovers show.
		FRun Run(const std::string& Arguments)
		{
			const std::string Command = "TMPDIR='" + (Root / "tmp").string() + "' '" + KVA_PACKAGE_TOOL + "' " + Arguments
				+ " >'" + (Root / "stdout").string() + "' 2>'" + (Root / "stderr").string() + "'";
			const int Status = std::system(Command.c_str());
			FRun Result;
			Result.Exit = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
			Result.Out = Slurp(Root / "stdout");
			Result.Err = Slurp(Root / "stderr");
			return Result;
		}

		std::filesystem::path Root;
	};

	KVAZip::FBuilder Valid()
	{
		KVAZip::FBuilder Builder;
		Builder.Add("license.txt", "licence");
		Builder.Add("props/Zeta.fbx", KVAZip::FbxLikeText(2000, 1), KVAZip::Deflated);
		Builder.Add("Alpha.FBX", KVAZip::FbxLikeText(2000, 2), KVAZip::Deflated);
		Builder.Add("preview.png", KVAZip::RandomBytes(500, 3));
		return Builder;
	}
}

TEST_F(PackageTool, CheckListsTheModelsAndLeavesNothing)
{
	const std::filesystem::path Package = Write("good.zip", Valid());
	const FRun Result = Run("check '" + Package.string() + "'");
	EXPECT_EQ(Result.Exit, 0);
	EXPECT_EQ(Result.Out, "Alpha.FBX\nprops/Zeta.fbx\n");
	EXPECT_EQ(Result.Err, "");
	EXPECT_TRUE(std::filesystem::is_empty(Root / "tmp"));
}

TEST_F(PackageTool, ExtractWritesTheFiles)
{
	const std::filesystem::path Package = Write("good.zip", Valid());
	const FRun Result = Run("extract '" + Package.string() + "' '" + (Root / "dest").string() + "'");
	EXPECT_EQ(Result.Exit, 0);
	EXPECT_EQ(Result.Out, "Alpha.FBX\nprops/Zeta.fbx\n");
	EXPECT_EQ(Slurp(Root / "dest" / "props" / "Zeta.fbx"), KVAZip::FbxLikeText(2000, 1));
	EXPECT_EQ(Slurp(Root / "dest" / "preview.png"), KVAZip::RandomBytes(500, 3));
}

TEST_F(PackageTool, FailuresPrintTheSentenceAlone)
{
	KVAZip::FBuilder Traversal = Valid();
	Traversal.Add("../evil.fbx", "x");
	const std::filesystem::path Hostile = Write("hostile.zip", Traversal);
	const std::filesystem::path Good = Write("good.zip", Valid());
	std::filesystem::create_directory(Root / "taken");

	const struct
	{
		std::string Arguments;
		std::string Sentence;
	} Table[] = {
		{"check '" + Hostile.string() + "'", "Unsafe package path.\n"},
		{"extract '" + Hostile.string() + "' '" + (Root / "dest").string() + "'", "Unsafe package path.\n"},
		{"check '" + (Root / "missing.zip").string() + "'", "Invalid package size.\n"},
		{"extract '" + Good.string() + "' '" + (Root / "taken").string() + "'", "Import folder already exists.\n"},
	};
	for (const auto& Case : Table)
	{
		SCOPED_TRACE(Case.Arguments);
		const FRun Result = Run(Case.Arguments);
		EXPECT_EQ(Result.Exit, 1);
		EXPECT_EQ(Result.Out, "");
		EXPECT_EQ(Result.Err, Case.Sentence);
	}
	EXPECT_FALSE(std::filesystem::exists(Root / "dest"));
	EXPECT_TRUE(std::filesystem::is_empty(Root / "tmp"));
}

TEST_F(PackageTool, UsageErrorsExitTwo)
{
	for (const std::string Arguments : {"", "check", "extract a.zip", "check a.zip b", "verify a.zip", "extract a b c"})
	{
		SCOPED_TRACE(Arguments);
		const FRun Result = Run(Arguments);
		EXPECT_EQ(Result.Exit, 2);
		EXPECT_EQ(Result.Out, "");
		EXPECT_NE(Result.Err.find("usage:"), std::string::npos);
	}
}
