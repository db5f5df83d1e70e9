#include "ToolMenus.h"

#include "Framework/Application/SlateApplication.h"
#include "Framework/MultiBox/MultiBoxBuilder.h"
#include "Misc/CoreDelegates.h"

UToolMenus* UToolMenus::Singleton = nullptr;
FSimpleMulticastDelegate UToolMenus::StartupCallbacks;
FDelegateHandle UToolMenus::InternalStartupCallbackHandle;

UToolMenus* UToolMenus::Get()
{
	if (Singleton == nullptr)
	{
		FModuleManager::LoadModuleChecked<IToolMenusModule>("ToolMenus");
		Singleton = NewObject<UToolMenus>();
		Singleton->AddToRoot();
	}
	return Singleton;
}

void UToolMenus::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	for (auto& Pair : static_cast<UToolMenus*>(InThis)->Menus)
	{
		Collector.AddReferencedObject(Pair.Value, InThis);
	}
}

void UToolMenus::BeginDestroy()
{
	if (Singleton == this)
	{
		Singleton = nullptr;
	}
	Super::BeginDestroy();
}

bool UToolMenus::IsToolMenuUIEnabled()
{
	return FSlateApplication::IsInitialized();
}

// Runs at once when the menus are up; otherwise once the engine has finished starting.
FDelegateHandle UToolMenus::RegisterStartupCallback(const FSimpleMulticastDelegate::FDelegate& InDelegate)
{
	if (IsToolMenuUIEnabled() && TryGet() != nullptr)
	{
		InDelegate.Execute();
		return FDelegateHandle();
	}
	const FDelegateHandle Result = StartupCallbacks.Add(InDelegate);
	if (!InternalStartupCallbackHandle.IsValid())
	{
		InternalStartupCallbackHandle = FCoreDelegates::OnPostEngineInit.Add(FSimpleMulticastDelegate::FDelegate::CreateStatic(&UToolMenus::PrivateStartupCallback));
	}
	return Result;
}

void UToolMenus::UnRegisterStartupCallback(FDelegateHandle InHandle)
{
	StartupCallbacks.Remove(InHandle);
}

void UToolMenus::UnRegisterStartupCallback(const void* UserPointer)
{
	StartupCallbacks.RemoveAll(UserPointer);
}

void UToolMenus::PrivateStartupCallback()
{
	FCoreDelegates::OnPostEngineInit.Remove(InternalStartupCallbackHandle);
	InternalStartupCallbackHandle.Reset();
	if (IsToolMenuUIEnabled() && TryGet() != nullptr)
	{
		StartupCallbacks.Broadcast();
		StartupCallbacks.Clear();
	}
}

void UToolMenus::UnregisterOwner(FToolMenuOwner Owner)
{
	if (UToolMenus* ToolMenus = TryGet())
	{
		ToolMenus->UnregisterOwnerInternal(Owner);
	}
}

// Entries go first; then sections the owner added that are left empty.
void UToolMenus::UnregisterOwnerInternal(FToolMenuOwner Owner)
{
	if (!Owner.IsSet())
	{
		return;
	}
	for (auto& Pair : Menus)
	{
		TArray<FToolMenuSection>& Sections = Pair.Value->Sections;
		for (FToolMenuSection& Section : Sections)
		{
			Section.RemoveEntriesByOwner(Owner);
		}
		Sections.RemoveAll([&Owner](const FToolMenuSection& Section) { return Section.Owner == Owner && Section.Blocks.IsEmpty(); });
	}
}

UToolMenu* UToolMenus::RegisterMenu(const FName Name, const FName Parent, EMultiBoxType Type, bool)
{
	UToolMenu* Menu = ExtendMenu(Name);
	Menu->MenuParent = Parent;
	Menu->MenuType = Type;
	Menu->bRegistered = true;
	return Menu;
}

UToolMenu* UToolMenus::ExtendMenu(const FName Name)
{
	if (UToolMenu* Found = FindMenu(Name))
	{
		return Found;
	}
	UToolMenu* Menu = NewObject<UToolMenu>(this);
	Menu->MenuName = Name;
	Menus.Add(Name, Menu);
	return Menu;
}

UToolMenu* UToolMenus::FindMenu(const FName Name)
{
	TObjectPtr<UToolMenu>* Found = Menus.Find(Name);
	return Found != nullptr ? Found->Get() : nullptr;
}

bool UToolMenus::IsMenuRegistered(const FName Name) const
{
	const TObjectPtr<UToolMenu>* Found = Menus.Find(Name);
	return Found != nullptr && (*Found)->bRegistered;
}

void UToolMenus::RemoveEntry(const FName MenuName, const FName Section, const FName Name)
{
	if (UToolMenu* Menu = FindMenu(MenuName))
	{
		if (FToolMenuSection* Found = Menu->FindSection(Section))
		{
			Found->RemoveEntry(Name);
		}
	}
}

void UToolMenus::RemoveSection(const FName MenuName, const FName Section)
{
	if (UToolMenu* Menu = FindMenu(MenuName))
	{
		Menu->RemoveSection(Section);
	}
}

void UToolMenus::PopOwner(const FToolMenuOwner InOwner)
{
	check(OwnerStack.Num() > 0 && OwnerStack.Last() == InOwner);
	OwnerStack.Pop();
}

TSharedRef<SWidget> UToolMenus::GenerateWidget(const FName Name, const FToolMenuContext& InMenuContext)
{
	FMenuBuilder Builder(true, nullptr);
	if (UToolMenu* Menu = FindMenu(Name))
	{
		for (const FToolMenuSection& Section : Menu->Sections)
		{
			if (Section.Blocks.IsEmpty())
			{
				continue;
			}
			Builder.BeginSection(Section.Name, Section.Label);
			for (const FToolMenuEntry& Entry : Section.Blocks)
			{
				if (Entry.Type == EMultiBlockType::Separator)
				{
					Builder.AddMenuSeparator(Entry.Name);
					continue;
				}
				FUIAction Action;
				if (const FUIAction* UIAction = Entry.Action.GetUIAction())
				{
					Action = *UIAction;
				}
				else if (const FToolUIAction* ToolAction = Entry.Action.GetToolUIAction())
				{
					// Actions that want the menu's context get the one it was opened with.
					const FToolUIAction Bound = *ToolAction;
					Action.ExecuteAction = FExecuteAction::CreateLambda([Bound, InMenuContext]() { Bound.ExecuteAction.ExecuteIfBound(InMenuContext); });
					if (Bound.CanExecuteAction.IsBound())
					{
						Action.CanExecuteAction = FCanExecuteAction::CreateLambda([Bound, InMenuContext]() { return Bound.CanExecuteAction.Execute(InMenuContext); });
					}
				}
				Builder.AddMenuEntry(Entry.Label, Entry.ToolTip, Entry.Icon.Get(FSlateIcon()), Action, Entry.Name, Entry.UserInterfaceActionType,
					Entry.TutorialHighlightName);
			}
			Builder.EndSection();
		}
	}
	return Builder.MakeWidget();
}
