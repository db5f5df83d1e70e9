#include "HAL/PlatformProcess.h"
#include "Math/Color.h"

#include "Runtime/HostRuntime.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace
{
	float SRGBToLinear(uint8 Value)
	{
		const float C = Value / 255.0f;
		return C <= 0.04045f ? C / 12.92f : std::pow((C + 0.055f) / 1.055f, 2.4f);
	}

	uint8 LinearToSRGB(float Value)
	{
		const float C = std::fmin(std::fmax(Value, 0.0f), 1.0f);
		const float S = C <= 0.0031308f ? C * 12.92f : 1.055f * std::pow(C, 1.0f / 2.4f) - 0.055f;
		return uint8(std::lround(S * 255.0f));
	}
}

FLinearColor::FLinearColor(const FColor& Color)
	: R(SRGBToLinear(Color.R))
	, G(SRGBToLinear(Color.G))
	, B(SRGBToLinear(Color.B))
	, A(Color.A / 255.0f)
{
}

FLinearColor FLinearColor::FromSRGBColor(const FColor& Color)
{
	return FLinearColor(Color);
}

FColor FLinearColor::ToFColor(bool bSRGB) const
{
	auto Plain = [](float Value) { return uint8(std::lround(std::fmin(std::fmax(Value, 0.0f), 1.0f) * 255.0f)); };
	return bSRGB ? FColor(LinearToSRGB(R), LinearToSRGB(G), LinearToSRGB(B), Plain(A)) : FColor(Plain(R), Plain(G), Plain(B), Plain(A));
}

const FLinearColor FLinearColor::White(1.f, 1.f, 1.f);
const FLinearColor FLinearColor::Black(0.f, 0.f, 0.f);
const FLinearColor FLinearColor::Transparent(0.f, 0.f, 0.f, 0.f);
const FLinearColor FLinearColor::Red(1.f, 0.f, 0.f);
const FLinearColor FLinearColor::Green(0.f, 1.f, 0.f);
const FLinearColor FLinearColor::Blue(0.f, 0.f, 1.f);
const FLinearColor FLinearColor::Gray(0.5f, 0.5f, 0.5f);

void FPlatformProcess::LaunchURL(const TCHAR* URL, const TCHAR*, FString* Error)
{
	if (Error)
	{
		Error->Empty();
	}
	if (FHostRuntime* Runtime = FHostRuntime::Get())
	{
		Runtime->LaunchURL(FString(URL));
	}
}

bool FPlatformProcess::CanLaunchURL(const TCHAR* URL)
{
	return URL != nullptr && URL[0] != 0;
}

void FPlatformProcess::Sleep(float Seconds)
{
	std::this_thread::sleep_for(std::chrono::duration<double>(Seconds));
}

const TCHAR* FPlatformProcess::BaseDir()
{
	static const FString Base = FHostRuntime::Get() ? FHostRuntime::Get()->GetProjectDir() : FString(TEXT("/"));
	return *Base;
}
