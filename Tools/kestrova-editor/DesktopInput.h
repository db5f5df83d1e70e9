#pragma once

union SDL_Event;

namespace KVAEditor
{
	// Hands one event of the desktop window to the application's input entry points, as the
	// editor's platform layer does: pointer positions in screen space (the desktop window's
	// client area is the screen the editor's windows are laid out on), characters from text
	// input, and keys by the engine's names with the modifier keys held. True when the event
	// was input.
	bool RouteInput(const SDL_Event& Event);
}
