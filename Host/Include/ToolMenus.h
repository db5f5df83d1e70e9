#pragma once

#include "CoreMinimal.h"
#include "IToolMenusModule.h"
#include "Misc/Attribute.h"
#include "Misc/CoreDelegates.h"
#include "Textures/SlateIcon.h"
#include "ToolMenu.h"
#include "ToolMenuContext.h"
#include "ToolMenuDelegates.h"
#include "ToolMenuEntry.h"
#include "ToolMenuMisc.h"
#include "ToolMenuOwner.h"
#include "ToolMenuSection.h"
#include "UObject/Object.h"

class SWidget;

// The editor's menus by name. Modules extend menus from a start-up callback, which runs once
// Slate and the menus are up (at once when they already are), and scope what they add to an
// owner so that it can all be removed when they shut down.
class UToolMenus : public UObject
{
	DECLARE_HOST_CLASS(UToolMenus, UObject, TEXT("/Script/ToolMenus"))

public:
	static UToolMenus* Get();
	static UToolMenus* TryGet() { return Singleton; }
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

	static FDelegateHandle RegisterStartupCallback(const FSimpleMulticastDelegate::FDelegate& InDelegate);
	static void UnRegisterStartupCallback(FDelegateHandle InHandle);
	static void UnRegisterStartupCallback(const void* UserPointer);
	// Removes what the owner added, without making the menus exist.
	static void UnregisterOwner(FToolMenuOwner Owner);
	static bool IsToolMenuUIEnabled();

	UToolMenu* RegisterMenu(const FName Name, const FName Parent = NAME_None, EMultiBoxType Type = EMultiBoxType::Menu, bool bWarnIfAlreadyRegistered = true);
	// The menu of that name, made (not yet registered) when nobody has registered it yet.
	UToolMenu* ExtendMenu(const FName Name);
	UToolMenu* FindMenu(const FName Name);
	bool IsMenuRegistered(const FName Name) const;
	void RemoveEntry(const FName MenuName, const FName Section, const FName Name);
	void RemoveSection(const FName MenuName, const FName Section);
	// The menu as a widget: its sections' headings and entries, built as the user opens it.
	TSharedRef<SWidget> GenerateWidget(const FName Name, const FToolMenuContext& InMenuContext);
	void RefreshAllWidgets() {}

	void PushOwner(const FToolMenuOwner InOwner) { OwnerStack.Add(InOwner); }
	void PopOwner(const FToolMenuOwner InOwner);
	FToolMenuOwner CurrentOwner() const { return OwnerStack.Num() > 0 ? OwnerStack.Last() : FToolMenuOwner(); }

	void BeginDestroy() override;

private:
	static void PrivateStartupCallback();
	void UnregisterOwnerInternal(FToolMenuOwner Owner);

	static UToolMenus* Singleton;
	static FSimpleMulticastDelegate StartupCallbacks;
	static FDelegateHandle InternalStartupCallbackHandle;

	TMap<FName, TObjectPtr<UToolMenu>> Menus;
	TArray<FToolMenuOwner> OwnerStack;
};

// Makes everything added to menus in its scope belong to an owner.
struct FToolMenuOwnerScoped
{
	FToolMenuOwnerScoped(const FToolMenuOwner InOwner) : Owner(InOwner) { UToolMenus::Get()->PushOwner(InOwner); }
	~FToolMenuOwnerScoped() { UToolMenus::Get()->PopOwner(Owner); }
	FToolMenuOwner GetOwner() const { return Owner; }

private:
	FToolMenuOwner Owner;
};
