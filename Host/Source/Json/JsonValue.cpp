#include "Dom/JsonObject.h"
#include "Dom/JsonValue.h"

#include <cmath>
#include <limits>

namespace
{
	// Rounds half away from zero (exactly, without adding 0.5 first) when the value lies in the target's range, as the engine's
	// integer getters do; NaN and out-of-range values are refused.
	template <typename IntType>
	bool ToInteger(const FJsonValue& Value, IntType& OutNumber)
	{
		double Number = 0;
		if (!Value.TryGetNumber(Number) || std::isnan(Number))
		{
			return false;
		}
		// The upper bound is exclusive: max + 1 is the first power of two past the range,
		// and converting it would overflow.
		const double Lowest = double(std::numeric_limits<IntType>::lowest());
		const double PastMax = std::ldexp(1.0, std::numeric_limits<IntType>::digits);
		if (Number < Lowest || Number >= PastMax)
		{
			return false;
		}
		const double Rounded = std::round(Number);
		if (Rounded < Lowest || Rounded >= PastMax)
		{
			return false;
		}
		OutNumber = IntType(Rounded);
		return true;
	}
}

double FJsonValue::AsNumber() const
{
	double Number = 0;
	return TryGetNumber(Number) ? Number : 0.0;
}

FString FJsonValue::AsString() const
{
	FString String;
	return TryGetString(String) ? String : FString();
}

bool FJsonValue::AsBool() const
{
	bool bValue = false;
	return TryGetBool(bValue) && bValue;
}

const TArray<TSharedPtr<FJsonValue>>& FJsonValue::AsArray() const
{
	static const TArray<TSharedPtr<FJsonValue>> Empty;
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	return TryGetArray(Array) ? *Array : Empty;
}

const TSharedPtr<FJsonObject>& FJsonValue::AsObject() const
{
	static const TSharedPtr<FJsonObject> Empty;
	const TSharedPtr<FJsonObject>* Object = nullptr;
	return TryGetObject(Object) ? *Object : Empty;
}

bool FJsonValue::TryGetNumber(float& OutNumber) const
{
	double Number = 0;
	if (!TryGetNumber(Number))
	{
		return false;
	}
	OutNumber = float(Number);
	return true;
}

bool FJsonValue::TryGetNumber(int8& OutNumber) const { return ToInteger(*this, OutNumber); }
bool FJsonValue::TryGetNumber(int16& OutNumber) const { return ToInteger(*this, OutNumber); }
bool FJsonValue::TryGetNumber(int32& OutNumber) const { return ToInteger(*this, OutNumber); }
bool FJsonValue::TryGetNumber(int64& OutNumber) const { return ToInteger(*this, OutNumber); }
bool FJsonValue::TryGetNumber(uint8& OutNumber) const { return ToInteger(*this, OutNumber); }
bool FJsonValue::TryGetNumber(uint16& OutNumber) const { return ToInteger(*this, OutNumber); }
bool FJsonValue::TryGetNumber(uint32& OutNumber) const { return ToInteger(*this, OutNumber); }
bool FJsonValue::TryGetNumber(uint64& OutNumber) const { return ToInteger(*this, OutNumber); }

bool FJsonValueString::TryGetNumber(double& OutNumber) const
{
	if (!Value.IsNumeric())
	{
		return false;
	}
	OutNumber = FCString::Atod(*Value);
	return true;
}

TSharedPtr<FJsonValue> FJsonObject::TryGetField(const FString& FieldName) const
{
	const TSharedPtr<FJsonValue>* Field = Values.Find(FieldName);
	return Field ? *Field : TSharedPtr<FJsonValue>();
}

bool FJsonObject::HasField(const FString& FieldName) const
{
	return TryGetField(FieldName).IsValid();
}

void FJsonObject::SetField(const FString& FieldName, const TSharedPtr<FJsonValue>& Value)
{
	Values.Add(FieldName, Value);
}

void FJsonObject::RemoveField(const FString& FieldName)
{
	Values.Remove(FieldName);
}

FString FJsonObject::GetStringField(const FString& FieldName) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() ? Field->AsString() : FString();
}

bool FJsonObject::TryGetStringField(const FString& FieldName, FString& OutString) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetString(OutString);
}

