#pragma once

#include "CoreTypes.h"
#include "Math/Vector2D.h"

// A uniform scale followed by a translation: how a child's local space maps into its parent's.
class FSlateLayoutTransform
{
public:
	FSlateLayoutTransform(float InScale = 1.0f) : Scale(InScale) {}
	explicit FSlateLayoutTransform(const FVector2D& InTranslation) : Translation(InTranslation) {}
	FSlateLayoutTransform(float InScale, const FVector2D& InTranslation) : Scale(InScale), Translation(InTranslation) {}

	float GetScale() const { return Scale; }
	const FVector2D& GetTranslation() const { return Translation; }

private:
	float Scale = 1.0f;
	FVector2D Translation;
};
