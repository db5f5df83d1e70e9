#include "DesktopInput.h"

#include "Client/KestrovaText.h"

#include "Framework/Application/SlateApplication.h"
#include "InputCoreTypes.h"

#include <SDL.h>

namespace
{
	struct FKeyName
	{
		SDL_Keycode Code;
		const FKey& Key;
	};

	// The keys that editing and navigation in the editor's widgets respond to; characters come
	// as text input.
	const FKeyName GKeyNames[] = {
		{SDLK_BACKSPACE, EKeys::BackSpace},
		{SDLK_TAB, EKeys::Tab},
		{SDLK_RETURN, EKeys::Enter},
		{SDLK_KP_ENTER, EKeys::Enter},
		{SDLK_ESCAPE, EKeys::Escape},
		{SDLK_SPACE, EKeys::SpaceBar},
		{SDLK_PAGEUP, EKeys::PageUp},
		{SDLK_PAGEDOWN, EKeys::PageDown},
		{SDLK_END, EKeys::End},
		{SDLK_HOME, EKeys::Home},
		{SDLK_LEFT, EKeys::Left},
		{SDLK_UP, EKeys::Up},
		{SDLK_RIGHT, EKeys::Right},
		{SDLK_DOWN, EKeys::Down},
		{SDLK_DELETE, EKeys::Delete},
		{SDLK_a, EKeys::A},
	};

	FKey KeyOf(SDL_Keycode Code)
	{
		for (const FKeyName& Name : GKeyNames)
		{
			if (Name.Code == Code)
			{
				return Name.Key;
			}
		}
		return EKeys::Invalid;
	}

	FKey ButtonOf(Uint8 Button)
	{
		switch (Button)
		{
			case SDL_BUTTON_LEFT:
				return EKeys::LeftMouseButton;
			case SDL_BUTTON_RIGHT:
				return EKeys::RightMouseButton;
			case SDL_BUTTON_MIDDLE:
				return EKeys::MiddleMouseButton;
			default:
				return EKeys::Invalid;
		}
	}

	FModifierKeysState Modifiers()
	{
		const SDL_Keymod Mod = SDL_GetModState();
		return FModifierKeysState((Mod & KMOD_LSHIFT) != 0, (Mod & KMOD_RSHIFT) != 0, (Mod & KMOD_LCTRL) != 0, (Mod & KMOD_RCTRL) != 0, (Mod & KMOD_LALT) != 0,
			(Mod & KMOD_RALT) != 0, (Mod & KMOD_LGUI) != 0, (Mod & KMOD_RGUI) != 0, (Mod & KMOD_CAPS) != 0);
	}

	FPointerEvent Pointer(const FVector2D& Position, const FKey& Button, float WheelDelta = 0.0f)
	{
		FSlateApplication& Application = FSlateApplication::Get();
		return FPointerEvent(0, Position, Application.GetCursorPos(), Application.GetPressedMouseButtons(), Button, WheelDelta, Modifiers());
	}

	FKeyEvent KeyEvent(const SDL_KeyboardEvent& Event, const FKey& Key)
	{
		return FKeyEvent(Key, Modifiers(), 0, Event.repeat != 0, 0, uint32(Event.keysym.sym));
	}
}

namespace KVAEditor
{
	bool RouteInput(const SDL_Event& Event)
	{
		FSlateApplication& Application = FSlateApplication::Get();
		switch (Event.type)
		{
			case SDL_MOUSEMOTION:
				Application.ProcessMouseMoveEvent(Pointer(FVector2D(Event.motion.x, Event.motion.y), EKeys::Invalid));
				return true;
			case SDL_MOUSEBUTTONDOWN:
			case SDL_MOUSEBUTTONUP:
			{
				const FKey Button = ButtonOf(Event.button.button);
				if (!Button.IsValid())
				{
					return false;
				}
				const FPointerEvent MouseEvent = Pointer(FVector2D(Event.button.x, Event.button.y), Button);
				if (Event.type == SDL_MOUSEBUTTONDOWN)
				{
					Application.ProcessMouseButtonDownEvent(nullptr, MouseEvent);
				}
				else
				{
					Application.ProcessMouseButtonUpEvent(MouseEvent);
				}
				return true;
			}
			case SDL_MOUSEWHEEL:
			{
				// Positive scrolls up (away from the user), one notch a unit, as the editor counts.
				const float Notches = Event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -Event.wheel.preciseY : Event.wheel.preciseY;
				Application.ProcessMouseWheelOrGestureEvent(Pointer(Application.GetCursorPos(), EKeys::MouseWheelAxis, Notches), nullptr);
				return true;
			}
			case SDL_WINDOWEVENT:
				if (Event.window.event != SDL_WINDOWEVENT_LEAVE)
				{
					return false;
				}
				// The pointer left: nothing stays hovered.
				Application.ProcessMouseMoveEvent(Pointer(FVector2D(-1.0, -1.0), EKeys::Invalid));
				return true;
			case SDL_TEXTINPUT:
				for (const TCHAR Character : KVAText::FromUtf8(Event.text.text))
				{
					Application.ProcessKeyCharEvent(FCharacterEvent(Character, Modifiers(), 0, false));
				}
				return true;
			case SDL_KEYDOWN:
			case SDL_KEYUP:
			{
				const FKey Key = KeyOf(Event.key.keysym.sym);
				if (!Key.IsValid())
				{
					return false;
				}
				if (Event.type == SDL_KEYDOWN)
				{
					Application.ProcessKeyDownEvent(KeyEvent(Event.key, Key));
				}
				else
				{
					Application.ProcessKeyUpEvent(KeyEvent(Event.key, Key));
				}
				return true;
			}
			default:
				return false;
		}
	}
}
