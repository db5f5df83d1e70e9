#pragma once

#include "CoreTypes.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

struct FMath
{
	template <typename T>
	static constexpr T Min(T A, T B) { return A < B ? A : B; }
	template <typename T>
	static constexpr T Max(T A, T B) { return A < B ? B : A; }
	// Clamps X to be between MinValue and MaxValue, inclusive.
	template <typename T>
	static constexpr T Clamp(const T X, const T MinValue, const T MaxValue) { return X < MinValue ? MinValue : (X < MaxValue ? X : MaxValue); }
	static constexpr float Clamp(const float X, const float Min, const float Max) { return Clamp<float>(X, Min, Max); }
	static constexpr double Clamp(const double X, const double Min, const double Max) { return Clamp<double>(X, Min, Max); }
	// Mixed int64 and int32 arguments.
	static constexpr int64 Clamp(const int64 X, const int32 Min, const int32 Max) { return Clamp<int64>(X, Min, Max); }
	// Mixed arithmetic arguments with at least one floating point: computed in the widest type.
	template <typename Arg1, typename Arg2, typename Arg3,
		std::enable_if_t<(std::is_floating_point_v<Arg1> || std::is_floating_point_v<Arg2> || std::is_floating_point_v<Arg3>)
			&& std::is_arithmetic_v<Arg1> && std::is_arithmetic_v<Arg2> && std::is_arithmetic_v<Arg3>, int> = 0>
	static constexpr auto Clamp(Arg1 X, Arg2 Y, Arg3 Z) -> decltype(X * Y * Z)
	{
		using FResult = decltype(X * Y * Z);
		return Clamp<FResult>(FResult(X), FResult(Y), FResult(Z));
	}
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
