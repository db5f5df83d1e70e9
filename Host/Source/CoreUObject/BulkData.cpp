#include "Serialization/BulkData.h"

#include "HAL/UnrealMemory.h"
#include "Misc/AssertionMacros.h"

FBulkData::~FBulkData()
{
	check(!IsLocked());
	FMemory::Free(Data);
}

void* FBulkData::Lock(uint32 LockFlags)
{
	check(!IsLocked());
	check(LockFlags == LOCK_READ_ONLY || LockFlags == LOCK_READ_WRITE);
	LockStatus = LockFlags == LOCK_READ_WRITE ? ELockStatus::ReadWrite : ELockStatus::ReadOnly;
	return Data;
}

const void* FBulkData::LockReadOnly() const
{
	check(!IsLocked());
	LockStatus = ELockStatus::ReadOnly;
	return Data;
}

void FBulkData::Unlock() const
{
	check(IsLocked());
	LockStatus = ELockStatus::Unlocked;
}

void* FBulkData::Realloc(int64 SizeInBytes)
{
	check(LockStatus == ELockStatus::ReadWrite);
	check(SizeInBytes >= 0);
	void* NewData = FMemory::Realloc(Data, SIZE_T(SizeInBytes));
	check(NewData != nullptr);
	// New bytes start as zero in the stand-in (the engine leaves them undefined).
	if (SizeInBytes > Size)
	{
		FMemory::Memzero(static_cast<uint8*>(NewData) + Size, SIZE_T(SizeInBytes - Size));
	}
	Data = NewData;
	Size = SizeInBytes;
	return Data;
}
