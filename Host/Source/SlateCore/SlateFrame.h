#pragma once

#include "CoreTypes.h"

// The frame the application is painting: widgets note the frame they were painted in, and a
// widget whose next desired size depends on the geometry it was just given asks for another
// layout pass within the same frame.
namespace UE::Slate::Frame
{
	uint64 GetCurrent();
	void Begin();
	void RequestLayoutPass();
	bool ConsumeLayoutPassRequest();
}
