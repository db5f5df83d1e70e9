// kestrova-editor: the stand-in editor with the Kestrova plug-in, as one program.
//
//   kestrova-editor --demo [--output DIR]
//       The whole flow through the library window, by clicks and key strokes against the
//       bundled local service, narrated, with a picture of each step and a contact sheet.
//   kestrova-editor --automation FILTER [--output DIR]
//       Runs the editor checks whose names contain FILTER, like "Automation RunTests", prints a
//       line per check and the totals, and copies the screenshots they took to DIR.
//   kestrova-editor --window
//       The editor in a desktop window, against the bundled local service, for a person to use
//       by hand; the level's actors and the undo history are shown beside it. With
//       KVA_REPORT_LAYOUT=1 it prints where each text is drawn and each change of state.
//
// --project DIR keeps the project (its Saved folder: cache, imported copies, screenshots) in
// DIR instead of a temporary folder.

#include "Automation.h"
#include "Demo.h"
#include "DesktopWindow.h"
#include "EditorSession.h"

#include "Client/KestrovaText.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace
{
	int Usage()
	{
		std::fprintf(stderr,
			"usage: kestrova-editor --demo [--output DIR] [--project DIR]\n"
			"       kestrova-editor --automation FILTER [--output DIR] [--project DIR]\n"
			"       kestrova-editor --window [--project DIR]\n");
		return 2;
	}

	struct FCommand
	{
		std::string Mode;
		std::string Filter;
		std::string Output;
		std::string Project;
	};

	std::optional<FCommand> Parse(const std::vector<std::string>& Words)
	{
		FCommand Command;
		for (size_t Index = 0; Index < Words.size(); ++Index)
		{
			const std::string& Word = Words[Index];
			const bool bHasValue = Index + 1 < Words.size();
			if ((Word == "--demo" || Word == "--window") && Command.Mode.empty())
			{
				Command.Mode = Word.substr(2);
			}
			else if (Word == "--automation" && Command.Mode.empty() && bHasValue)
			{
				Command.Mode = "automation";
				Command.Filter = Words[++Index];
			}
			else if (Word == "--output" && bHasValue)
			{
				Command.Output = Words[++Index];
			}
			else if (Word == "--project" && bHasValue)
			{
				Command.Project = Words[++Index];
			}
			else
			{
				return std::nullopt;
			}
		}
		// The window has no pictures to write.
		if (Command.Mode.empty() || (Command.Mode == "window" && !Command.Output.empty()))
		{
			return std::nullopt;
		}
		return Command;
	}
}

int main(int ArgumentCount, char** Arguments)
{
	const std::optional<FCommand> Command = Parse(std::vector<std::string>(Arguments + 1, Arguments + ArgumentCount));
	if (!Command)
	{
		return Usage();
	}
	FEditorSession::FOptions Options;
	Options.ProjectDir = KVAText::FromUtf8(Command->Project);
	// The checks use fixed files only; the other modes talk to the bundled service.
	Options.bService = Command->Mode != "automation";
	FEditorSession Session(Options);
	if (!Session.IsReady())
	{
		std::fprintf(stderr, "The editor could not start: the local service or the Kestrova module did not come up.\n");
		return 1;
	}
	if (Command->Mode == "window")
	{
		return KVAEditor::RunDesktopWindow(Session);
	}
	const FString Output = KVAText::FromUtf8(Command->Output.empty() ? "kestrova-" + Command->Mode : Command->Output);
	if (Command->Mode == "automation")
	{
		return KVAEditor::RunAutomation(Session, KVAText::FromUtf8(Command->Filter), Output);
	}
	return KVAEditor::RunDemo(Session, Output);
}
