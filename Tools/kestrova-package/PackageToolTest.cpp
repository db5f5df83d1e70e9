#include "PackageContent.h"
#include "ZipWriter.h"

#include "Package/SafeZip.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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

		std::filesystem::path Write(const std::string& Name, const std::string& Bytes)
		{
			const std::filesystem::path Path = Root / Name;
			std::ofstream(Path, std::ios::binary) << Bytes;
			return Path;
		}

		std::filesystem::path Write(const std::string& Name, const KVAZip::FBuilder& Builder)
		{
			return Write(Name, Builder.Layout().Serialize());
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

		// The sentence the editor's own call of the extractor gives for this package.
		std::string ExtractorSentence(const std::filesystem::path& Package)
		{
			const std::atomic<bool> bCancel{false};
			std::vector<std::string> Models;
			std::string Error;
			KVASafe::Extract(Package, Root / "direct", bCancel, Models, Error);
			std::filesystem::remove_all(Root / "direct");
			return Error;
		}

		std::filesystem::path Root;
	};

	// A real FBX model from the assimp-testmodels package.
	std::string RealModel(const char* Name)
	{
		return Slurp(std::filesystem::path(KVA_FBX_MODELS) / Name);
	}

	// Two real models the editor imports, a licence and a texture.
	KVAZip::FBuilder Valid()
	{
		KVAZip::FBuilder Builder;
		Builder.Add("license.txt", "licence");
		Builder.Add("props/Zeta.fbx", RealModel("box.fbx"), KVAZip::Deflated);
		Builder.Add("Alpha.FBX", RealModel("phong_cube.fbx"), KVAZip::Deflated);
		Builder.Add("preview.png", KVAZip::RandomBytes(500, 3));
		return Builder;
	}

	// A licence, a deflated chair and a stored texture, with one change.
	std::string Chair(const std::function<void(KVAZip::FBuilder&)>& Change, const std::function<void(KVAZip::FLayout&)>& Edit = {})
	{
		KVAZip::FBuilder Builder;
		Builder.Add("license.txt", "licence");
		Builder.Add("models/chair.fbx", KVAZip::FbxLikeText(3000, 4), KVAZip::Deflated);
		Builder.Add("textures/wood.png", KVAZip::RandomBytes(700, 5));
		Change(Builder);
		KVAZip::FLayout Layout = Builder.Layout();
		if (Edit)
		{
			Edit(Layout);
		}
		return Layout.Serialize();
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
	EXPECT_EQ(Slurp(Root / "dest" / "props" / "Zeta.fbx"), RealModel("box.fbx"));
	EXPECT_EQ(Slurp(Root / "dest" / "preview.png"), KVAZip::RandomBytes(500, 3));
}

