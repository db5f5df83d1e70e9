#pragma once

#include "Math/Quat.h"

namespace UE::Math
{
	// Rotation, translation and 3D scale.
	template <typename T>
	struct TTransform
	{
	public:
		TTransform() = default;
		explicit TTransform(const TVector<T>& InTranslation) : Translation(InTranslation) {}
		TTransform(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>::OneVector)
			: Rotation(InRotation), Translation(InTranslation), Scale3D(InScale3D)
		{
		}
		TTransform(const TRotator<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>::OneVector)
			: Rotation(InRotation.Quaternion()), Translation(InTranslation), Scale3D(InScale3D)
		{
		}

		// No rotation, no translation, unit scale.
		static const TTransform Identity;

		// Scales, then rotates, then translates the point.
		TVector<T> TransformPosition(const TVector<T>& V) const { return Rotation.RotateVector(V * Scale3D) + Translation; }
		TVector<T> GetLocation() const { return Translation; }
		TVector<T> GetTranslation() const { return Translation; }
		TQuat<T> GetRotation() const { return Rotation; }
		TRotator<T> Rotator() const { return Rotation.Rotator(); }
		TVector<T> GetScale3D() const { return Scale3D; }
		void SetLocation(const TVector<T>& V) { Translation = V; }
		void SetTranslation(const TVector<T>& V) { Translation = V; }
		void SetRotation(const TQuat<T>& Q) { Rotation = Q; }
		void SetScale3D(const TVector<T>& V) { Scale3D = V; }
		bool Equals(const TTransform& Other, T Tolerance = T(1.e-4)) const
		{
			return Rotation.Equals(Other.Rotation, Tolerance) && Translation.Equals(Other.Translation, Tolerance) && Scale3D.Equals(Other.Scale3D, Tolerance);
		}

		friend FArchive& operator<<(FArchive& Ar, TTransform& M) { return Ar << M.Rotation << M.Translation << M.Scale3D; }

	private:
		TQuat<T> Rotation = TQuat<T>::Identity;
		TVector<T> Translation = TVector<T>::ZeroVector;
		TVector<T> Scale3D = TVector<T>::OneVector;
	};

	template <typename T>
	inline const TTransform<T> TTransform<T>::Identity;
}

using FTransform = UE::Math::TTransform<double>;
