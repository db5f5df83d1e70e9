#pragma once

#include "CoreMinimal.h"
#include "Serialization/JsonTypes.h"

class FJsonObject;

// A JSON value. The getters convert at the edges as the engine's do: a number reads as a
// string ("12.5", "3") and as a bool (non-zero), a bool as a number (1 or 0) and a string
// ("true"/"false"), a string as a number only when it is numeric and as a bool by the
// engine's string-to-bool rule. Arrays, objects and null convert to nothing.
class FJsonValue
{
public:
	virtual ~FJsonValue() = default;

	double AsNumber() const;
	FString AsString() const;
	bool AsBool() const;
	const TArray<TSharedPtr<FJsonValue>>& AsArray() const;
	const TSharedPtr<FJsonObject>& AsObject() const;

	virtual bool TryGetNumber(double& OutNumber) const { (void)OutNumber; return false; }
	bool TryGetNumber(float& OutNumber) const;
	bool TryGetNumber(int8& OutNumber) const;
	bool TryGetNumber(int16& OutNumber) const;
	bool TryGetNumber(int32& OutNumber) const;
	bool TryGetNumber(int64& OutNumber) const;
	bool TryGetNumber(uint8& OutNumber) const;
	bool TryGetNumber(uint16& OutNumber) const;
	bool TryGetNumber(uint32& OutNumber) const;
	bool TryGetNumber(uint64& OutNumber) const;
	virtual bool TryGetString(FString& OutString) const { (void)OutString; return false; }
	virtual bool TryGetBool(bool& OutBool) const { (void)OutBool; return false; }
	virtual bool TryGetArray(const TArray<TSharedPtr<FJsonValue>>*& OutArray) const { (void)OutArray; return false; }
	virtual bool TryGetObject(const TSharedPtr<FJsonObject>*& OutObject) const { (void)OutObject; return false; }

	bool IsNull() const { return Type == EJson::Null || Type == EJson::None; }

	EJson Type = EJson::None;

protected:
	virtual FString GetType() const = 0;
};

class FJsonValueString : public FJsonValue
{
public:
	explicit FJsonValueString(const FString& InString) : Value(InString) { Type = EJson::String; }
	bool TryGetString(FString& OutString) const override { OutString = Value; return true; }
	bool TryGetNumber(double& OutNumber) const override;
	bool TryGetBool(bool& OutBool) const override { OutBool = Value.ToBool(); return true; }
	using FJsonValue::TryGetNumber;

protected:
	FString GetType() const override { return TEXT("String"); }
	FString Value;
};

class FJsonValueNumber : public FJsonValue
{
public:
	explicit FJsonValueNumber(double InNumber) : Value(InNumber) { Type = EJson::Number; }
	bool TryGetNumber(double& OutNumber) const override { OutNumber = Value; return true; }
	bool TryGetString(FString& OutString) const override { OutString = FString::SanitizeFloat(Value, 0); return true; }
	bool TryGetBool(bool& OutBool) const override { OutBool = Value != 0.0; return true; }
	using FJsonValue::TryGetNumber;

protected:
	FString GetType() const override { return TEXT("Number"); }
	double Value;
};

class FJsonValueBoolean : public FJsonValue
{
public:
	explicit FJsonValueBoolean(bool InBool) : Value(InBool) { Type = EJson::Boolean; }
	bool TryGetNumber(double& OutNumber) const override { OutNumber = Value ? 1 : 0; return true; }
	bool TryGetString(FString& OutString) const override { OutString = Value ? TEXT("true") : TEXT("false"); return true; }
	bool TryGetBool(bool& OutBool) const override { OutBool = Value; return true; }
	using FJsonValue::TryGetNumber;

protected:
	FString GetType() const override { return TEXT("Boolean"); }
	bool Value;
};

class FJsonValueArray : public FJsonValue
{
public:
	explicit FJsonValueArray(const TArray<TSharedPtr<FJsonValue>>& InArray) : Value(InArray) { Type = EJson::Array; }
	bool TryGetArray(const TArray<TSharedPtr<FJsonValue>>*& OutArray) const override { OutArray = &Value; return true; }

protected:
	FString GetType() const override { return TEXT("Array"); }
	TArray<TSharedPtr<FJsonValue>> Value;
};

class FJsonValueObject : public FJsonValue
{
public:
	explicit FJsonValueObject(TSharedPtr<FJsonObject> InObject) : Value(InObject) { Type = EJson::Object; }
	bool TryGetObject(const TSharedPtr<FJsonObject>*& OutObject) const override { OutObject = &Value; return true; }

protected:
	FString GetType() const override { return TEXT("Object"); }
	TSharedPtr<FJsonObject> Value;
};

class FJsonValueNull : public FJsonValue
{
public:
	FJsonValueNull() { Type = EJson::Null; }

protected:
	FString GetType() const override { return TEXT("Null"); }
};
