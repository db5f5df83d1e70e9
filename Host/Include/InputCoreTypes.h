#pragma once

#include "CoreTypes.h"
#include "UObject/NameTypes.h"

// A key or mouse button, by name.
struct FKey
{
	FKey() = default;
	FKey(const FName InName) : KeyName(InName) {}
	FKey(const TCHAR* InName) : KeyName(InName) {}
	FKey(const ANSICHAR* InName) : KeyName(InName) {}

	bool IsValid() const { return !KeyName.IsNone(); }
	FName GetFName() const { return KeyName; }
	FString ToString() const { return KeyName.ToString(); }
	bool IsMouseButton() const;
	friend bool operator==(const FKey& A, const FKey& B) { return A.KeyName == B.KeyName; }
	friend bool operator!=(const FKey& A, const FKey& B) { return !(A == B); }
	friend uint32 GetTypeHash(const FKey& Key) { return GetTypeHash(Key.KeyName); }

private:
	FName KeyName;
};

// The keys the editor's widgets respond to.
struct EKeys
{
	static const FKey LeftMouseButton;
	static const FKey RightMouseButton;
	static const FKey MiddleMouseButton;
	static const FKey MouseWheelAxis;

	static const FKey BackSpace;
	static const FKey Tab;
	static const FKey Enter;
	static const FKey Escape;
	static const FKey SpaceBar;
	static const FKey PageUp;
	static const FKey PageDown;
	static const FKey End;
	static const FKey Home;
	static const FKey Left;
	static const FKey Up;
	static const FKey Right;
	static const FKey Down;
	static const FKey Delete;
	static const FKey LeftShift;
	static const FKey LeftControl;
	static const FKey A;

	static const FKey Invalid;
};
