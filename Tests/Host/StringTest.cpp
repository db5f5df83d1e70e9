#include "CoreMinimal.h"
#include "Misc/FileHelper.h"

#include <gtest/gtest.h>

#include <string>

TEST(String, SearchAndCompareDefaults)
{
	const FString Path(TEXT("/V1/membership/Library"));
	// StartsWith, EndsWith, Contains and Find ignore case unless told; Equals does not.
	EXPECT_TRUE(Path.StartsWith(TEXT("/v1/")));
	EXPECT_FALSE(Path.StartsWith(TEXT("/v1/"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Path.EndsWith(TEXT("library")));
	EXPECT_TRUE(Path.Contains(TEXT("MEMBERSHIP")));
	EXPECT_FALSE(Path.Contains(TEXT("MEMBERSHIP"), ESearchCase::CaseSensitive));
	EXPECT_FALSE(Path.Equals(TEXT("/v1/membership/library")));
	EXPECT_TRUE(Path.Equals(TEXT("/v1/membership/library"), ESearchCase::IgnoreCase));
	EXPECT_TRUE(Path == TEXT("/v1/MEMBERSHIP/library"));
	EXPECT_EQ(Path.Find(TEXT("/"), ESearchCase::IgnoreCase, ESearchDir::FromEnd), 14);
	EXPECT_FALSE(FString().StartsWith(TEXT("")));
	EXPECT_EQ(GetTypeHash(FString(TEXT("Key"))), GetTypeHash(FString(TEXT("kEY"))));
}

TEST(String, SlicesClamp)
{
	const FString Text(TEXT("abcdef"));
	EXPECT_EQ(Text.Left(3), TEXT("abc"));
	EXPECT_EQ(Text.Left(99), TEXT("abcdef"));
	EXPECT_EQ(Text.Left(-1), TEXT(""));
	EXPECT_EQ(Text.Mid(2, 2), TEXT("cd"));
	EXPECT_EQ(Text.Mid(4), TEXT("ef"));
	EXPECT_EQ(Text.Mid(-2, 4), TEXT("ab"));
	EXPECT_EQ(Text.Mid(9), TEXT(""));
	EXPECT_EQ(Text.Right(2), TEXT("ef"));
	EXPECT_EQ(Text.LeftChop(2), TEXT("abcd"));
	EXPECT_EQ(Text.RightChop(2), TEXT("cdef"));
}

TEST(String, ReplaceAndCase)
{
	FString Title(TEXT("Chair \u2014 Oak \u2014 Set"));
	EXPECT_EQ(Title.ReplaceInline(TEXT("\u2014"), TEXT(":")), 2);
	EXPECT_TRUE(Title.Equals(TEXT("Chair : Oak : Set"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(FString(TEXT("aXbxc")).Replace(TEXT("x"), TEXT("-")).Equals(TEXT("a-b-c"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(FString(TEXT("aXbxc")).Replace(TEXT("x"), TEXT("-"), ESearchCase::CaseSensitive).Equals(TEXT("aXb-c"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(FString(TEXT("MiXeD")).ToLower().Equals(TEXT("mixed"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(FString(TEXT("MiXeD")).ToUpper().Equals(TEXT("MIXED"), ESearchCase::CaseSensitive));
}

TEST(String, NumericTextAndConversion)
{
	struct FCase
	{
		const TCHAR* Text;
		bool bNumeric;
		double Value;
	};
	const FCase Cases[] = {
		{TEXT("5"), true, 5},
		{TEXT("-12.5"), true, -12.5},
		{TEXT("+3"), true, 3},
		{TEXT("0.5"), true, 0.5},
		{TEXT("1e3"), false, 1000},
		{TEXT("1.2.3"), false, 1.2},
		{TEXT(" 5"), false, 5},
		{TEXT("abc"), false, 0},
		{TEXT(""), false, 0},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(FTCHARToUTF8(Case.Text).Get());
		EXPECT_EQ(FString(Case.Text).IsNumeric(), Case.bNumeric);
		EXPECT_DOUBLE_EQ(FCString::Atod(Case.Text), Case.Value);
	}
}

TEST(String, Printf)
{
	const FString Name(TEXT("Chair"));
	EXPECT_EQ(FString::Printf(TEXT("Model_%04d"), 7), TEXT("Model_0007"));
	EXPECT_EQ(FString::Printf(TEXT("%s_%s"), *Name, TEXT("ab12")), TEXT("Chair_ab12"));
	EXPECT_EQ(FString::Printf(TEXT("%lld|%u|%.2f|%x|%%"), int64(-5000000000), 7u, 1.005, 255), TEXT("-5000000000|7|1.00|ff|%"));
	EXPECT_EQ(FString::Printf(TEXT("[%-4s][%3s]"), TEXT("ab"), TEXT("c")), TEXT("[ab  ][  c]"));
	EXPECT_EQ(FString::SanitizeFloat(12.5, 0), TEXT("12.5"));
	EXPECT_EQ(FString::SanitizeFloat(3.0, 0), TEXT("3"));
	EXPECT_EQ(FString::SanitizeFloat(3.0), TEXT("3.0"));
	EXPECT_EQ(FString::SanitizeFloat(-0.0, 0), TEXT("0"));
}

TEST(String, Utf8Conversions)
{
	// "é", "€" and an astral character, which needs a surrogate pair.
	const std::string Utf8 = "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";
	const FString Wide(FUTF8ToTCHAR(Utf8.c_str()).Get());
	EXPECT_EQ(Wide.Len(), 9);
	EXPECT_EQ(std::string(FTCHARToUTF8(*Wide).Get()), Utf8);
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Wide)), Utf8);

	struct FCase
	{
		std::string Bytes;
		const TCHAR* Expected;
	};
	const FCase Invalid[] = {
		{"a\xFF" "b", TEXT("a?b")},
		{"\xC0\xAF", TEXT("??")},			   // overlong "/"
		{"\xED\xA0\x80", TEXT("???")},		   // encoded surrogate
		{"\xE2\x82", TEXT("??")},			   // truncated sequence
		{"\xF4\x90\x80\x80", TEXT("????")},	   // past U+10FFFF
	};
	for (const FCase& Case : Invalid)
	{
		EXPECT_TRUE(FString(FUTF8ToTCHAR(Case.Bytes.data(), int32(Case.Bytes.size())).Get()).Equals(Case.Expected, ESearchCase::CaseSensitive));
	}
	const TCHAR Lone[] = {u'x', char16_t(0xD800), u'y', 0};
	EXPECT_EQ(std::string(FTCHARToUTF8(Lone).Get()), "x?y");

	FString FromBuffer;
	const uint8 Bom[] = {0xEF, 0xBB, 0xBF, 'o', 'k'};
	FFileHelper::BufferToString(FromBuffer, Bom, 5);
	EXPECT_TRUE(FromBuffer.Equals(TEXT("ok"), ESearchCase::CaseSensitive));
}

TEST(String, ParseIntoArrayAndSplit)
{
	TArray<FString> Parts;
	EXPECT_EQ(FString(TEXT("a//b/c/")).ParseIntoArray(Parts, TEXT("/")), 3);
	EXPECT_EQ(Parts, (TArray<FString>{TEXT("a"), TEXT("b"), TEXT("c")}));
	EXPECT_EQ(FString(TEXT("a//b")).ParseIntoArray(Parts, TEXT("/"), false), 3);
	FString Left, Right;
	EXPECT_TRUE(FString(TEXT("product|ABC")).Split(TEXT("|"), &Left, &Right));
	EXPECT_EQ(Left, TEXT("product"));
	EXPECT_EQ(Right, TEXT("ABC"));
}

TEST(Guid, DigitsFormIsThirtyTwoUpperHexDigits)
{
	const FGuid Known(0x0123ABCD, 0x4567EF01, 0x89ABCDEF, 0x00000001);
	EXPECT_TRUE(Known.ToString(EGuidFormats::Digits).Equals(TEXT("0123ABCD4567EF0189ABCDEF00000001"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Known.ToString().Equals(Known.ToString(EGuidFormats::Digits), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Known.ToString(EGuidFormats::DigitsWithHyphens).Equals(TEXT("0123ABCD-4567-EF01-89AB-CDEF00000001"), ESearchCase::CaseSensitive));
	// Two overloads, as in the engine: a pointer to either names exactly one function.
	FString (FGuid::*const Plain)() const = &FGuid::ToString;
	FString (FGuid::*const Formatted)(EGuidFormats) const = &FGuid::ToString;
	EXPECT_TRUE((Known.*Plain)().Equals((Known.*Formatted)(EGuidFormats::Digits), ESearchCase::CaseSensitive));

	TSet<FString> Seen;
	for (int32 Index = 0; Index < 1000; ++Index)
	{
		const FString Digits = FGuid::NewGuid().ToString(EGuidFormats::Digits);
		ASSERT_EQ(Digits.Len(), 32);
		for (TCHAR Char : Digits)
		{
			ASSERT_TRUE(FChar::IsDigit(Char) || (Char >= u'A' && Char <= u'F'));
		}
		Seen.Add(Digits);
	}
	EXPECT_EQ(Seen.Num(), 1000);
}
