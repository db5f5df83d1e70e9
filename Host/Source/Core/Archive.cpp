#include "Serialization/Archive.h"

FArchive& operator<<(FArchive& Ar, FString& Value)
{
	std::u16string Units = Value.ToStdString();
	int32 Length = int32(Units.size());
	Ar << Length;
	if (Ar.IsLoading())
	{
		Units.resize(SIZE_T(Length));
	}
	Ar.Serialize(Units.data(), int64(Length) * int64(sizeof(TCHAR)));
	if (Ar.IsLoading())
	{
		Value = FString(MoveTemp(Units));
	}
	return Ar;
}

FArchive& operator<<(FArchive& Ar, FName& Value)
{
	FString Text = Value.IsNone() ? FString() : Value.ToString();
	Ar << Text;
	if (Ar.IsLoading())
	{
		Value = FName(Text);
	}
	return Ar;
}
