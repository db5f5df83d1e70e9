#pragma once

#include "CoreTypes.h"

#include <type_traits>

namespace UE::Math
{
	// A four-component vector; Slate uses it for per-corner radii (top left, top right,
	// bottom right, bottom left).
	template <typename T>
	struct TVector4
	{
		T X = 0;
		T Y = 0;
		T Z = 0;
		T W = 0;

		TVector4() = default;
		constexpr TVector4(T InX, T InY, T InZ, T InW = 1) : X(InX), Y(InY), Z(InZ), W(InW) {}
		explicit constexpr TVector4(EForceInit) {}
		template <typename OtherType>
			requires(!std::is_same_v<T, OtherType>)
		explicit constexpr TVector4(const TVector4<OtherType>& Other) : X(T(Other.X)), Y(T(Other.Y)), Z(T(Other.Z)), W(T(Other.W))
		{
		}

		constexpr bool operator==(const TVector4& V) const { return X == V.X && Y == V.Y && Z == V.Z && W == V.W; }
		constexpr bool operator!=(const TVector4& V) const { return !(*this == V); }
		constexpr T operator[](int32 Index) const { return Index == 0 ? X : Index == 1 ? Y : Index == 2 ? Z : W; }
	};
}

typedef UE::Math::TVector4<double> FVector4;
typedef UE::Math::TVector4<float> FVector4f;
typedef UE::Math::TVector4<double> FVector4d;
