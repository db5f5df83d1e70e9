// kestrova-package check PACKAGE | kestrova-package extract PACKAGE DEST
//
// Runs the editor's package extractor on a package. On success prints the FBX models it
// would import, one per line, and nothing else on standard output; on failure prints the
// extractor's sentence on standard error and exits 1. "check" extracts into a temporary
// folder that it removes again.

#include "Package/SafeZip.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
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
		std::cerr << "usage: kestrova-package check PACKAGE\n"
			"       kestrova-package extract PACKAGE DEST\n";
		return 2;
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
}

int main(int ArgumentCount, char** Arguments)
{
	const std::vector<std::string> Words(Arguments + 1, Arguments + ArgumentCount);
	const bool bCheck = Words.size() == 2 && Words[0] == "check";
	const bool bExtract = Words.size() == 3 && Words[0] == "extract";
	if (!bCheck && !bExtract)
	{
		return Usage();
	}

	// Ctrl-C cancels like the editor's window does, so nothing half-written stays behind.
	std::signal(SIGINT, Interrupt);
	std::signal(SIGTERM, Interrupt);

	std::filesystem::path Scratch;
	if (bCheck && !MakeScratch(Scratch))
	{
		std::cerr << "Could not create a temporary folder." << std::endl;
		return 1;
	}
	const std::filesystem::path Destination = bCheck ? Scratch / "package" : std::filesystem::path(Words[2]);
	std::vector<std::string> Models;
	std::string Error;
	const bool bOk = KVASafe::Extract(Words[1], Destination, bInterrupted, Models, Error);
	if (bCheck)
	{
		std::error_code Code;
		std::filesystem::remove_all(Scratch, Code);
	}
	if (!bOk)
	{
		std::cerr << Error << std::endl;
		return 1;
	}
	for (const std::string& Model : Models)
	{
		std::cout << Model << '\n';
	}
	std::cout.flush();
	return std::cout ? 0 : 1;
}
