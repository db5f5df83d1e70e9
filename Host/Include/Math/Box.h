#pragma once

#include "Math/Vector.h"

#include <algorithm>

namespace UE::Math
{
	// An axis-aligned box; invalid (empty) until a point is added.
	template <typename T>
	struct TBox
	{
		TVector<T> Min;
		TVector<T> Max;
		uint8 IsValid = 0;

		TBox() = default;
		TBox(const TVector<T>& InMin, const TVector<T>& InMax) : Min(InMin), Max(InMax), IsValid(1) {}

		TBox& operator+=(const TVector<T>& Other)
		{
			if (IsValid)
			{
				Min = TVector<T>(std::min(Min.X, Other.X), std::min(Min.Y, Other.Y), std::min(Min.Z, Other.Z));
				Max = TVector<T>(std::max(Max.X, Other.X), std::max(Max.Y, Other.Y), std::max(Max.Z, Other.Z));
			}
			else
			{
				Min = Max = Other;
				IsValid = 1;
			}
			return *this;
		}
		TVector<T> GetSize() const { return Max - Min; }
	};
}

using FBox = UE::Math::TBox<double>;
