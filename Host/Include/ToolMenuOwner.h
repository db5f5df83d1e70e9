#pragma once

#include "CoreMinimal.h"

// Who added a menu entry or section: a pointer (a module, usually) or a name. Everything an
// owner added goes with UToolMenus::UnregisterOwner.
struct FToolMenuOwner
{
	FToolMenuOwner() = default;
	FToolMenuOwner(void* InPointer) : Pointer(InPointer), ValueType(EValueType::Pointer) {}
	FToolMenuOwner(const WIDECHAR* InValue) : Name(InValue), ValueType(EValueType::Name) {}
	FToolMenuOwner(const ANSICHAR* InValue) : Name(InValue), ValueType(EValueType::Name) {}
	FToolMenuOwner(const FName InValue) : Name(InValue), ValueType(EValueType::Name) {}

	bool operator==(const FToolMenuOwner& Other) const
	{
		return ValueType == Other.ValueType && (ValueType != EValueType::Pointer || Pointer == Other.Pointer) && (ValueType != EValueType::Name || Name == Other.Name);
	}
	bool operator!=(const FToolMenuOwner& Other) const { return !(*this == Other); }
	bool IsSet() const { return ValueType != EValueType::None; }
	FName TryGetName() const { return ValueType == EValueType::Name ? Name : NAME_None; }

private:
	enum class EValueType : uint8
	{
		None,
		Name,
		Pointer,
	};

	void* Pointer = nullptr;
	FName Name;
	EValueType ValueType = EValueType::None;
};
