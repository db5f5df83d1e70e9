#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "UObject/NameTypes.h"

class UObject;

// Reads or writes an object's state. Each type writes itself through operator<<, which both
// loads and saves, as in the engine; what an object reference becomes is the archive's choice.
class FArchive
{
public:
	virtual ~FArchive() = default;

	bool IsLoading() const { return ArIsLoading; }
	bool IsSaving() const { return ArIsSaving; }
	// True for the transaction buffer's archives (undo and redo).
	bool IsTransacting() const { return ArIsTransacting; }

	virtual void Serialize(void* V, int64 Length) = 0;
	virtual FArchive& operator<<(UObject*& Value) = 0;

	friend FArchive& operator<<(FArchive& Ar, uint8& Value) { Ar.Serialize(&Value, 1); return Ar; }
	friend FArchive& operator<<(FArchive& Ar, int32& Value) { Ar.Serialize(&Value, sizeof(Value)); return Ar; }
	friend FArchive& operator<<(FArchive& Ar, uint32& Value) { Ar.Serialize(&Value, sizeof(Value)); return Ar; }
	friend FArchive& operator<<(FArchive& Ar, int64& Value) { Ar.Serialize(&Value, sizeof(Value)); return Ar; }
	friend FArchive& operator<<(FArchive& Ar, float& Value) { Ar.Serialize(&Value, sizeof(Value)); return Ar; }
	friend FArchive& operator<<(FArchive& Ar, double& Value) { Ar.Serialize(&Value, sizeof(Value)); return Ar; }
	friend FArchive& operator<<(FArchive& Ar, bool& Value)
	{
		uint8 Byte = Value ? 1 : 0;
		Ar << Byte;
		Value = Byte != 0;
		return Ar;
	}
	friend FArchive& operator<<(FArchive& Ar, FString& Value);
	friend FArchive& operator<<(FArchive& Ar, FName& Value);
	template <typename ElementType>
	friend FArchive& operator<<(FArchive& Ar, TArray<ElementType>& Array)
	{
		int32 Num = Array.Num();
		Ar << Num;
		if (Ar.IsLoading())
		{
			Array.Reset();
			Array.SetNum(Num);
		}
		for (ElementType& Element : Array)
		{
			Ar << Element;
		}
		return Ar;
	}

protected:
	void SetIsLoading(bool bLoading)
	{
		ArIsLoading = bLoading;
		ArIsSaving = !bLoading;
	}
	void SetIsTransacting(bool bTransacting) { ArIsTransacting = bTransacting; }

private:
	bool ArIsLoading = false;
	bool ArIsSaving = false;
	bool ArIsTransacting = false;
};
