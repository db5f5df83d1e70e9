#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Misc/FileHelper.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace
{
	TSharedPtr<FJsonObject> Parse(const FString& Text)
	{
		TSharedPtr<FJsonObject> Object;
		if (!FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Text), Object))
		{
			return nullptr;
		}
		return Object;
	}

	// What each getter gives for one field; "-" when the getter refuses.
	struct FReadings
	{
		FString String;
		FString Number;
		FString Bool;
		FString Int64;
	};

	FReadings Read(const FJsonObject& Object, const TCHAR* Field)
	{
		FReadings Out;
		FString String;
		double Number = 0;
		bool bFlag = false;
		int64 Whole = 0;
		Out.String = Object.TryGetStringField(Field, String) ? String : FString(TEXT("-"));
		Out.Number = Object.TryGetNumberField(Field, Number) ? FString::Printf(TEXT("%.17g"), Number) : FString(TEXT("-"));
		Out.Bool = Object.TryGetBoolField(Field, bFlag) ? FString(bFlag ? TEXT("true") : TEXT("false")) : FString(TEXT("-"));
		Out.Int64 = Object.TryGetNumberField(Field, Whole) ? FString::Printf(TEXT("%lld"), Whole) : FString(TEXT("-"));
		return Out;
	}
}

TEST(Json, GettersConvertAtTheEdgesAsTheEngineDoes)
{
	const TSharedPtr<FJsonObject> Object = Parse(TEXT(R"({
		"text": "abc", "numeric_text": "12.5", "empty_text": "", "true_text": "true",
		"int": 3, "fraction": 12.5, "negative_half": -12.5, "negative": -5,
		"max_safe": 9007199254740991, "past_safe": 9007199254740993, "huge": 1e300,
		"two_63": 9223372036854775808,
		"yes": true, "no": false, "nothing": null, "list": [1], "object": {"a": 1}
	})"));
	ASSERT_TRUE(Object.IsValid());

	struct FCase
	{
		const TCHAR* Field;
		FReadings Expected;
	};
	const FCase Cases[] = {
		{TEXT("text"), {TEXT("abc"), TEXT("-"), TEXT("false"), TEXT("-")}},
		{TEXT("numeric_text"), {TEXT("12.5"), TEXT("12.5"), TEXT("true"), TEXT("13")}},
		{TEXT("empty_text"), {TEXT(""), TEXT("-"), TEXT("false"), TEXT("-")}},
		{TEXT("true_text"), {TEXT("true"), TEXT("-"), TEXT("true"), TEXT("-")}},
		{TEXT("int"), {TEXT("3"), TEXT("3"), TEXT("true"), TEXT("3")}},
		{TEXT("fraction"), {TEXT("12.5"), TEXT("12.5"), TEXT("true"), TEXT("13")}},
		{TEXT("negative_half"), {TEXT("-12.5"), TEXT("-12.5"), TEXT("true"), TEXT("-13")}},
		{TEXT("negative"), {TEXT("-5"), TEXT("-5"), TEXT("true"), TEXT("-5")}},
		{TEXT("max_safe"), {TEXT("9007199254740991"), TEXT("9007199254740991"), TEXT("true"), TEXT("9007199254740991")}},
		{TEXT("past_safe"), {TEXT("9007199254740992"), TEXT("9007199254740992"), TEXT("true"), TEXT("9007199254740992")}},
		{TEXT("two_63"), {TEXT("9223372036854775808"), TEXT("9.2233720368547758e+18"), TEXT("true"), TEXT("-")}},
		{TEXT("yes"), {TEXT("true"), TEXT("1"), TEXT("true"), TEXT("1")}},
		{TEXT("no"), {TEXT("false"), TEXT("0"), TEXT("false"), TEXT("0")}},
		{TEXT("nothing"), {TEXT("-"), TEXT("-"), TEXT("-"), TEXT("-")}},
		{TEXT("list"), {TEXT("-"), TEXT("-"), TEXT("-"), TEXT("-")}},
		{TEXT("object"), {TEXT("-"), TEXT("-"), TEXT("-"), TEXT("-")}},
		{TEXT("absent"), {TEXT("-"), TEXT("-"), TEXT("-"), TEXT("-")}},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(TCHAR_TO_UTF8(Case.Field));
		const FReadings Got = Read(*Object, Case.Field);
		EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Got.String)), std::string(TCHAR_TO_UTF8(*Case.Expected.String)));
		EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Got.Number)), std::string(TCHAR_TO_UTF8(*Case.Expected.Number)));
		EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Got.Bool)), std::string(TCHAR_TO_UTF8(*Case.Expected.Bool)));
		EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Got.Int64)), std::string(TCHAR_TO_UTF8(*Case.Expected.Int64)));
	}

	// Plain getters give the empty value where the Try forms refuse.
	EXPECT_TRUE(Object->GetStringField(TEXT("absent")).IsEmpty());
	EXPECT_FALSE(Object->GetBoolField(TEXT("list")));
	EXPECT_EQ(Object->GetNumberField(TEXT("text")), 0.0);
	EXPECT_EQ(Object->GetArrayField(TEXT("object")).Num(), 0);
	EXPECT_FALSE(Object->GetObjectField(TEXT("list")).IsValid());
	EXPECT_EQ(Object->GetArrayField(TEXT("list")).Num(), 1);
	EXPECT_TRUE(Object->HasTypedField<EJson::Null>(TEXT("nothing")));
	// Field names are map keys: they compare without case.
	EXPECT_EQ(Object->GetStringField(TEXT("TEXT")), TEXT("abc"));
}

