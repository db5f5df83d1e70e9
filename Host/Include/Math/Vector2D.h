#pragma once

#include "CoreTypes.h"

#include <cmath>
#include <type_traits>

namespace UE::Math
{
	// A two-component vector; FVector2D holds doubles (as in the engine since 5.0), FVector2f floats.
	template <typename T>
	struct TVector2
	{
		T X = 0;
		T Y = 0;

		TVector2() = default;
		constexpr TVector2(T InX, T InY) : X(InX), Y(InY) {}
		explicit constexpr TVector2(T InF) : X(InF), Y(InF) {}
		explicit constexpr TVector2(EForceInit) {}
		template <typename OtherType>
			requires(!std::is_same_v<T, OtherType>)
		explicit constexpr TVector2(const TVector2<OtherType>& Other) : X(T(Other.X)), Y(T(Other.Y))
		{
		}

		constexpr TVector2 operator+(const TVector2& V) const { return TVector2(X + V.X, Y + V.Y); }
		constexpr TVector2 operator-(const TVector2& V) const { return TVector2(X - V.X, Y - V.Y); }
		constexpr TVector2 operator*(const TVector2& V) const { return TVector2(X * V.X, Y * V.Y); }
		constexpr TVector2 operator/(const TVector2& V) const { return TVector2(X / V.X, Y / V.Y); }
		constexpr TVector2 operator*(T Scale) const { return TVector2(X * Scale, Y * Scale); }
		constexpr TVector2 operator/(T Scale) const { return TVector2(X / Scale, Y / Scale); }
		constexpr TVector2 operator-() const { return TVector2(-X, -Y); }
		TVector2& operator+=(const TVector2& V) { X += V.X; Y += V.Y; return *this; }
		TVector2& operator-=(const TVector2& V) { X -= V.X; Y -= V.Y; return *this; }
		TVector2& operator*=(T Scale) { X *= Scale; Y *= Scale; return *this; }
		constexpr bool operator==(const TVector2& V) const { return X == V.X && Y == V.Y; }
		constexpr bool operator!=(const TVector2& V) const { return !(*this == V); }
		friend constexpr TVector2 operator*(T Scale, const TVector2& V) { return V * Scale; }

		constexpr T operator[](int32 Index) const { return Index == 0 ? X : Y; }
		T& operator[](int32 Index) { return Index == 0 ? X : Y; }
		constexpr TVector2 ComponentMin(const TVector2& V) const { return TVector2(X < V.X ? X : V.X, Y < V.Y ? Y : V.Y); }
		constexpr TVector2 ComponentMax(const TVector2& V) const { return TVector2(X > V.X ? X : V.X, Y > V.Y ? Y : V.Y); }
		constexpr T GetMax() const { return X > Y ? X : Y; }
		constexpr T GetMin() const { return X < Y ? X : Y; }
		T Size() const { return std::sqrt(X * X + Y * Y); }
		bool IsZero() const { return X == 0 && Y == 0; }
		bool Equals(const TVector2& V, T Tolerance = T(1.e-4)) const { return std::abs(X - V.X) <= Tolerance && std::abs(Y - V.Y) <= Tolerance; }

		static const TVector2 ZeroVector;
		static const TVector2 UnitVector;
	};

	template <typename T>
	inline const TVector2<T> TVector2<T>::ZeroVector(0, 0);
	template <typename T>
	inline const TVector2<T> TVector2<T>::UnitVector(1, 1);
}

typedef UE::Math::TVector2<double> FVector2D;
typedef UE::Math::TVector2<float> FVector2f;
typedef UE::Math::TVector2<double> FVector2d;
