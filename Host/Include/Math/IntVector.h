#pragma once

#include "CoreTypes.h"

// Three integers; TakeScreenshot reports an image's width and height in X and Y.
struct FIntVector
{
	int32 X = 0;
	int32 Y = 0;
	int32 Z = 0;

	FIntVector() = default;
	constexpr FIntVector(int32 InX, int32 InY, int32 InZ) : X(InX), Y(InY), Z(InZ) {}
	explicit FIntVector(EForceInit) {}
	constexpr bool operator==(const FIntVector& Other) const { return X == Other.X && Y == Other.Y && Z == Other.Z; }
	constexpr bool operator!=(const FIntVector& Other) const { return !(*this == Other); }

	static const FIntVector ZeroValue;
};

inline const FIntVector FIntVector::ZeroValue(0, 0, 0);
