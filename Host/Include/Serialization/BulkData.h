#pragma once

#include "CoreTypes.h"

enum EBulkDataLockFlags
{
	LOCK_READ_ONLY = 1,
	LOCK_READ_WRITE = 2,
};

// A block of bytes that is reached only while locked, as the engine's bulk data: one lock at a
// time, writes only under a read-write lock, and reallocation only while locked for writing.
class FBulkData
{
public:
	FBulkData() = default;
	FBulkData(const FBulkData&) = delete;
	FBulkData& operator=(const FBulkData&) = delete;
	~FBulkData();

	void* Lock(uint32 LockFlags);
	const void* LockReadOnly() const;
	void Unlock() const;
	bool IsLocked() const { return LockStatus != ELockStatus::Unlocked; }
	void* Realloc(int64 SizeInBytes);
	int64 GetBulkDataSize() const { return Size; }

private:
	enum class ELockStatus
	{
		Unlocked,
		ReadOnly,
		ReadWrite
	};

	void* Data = nullptr;
	int64 Size = 0;
	mutable ELockStatus LockStatus = ELockStatus::Unlocked;
};

// Bulk data of elements of one type.
template <typename ElementType>
class TBulkData : public FBulkData
{
public:
	ElementType* Realloc(int64 ElementCount) { return static_cast<ElementType*>(FBulkData::Realloc(ElementCount * int64(sizeof(ElementType)))); }
	int64 GetElementCount() const { return GetBulkDataSize() / int64(sizeof(ElementType)); }
	int64 GetElementSize() const { return int64(sizeof(ElementType)); }
};

using FByteBulkData = TBulkData<uint8>;
