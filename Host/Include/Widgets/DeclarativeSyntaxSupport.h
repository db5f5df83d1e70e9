#pragma once

#include "CoreTypes.h"
#include "Internationalization/Text.h"
#include "Layout/Clipping.h"
#include "Layout/Visibility.h"
#include "Misc/Attribute.h"
#include "Styling/ISlateStyle.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/SWidget.h"

#include <tuple>
#include <type_traits>
#include <utility>

// The engine's declarative widget syntax:
//   SNew(SBox).WidthOverride(180)[ SNew(STextBlock).Text(Label) ]
//   SNew(SVerticalBox) + SVerticalBox::Slot().AutoHeight().Padding(0, 0, 0, 8)[ Child ]
// SLATE_BEGIN_ARGS declares a widget's FArguments; each SLATE_* macro adds one argument with
// its chained setters; SNew makes the widget, applies the common arguments and calls its
// Construct with the arguments (and any required arguments given to SNew).

// "typename" lets SNew name a widget type that depends on a template parameter.
#ifndef TYPENAME_OUTSIDE_TEMPLATE
#define TYPENAME_OUTSIDE_TEMPLATE typename
#endif

#define SNew(WidgetType, ...) \
	MakeTDecl<WidgetType>(#WidgetType, __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs(__VA_ARGS__)) <<= TYPENAME_OUTSIDE_TEMPLATE WidgetType::FArguments()

#define SAssignNew(ExposeAs, WidgetType, ...) \
	MakeTDecl<WidgetType>(#WidgetType, __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs(__VA_ARGS__)).Expose(ExposeAs) <<= \
		TYPENAME_OUTSIDE_TEMPLATE WidgetType::FArguments()

#define SLATE_BEGIN_ARGS(InWidgetType) \
public: \
	struct FArguments : public TSlateBaseNamedArgs<InWidgetType> \
	{ \
		typedef FArguments WidgetArgsType; \
		typedef InWidgetType WidgetType; \
		FORCENOINLINE FArguments()

#define SLATE_END_ARGS() \
	};

#define SLATE_PRIVATE_ATTRIBUTE_VARIABLE(AttrType, AttrName) TAttribute<AttrType> _##AttrName

#define SLATE_PRIVATE_ATTRIBUTE_FUNCTION(AttrType, AttrName) \
	WidgetArgsType& AttrName(TAttribute<AttrType> InAttribute) \
	{ \
		_##AttrName = std::move(InAttribute); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <typename... VarTypes> \
	WidgetArgsType& AttrName##_Static(typename TAttribute<AttrType>::FGetter::template TFuncPtr<std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateStatic(InFunc, std::forward<VarTypes>(Vars)...)); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	WidgetArgsType& AttrName##_Lambda(TFunction<AttrType(void)>&& InFunctor) \
	{ \
		_##AttrName = TAttribute<AttrType>::Create(std::move(InFunctor)); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& AttrName##_Raw( \
		const UserClass* InUserObject, typename TAttribute<AttrType>::FGetter::template TConstMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, \
		VarTypes&&... Vars) \
	{ \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...)); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& AttrName(TSharedRef<UserClass> InUserObjectRef, \
		typename TAttribute<AttrType>::FGetter::template TConstMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...)); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& AttrName( \
		UserClass* InUserObject, typename TAttribute<AttrType>::FGetter::template TConstMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, \
		VarTypes&&... Vars) \
	{ \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...)); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	}

#define SLATE_ATTRIBUTE(AttrType, AttrName) \
	SLATE_PRIVATE_ATTRIBUTE_VARIABLE(AttrType, AttrName); \
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(AttrType, AttrName)

