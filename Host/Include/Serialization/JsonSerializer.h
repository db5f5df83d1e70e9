#pragma once

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Dom/JsonValue.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonWriter.h"

class FJsonSerializer
{
public:
	// Parses a whole document. Fails on malformed text, on trailing content, on nesting
	// deeper than 512 levels, and (for the object form) on a root that is not an object.
	static bool Deserialize(const TSharedRef<TJsonReader<TCHAR>>& Reader, TSharedPtr<FJsonObject>& OutObject);
	static bool Deserialize(const TSharedRef<TJsonReader<TCHAR>>& Reader, TSharedPtr<FJsonValue>& OutValue);
	static bool Deserialize(const TSharedRef<TJsonReader<TCHAR>>& Reader, TArray<TSharedPtr<FJsonValue>>& OutArray);

	template <class CharType, class PrintPolicy>
	static bool Serialize(const TSharedRef<FJsonObject>& Object, const TSharedRef<TJsonWriter<CharType, PrintPolicy>>& Writer, bool bCloseWriter = true)
	{
		Writer->WriteObjectStart();
		WriteFields(*Object, Writer.Get());
		Writer->WriteObjectEnd();
		return !bCloseWriter || Writer->Close();
	}
	template <class CharType, class PrintPolicy>
	static bool Serialize(const TArray<TSharedPtr<FJsonValue>>& Array, const TSharedRef<TJsonWriter<CharType, PrintPolicy>>& Writer, bool bCloseWriter = true)
	{
		Writer->WriteArrayStart();
		WriteElements(Array, Writer.Get());
		Writer->WriteArrayEnd();
		return !bCloseWriter || Writer->Close();
	}

private:
	template <class WriterType>
	static void WriteFields(const FJsonObject& Object, WriterType& Writer)
	{
		for (const auto& Pair : Object.Values)
		{
			const TSharedPtr<FJsonValue>& Value = Pair.Value;
			if (!Value.IsValid() || Value->IsNull())
			{
				Writer.WriteNull(Pair.Key);
				continue;
			}
			switch (Value->Type)
			{
			case EJson::String:
				Writer.WriteValue(Pair.Key, Value->AsString());
				break;
			case EJson::Number:
				Writer.WriteValue(Pair.Key, Value->AsNumber());
				break;
			case EJson::Boolean:
				Writer.WriteValue(Pair.Key, Value->AsBool());
				break;
			case EJson::Array:
				Writer.WriteArrayStart(Pair.Key);
				WriteElements(Value->AsArray(), Writer);
				Writer.WriteArrayEnd();
				break;
			default:
				Writer.WriteObjectStart(Pair.Key);
				if (Value->AsObject().IsValid())
				{
					WriteFields(*Value->AsObject(), Writer);
				}
				Writer.WriteObjectEnd();
				break;
			}
		}
	}
	template <class WriterType>
	static void WriteElements(const TArray<TSharedPtr<FJsonValue>>& Array, WriterType& Writer)
	{
		for (const TSharedPtr<FJsonValue>& Value : Array)
		{
			if (!Value.IsValid() || Value->IsNull())
			{
				Writer.WriteNull();
				continue;
			}
			switch (Value->Type)
			{
			case EJson::String:
				Writer.WriteValue(Value->AsString());
				break;
			case EJson::Number:
				Writer.WriteValue(Value->AsNumber());
				break;
			case EJson::Boolean:
				Writer.WriteValue(Value->AsBool());
				break;
			case EJson::Array:
				Writer.WriteArrayStart();
				WriteElements(Value->AsArray(), Writer);
				Writer.WriteArrayEnd();
				break;
			default:
				Writer.WriteObjectStart();
				if (Value->AsObject().IsValid())
				{
					WriteFields(*Value->AsObject(), Writer);
				}
				Writer.WriteObjectEnd();
				break;
			}
		}
	}
};