bool FJsonObject::TryGetStringArrayField(const FString& FieldName, TArray<FString>& OutArray) const
{
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	if (!TryGetArrayField(FieldName, Array))
	{
		return false;
	}
	for (const TSharedPtr<FJsonValue>& Element : *Array)
	{
		FString String;
		if (!Element.IsValid() || !Element->TryGetString(String))
		{
			return false;
		}
		OutArray.Add(String);
	}
	return true;
}

void FJsonObject::SetStringField(const FString& FieldName, const FString& StringValue)
{
	Values.Add(FieldName, MakeShared<FJsonValueString>(StringValue));
}

double FJsonObject::GetNumberField(const FString& FieldName) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() ? Field->AsNumber() : 0.0;
}

namespace
{
	template <typename NumberType>
	bool TryGetNumberFieldImpl(const FJsonObject& Object, const FString& FieldName, NumberType& OutNumber)
	{
		const TSharedPtr<FJsonValue> Field = Object.TryGetField(FieldName);
		return Field.IsValid() && Field->TryGetNumber(OutNumber);
	}
}

bool FJsonObject::TryGetNumberField(const FString& FieldName, double& OutNumber) const { return TryGetNumberFieldImpl(*this, FieldName, OutNumber); }
bool FJsonObject::TryGetNumberField(const FString& FieldName, int32& OutNumber) const { return TryGetNumberFieldImpl(*this, FieldName, OutNumber); }
bool FJsonObject::TryGetNumberField(const FString& FieldName, uint32& OutNumber) const { return TryGetNumberFieldImpl(*this, FieldName, OutNumber); }
bool FJsonObject::TryGetNumberField(const FString& FieldName, int64& OutNumber) const { return TryGetNumberFieldImpl(*this, FieldName, OutNumber); }
bool FJsonObject::TryGetNumberField(const FString& FieldName, uint64& OutNumber) const { return TryGetNumberFieldImpl(*this, FieldName, OutNumber); }

void FJsonObject::SetNumberField(const FString& FieldName, double Number)
{
	Values.Add(FieldName, MakeShared<FJsonValueNumber>(Number));
}

bool FJsonObject::GetBoolField(const FString& FieldName) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->AsBool();
}

bool FJsonObject::TryGetBoolField(const FString& FieldName, bool& OutBool) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetBool(OutBool);
}

void FJsonObject::SetBoolField(const FString& FieldName, bool InValue)
{
	Values.Add(FieldName, MakeShared<FJsonValueBoolean>(InValue));
}

const TArray<TSharedPtr<FJsonValue>>& FJsonObject::GetArrayField(const FString& FieldName) const
{
	static const TArray<TSharedPtr<FJsonValue>> Empty;
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	return TryGetArrayField(FieldName, Array) ? *Array : Empty;
}

bool FJsonObject::TryGetArrayField(const FString& FieldName, const TArray<TSharedPtr<FJsonValue>>*& OutArray) const
{
	const TSharedPtr<FJsonValue>* Field = Values.Find(FieldName);
	return Field && Field->IsValid() && (*Field)->TryGetArray(OutArray);
}

void FJsonObject::SetArrayField(const FString& FieldName, const TArray<TSharedPtr<FJsonValue>>& Array)
{
	Values.Add(FieldName, MakeShared<FJsonValueArray>(Array));
}

const TSharedPtr<FJsonObject>& FJsonObject::GetObjectField(const FString& FieldName) const
{
	static const TSharedPtr<FJsonObject> Empty;
	const TSharedPtr<FJsonObject>* Object = nullptr;
	return TryGetObjectField(FieldName, Object) ? *Object : Empty;
}

bool FJsonObject::TryGetObjectField(const FString& FieldName, const TSharedPtr<FJsonObject>*& OutObject) const
{
	const TSharedPtr<FJsonValue>* Field = Values.Find(FieldName);
	return Field && Field->IsValid() && (*Field)->TryGetObject(OutObject);
}

void FJsonObject::SetObjectField(const FString& FieldName, const TSharedPtr<FJsonObject>& JsonObject)
{
	if (JsonObject.IsValid())
	{
		Values.Add(FieldName, MakeShared<FJsonValueObject>(JsonObject));
	}
	else
	{
		Values.Add(FieldName, MakeShared<FJsonValueNull>());
	}
}
