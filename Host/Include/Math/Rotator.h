#pragma once

#include "Math/Vector.h"

namespace UE::Math
{
	template <typename T>
	struct TQuat;

	// A rotation in degrees: pitch about Y, yaw about Z, roll about X.
	template <typename T>
	struct TRotator
	{
		T Pitch = 0;
		T Yaw = 0;
		T Roll = 0;

		constexpr TRotator() = default;
		constexpr TRotator(T InPitch, T InYaw, T InRoll) : Pitch(InPitch), Yaw(InYaw), Roll(InRoll) {}

		static const TRotator ZeroRotator;

		TQuat<T> Quaternion() const;
		friend FArchive& operator<<(FArchive& Ar, TRotator& R) { return Ar << R.Pitch << R.Yaw << R.Roll; }
		bool operator==(const TRotator& R) const { return Pitch == R.Pitch && Yaw == R.Yaw && Roll == R.Roll; }
		bool Equals(const TRotator& R, T Tolerance = T(1.e-4)) const
		{
			return std::abs(NormalizeAxis(Pitch - R.Pitch)) <= Tolerance && std::abs(NormalizeAxis(Yaw - R.Yaw)) <= Tolerance
				&& std::abs(NormalizeAxis(Roll - R.Roll)) <= Tolerance;
		}
		// An angle in (-180, 180].
		static T NormalizeAxis(T Angle)
		{
			Angle = std::fmod(Angle, T(360));
			if (Angle < 0)
			{
				Angle += T(360);
			}
			return Angle > T(180) ? Angle - T(360) : Angle;
		}
	};

	template <typename T>
	inline const TRotator<T> TRotator<T>::ZeroRotator(0, 0, 0);
}

using FRotator = UE::Math::TRotator<double>;
