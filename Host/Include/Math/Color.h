#pragma once

#include "CoreTypes.h"

struct FColor
{
	FColor() = default;
	constexpr FColor(uint8 InR, uint8 InG, uint8 InB, uint8 InA = 255) : B(InB), G(InG), R(InR), A(InA) {}
	bool operator==(const FColor& Other) const { return R == Other.R && G == Other.G && B == Other.B && A == Other.A; }

	// Memory order as on little-endian platforms: blue, green, red, alpha.
	uint8 B = 0;
	uint8 G = 0;
	uint8 R = 0;
	uint8 A = 0;
};

struct FLinearColor
{
	FLinearColor() = default;
	constexpr FLinearColor(float InR, float InG, float InB, float InA = 1.0f) : R(InR), G(InG), B(InB), A(InA) {}
	// Converts an FColor, which is taken to be in sRGB space, to linear space.
	FLinearColor(const FColor& Color);

	static FLinearColor FromSRGBColor(const FColor& Color);
	FColor ToFColor(bool bSRGB) const;
	FLinearColor CopyWithNewOpacity(float NewOpacity) const { return FLinearColor(R, G, B, NewOpacity); }
	bool operator==(const FLinearColor& Other) const { return R == Other.R && G == Other.G && B == Other.B && A == Other.A; }
	bool operator!=(const FLinearColor& Other) const { return !(*this == Other); }
	// Every component, alpha included, as the engine's operators do.
	constexpr FLinearColor operator*(float Scalar) const { return FLinearColor(R * Scalar, G * Scalar, B * Scalar, A * Scalar); }
	constexpr FLinearColor operator*(const FLinearColor& Other) const { return FLinearColor(R * Other.R, G * Other.G, B * Other.B, A * Other.A); }
	constexpr FLinearColor operator+(const FLinearColor& Other) const { return FLinearColor(R + Other.R, G + Other.G, B + Other.B, A + Other.A); }

	static const FLinearColor White;
	static const FLinearColor Black;
	static const FLinearColor Transparent;
	static const FLinearColor Red;
	static const FLinearColor Green;
	static const FLinearColor Blue;
	static const FLinearColor Gray;

	float R = 0;
	float G = 0;
	float B = 0;
	float A = 0;
};
