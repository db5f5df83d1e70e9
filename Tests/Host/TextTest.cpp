#include "CoreMinimal.h"
#include "Internationalization/Text.h"

#include <gtest/gtest.h>

namespace
{
	bool Same(const FText& Text, const TCHAR* Expected)
	{
		return Text.ToString().Equals(Expected, ESearchCase::CaseSensitive);
	}
}

TEST(Text, FormatFillsOrderedAndNamedArguments)
{
	const FText Chair = FText::FromString(TEXT("Oak chair"));
	const struct
	{
		const char* Name;
		FText Formatted;
		const TCHAR* Expected;
	} Cases[] = {
		{ "ordered texts", FText::Format(INVTEXT("{0} by {1}"), Chair, FText::FromString(TEXT("Kestrova"))), TEXT("Oak chair by Kestrova") },
		{ "arguments out of order and repeated", FText::Format(INVTEXT("{1}/{0}/{1}"), Chair, 7), TEXT("7/Oak chair/7") },
		{ "whole numbers grouped", FText::Format(INVTEXT("{0} of {1}"), 1234, int64(9876543210)), TEXT("1,234 of 9,876,543,210") },
		{ "negative and unsigned", FText::Format(INVTEXT("{0} {1}"), -1234567, uint64(18446744073709551615ull)), TEXT("-1,234,567 18,446,744,073,709,551,615") },
		{ "up to three decimals", FText::Format(INVTEXT("{0} {1} {2} {3}"), 2.5, 1.23456, 1234.5f, 3.0), TEXT("2.5 1.235 1,234.5 3") },
		{ "a missing argument stays", FText::Format(INVTEXT("{0} and {1} and {Name}"), Chair), TEXT("Oak chair and {1} and {Name}") },
		{ "backtick escapes", FText::Format(INVTEXT("`{0`} is {0}, `` stays, `x too"), Chair), TEXT("{0} is Oak chair, ` stays, `x too") },
		{ "unclosed brace", FText::Format(INVTEXT("{0} {"), Chair), TEXT("Oak chair {") },
		{ "pattern built from a string", FText::Format(FTextFormat::FromString(TEXT("[{0}]")), Chair), TEXT("[Oak chair]") },
		{ "named arguments", FText::FormatNamed(INVTEXT("{Count} models in {Title}"), TEXT("Count"), 3, TEXT("Title"), Chair), TEXT("3 models in Oak chair") },
		{ "names compare with case", FText::FormatNamed(INVTEXT("{title}/{Title}"), TEXT("Title"), Chair), TEXT("{title}/Oak chair") },
		{ "ordered names are positions", FText::FormatNamed(INVTEXT("{0}"), TEXT("0"), Chair), TEXT("Oak chair") },
		{ "positions are not names", FText::FormatOrdered(INVTEXT("{Title} {00} {+0}"), Chair), TEXT("{Title} Oak chair {+0}") },
	};
	for (const auto& Case : Cases)
	{
		EXPECT_TRUE(Same(Case.Formatted, Case.Expected)) << Case.Name << ": " << TCHAR_TO_UTF8(*Case.Formatted.ToString());
	}

	FFormatNamedArguments Named;
	Named.Add(TEXT("Size"), FText::AsNumber(2147483648));
	Named.Add(TEXT("Name"), Chair);
	EXPECT_TRUE(Same(FText::Format(INVTEXT("{Name}: {Size} bytes"), Named), TEXT("Oak chair: 2,147,483,648 bytes")));
	FFormatOrderedArguments Ordered;
	Ordered.Add(Chair);
	Ordered.Add(0.125);
	EXPECT_TRUE(Same(FText::Format(INVTEXT("{0} {1}"), Ordered), TEXT("Oak chair 0.125")));
	EXPECT_TRUE(Same(FText::Format(INVTEXT("{0}"), MoveTemp(Ordered)), TEXT("Oak chair")));
}
