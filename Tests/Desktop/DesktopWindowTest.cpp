#include "ChildProcess.h"
#include "VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

namespace
{
	// What the editor program says with KVA_REPORT_LAYOUT set: where each text is drawn (a
	// "layout" line, then "text X Y LABEL" lines) and each change of its state ("state ...").
	class FEditorReport
	{
	public:
		explicit FEditorReport(FChildProcess& InEditor) : Editor(InEditor) {}

		// Reads what the editor says until Condition holds; false at the timeout or its exit.
		bool Until(const std::function<bool()>& Condition, double Seconds)
		{
			const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
			while (!Condition())
			{
				const double Left = std::chrono::duration<double>(Deadline - std::chrono::steady_clock::now()).count();
				const std::optional<std::string> Line = Editor.ReadLine(Left);
				if (!Line)
				{
					return false;
				}
				Take(*Line);
			}
			return true;
		}

		// The centre of the first text drawn with exactly this label.
		const std::pair<int, int>* Where(const std::string& Label) const
		{
			const auto Found = Texts.find(Label);
			return Found != Texts.end() ? &Found->second : nullptr;
		}

		const std::string& GetState() const { return State; }
		const std::string& GetLastLine() const { return LastLine; }

	private:
		void Take(const std::string& Line)
		{
			LastLine = Line;
			int X = 0;
			int Y = 0;
			int Consumed = 0;
			if (Line == "layout")
			{
				Texts.clear();
			}
			else if (std::sscanf(Line.c_str(), "text %d %d %n", &X, &Y, &Consumed) == 2 && Consumed > 0)
			{
				Texts.emplace(Line.substr(size_t(Consumed)), std::make_pair(X, Y));
			}
			else if (Line.rfind("state ", 0) == 0)
			{
				State = Line.substr(6);
			}
		}

		FChildProcess& Editor;
		std::map<std::string, std::pair<int, int>> Texts;
		std::string State;
		std::string LastLine;
	};

	// One thing a person does in the window and what must follow.
	struct FStep
	{
		const char* Name;
		// The text the person aims at and clicks.
		const char* Aim;
		// Typed after the click, then the keys pressed (X key names); null for none.
		const char* Typed;
		const char* Keys;
		// What the editor's state line must match afterwards; null when the step waits for
		// Shows instead.
		const char* State;
		const char* Shows;
		// Pixels of the window that must have changed on screen.
		size_t Changed;
	};

	const FStep Steps[] = {
		{"open the Window menu", "Window", nullptr, nullptr, nullptr, "Kestrova", 2000},
		{"choose Window > Kestrova", "Kestrova", nullptr, nullptr, "^signed out, 0 products; level 0 actors", nullptr, 500000},
		{"sign in through the browser", "Sign in", nullptr, nullptr, "^signed in, [1-9][0-9]* products; level 0 actors", nullptr, 300000},
		{"search for oak, mistyped and corrected", "Search assets", "oaky", "BackSpace Return", "^signed in, search \"oak\", 3 products;", nullptr, 250000},
		{"choose Oak Chair", "Oak Chair", nullptr, nullptr, ", chosen \"Oak Chair\"; level 0 actors", nullptr, 100000},
		{"add it to the scene", "Add to Scene", nullptr, nullptr, "^signed in, [^;]*chosen \"Oak Chair\"; level 1 actors; history 1, 0 undone$", nullptr, 30000},
		{"undo in the side panel", "Undo", nullptr, nullptr, "; level 0 actors; history 1, 1 undone$", nullptr, 1000},
	};

	std::optional<std::string> XDoTool(const std::string& Display, std::vector<std::string> Arguments, double Seconds = 30.0)
	{
		Arguments.insert(Arguments.begin(), FChildProcess::Find("xdotool"));
		return FChildProcess::Run(FChildProcess::FOptions{Arguments, {{"DISPLAY", Display}}}, Seconds);
	}
}

