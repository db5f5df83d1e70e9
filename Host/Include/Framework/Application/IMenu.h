#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Templates/SharedPointer.h"

class SWidget;
class SWindow;

// A menu the application shows above a window; it goes away when dismissed, when another
// menu replaces it, or when the user clicks outside it.
class IMenu
{
public:
	DECLARE_MULTICAST_DELEGATE_OneParam(FOnMenuDismissed, TSharedRef<IMenu> /*DismissedMenu*/);

	virtual ~IMenu() = default;
	virtual TSharedPtr<SWindow> GetParentWindow() const = 0;
	virtual TSharedPtr<SWindow> GetOwnedWindow() const = 0;
	virtual TSharedPtr<SWidget> GetContent() const = 0;
	virtual FOnMenuDismissed& GetOnMenuDismissed() = 0;
	virtual void Dismiss() = 0;
};
