#pragma once

#include "CoreTypes.h"
#include "Input/Events.h"
#include "Templates/SharedPointer.h"

class SWidget;

// A widget's answer to an event: whether it handled it, and what the application should do
// next (move keyboard focus, capture or release the mouse).
class FReply
{
public:
	static FReply Handled() { return FReply(true); }
	static FReply Unhandled() { return FReply(false); }

	bool IsEventHandled() const { return bIsHandled; }

	FReply& SetUserFocus(TSharedRef<SWidget> GiveMeFocus, EFocusCause ReasonFocusIsChanging = EFocusCause::SetDirectly, bool bInAllUsers = false)
	{
		FocusRecipient = GiveMeFocus;
		FocusChangeReason = ReasonFocusIsChanging;
		bReleaseUserFocus = false;
		bAllUsers = bInAllUsers;
		return *this;
	}
	FReply& ClearUserFocus(bool bInAllUsers = false) { return ClearUserFocus(EFocusCause::SetDirectly, bInAllUsers); }
	FReply& ClearUserFocus(EFocusCause ReasonFocusIsChanging, bool bInAllUsers = false)
	{
		FocusRecipient.Reset();
		FocusChangeReason = ReasonFocusIsChanging;
		bReleaseUserFocus = true;
		bAllUsers = bInAllUsers;
		return *this;
	}
	FReply& CaptureMouse(TSharedRef<SWidget> InMouseCaptor)
	{
		MouseCaptor = InMouseCaptor;
		return *this;
	}
	FReply& ReleaseMouseCapture()
	{
		MouseCaptor.Reset();
		bReleaseMouseCapture = true;
		return *this;
	}

	const TSharedPtr<SWidget>& GetUserFocusRecepient() const { return FocusRecipient; }
	EFocusCause GetFocusCause() const { return FocusChangeReason; }
	bool ShouldReleaseUserFocus() const { return bReleaseUserFocus; }
	bool AffectsAllUsers() const { return bAllUsers; }
	const TSharedPtr<SWidget>& GetMouseCaptor() const { return MouseCaptor; }
	bool ShouldReleaseMouse() const { return bReleaseMouseCapture; }

private:
	explicit FReply(bool bIsHandledIn) : bIsHandled(bIsHandledIn) {}

	TSharedPtr<SWidget> FocusRecipient;
	TSharedPtr<SWidget> MouseCaptor;
	EFocusCause FocusChangeReason = EFocusCause::SetDirectly;
	bool bIsHandled = false;
	bool bReleaseUserFocus = false;
	bool bReleaseMouseCapture = false;
	bool bAllUsers = false;
};
