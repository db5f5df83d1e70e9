#include "CoreMinimal.h"
#include "CoreUObject/ObjectHost.h"
#include "Engine/Texture2D.h"
#include "UObject/Package.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
	class TextureTest : public ::testing::Test
	{
	protected:
		virtual void TearDown() override { UE::Host::DestroyAllObjects(); }
	};

	std::vector<uint8> ReadMip0(UTexture2D* Texture)
	{
		FByteBulkData& Bulk = Texture->GetPlatformData()->Mips[0].BulkData;
		const uint8* Data = static_cast<const uint8*>(Bulk.Lock(LOCK_READ_ONLY));
		std::vector<uint8> Bytes(Data, Data + Bulk.GetBulkDataSize());
		Bulk.Unlock();
		return Bytes;
	}
}

TEST_F(TextureTest, CreateTransientMakesOneMipOfTheRightSizeOrNothing)
{
	TArray<uint8> Four = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
	struct FCase
	{
		const char* Label;
		int32 SizeX;
		int32 SizeY;
		EPixelFormat Format;
		TArray<uint8> Data;
		bool bMade;
		int64 Bytes;
	};
	const FCase Cases[] = {
		{"empty bgra", 4, 3, PF_B8G8R8A8, {}, true, 48},
		{"bgra with data", 2, 2, PF_B8G8R8A8, Four, true, 16},
		{"one byte per pixel", 5, 1, PF_G8, {}, true, 5},
		{"rgba", 1, 1, PF_R8G8B8A8, {}, true, 4},
		{"zero width", 0, 5, PF_B8G8R8A8, {}, false, 0},
		{"negative height", 4, -1, PF_B8G8R8A8, {}, false, 0},
		{"too wide for a mip", 70000, 1, PF_B8G8R8A8, {}, false, 0},
		{"compressed format", 4, 4, PF_DXT1, {}, false, 0},
		{"unknown format", 4, 4, PF_Unknown, {}, false, 0},
		{"data of the wrong length", 1, 2, PF_B8G8R8A8, Four, false, 0},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		UTexture2D* Texture = UTexture2D::CreateTransient(Case.SizeX, Case.SizeY, Case.Format, NAME_None, Case.Data);
		ASSERT_EQ(Texture != nullptr, Case.bMade);
		if (!Case.bMade)
		{
			continue;
		}
		EXPECT_EQ(Texture->GetSizeX(), Case.SizeX);
		EXPECT_EQ(Texture->GetSizeY(), Case.SizeY);
		EXPECT_EQ(Texture->GetPixelFormat(), Case.Format);
		EXPECT_EQ(Texture->GetOuter(), GetTransientPackage());
		EXPECT_TRUE(Texture->HasAnyFlags(RF_Transient));
		ASSERT_EQ(Texture->GetPlatformData()->Mips.Num(), 1);
		const FTexture2DMipMap& Mip = Texture->GetPlatformData()->Mips[0];
		EXPECT_EQ(Mip.SizeX, Case.SizeX);
		EXPECT_EQ(Mip.SizeY, Case.SizeY);
		EXPECT_EQ(Mip.BulkData.GetBulkDataSize(), Case.Bytes);
		EXPECT_EQ(Mip.BulkData.GetElementCount(), Case.Bytes);
		EXPECT_FALSE(Mip.BulkData.IsLocked());
		const std::vector<uint8> Expected = Case.Data.IsEmpty() ? std::vector<uint8>(size_t(Case.Bytes), 0) : std::vector<uint8>(Case.Data.begin(), Case.Data.end());
		EXPECT_EQ(ReadMip0(Texture), Expected);
		// No render resource until the caller asks for one.
		EXPECT_EQ(Texture->GetResource(), nullptr);
	}
	UTexture2D* Named = UTexture2D::CreateTransient(1, 1, PF_B8G8R8A8, TEXT("Preview"));
	EXPECT_TRUE(Named->GetPathName().Equals(TEXT("/Engine/Transient.Preview"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(UTexture2D::CreateTransient(1, 1)->GetName().StartsWith(TEXT("Texture2D_"), ESearchCase::CaseSensitive));
}

TEST_F(TextureTest, BytesWrittenUnderALockAreWhatTheResourceIsMadeFrom)
{
	UTexture2D* Texture = UTexture2D::CreateTransient(3, 2, PF_B8G8R8A8);
	ASSERT_NE(Texture, nullptr);
	FByteBulkData& Bulk = Texture->GetPlatformData()->Mips[0].BulkData;
	std::vector<uint8> Pattern(24);
	for (size_t Index = 0; Index < Pattern.size(); ++Index)
	{
		Pattern[Index] = uint8(Index * 11 + 3);
	}
	void* Data = Bulk.Lock(LOCK_READ_WRITE);
	EXPECT_TRUE(Bulk.IsLocked());
	FMemory::Memcpy(Data, Pattern.data(), Pattern.size());
	Bulk.Unlock();
	Texture->UpdateResource();

	EXPECT_EQ(ReadMip0(Texture), Pattern);
	ASSERT_NE(Texture->GetResource(), nullptr);
	EXPECT_EQ(Texture->GetResource()->GetSizeX(), 3u);
	EXPECT_EQ(Texture->GetResource()->GetSizeY(), 2u);

	// Growing under a write lock keeps the old bytes and zeroes the new ones.
	Bulk.Lock(LOCK_READ_WRITE);
	Bulk.Realloc(28);
	Bulk.Unlock();
	Pattern.resize(28, 0);
	EXPECT_EQ(ReadMip0(Texture), Pattern);
}

TEST_F(TextureTest, MisuseOfTheBulkDataLockStopsTheProgram)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	struct FCase
	{
		const char* Label;
		std::function<void(UTexture2D*, FByteBulkData&)> Misuse;
	};
	const FCase Cases[] = {
		{"lock twice", [](UTexture2D*, FByteBulkData& Bulk) { Bulk.Lock(LOCK_READ_ONLY); Bulk.Lock(LOCK_READ_WRITE); }},
		{"unlock while unlocked", [](UTexture2D*, FByteBulkData& Bulk) { Bulk.Unlock(); }},
		{"realloc without a lock", [](UTexture2D*, FByteBulkData& Bulk) { Bulk.Realloc(8); }},
		{"realloc under a read lock", [](UTexture2D*, FByteBulkData& Bulk) { Bulk.Lock(LOCK_READ_ONLY); Bulk.Realloc(8); }},
		{"update while locked", [](UTexture2D* Texture, FByteBulkData& Bulk) { Bulk.Lock(LOCK_READ_WRITE); Texture->UpdateResource(); }},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Label);
		EXPECT_DEATH(
			{
				UTexture2D* Texture = UTexture2D::CreateTransient(2, 2);
				Case.Misuse(Texture, Texture->GetPlatformData()->Mips[0].BulkData);
			},
			"Assertion failed");
	}
}