TEST_F(PackageTool, RefusalsGiveTheEditorsSentenceThenWhatToFix)
{
	const auto Method = [](std::uint16_t Value) { return [Value](KVAZip::FLayout& L) { L.Locals[1].Method = L.Central[1].Method = Value; }; };
	const auto None = [](KVAZip::FBuilder&) {};
	const struct
	{
		const char* Label;
		std::string Package;
		std::string Sentence;
		std::string Detail;
	} Table[] = {
		{"Deflate64", Chair(None, Method(9)), "Unsafe ZIP member.",
			"member models/chair.fbx: compressed with Deflate64 (method 9); use Deflate or Store"},
		{"AES", Chair(None, Method(99)), "Unsafe ZIP member.",
			"member models/chair.fbx: encrypted with AES (method 99); a package cannot be encrypted: pack it without a password"},
		{"encrypted", Chair([](KVAZip::FBuilder& B) { B.Members[1].ExtraFlags = 0x0001; }), "Unsafe ZIP member.",
			"member models/chair.fbx: encrypted; a package cannot be encrypted: pack it without a password"},
		{"unknown flag", Chair([](KVAZip::FBuilder& B) { B.Members[2].ExtraFlags = 0x0100; }), "Unsafe ZIP member.",
			"member textures/wood.png: general-purpose flags 0x0100 are set, which the editor does not read: pack it again with a standard ZIP tool"},
		{"symbolic link", Chair([](KVAZip::FBuilder& B) { B.Members[2].ExternalAttributes = 0xA1FF0000; }), "Unsafe ZIP member.",
			"member textures/wood.png: it is a symbolic link; a package holds only files and folders: put the file itself in its place"},
		{"licence under another name", Chair([](KVAZip::FBuilder& B) { B.Members[0].Name = "LICENSE.md"; }), "Package license missing.",
			"the licence must be named license.txt (in any folder, in any letter case), and there is no such file"},
		{"names differing in case", Chair([](KVAZip::FBuilder& B) { B.Add("Models/Chair.FBX", "x"); }), "Unsafe package path.",
			"member Models/Chair.FBX: it has the same name as models/chair.fbx once letter case and Unicode forms are set aside: rename one of them"},
		{"file used as a folder", Chair([](KVAZip::FBuilder& B) { B.Add("textures/wood.png/normal.png", "x"); }), "Conflicting package paths.",
			"member textures/wood.png/normal.png: it uses textures/wood.png as a folder, but textures/wood.png is a file: rename one of them"},
		{"parent folder", Chair([](KVAZip::FBuilder& B) { B.Add("../chair.fbx", "x"); }), "Unsafe package path.",
			"member ../chair.fbx: its name uses \".\" or \"..\" as a folder; names may not leave the package: pack from inside the asset's folder"},
		{"name not UTF-8", Chair([](KVAZip::FBuilder& B) { B.Add("models/ch\xe4ir.fbx", "x"); }), "Unsafe package path.",
			"member models/ch\\xE4ir.fbx: its name is not UTF-8: rename it, or pack with a tool that stores names in UTF-8"},
		{"announced expansion", Chair(None, [](KVAZip::FLayout& L) { L.Locals[2].Uncompressed = L.Central[2].Uncompressed = 1000000; }),
			"Package expansion limit exceeded.",
			"member textures/wood.png: it claims to unpack to 1,000,000 bytes, more than its compressed size allows (175,000), as a ZIP bomb does:"
			" pack it again with a standard ZIP tool"},
		{"damaged texture", Chair(None, [](KVAZip::FLayout& L) { L.Locals[2].Payload[40] ^= 0x10; }), "Package member checksum mismatch.",
			"member textures/wood.png: its CRC-32 does not match its data, which is damaged: pack it again with a standard ZIP tool"},
		{"no models", Chair([](KVAZip::FBuilder& B) { B.Members[1].Name = "models/chair.obj"; }), "No FBX models in these files. Open your library in the browser.",
			"the package holds no .fbx file: add the models as FBX files"},
		{"21 bytes", std::string(21, 'P'), "Invalid package size.",
			"the package is 21 bytes; a package holds at least 22 bytes: it is not a ZIP package"},
	};
	for (const auto& Case : Table)
	{
		SCOPED_TRACE(Case.Label);
		const std::filesystem::path Package = Write("package.zip", Case.Package);
		ASSERT_EQ(ExtractorSentence(Package), Case.Sentence);

		const FRun Result = Run("check '" + Package.string() + "'");

		EXPECT_EQ(Result.Exit, 1);
		EXPECT_EQ(Result.Out, "");
		EXPECT_EQ(Result.Err, Case.Sentence + "\n" + Case.Detail + "\n");
	}
	EXPECT_TRUE(std::filesystem::is_empty(Root / "tmp"));
}

TEST_F(PackageTool, ExtractNamesTheFolderOrFileAtFault)
{
	const std::filesystem::path Good = Write("good.zip", Valid());
	std::filesystem::create_directory(Root / "taken");
	const struct
	{
		std::string Arguments;
		std::string Err;
	} Table[] = {
		{"extract '" + Good.string() + "' '" + (Root / "taken").string() + "'",
			"Import folder already exists.\nthe destination folder already exists: extract into a folder that does not exist yet\n"},
		{"extract '" + (Root / "missing.zip").string() + "' '" + (Root / "dest").string() + "'",
			"Invalid package size.\nthere is no readable file at this path\n"},
	};
	for (const auto& Case : Table)
	{
		SCOPED_TRACE(Case.Arguments);
		const FRun Result = Run(Case.Arguments);
		EXPECT_EQ(Result.Exit, 1);
		EXPECT_EQ(Result.Out, "");
		EXPECT_EQ(Result.Err, Case.Err);
	}
	EXPECT_FALSE(std::filesystem::exists(Root / "dest"));
}

