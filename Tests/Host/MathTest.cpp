#include "CoreMinimal.h"
#include "Math/Color.h"
#include "Math/UnrealMathUtility.h"

#include <gtest/gtest.h>

#include <type_traits>

TEST(Math, ClampTakesMixedArgumentsAsTheEngineDoes)
{
	// Mixed floating-point arguments are computed in the widest of their types.
	static_assert(std::is_same_v<decltype(FMath::Clamp(1, 0.0f, 2.0)), double>);
	static_assert(std::is_same_v<decltype(FMath::Clamp(1.5f, 0, 1)), float>);
	static_assert(std::is_same_v<decltype(FMath::Clamp(int64(5), 0, 3)), int64>);
	static_assert(std::is_same_v<decltype(FMath::Clamp(5, 0, 3)), int32>);
	EXPECT_EQ(FMath::Clamp(7, 0.0f, 2.5), 2.5);
	EXPECT_EQ(FMath::Clamp(-0.25f, 0, 1), 0.0f);
	EXPECT_EQ(FMath::Clamp(0.75, 0, 1), 0.75);
	EXPECT_EQ(FMath::Clamp(int64(1) << 40, 0, 100), int64(100));
	EXPECT_EQ(FMath::Clamp(-(int64(1) << 40), -7, 100), int64(-7));
	EXPECT_EQ(FMath::Clamp<int64>(45, 2, 30), 30);
	EXPECT_EQ(FMath::Clamp(3600.5, 1.0, 3600.0), 3600.0);
}

TEST(Math, ColorsConvertFromSrgbToLinearImplicitly)
{
	const struct
	{
		uint8 Value;
		float Linear;
	} Cases[] = {
		{ 0, 0.0f },
		{ 10, 0.0030353f },    // below the curve's knee: Value / 255 / 12.92
		{ 128, 0.2158605f },
		{ 188, 0.5028865f },
		{ 255, 1.0f },
	};
	for (const auto& Case : Cases)
	{
		const FLinearColor Linear = FColor(Case.Value, Case.Value, 0, Case.Value);
		EXPECT_NEAR(Linear.R, Case.Linear, 1e-6f) << int(Case.Value);
		EXPECT_NEAR(Linear.G, Case.Linear, 1e-6f) << int(Case.Value);
		EXPECT_EQ(Linear.B, 0.0f);
		// Alpha is not a colour: it stays linear.
		EXPECT_NEAR(Linear.A, Case.Value / 255.0f, 1e-6f) << int(Case.Value);
		EXPECT_EQ(Linear.ToFColor(true), FColor(Case.Value, Case.Value, 0, Case.Value));
	}
}