// A person uses the editor program's desktop window through a real X server: every click and
// key stroke is sent to the server, aimed at where the program drew the label, and what the
// server shows of the window must change with it.
TEST(DesktopWindowTest, PersonSignsInBringsAnAssetIntoTheLevelAndUndoesIt)
{
	if (!FVirtualDisplay::IsInstalled())
	{
		GTEST_SKIP() << "Xvfb is not installed (scripts/bootstrap installs it); the desktop window is not tested.";
	}
	ASSERT_FALSE(FChildProcess::Find("xdotool").empty()) << "xdotool is missing (scripts/bootstrap installs it)";
	const FVirtualDisplay Display;
	ASSERT_FALSE(Display.GetName().empty()) << "Xvfb did not start";

	FChildProcess Editor(FChildProcess::FOptions{{KVA_EDITOR_PROGRAM, "--window"},
		{{"DISPLAY", Display.GetName()}, {"KVA_REPORT_LAYOUT", "1"}, {"SDL_VIDEODRIVER", "x11"}}});
	ASSERT_TRUE(Editor.IsStarted());
	FEditorReport Report(Editor);

	const std::optional<std::string> Found = XDoTool(Display.GetName(), {"search", "--sync", "--onlyvisible", "--name", "^Unreal Editor$"}, 120.0);
	ASSERT_TRUE(Found.has_value()) << "the editor's window was not mapped";
	const unsigned long Window = std::strtoul(Found->c_str(), nullptr, 10);
	ASSERT_NE(Window, 0ul);
	const std::string WindowId = std::to_string(Window);

	for (const FStep& Step : Steps)
	{
		SCOPED_TRACE(Step.Name);
		ASSERT_TRUE(Report.Until([&] { return Report.Where(Step.Aim) != nullptr; }, 60.0)) << "\"" << Step.Aim << "\" is not drawn; state: " << Report.GetState();
		const std::pair<int, int> Aim = *Report.Where(Step.Aim);
		// The picture before the click already shows the pointer resting on the aim, so that
		// what changes is what the click did, not the hovered look.
		ASSERT_TRUE(XDoTool(Display.GetName(), {"mousemove", "--window", WindowId, std::to_string(Aim.first), std::to_string(Aim.second)}));
		std::this_thread::sleep_for(std::chrono::milliseconds(300));
		const FVirtualDisplay::FCapture Before = Display.Capture(Window);
		ASSERT_GT(Before.Width, 0);

		ASSERT_TRUE(XDoTool(Display.GetName(), {"click", "1"}));
		if (Step.Typed != nullptr)
		{
			ASSERT_TRUE(XDoTool(Display.GetName(), {"type", "--delay", "40", Step.Typed}));
			std::vector<std::string> Keys = {"key", "--delay", "40"};
			std::istringstream Names(Step.Keys);
			for (std::string Name; Names >> Name;)
			{
				Keys.push_back(Name);
			}
			ASSERT_TRUE(XDoTool(Display.GetName(), Keys));
		}
		if (Step.State != nullptr)
		{
			const std::regex Pattern(Step.State);
			EXPECT_TRUE(Report.Until([&] { return std::regex_search(Report.GetState(), Pattern); }, 90.0)) << "state: " << Report.GetState();
		}
		else
		{
			EXPECT_TRUE(Report.Until([&] { return Report.Where(Step.Shows) != nullptr; }, 60.0)) << "\"" << Step.Shows << "\" is not drawn";
		}

		// The program presents a frame after it reports it; the server may show it a moment later.
		size_t Changed = 0;
		for (int Attempt = 0; Attempt < 50 && Changed < Step.Changed; ++Attempt)
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(100));
			Changed = FVirtualDisplay::CountChanged(Before, Display.Capture(Window));
		}
		EXPECT_GE(Changed, Step.Changed) << "the window on screen did not change enough";
		std::printf("%s: %zu pixels changed\n", Step.Name, Changed);
	}

	// Closed as a window manager's close button closes it: the program quits cleanly.
	ASSERT_TRUE(Display.Close(Window));
	EXPECT_TRUE(Report.Until([&] { return Report.GetLastLine() == "The editor closed."; }, 60.0));
	EXPECT_EQ(Editor.Wait(60.0), std::optional<int>(0));
}
