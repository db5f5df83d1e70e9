#include "VirtualDisplay.h"

#include <algorithm>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
	// An error (a window gone, say) fails the call that caused it, not the test process.
	int IgnoreError(Display*, XErrorEvent*)
	{
		return 0;
	}
}

FVirtualDisplay::FVirtualDisplay()
{
	const std::string Program = FChildProcess::Find("Xvfb");
	if (Program.empty())
	{
		return;
	}
	// The server picks a free display and writes its number once it accepts connections.
	Server = std::make_unique<FChildProcess>(FChildProcess::FOptions{
		{Program, "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"}, {}, true});
	const std::optional<std::string> Number = Server->ReadLine(30.0);
	if (!Number || Number->empty())
	{
		return;
	}
	Connection = XOpenDisplay((":" + *Number).c_str());
	if (Connection != nullptr)
	{
		Name = ":" + *Number;
		XSetErrorHandler(IgnoreError);
	}
}

FVirtualDisplay::~FVirtualDisplay()
{
	if (Connection != nullptr)
	{
		XCloseDisplay(Connection);
	}
}

bool FVirtualDisplay::IsInstalled()
{
	return !FChildProcess::Find("Xvfb").empty();
}

FVirtualDisplay::FCapture FVirtualDisplay::Capture(unsigned long Window) const
{
	FCapture Result;
	XWindowAttributes Attributes;
	if (Connection == nullptr || XGetWindowAttributes(Connection, Window, &Attributes) == 0)
	{
		return Result;
	}
	XImage* Image = XGetImage(Connection, Window, 0, 0, unsigned(Attributes.width), unsigned(Attributes.height), AllPlanes, ZPixmap);
	if (Image == nullptr)
	{
		return Result;
	}
	Result.Width = Attributes.width;
	Result.Height = Attributes.height;
	Result.Pixels.reserve(size_t(Result.Width) * size_t(Result.Height));
	for (int Y = 0; Y < Result.Height; ++Y)
	{
		for (int X = 0; X < Result.Width; ++X)
		{
			Result.Pixels.push_back(uint32_t(XGetPixel(Image, X, Y)));
		}
	}
	XDestroyImage(Image);
	return Result;
}

bool FVirtualDisplay::Close(unsigned long Window) const
{
	if (Connection == nullptr)
	{
		return false;
	}
	XEvent Event{};
	Event.xclient.type = ClientMessage;
	Event.xclient.window = Window;
	Event.xclient.message_type = XInternAtom(Connection, "WM_PROTOCOLS", False);
	Event.xclient.format = 32;
	Event.xclient.data.l[0] = long(XInternAtom(Connection, "WM_DELETE_WINDOW", False));
	Event.xclient.data.l[1] = CurrentTime;
	const bool bSent = XSendEvent(Connection, Window, False, NoEventMask, &Event) != 0;
	XSync(Connection, False);
	return bSent;
}

size_t FVirtualDisplay::CountChanged(const FCapture& Before, const FCapture& After)
{
	if (Before.Width != After.Width || Before.Height != After.Height)
	{
		return std::max(Before.Pixels.size(), After.Pixels.size());
	}
	size_t Changed = 0;
	for (size_t Index = 0; Index < Before.Pixels.size(); ++Index)
	{
		Changed += Before.Pixels[Index] != After.Pixels[Index] ? 1 : 0;
	}
	return Changed;
}
