#pragma once

#include "CoreMinimal.h"
#include "Framework/MultiBox/MultiBoxDefs.h"
#include "ToolMenuSection.h"
#include "UObject/Object.h"

// One menu by name (for example the level editor's "LevelEditor.MainMenu.Window"): its
// sections in order, each holding its entries.
class UToolMenu : public UObject
{
	DECLARE_HOST_CLASS(UToolMenu, UObject, TEXT("/Script/ToolMenus"))

public:
	FToolMenuSection& FindOrAddSection(const FName SectionName);
	FToolMenuSection& FindOrAddSection(const FName SectionName, const TAttribute<FText>& InLabel, const FToolMenuInsert InPosition = FToolMenuInsert());
	FToolMenuSection& AddSection(const FName SectionName, const TAttribute<FText>& InLabel = TAttribute<FText>(),
		const FToolMenuInsert InPosition = FToolMenuInsert());
	FToolMenuSection* FindSection(const FName SectionName);
	void RemoveSection(const FName SectionName);

	FName GetMenuName() const { return MenuName; }
	bool IsRegistered() const { return bRegistered; }

	FName MenuName;
	FName MenuParent;
	EMultiBoxType MenuType = EMultiBoxType::Menu;
	bool bRegistered = false;
	TArray<FToolMenuSection> Sections;
};
