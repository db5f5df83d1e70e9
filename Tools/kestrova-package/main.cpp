// kestrova-package check [--json] PACKAGE | kestrova-package extract PACKAGE DEST
//
// Runs the editor's package extractor on a package. On success prints the FBX models it
// would import, one per line, and nothing else on standard output. On failure prints, on
// standard error, first the sentence the editor shows, then one line per problem saying which
// member is at fault, the rule it breaks and the usual fix; it exits 1. "check" extracts into
// a temporary folder that it removes again, and also refuses macOS metadata files that would
// be imported as models. With --json, "check" prints one JSON object on standard output
// instead: {"accepted", "sentence", "problems": [{"check", "member", "detail"}], "models"}.
// "check" then imports each model as the editor does, in the editor stand-in, and reports the
// models that would yield no static mesh.

#include "Explain.h"

#include "Client/KestrovaText.h"
#include "Import/LibraryImport.h"

#include "Engine/StaticMesh.h"
#include "Runtime/HostEditor.h"
#include "Runtime/HostRuntime.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace
{
	std::atomic<bool> bInterrupted{false};

	void Interrupt(int)
	{
		bInterrupted = true;
	}

	int Usage()
	{
		std::cerr << "usage: kestrova-package check [--json] PACKAGE\n"
			"       kestrova-package extract PACKAGE DEST\n";
		return 2;
	}

	struct FCommand
	{
		bool bCheck = false;
		bool bJson = false;
		std::string Package;
		std::string Destination;
	};

	std::optional<FCommand> Parse(const std::vector<std::string>& Words)
	{
		FCommand Command;
		if (Words.size() == 2 && Words[0] == "check")
		{
			Command.bCheck = true;
			Command.Package = Words[1];
		}
		else if (Words.size() == 3 && Words[0] == "check" && Words[1] == "--json")
		{
			Command.bCheck = true;
			Command.bJson = true;
			Command.Package = Words[2];
		}
		else if (Words.size() == 3 && Words[0] == "extract")
		{
			Command.Package = Words[1];
			Command.Destination = Words[2];
		}
		else
		{
			return std::nullopt;
		}
		// An option in the place of a path is a mistake, not a file named like an option.
		if (Command.Package.starts_with("--") || Command.Destination.starts_with("--"))
		{
			return std::nullopt;
		}
		return Command;
	}

	// An empty folder of our own in the temporary directory; the extraction goes below it.
	bool MakeScratch(std::filesystem::path& Scratch)
	{
		std::error_code Code;
		std::string Template = (std::filesystem::temp_directory_path(Code) / "kestrova-package-XXXXXX").string();
		if (Code || mkdtemp(Template.data()) == nullptr)
		{
			return false;
		}
		Scratch = Template;
		return true;
	}

	// The outcome as an author sees it: the editor's sentence (empty when accepted) and why.
	struct FReport
	{
		std::string Sentence;
		std::vector<KVAPackageTool::FProblem> Problems;
		std::vector<std::string> Models;
	};

	// Imports each model alone, exactly as the editor imports a package, into a throw-away
	// project; a model that fails there fails the editor's import of the whole package.
	void Import(const std::filesystem::path& Staging, FReport& Report)
	{
		FHostRuntime Runtime;
		FHostEditor Editor;
		for (const std::string& Model : Report.Models)
		{
			const bool bMetadata = std::any_of(Report.Problems.begin(), Report.Problems.end(),
				[&Model](const KVAPackageTool::FProblem& Problem) { return Problem.Member == KVAPackageTool::Printable(Model); });
			TArray<TSoftObjectPtr<UStaticMesh>> Meshes;
			FString Folder;
			FString Error;
			if (!KVAImport::Install(KVAText::FromUtf8(Staging.string()), {KVAText::FromUtf8(Model)}, TEXT("check"), Meshes, Folder, Error))
			{
				if (!bMetadata)
				{
					Report.Problems.push_back(KVAPackageTool::NoMesh(Model));
				}
				Report.Sentence = KVAText::Utf8(Error);
			}
		}
	}

	FReport Run(const FCommand& Command, const std::filesystem::path& Destination)
	{
		FReport Report;
		KVASafe::FRefusal Refusal;
		if (!KVASafe::Extract(Command.Package, Destination, bInterrupted, Report.Models, Report.Sentence, &Refusal))
		{
			Report.Problems.push_back(KVAPackageTool::Explain(Refusal));
			Report.Models.clear();
			return Report;
		}
		if (Command.bCheck)
		{
			Report.Problems = KVAPackageTool::MacMetadata(Report.Models);
			Import(Destination, Report);
		}
		return Report;
	}

	int PrintText(const FReport& Report)
	{
		if (!Report.Sentence.empty())
		{
			std::cerr << Report.Sentence << '\n';
			for (const KVAPackageTool::FProblem& Problem : Report.Problems)
			{
				std::cerr << Problem.Detail << '\n';
			}
			std::cerr.flush();
			return 1;
		}
		for (const std::string& Model : Report.Models)
		{
			std::cout << Model << '\n';
		}
		std::cout.flush();
		return std::cout ? 0 : 1;
	}

	int PrintJson(const FReport& Report)
	{
		nlohmann::json Problems = nlohmann::json::array();
		for (const KVAPackageTool::FProblem& Problem : Report.Problems)
		{
			Problems.push_back({
				{"check", Problem.Check},
				{"member", Problem.Member.empty() ? nlohmann::json() : nlohmann::json(Problem.Member)},
				{"detail", Problem.Detail},
			});
		}
		nlohmann::json Models = nlohmann::json::array();
		for (const std::string& Model : Report.Models)
		{
			Models.push_back(KVAPackageTool::Printable(Model));
		}
		const nlohmann::json Out = {
			{"accepted", Report.Sentence.empty()},
			{"sentence", Report.Sentence.empty() ? nlohmann::json() : nlohmann::json(Report.Sentence)},
			{"problems", Problems},
			{"models", Models},
		};
		std::cout << Out.dump(2) << std::endl;
		return !std::cout ? 1 : Report.Sentence.empty() ? 0 : 1;
	}
}

int main(int ArgumentCount, char** Arguments)
{
	const std::optional<FCommand> Command = Parse(std::vector<std::string>(Arguments + 1, Arguments + ArgumentCount));
	if (!Command)
	{
		return Usage();
	}

	// Ctrl-C cancels like the editor's window does, so nothing half-written stays behind.
	std::signal(SIGINT, Interrupt);
	std::signal(SIGTERM, Interrupt);

	std::filesystem::path Scratch;
	if (Command->bCheck && !MakeScratch(Scratch))
	{
		std::cerr << "Could not create a temporary folder." << std::endl;
		return 1;
	}
	const FReport Report = Run(*Command, Command->bCheck ? Scratch / "package" : std::filesystem::path(Command->Destination));
	if (Command->bCheck)
	{
		std::error_code Code;
		std::filesystem::remove_all(Scratch, Code);
	}
	return Command->bJson ? PrintJson(Report) : PrintText(Report);
}
