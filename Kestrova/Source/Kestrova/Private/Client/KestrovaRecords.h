#pragma once

#include "CoreMinimal.h"

// One downloadable package of a product; also the record of a download ticket.
struct FKVAFile
{
	FString PackageId;
	FString Sha256;
	FString Filename;
	FString Source;
	FString SelectionId;
	FString Url;
	TArray<FString> Formats;
	int64 SizeBytes = -1;
	int64 ExpiresAt = -1;

	bool Valid() const;
};

// One entry of a catalogue or library page, or a product-details reply.
struct FKVAProduct
{
	FString ProductId;
	FString Title;
	FString Kind;
	FString SelectionId;
	FString Source;
	FString Thumbnail;
	FString Reason;
	bool bOwned = false;
	bool bAllowed = false;
	TArray<TSharedPtr<FKVAFile>> Files;
};

typedef TSharedPtr<FKVAProduct> FKVAProductPtr;