TEST_F(PackageTool, CheckRefusesMacMetadataThatWouldBeImportedAsModels)
{
	KVAZip::FBuilder Builder = Valid();
	Builder.Add("__MACOSX/props/._Zeta.fbx", std::string("\x00\x05\x16\x07", 4) + std::string(60, '\0'));
	Builder.Add("._Alpha.FBX", std::string("\x00\x05\x16\x07", 4) + std::string(60, '\0'));
	const std::filesystem::path Package = Write("mac.zip", Builder);
	ASSERT_EQ(ExtractorSentence(Package), "");
	const std::string Fix = ": __MACOSX/ and ._ files are macOS metadata, not models: remove them (zip -r package.zip . -x '__MACOSX/*' '*/._*' '._*')\n";

	const FRun Check = Run("check '" + Package.string() + "'");
	EXPECT_EQ(Check.Exit, 1);
	EXPECT_EQ(Check.Out, "");
	EXPECT_EQ(Check.Err, "Could not import every model. No assets were added to your scene.\n"
		"member ._Alpha.FBX" + Fix + "member __MACOSX/props/._Zeta.fbx" + Fix);

	// Extracting is not checking: the files are written as they are.
	const FRun Extract = Run("extract '" + Package.string() + "' '" + (Root / "dest").string() + "'");
	EXPECT_EQ(Extract.Exit, 0);
	EXPECT_EQ(Extract.Out, "._Alpha.FBX\nAlpha.FBX\n__MACOSX/props/._Zeta.fbx\nprops/Zeta.fbx\n");
}

TEST_F(PackageTool, CheckImportsEveryModelAsTheEditorDoes)
{
	// Sound as an archive, but one "model" is only text that looks like FBX: no mesh comes of it.
	KVAZip::FBuilder Builder = Valid();
	Builder.Add("props/Broken.fbx", KVAZip::FbxLikeText(2000, 7), KVAZip::Deflated);
	const std::filesystem::path Package = Write("broken.zip", Builder);
	ASSERT_EQ(ExtractorSentence(Package), "");

	const FRun Check = Run("check '" + Package.string() + "'");
	EXPECT_EQ(Check.Exit, 1);
	EXPECT_EQ(Check.Out, "");
	EXPECT_EQ(Check.Err, "Could not import every model. No assets were added to your scene.\n"
		"member props/Broken.fbx: the editor imports no static mesh from it (it holds no mesh geometry, or only skinned meshes, or it cannot be read as FBX):"
		" export it again as an FBX file with its meshes\n");
	EXPECT_TRUE(std::filesystem::is_empty(Root / "tmp"));

	const nlohmann::json Json = nlohmann::json::parse(Run("check --json '" + Package.string() + "'").Out);
	EXPECT_EQ(Json["accepted"], false);
	ASSERT_EQ(Json["problems"].size(), 1u);
	EXPECT_EQ(Json["problems"][0]["check"], "import");
	EXPECT_EQ(Json["problems"][0]["member"], "props/Broken.fbx");
}

TEST_F(PackageTool, JsonReportsForBuildPipelines)
{
	const std::filesystem::path Good = Write("good.zip", Valid());
	const std::filesystem::path Deflate64 = Write("deflate64.zip", Chair([](KVAZip::FBuilder&) {}, [](KVAZip::FLayout& L) { L.Locals[1].Method = L.Central[1].Method = 9; }));
	using nlohmann::json;
	const auto Report = [](json Sentence, json Problems, json Models)
	{
		return json::object({{"accepted", Sentence.is_null()}, {"sentence", Sentence}, {"problems", Problems}, {"models", Models}});
	};
	const auto Problem = [](const char* Check, json Member, const char* Detail)
	{
		return json::object({{"check", Check}, {"member", Member}, {"detail", Detail}});
	};
	const struct
	{
		std::string Package;
		int Exit;
		json Expected;
	} Table[] = {
		{Good.string(), 0, Report(nullptr, json::array(), json::array({"Alpha.FBX", "props/Zeta.fbx"}))},
		{Deflate64.string(), 1, Report("Unsafe ZIP member.", json::array({Problem("method", "models/chair.fbx",
			"member models/chair.fbx: compressed with Deflate64 (method 9); use Deflate or Store")}), json::array())},
		{(Root / "missing.zip").string(), 1, Report("Invalid package size.", json::array({Problem("package_unreadable", nullptr,
			"there is no readable file at this path")}), json::array())},
	};
	for (const auto& Case : Table)
	{
		SCOPED_TRACE(Case.Package);
		const FRun Result = Run("check --json '" + Case.Package + "'");
		EXPECT_EQ(Result.Exit, Case.Exit);
		EXPECT_EQ(Result.Err, "");
		EXPECT_EQ(json::parse(Result.Out, nullptr, false), Case.Expected) << Result.Out;
	}
}

TEST_F(PackageTool, UsageErrorsExitTwo)
{
	for (const std::string Arguments : {"", "check", "extract a.zip", "check a.zip b", "verify a.zip", "extract a b c", "check --json", "extract --json a b", "check a.zip --json"})
	{
		SCOPED_TRACE(Arguments);
		const FRun Result = Run(Arguments);
		EXPECT_EQ(Result.Exit, 2);
		EXPECT_EQ(Result.Out, "");
		EXPECT_NE(Result.Err.find("usage:"), std::string::npos);
	}
}
