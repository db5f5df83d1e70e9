#pragma once

#include "Package/SafeZip.h"

#include <string>
#include <vector>

// What the package checker tells an author besides the sentence the editor shows: which member
// is at fault, the rule in plain words and the usual fix.
namespace KVAPackageTool
{
	struct FProblem
	{
		// A stable name of the rule, for build pipelines.
		std::string Check;
		// The member at fault, printable; empty for the package as a whole.
		std::string Member;
		// One line for a person: "member NAME: what is wrong; what to do".
		std::string Detail;
	};

	// The extractor's refusal, in words.
	FProblem Explain(const KVASafe::FRefusal& Refusal);

	// Models that are macOS metadata (AppleDouble "._" files and anything below "__MACOSX/"):
	// the extractor writes them like any model, and none of them holds a mesh.
	std::vector<FProblem> MacMetadata(const std::vector<std::string>& Models);

	// A model that the editor's import turns into no static mesh.
	FProblem NoMesh(const std::string& Model);

	// A member name as it can be shown: invalid UTF-8 and control bytes as \xNN, and a very
	// long name shortened.
	std::string Printable(const std::string& Name);
}
