#pragma once

#include "Math/Color.h"

namespace UE::Slate
{
	// Component-wise product: how tints, colours and opacities combine.
	inline FLinearColor Modulate(const FLinearColor& A, const FLinearColor& B)
	{
		return FLinearColor(A.R * B.R, A.G * B.G, A.B * B.B, A.A * B.A);
	}

	inline FLinearColor Modulate(const FLinearColor& A, const FLinearColor& B, const FLinearColor& C)
	{
		return Modulate(Modulate(A, B), C);
	}
}
