#pragma once

#include "CoreTypes.h"
#include "Containers/Set.h"
#include "InputCoreTypes.h"
#include "Math/Vector2D.h"

// Why keyboard focus moved.
enum class EFocusCause : uint8
{
	Mouse,
	Navigation,
	SetDirectly,
	Cleared,
	OtherWidgetLostFocus,
	WindowActivate,
};

// Which modifier keys were held.
class FModifierKeysState
{
public:
	FModifierKeysState() = default;
	FModifierKeysState(bool bInIsLeftShiftDown, bool bInIsRightShiftDown, bool bInIsLeftControlDown, bool bInIsRightControlDown,
		bool bInIsLeftAltDown, bool bInIsRightAltDown, bool bInIsLeftCommandDown, bool bInIsRightCommandDown, bool bInAreCapsLocked)
		: bIsLeftShiftDown(bInIsLeftShiftDown), bIsRightShiftDown(bInIsRightShiftDown), bIsLeftControlDown(bInIsLeftControlDown),
		  bIsRightControlDown(bInIsRightControlDown), bIsLeftAltDown(bInIsLeftAltDown), bIsRightAltDown(bInIsRightAltDown),
		  bIsLeftCommandDown(bInIsLeftCommandDown), bIsRightCommandDown(bInIsRightCommandDown), bAreCapsLocked(bInAreCapsLocked)
	{
	}
	bool IsShiftDown() const { return bIsLeftShiftDown || bIsRightShiftDown; }
	bool IsControlDown() const { return bIsLeftControlDown || bIsRightControlDown; }
	bool IsAltDown() const { return bIsLeftAltDown || bIsRightAltDown; }
	bool IsCommandDown() const { return bIsLeftCommandDown || bIsRightCommandDown; }
	bool AreCapsLocked() const { return bAreCapsLocked; }

private:
	bool bIsLeftShiftDown = false;
	bool bIsRightShiftDown = false;
	bool bIsLeftControlDown = false;
	bool bIsRightControlDown = false;
	bool bIsLeftAltDown = false;
	bool bIsRightAltDown = false;
	bool bIsLeftCommandDown = false;
	bool bIsRightCommandDown = false;
	bool bAreCapsLocked = false;
};

struct FInputEvent
{
	FInputEvent() = default;
	FInputEvent(const FModifierKeysState& InModifierKeys, const uint32 InUserIndex, const bool bInIsRepeat)
		: ModifierKeys(InModifierKeys), UserIndex(InUserIndex), bIsRepeat(bInIsRepeat)
	{
	}
	virtual ~FInputEvent() = default;

	bool IsRepeat() const { return bIsRepeat; }
	bool IsShiftDown() const { return ModifierKeys.IsShiftDown(); }
	bool IsControlDown() const { return ModifierKeys.IsControlDown(); }
	bool IsAltDown() const { return ModifierKeys.IsAltDown(); }
	bool IsCommandDown() const { return ModifierKeys.IsCommandDown(); }
	const FModifierKeysState& GetModifierKeys() const { return ModifierKeys; }
	uint32 GetUserIndex() const { return UserIndex; }

protected:
	FModifierKeysState ModifierKeys;
	uint32 UserIndex = 0;
	bool bIsRepeat = false;
};

struct FKeyEvent : public FInputEvent
{
	FKeyEvent() = default;
	FKeyEvent(const FKey InKey, const FModifierKeysState& InModifierKeys, const uint32 InUserIndex, const bool bInIsRepeat, const uint32 InCharacterCode,
		const uint32 InKeyCode)
		: FInputEvent(InModifierKeys, InUserIndex, bInIsRepeat), Key(InKey), CharacterCode(InCharacterCode), KeyCode(InKeyCode)
	{
	}
	FKey GetKey() const { return Key; }
	uint32 GetCharacter() const { return CharacterCode; }
	uint32 GetKeyCode() const { return KeyCode; }

private:
	FKey Key;
	uint32 CharacterCode = 0;
	uint32 KeyCode = 0;
};

struct FCharacterEvent : public FInputEvent
{
	FCharacterEvent() = default;
	FCharacterEvent(const TCHAR InCharacter, const FModifierKeysState& InModifierKeys, const uint32 InUserIndex, const bool bInIsRepeat)
		: FInputEvent(InModifierKeys, InUserIndex, bInIsRepeat), Character(InCharacter)
	{
	}
	TCHAR GetCharacter() const { return Character; }

private:
	TCHAR Character = 0;
};

// A mouse event. Screen space is the desktop; windows here sit at their screen position.
struct FPointerEvent : public FInputEvent
{
	FPointerEvent() = default;
	FPointerEvent(uint32 InPointerIndex, const FVector2D& InScreenSpacePosition, const FVector2D& InLastScreenSpacePosition,
		const TSet<FKey>& InPressedButtons, FKey InEffectingButton, float InWheelDelta, const FModifierKeysState& InModifierKeys)
		: FPointerEvent(0, InPointerIndex, InScreenSpacePosition, InLastScreenSpacePosition, InPressedButtons, InEffectingButton, InWheelDelta, InModifierKeys)
	{
	}
	FPointerEvent(uint32 InUserIndex, uint32 InPointerIndex, const FVector2D& InScreenSpacePosition, const FVector2D& InLastScreenSpacePosition,
		const TSet<FKey>& InPressedButtons, FKey InEffectingButton, float InWheelDelta, const FModifierKeysState& InModifierKeys)
		: FInputEvent(InModifierKeys, InUserIndex, false), ScreenSpacePosition(InScreenSpacePosition), LastScreenSpacePosition(InLastScreenSpacePosition),
		  CursorDelta(InScreenSpacePosition - InLastScreenSpacePosition), PressedButtons(InPressedButtons), EffectingButton(InEffectingButton),
		  PointerIndex(InPointerIndex), WheelOrGestureDelta(InWheelDelta)
	{
	}

	const FVector2D& GetScreenSpacePosition() const { return ScreenSpacePosition; }
	const FVector2D& GetLastScreenSpacePosition() const { return LastScreenSpacePosition; }
	const FVector2D& GetCursorDelta() const { return CursorDelta; }
	bool IsMouseButtonDown(FKey MouseButton) const { return PressedButtons.Contains(MouseButton); }
	FKey GetEffectingButton() const { return EffectingButton; }
	float GetWheelDelta() const { return WheelOrGestureDelta; }
	uint32 GetPointerIndex() const { return PointerIndex; }
	const TSet<FKey>& GetPressedButtons() const { return PressedButtons; }

private:
	FVector2D ScreenSpacePosition;
	FVector2D LastScreenSpacePosition;
	FVector2D CursorDelta;
	TSet<FKey> PressedButtons;
	FKey EffectingButton;
	uint32 PointerIndex = 0;
	float WheelOrGestureDelta = 0;
};

class FFocusEvent
{
public:
	FFocusEvent() = default;
	FFocusEvent(const EFocusCause InCause, uint32 InUserIndex) : Cause(InCause), UserIndex(InUserIndex) {}
	EFocusCause GetCause() const { return Cause; }
	uint32 GetUser() const { return UserIndex; }

private:
	EFocusCause Cause = EFocusCause::SetDirectly;
	uint32 UserIndex = 0;
};

struct FCaptureLostEvent
{
	FCaptureLostEvent() = default;
	FCaptureLostEvent(int32 InUserIndex, int32 InPointerIndex) : UserIndex(InUserIndex), PointerIndex(InPointerIndex) {}
	int32 UserIndex = 0;
	int32 PointerIndex = 0;
};
