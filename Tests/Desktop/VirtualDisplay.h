#pragma once

#include "ChildProcess.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An X server of its own for a test (Xvfb on the first free display), with what the test
// does to a window through it: captures of what it shows, and closing it the way a window
// manager's close button does.
class FVirtualDisplay
{
public:
	// The pixels of a window, row by row.
	struct FCapture
	{
		int Width = 0;
		int Height = 0;
		std::vector<uint32_t> Pixels;
	};

	FVirtualDisplay();
	~FVirtualDisplay();

	static bool IsInstalled();
	// ":N" once the server is up; empty when it did not start.
	const std::string& GetName() const { return Name; }

	FCapture Capture(unsigned long Window) const;
	// Asks the window's program to close it (WM_DELETE_WINDOW).
	bool Close(unsigned long Window) const;

	// How many pixels differ; every pixel when the sizes do.
	static size_t CountChanged(const FCapture& Before, const FCapture& After);

private:
	std::unique_ptr<FChildProcess> Server;
	std::string Name;
	struct _XDisplay* Connection = nullptr;
};