TEST(Json, DocumentsThatAreNotOneObjectAreRefused)
{
	struct FCase
	{
		std::string Text;
		bool bObject;
	};
	const FCase Cases[] = {
		{R"({"a": 1})", true},
		{R"(  {"a": {"b": [1, 2, {"c": null}]}}  )", true},
		{R"({})", true},
		{R"([1, 2])", false},
		{R"("text")", false},
		{R"(12)", false},
		{R"(null)", false},
		{R"()", false},
		{R"({"a": 1)", false},
		{R"({"a": 1} trailing)", false},
		{R"({"a": 1}{"b": 2})", false},
		{R"({'a': 1})", false},
		{R"({"a": 01})", false},
		{R"({"a": NaN})", false},
		{"<html><body>Bad gateway</body></html>", false},
		{std::string(512, '[') + std::string(512, ']'), false},
		{"{\"a\":" + std::string(511, '[') + std::string(511, ']') + "}", true},
		{"{\"a\":" + std::string(512, '[') + std::string(512, ']') + "}", false},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Text.substr(0, 60));
		EXPECT_EQ(Parse(FString(FUTF8ToTCHAR(Case.Text.c_str()).Get())).IsValid(), Case.bObject);
	}
}

TEST(Json, InvalidUtf8BecomesReplacementTextNotAParseFailure)
{
	// A body is turned into text before it is parsed; bytes that are not UTF-8 become '?'.
	const std::string Body = "{\"title\": \"caf\xC3\xA9 \xFF\xFE\"}";
	FString Text;
	FFileHelper::BufferToString(Text, reinterpret_cast<const uint8*>(Body.data()), int32(Body.size()));
	const TSharedPtr<FJsonObject> Object = Parse(Text);
	ASSERT_TRUE(Object.IsValid());
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Object->GetStringField(TEXT("title")))), "caf\xC3\xA9 ??");

	// Binary bodies do not parse.
	const uint8 Binary[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x01};
	FFileHelper::BufferToString(Text, Binary, int32(sizeof(Binary)));
	EXPECT_FALSE(Parse(Text).IsValid());
}

TEST(Json, PrettyPrinterShape)
{
	TSharedPtr<FJsonObject> Body = MakeShared<FJsonObject>();
	Body->SetStringField(TEXT("client"), TEXT("unreal"));
	Body->SetStringField(TEXT("quote"), TEXT("a\"b\\c\nd\x01"));
	Body->SetBoolField(TEXT("immediate_access"), true);
	Body->SetNumberField(TEXT("count"), 3);
	Body->SetNumberField(TEXT("ratio"), 0.5);
	TArray<TSharedPtr<FJsonValue>> Formats{MakeShared<FJsonValueString>(TEXT("fbx")), MakeShared<FJsonValueNumber>(2)};
	Body->SetArrayField(TEXT("formats"), Formats);
	Body->SetArrayField(TEXT("none"), {});
	TSharedPtr<FJsonObject> Inner = MakeShared<FJsonObject>();
	Inner->SetBoolField(TEXT("allowed"), false);
	Body->SetObjectField(TEXT("download"), Inner);

	FString Out;
	const TSharedRef<TJsonWriter<>> Writer = TJsonWriterFactory<>::Create(&Out);
	ASSERT_TRUE(FJsonSerializer::Serialize(Body.ToSharedRef(), Writer));
	const FString Expected = TEXT("{\n")
		TEXT("\t\"client\": \"unreal\",\n")
		TEXT("\t\"quote\": \"a\\\"b\\\\c\\nd\\u0001\",\n")
		TEXT("\t\"immediate_access\": true,\n")
		TEXT("\t\"count\": 3,\n")
		TEXT("\t\"ratio\": 0.5,\n")
		TEXT("\t\"formats\": [ \"fbx\", 2 ],\n")
		TEXT("\t\"none\": [ ],\n")
		TEXT("\t\"download\": \n")
		TEXT("\t{\n")
		TEXT("\t\t\"allowed\": false\n")
		TEXT("\t}\n")
		TEXT("}");
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Out)), std::string(TCHAR_TO_UTF8(*Expected)));

	// The printed text reads back to the same fields.
	const TSharedPtr<FJsonObject> Back = Parse(Out);
	ASSERT_TRUE(Back.IsValid());
	EXPECT_TRUE(Back->GetStringField(TEXT("quote")).Equals(TEXT("a\"b\\c\nd\x01"), ESearchCase::CaseSensitive));
	EXPECT_FALSE(Back->GetObjectField(TEXT("download"))->GetBoolField(TEXT("allowed")));

	FString Empty;
	FJsonSerializer::Serialize(MakeShared<FJsonObject>(), TJsonWriterFactory<>::Create(&Empty));
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Empty)), "{\n}");
}
