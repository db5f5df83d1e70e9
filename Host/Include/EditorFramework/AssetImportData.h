#pragma once

#include "UObject/Object.h"

// Where an asset was imported from, kept with the asset for reimport.
class UAssetImportData : public UObject
{
	DECLARE_HOST_CLASS(UAssetImportData, UObject, TEXT("/Script/Engine"))

public:
	// The first source file, absolute; empty if there is none.
	FString GetFirstFilename() const { return SourceFiles.IsEmpty() ? FString() : SourceFiles[0]; }
	TArray<FString> ExtractFilenames() const { return SourceFiles; }
	// Records AbsoluteFilename as the one source file.
	void Update(const FString& AbsoluteFilename) { SourceFiles = {AbsoluteFilename}; }

private:
	TArray<FString> SourceFiles;
};
