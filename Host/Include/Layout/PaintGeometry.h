#pragma once

#include "CoreTypes.h"
#include "Math/Vector2D.h"

// Where an element is drawn, in window pixels: top-left corner, size and the accumulated scale.
struct FPaintGeometry
{
	FVector2D DrawPosition;
	FVector2D DrawSize;
	float DrawScale = 1.0f;

	FPaintGeometry() = default;
	FPaintGeometry(const FVector2D& InDrawPosition, const FVector2D& InDrawSize, float InDrawScale)
		: DrawPosition(InDrawPosition), DrawSize(InDrawSize), DrawScale(InDrawScale)
	{
	}
	FVector2D GetLocalSize() const { return DrawScale != 0 ? DrawSize / double(DrawScale) : DrawSize; }
};
