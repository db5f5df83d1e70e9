#pragma once

#include "CoreTypes.h"
#include "Math/Vector2D.h"
#include "Math/Vector4.h"
#include "Types/SlateEnums.h"

// Space around a widget, in Slate units: left, top, right, bottom.
struct FMargin
{
	float Left = 0;
	float Top = 0;
	float Right = 0;
	float Bottom = 0;

	FMargin() = default;
	FMargin(float UniformMargin) : Left(UniformMargin), Top(UniformMargin), Right(UniformMargin), Bottom(UniformMargin) {}
	FMargin(float Horizontal, float Vertical) : Left(Horizontal), Top(Vertical), Right(Horizontal), Bottom(Vertical) {}
	FMargin(float InLeft, float InTop, float InRight, float InBottom) : Left(InLeft), Top(InTop), Right(InRight), Bottom(InBottom) {}
	FMargin(const FVector2f& InVector) : FMargin(InVector.X, InVector.Y) {}
	FMargin(const FVector2d& InVector) : FMargin(float(InVector.X), float(InVector.Y)) {}
	FMargin(const FVector4f& InVector) : FMargin(InVector.X, InVector.Y, InVector.Z, InVector.W) {}
	FMargin(const FVector4d& InVector) : FMargin(float(InVector.X), float(InVector.Y), float(InVector.Z), float(InVector.W)) {}

	FMargin operator*(float Scale) const { return FMargin(Left * Scale, Top * Scale, Right * Scale, Bottom * Scale); }
	FMargin operator+(const FMargin& Other) const { return FMargin(Left + Other.Left, Top + Other.Top, Right + Other.Right, Bottom + Other.Bottom); }
	FMargin operator-(const FMargin& Other) const { return FMargin(Left - Other.Left, Top - Other.Top, Right - Other.Right, Bottom - Other.Bottom); }
	bool operator==(const FMargin& Other) const { return Left == Other.Left && Top == Other.Top && Right == Other.Right && Bottom == Other.Bottom; }
	bool operator!=(const FMargin& Other) const { return !(*this == Other); }

	FVector2D GetDesiredSize() const { return FVector2D(Left + Right, Top + Bottom); }
	template <EOrientation Orientation>
	float GetTotalSpaceAlong() const
	{
		return Orientation == Orient_Horizontal ? Left + Right : Top + Bottom;
	}
};