#define SLATE_ARGUMENT(ArgType, ArgName) \
	ArgType _##ArgName{}; \
	WidgetArgsType& ArgName(ArgType InArg) \
	{ \
		_##ArgName = std::move(InArg); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	}

#define SLATE_STYLE_ARGUMENT(ArgType, ArgName) \
	const ArgType* _##ArgName = nullptr; \
	WidgetArgsType& ArgName(const ArgType* InArg) \
	{ \
		_##ArgName = InArg; \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	WidgetArgsType& ArgName(const ISlateStyle* InSlateStyle, const FName& StyleName, const ANSICHAR* Specifier = nullptr) \
	{ \
		_##ArgName = &InSlateStyle->GetWidgetStyle<ArgType>(StyleName, Specifier); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	WidgetArgsType& ArgName(const ISlateStyle& InSlateStyle, const FName& StyleName, const ANSICHAR* Specifier = nullptr) \
	{ \
		return ArgName(&InSlateStyle, StyleName, Specifier); \
	}

#define SLATE_ITEMS_SOURCE_ARGUMENT(ItemType, ArgName) SLATE_ARGUMENT(const TArray<ItemType>*, ArgName)

#define SLATE_EVENT(DelegateName, EventName) \
	DelegateName _##EventName; \
	WidgetArgsType& EventName(const DelegateName& InDelegate) \
	{ \
		_##EventName = InDelegate; \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	WidgetArgsType& EventName(DelegateName&& InDelegate) \
	{ \
		_##EventName = std::move(InDelegate); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <typename... VarTypes> \
	WidgetArgsType& EventName##_Static(typename DelegateName::template TFuncPtr<std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateStatic(InFunc, std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <typename FunctorType, typename... VarTypes> \
	WidgetArgsType& EventName##_Lambda(FunctorType&& InFunctor, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateLambda(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& EventName##_Raw( \
		UserClass* InUserObject, typename DelegateName::template TMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& EventName##_Raw( \
		const UserClass* InUserObject, typename DelegateName::template TConstMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& EventName( \
		TSharedRef<UserClass> InUserObjectRef, typename DelegateName::template TMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& EventName(TSharedRef<UserClass> InUserObjectRef, \
		typename DelegateName::template TConstMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& EventName( \
		UserClass* InUserObject, typename DelegateName::template TMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	template <class UserClass, typename... VarTypes> \
	WidgetArgsType& EventName( \
		const UserClass* InUserObject, typename DelegateName::template TConstMethodPtr<UserClass, std::decay_t<VarTypes>...> InFunc, VarTypes&&... Vars) \
	{ \
		_##EventName = DelegateName::CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	}

// A widget argument that is always a valid widget (the null widget when not given).
struct TAlwaysValidWidget
{
	TSharedRef<SWidget> Widget = SNullWidget::NullWidget;
};

// What .SlotName() returns: [ ] on it fills the slot and goes back to the arguments.
template <class DeclarationType>
struct NamedSlotProperty
{
	NamedSlotProperty(DeclarationType& InOwnerDeclaration, TAlwaysValidWidget& ContentToSet) : OwnerDeclaration(InOwnerDeclaration), SlotContent(ContentToSet) {}

	DeclarationType& operator[](const TSharedRef<SWidget>& InChild)
	{
		SlotContent.Widget = InChild;
		return OwnerDeclaration;
	}

	DeclarationType& OwnerDeclaration;
	TAlwaysValidWidget& SlotContent;
};

#define SLATE_NAMED_SLOT(DeclarationType, SlotName) \
	NamedSlotProperty<DeclarationType> SlotName() { return NamedSlotProperty<DeclarationType>(*this, _##SlotName); } \
	TAlwaysValidWidget _##SlotName;

#define SLATE_DEFAULT_SLOT(DeclarationType, SlotName) \
	SLATE_NAMED_SLOT(DeclarationType, SlotName); \
	DeclarationType& operator[](const TSharedRef<SWidget>& InChild) \
	{ \
		_##SlotName.Widget = InChild; \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	}

#define SLATE_SLOT_ARGUMENT(SlotType, SlotName) \
	TArray<typename SlotType::FSlotArguments> _##SlotName; \
	WidgetArgsType& operator+(typename SlotType::FSlotArguments& SlotToAdd) \
	{ \
		_##SlotName.Add(std::move(SlotToAdd)); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	} \
	WidgetArgsType& operator+(typename SlotType::FSlotArguments&& SlotToAdd) \
	{ \
		_##SlotName.Add(std::move(SlotToAdd)); \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	}

// The arguments every widget takes.
struct FSlateBaseNamedArgs
{
	TAttribute<FText> _ToolTipText;
	TAttribute<bool> _IsEnabled = true;
	TAttribute<EVisibility> _Visibility = EVisibility::Visible;
	EWidgetClipping _Clipping = EWidgetClipping::Inherit;
	float _RenderOpacity = 1.0f;
	FName _Tag;
	bool _ForceVolatile = false;
	TAttribute<FText> _AccessibleText;
};

template <typename InWidgetType>
struct TSlateBaseNamedArgs : public FSlateBaseNamedArgs
{
	typedef InWidgetType WidgetType;
	typedef typename WidgetType::FArguments WidgetArgsType;

	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(FText, ToolTipText)
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(bool, IsEnabled)
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(EVisibility, Visibility)
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(FText, AccessibleText)

	WidgetArgsType& Clipping(EWidgetClipping InValue)
	{
		_Clipping = InValue;
		return Me();
	}
	WidgetArgsType& RenderOpacity(float InValue)
	{
		_RenderOpacity = InValue;
		return Me();
	}
	WidgetArgsType& Tag(FName InValue)
	{
		_Tag = InValue;
		return Me();
	}
	WidgetArgsType& ForceVolatile(bool bInValue)
	{
		_ForceVolatile = bInValue;
		return Me();
	}

	WidgetArgsType& Me() { return *static_cast<WidgetArgsType*>(this); }
};

namespace RequiredArgs
{
	// The arguments given to SNew after the widget type, passed to Construct after FArguments.
	template <typename... ArgTypes>
	struct TRequiredArgs
	{
		std::tuple<ArgTypes&&...> Args;

		template <class WidgetType>
		void CallConstruct(const TSharedRef<WidgetType>& OnWidget, const typename WidgetType::FArguments& WithNamedArgs)
		{
			std::apply([&](auto&&... InArgs) { OnWidget->Construct(WithNamedArgs, std::forward<decltype(InArgs)>(InArgs)...); }, std::move(Args));
		}
	};

	template <typename... ArgTypes>
	TRequiredArgs<ArgTypes...> MakeRequiredArgs(ArgTypes&&... InArgs)
	{
		return TRequiredArgs<ArgTypes...>{std::forward_as_tuple(std::forward<ArgTypes>(InArgs)...)};
	}
}

// A widget being declared: made at once, constructed when the arguments are applied with <<=.
template <class WidgetType, typename RequiredArgsPayloadType>
struct TDecl
{
	TDecl(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, RequiredArgsPayloadType&& InRequiredArgs)
		: Widget(MakeShared<WidgetType>()), RequiredArgs(std::move(InRequiredArgs))
	{
		Widget->SetDebugInfo(InType, InFile, OnLine, sizeof(WidgetType));
	}

	template <class ExposeAsWidgetType>
	TDecl&& Expose(TSharedPtr<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = Widget;
		return std::move(*this);
	}
	template <class ExposeAsWidgetType>
	TDecl&& Expose(TSharedRef<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = Widget;
		return std::move(*this);
	}
	template <class ExposeAsWidgetType>
	TDecl&& Expose(TWeakPtr<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = Widget;
		return std::move(*this);
	}

	TSharedRef<WidgetType> operator<<=(const typename WidgetType::FArguments& InArgs) &&
	{
		Widget->SWidgetConstruct(InArgs);
		RequiredArgs.CallConstruct(Widget, InArgs);
		return Widget;
	}

	TSharedRef<WidgetType> Widget;
	RequiredArgsPayloadType RequiredArgs;
};

template <typename WidgetType, typename RequiredArgsPayloadType>
TDecl<WidgetType, RequiredArgsPayloadType> MakeTDecl(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, RequiredArgsPayloadType&& InRequiredArgs)
{
	return TDecl<WidgetType, RequiredArgsPayloadType>(InType, InFile, OnLine, std::move(InRequiredArgs));
}
