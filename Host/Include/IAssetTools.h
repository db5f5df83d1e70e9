#pragma once

#include "CoreMinimal.h"

class UAssetImportTask;

// The asset tools of the editor, as far as importing goes.
class IAssetTools
{
public:
	virtual ~IAssetTools() = default;

	// The asset tools of the "AssetTools" module, which is loaded if needed.
	static IAssetTools& Get();

	// Imports every task's file; returns when all have been imported.
	virtual void ImportAssetTasks(const TArray<UAssetImportTask*>& ImportTasks) const = 0;
};
