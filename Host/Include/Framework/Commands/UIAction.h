#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Styling/SlateTypes.h"

DECLARE_DELEGATE(FExecuteAction);
DECLARE_DELEGATE_RetVal(bool, FCanExecuteAction);
DECLARE_DELEGATE_RetVal(bool, FIsActionChecked);
DECLARE_DELEGATE_RetVal(ECheckBoxState, FGetActionCheckState);
DECLARE_DELEGATE_RetVal(bool, FIsActionButtonVisible);

enum class EUIActionRepeatMode
{
	RepeatDisabled,
	RepeatEnabled,
};

// What a menu entry or tool button does, and whether it can.
struct FUIAction
{
	FExecuteAction ExecuteAction;
	FCanExecuteAction CanExecuteAction;
	FGetActionCheckState GetActionCheckState;
	FIsActionButtonVisible IsActionVisibleDelegate;
	EUIActionRepeatMode RepeatMode = EUIActionRepeatMode::RepeatDisabled;

	FUIAction() = default;
	FUIAction(FExecuteAction InitExecuteAction, EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled)
		: ExecuteAction(InitExecuteAction), RepeatMode(InitRepeatMode)
	{
	}
	FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction, EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled)
		: ExecuteAction(InitExecuteAction), CanExecuteAction(InitCanExecuteAction), RepeatMode(InitRepeatMode)
	{
	}

	// An action that cannot say runs; one that says no does not.
	bool CanExecute() const { return !CanExecuteAction.IsBound() || CanExecuteAction.Execute(); }
	bool Execute() const
	{
		if (ExecuteAction.IsBound() && CanExecute())
		{
			ExecuteAction.Execute();
			return true;
		}
		return false;
	}
	bool IsBound() const { return ExecuteAction.IsBound(); }
	bool IsActionVisible() const { return !IsActionVisibleDelegate.IsBound() || IsActionVisibleDelegate.Execute(); }
};
