#pragma once

#include "CoreTypes.h"
#include "Math/Vector2D.h"

namespace UE::Slate
{
	// A size or position parameter that takes float and double vectors alike.
	struct FDeprecateVector2DParameter : public FVector2f
	{
		FDeprecateVector2DParameter() : FVector2f(0.0f, 0.0f) {}
		FDeprecateVector2DParameter(const FVector2f& InValue) : FVector2f(InValue) {}
		FDeprecateVector2DParameter(const FVector2D& InValue) : FVector2f(float(InValue.X), float(InValue.Y)) {}
		FDeprecateVector2DParameter(float InX, float InY) : FVector2f(InX, InY) {}
		operator FVector2D() const { return FVector2D(X, Y); }
	};
}
