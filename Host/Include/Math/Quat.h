#pragma once

#include "Math/Rotator.h"

#include <numbers>

namespace UE::Math
{
	// A rotation as a unit quaternion.
	template <typename T>
	struct TQuat
	{
		T X = 0;
		T Y = 0;
		T Z = 0;
		T W = 1;

		constexpr TQuat() = default;
		constexpr TQuat(T InX, T InY, T InZ, T InW) : X(InX), Y(InY), Z(InZ), W(InW) {}
		explicit TQuat(const TRotator<T>& R) { *this = R.Quaternion(); }

		static const TQuat Identity;

		// The rotator of this rotation, with the engine's handling of the poles.
		TRotator<T> Rotator() const
		{
			constexpr T RadToDeg = T(180) / std::numbers::pi_v<T>;
			constexpr T SingularityThreshold = T(0.4999995);
			const T SingularityTest = Z * X - W * Y;
			const T YawY = T(2) * (W * Z + X * Y);
			const T YawX = T(1) - T(2) * (Y * Y + Z * Z);
			TRotator<T> Result;
			Result.Yaw = std::atan2(YawY, YawX) * RadToDeg;
			if (SingularityTest < -SingularityThreshold)
			{
				Result.Pitch = T(-90);
				Result.Roll = TRotator<T>::NormalizeAxis(-Result.Yaw - T(2) * std::atan2(X, W) * RadToDeg);
			}
			else if (SingularityTest > SingularityThreshold)
			{
				Result.Pitch = T(90);
				Result.Roll = TRotator<T>::NormalizeAxis(Result.Yaw - T(2) * std::atan2(X, W) * RadToDeg);
			}
			else
			{
				Result.Pitch = std::asin(T(2) * SingularityTest) * RadToDeg;
				Result.Roll = std::atan2(T(-2) * (W * X + Y * Z), T(1) - T(2) * (X * X + Y * Y)) * RadToDeg;
			}
			return Result;
		}
		bool Equals(const TQuat& Q, T Tolerance = T(1.e-4)) const
		{
			// q and -q are the same rotation.
			auto Near = [Tolerance](const TQuat& A, const TQuat& B)
			{
				return std::abs(A.X - B.X) <= Tolerance && std::abs(A.Y - B.Y) <= Tolerance && std::abs(A.Z - B.Z) <= Tolerance
					&& std::abs(A.W - B.W) <= Tolerance;
			};
			return Near(*this, Q) || Near(*this, TQuat(-Q.X, -Q.Y, -Q.Z, -Q.W));
		}
		// The vector rotated by this rotation.
		TVector<T> RotateVector(const TVector<T>& V) const
		{
			// v' = v + 2w(q x v) + 2(q x (q x v))
			const TVector<T> Q(X, Y, Z);
			const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * T(2);
			return V + TT * W + TVector<T>::CrossProduct(Q, TT);
		}
		bool operator==(const TQuat& Q) const { return X == Q.X && Y == Q.Y && Z == Q.Z && W == Q.W; }
		friend FArchive& operator<<(FArchive& Ar, TQuat& Q) { return Ar << Q.X << Q.Y << Q.Z << Q.W; }
	};

	template <typename T>
	inline const TQuat<T> TQuat<T>::Identity(0, 0, 0, 1);

	template <typename T>
	TQuat<T> TRotator<T>::Quaternion() const
	{
		constexpr T HalfDegToRad = std::numbers::pi_v<T> / T(360);
		const T SP = std::sin(Pitch * HalfDegToRad);
		const T CP = std::cos(Pitch * HalfDegToRad);
		const T SY = std::sin(Yaw * HalfDegToRad);
		const T CY = std::cos(Yaw * HalfDegToRad);
		const T SR = std::sin(Roll * HalfDegToRad);
		const T CR = std::cos(Roll * HalfDegToRad);
		return TQuat<T>(CR * SP * SY - SR * CP * CY, -CR * SP * CY - SR * CP * SY, CR * CP * SY - SR * SP * CY, CR * CP * CY + SR * SP * SY);
	}
}

using FQuat = UE::Math::TQuat<double>;
