#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/UIAction.h"
#include "Misc/Optional.h"
#include "ToolMenuContext.h"

DECLARE_DELEGATE_OneParam(FToolMenuExecuteAction, const FToolMenuContext&);
DECLARE_DELEGATE_RetVal_OneParam(bool, FToolMenuCanExecuteAction, const FToolMenuContext&);
DECLARE_DELEGATE_RetVal_OneParam(ECheckBoxState, FToolMenuGetActionCheckState, const FToolMenuContext&);
DECLARE_DELEGATE_RetVal_OneParam(bool, FToolMenuIsActionButtonVisible, const FToolMenuContext&);

// An action of a menu entry that is told the menu's context.
struct FToolUIAction
{
	FToolUIAction() = default;
	FToolUIAction(const FToolMenuExecuteAction& InExecuteAction) : ExecuteAction(InExecuteAction) {}

	FToolMenuExecuteAction ExecuteAction;
	FToolMenuCanExecuteAction CanExecuteAction;
	FToolMenuGetActionCheckState GetActionCheckState;
	FToolMenuIsActionButtonVisible IsActionVisibleDelegate;
};

// Any of the kinds of action a menu entry may be given.
struct FToolUIActionChoice
{
	FToolUIActionChoice() = default;
	FToolUIActionChoice(const FUIAction& InAction) : Action(InAction) {}
	FToolUIActionChoice(const FExecuteAction& InExecuteAction) : Action(FUIAction(InExecuteAction)) {}
	FToolUIActionChoice(const FToolUIAction& InAction) : ToolAction(InAction) {}
	FToolUIActionChoice(const FToolMenuExecuteAction& InExecuteAction) : ToolAction(FToolUIAction(InExecuteAction)) {}

	const FUIAction* GetUIAction() const { return Action.GetPtrOrNull(); }
	const FToolUIAction* GetToolUIAction() const { return ToolAction.GetPtrOrNull(); }

private:
	TOptional<FUIAction> Action;
	TOptional<FToolUIAction> ToolAction;
};
