#pragma once

#include "CoreTypes.h"

#include <algorithm>
#include <cmath>

struct FMath
{
	template <typename T>
	static constexpr T Min(T A, T B) { return A < B ? A : B; }
	template <typename T>
	static constexpr T Max(T A, T B) { return A < B ? B : A; }
	template <typename T>
	static constexpr T Clamp(T X, T Low, T High) { return X < Low ? Low : (X < High ? X : High); }
	template <typename T>
	static constexpr T Abs(T A) { return A < T(0) ? -A : A; }
	static int32 FloorToInt(float F) { return int32(std::floor(F)); }
	static int64 FloorToInt64(double F) { return int64(std::floor(F)); }
	static int32 RoundToInt(float F) { return int32(std::floor(F + 0.5f)); }
	static int32 CeilToInt(float F) { return int32(std::ceil(F)); }
	static bool IsFinite(double A) { return std::isfinite(A); }
	static bool IsNaN(double A) { return std::isnan(A); }
	static bool IsNearlyEqual(double A, double B, double Tolerance = 1e-8) { return std::fabs(A - B) <= Tolerance; }
};
