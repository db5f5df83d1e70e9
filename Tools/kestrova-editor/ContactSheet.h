#pragma once

#include "CoreMinimal.h"

namespace KVAEditor
{
	// One picture of a series, with the caption written under it on the sheet.
	struct FSheetPicture
	{
		FString File;
		FString Caption;
	};

	// Writes the pictures, shrunk, in rows of Columns, each with its caption, as one PNG.
	bool WriteContactSheet(const TArray<FSheetPicture>& Pictures, int32 Columns, const FString& Target);
}
