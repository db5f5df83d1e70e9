#include "Editor/Transactor.h"

#include "UObject/UObjectGlobals.h"

namespace
{
	// Writes an object's state into bytes; object references are kept as the objects
	// themselves, which the transaction holds on to.
	class FTransactionWriter final : public FArchive
	{
	public:
		FTransactionWriter(TArray<uint8>& InBytes, TArray<UObject*>& InReferences) : Bytes(InBytes), References(InReferences)
		{
			SetIsLoading(false);
			SetIsTransacting(true);
		}
		virtual void Serialize(void* V, int64 Length) override { Bytes.Append(static_cast<const uint8*>(V), int32(Length)); }
		virtual FArchive& operator<<(UObject*& Value) override
		{
			if (Value != nullptr)
			{
				References.AddUnique(Value);
			}
			UPTRINT Bits = reinterpret_cast<UPTRINT>(Value);
			Serialize(&Bits, sizeof(Bits));
			return *this;
		}

	private:
		TArray<uint8>& Bytes;
		TArray<UObject*>& References;
	};

	class FTransactionReader final : public FArchive
	{
	public:
		explicit FTransactionReader(const TArray<uint8>& InBytes) : Bytes(InBytes)
		{
			SetIsLoading(true);
			SetIsTransacting(true);
		}
		virtual void Serialize(void* V, int64 Length) override
		{
			check(Offset + Length <= Bytes.Num());
			FMemory::Memcpy(V, Bytes.GetData() + Offset, SIZE_T(Length));
			Offset += Length;
		}
		virtual FArchive& operator<<(UObject*& Value) override
		{
			UPTRINT Bits = 0;
			Serialize(&Bits, sizeof(Bits));
			Value = reinterpret_cast<UObject*>(Bits);
			return *this;
		}

	private:
		const TArray<uint8>& Bytes;
		int64 Offset = 0;
	};
}

void FTransaction::FObjectRecord::Capture(UObject* InObject)
{
	Object = InObject;
	Data.Reset();
	ReferencedObjects.Reset();
	bGarbage = InObject->IsGarbage();
	FTransactionWriter Writer(Data, ReferencedObjects);
	InObject->Serialize(Writer);
}

void FTransaction::FObjectRecord::Restore() const
{
	FTransactionReader Reader(Data);
	Object->Serialize(Reader);
	if (bGarbage)
	{
		Object->MarkAsGarbage();
	}
	else
	{
		Object->ClearGarbage();
	}
}

FTransaction::FTransaction(const TCHAR* InContext, const FText& InTitle)
	: Context(InContext != nullptr ? FString(InContext) : FString())
	, Title(InTitle)
{
}

bool FTransaction::ContainsObject(const UObject* Object) const
{
	return Records.ContainsByPredicate([Object](const FObjectRecord& Record) { return Record.Object == Object; });
}

void FTransaction::SaveObject(UObject* Object)
{
	if (Object != nullptr && !ContainsObject(Object))
	{
		Records.AddDefaulted();
		Records.Last().Capture(Object);
	}
}

void FTransaction::Apply()
{
	GIsTransacting = true;
	const int32 Num = Records.Num();
	for (int32 Step = 0; Step < Num; ++Step)
	{
		FObjectRecord& Record = Records[bApplyInReverse ? Num - 1 - Step : Step];
		FObjectRecord Current;
		Current.Capture(Record.Object);
		Record.Restore();
		Record = MoveTemp(Current);
	}
	for (FObjectRecord& Record : Records)
	{
		Record.Object->PostEditUndo();
	}
	bApplyInReverse = !bApplyInReverse;
	GIsTransacting = false;
}

void FTransaction::AddReferencedObjects(FReferenceCollector& Collector)
{
	const bool bWasEliminating = Collector.IsEliminatingReferences();
	Collector.AllowEliminatingReferences(false);
	Collector.AddReferencedObject(PrimaryObject);
	for (FObjectRecord& Record : Records)
	{
		Collector.AddReferencedObject(Record.Object);
		Collector.AddReferencedObjects(Record.ReferencedObjects);
	}
	Collector.AllowEliminatingReferences(bWasEliminating);
}
