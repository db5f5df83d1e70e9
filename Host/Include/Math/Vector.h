#pragma once

#include "CoreTypes.h"
#include "Serialization/Archive.h"

#include <cmath>

namespace UE::Math
{
	// A point or direction in 3D space.
	template <typename T>
	struct TVector
	{
		T X = 0;
		T Y = 0;
		T Z = 0;

		constexpr TVector() = default;
		constexpr TVector(T InX, T InY, T InZ) : X(InX), Y(InY), Z(InZ) {}
		explicit constexpr TVector(T InF) : X(InF), Y(InF), Z(InF) {}

		static const TVector ZeroVector;
		static const TVector OneVector;

		TVector operator+(const TVector& V) const { return TVector(X + V.X, Y + V.Y, Z + V.Z); }
		TVector operator-(const TVector& V) const { return TVector(X - V.X, Y - V.Y, Z - V.Z); }
		TVector operator*(T Scale) const { return TVector(X * Scale, Y * Scale, Z * Scale); }
		TVector operator*(const TVector& V) const { return TVector(X * V.X, Y * V.Y, Z * V.Z); }
		bool operator==(const TVector& V) const { return X == V.X && Y == V.Y && Z == V.Z; }
		bool operator!=(const TVector& V) const { return !(*this == V); }
		bool Equals(const TVector& V, T Tolerance = T(1.e-4)) const
		{
			return std::abs(X - V.X) <= Tolerance && std::abs(Y - V.Y) <= Tolerance && std::abs(Z - V.Z) <= Tolerance;
		}
		T Size() const { return std::sqrt(X * X + Y * Y + Z * Z); }
		static TVector CrossProduct(const TVector& A, const TVector& B)
		{
			return TVector(A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X);
		}

		friend FArchive& operator<<(FArchive& Ar, TVector& V) { return Ar << V.X << V.Y << V.Z; }
	};

	template <typename T>
	inline const TVector<T> TVector<T>::ZeroVector(0, 0, 0);
	template <typename T>
	inline const TVector<T> TVector<T>::OneVector(1, 1, 1);
}

using FVector = UE::Math::TVector<double>;
using FVector3f = UE::Math::TVector<float>;
