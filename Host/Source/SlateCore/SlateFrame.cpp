#include "SlateCore/SlateFrame.h"

namespace
{
	uint64 CurrentFrame = 0;
	bool bLayoutPassRequested = false;
}

uint64 UE::Slate::Frame::GetCurrent()
{
	return CurrentFrame;
}

void UE::Slate::Frame::Begin()
{
	++CurrentFrame;
	bLayoutPassRequested = false;
}

void UE::Slate::Frame::RequestLayoutPass()
{
	bLayoutPassRequested = true;
}

bool UE::Slate::Frame::ConsumeLayoutPassRequest()
{
	const bool bRequested = bLayoutPassRequested;
	bLayoutPassRequested = false;
	return bRequested;
}
