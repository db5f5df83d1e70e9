#pragma once

#include "CoreMinimal.h"

enum class EToolMenuInsertType : uint8
{
	Default,
	Before,
	After,
	First,
};

// Where a section or entry goes among its siblings: by default at the end.
struct FToolMenuInsert
{
	FToolMenuInsert() : Position(EToolMenuInsertType::Default) {}
	FToolMenuInsert(FName InName, EToolMenuInsertType InPosition) : Name(InName), Position(InPosition) {}

	bool IsDefault() const { return Position == EToolMenuInsertType::Default; }
	bool IsBeforeOrAfter() const { return Position == EToolMenuInsertType::Before || Position == EToolMenuInsertType::After; }
	bool operator==(const FToolMenuInsert& Other) const { return Name == Other.Name && Position == Other.Position; }

	FName Name;
	EToolMenuInsertType Position;
};
