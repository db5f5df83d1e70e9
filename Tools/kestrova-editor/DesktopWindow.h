#pragma once

class FEditorSession;

namespace KVAEditor
{
	// The stand-in editor in a desktop window until the person closes it: the main window with
	// its menus and tabs, and beside it the level's actors and the undo history. Returns the
	// program's exit code.
	int RunDesktopWindow(FEditorSession& Session);
}
