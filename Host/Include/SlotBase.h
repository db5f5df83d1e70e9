#pragma once

#include "CoreTypes.h"
#include "Templates/SharedPointer.h"
#include "Templates/UnrealTemplate.h"

#include <memory>

class FChildren;
class SWidget;

// A place for one child widget inside a panel. Attaching a widget makes the panel its parent.
class FSlotBase
{
public:
	FSlotBase();
	explicit FSlotBase(const TSharedRef<SWidget>& InWidget);
	FSlotBase(const FSlotBase&) = delete;
	FSlotBase& operator=(const FSlotBase&) = delete;
	virtual ~FSlotBase();

	void AttachWidget(const TSharedRef<SWidget>& InWidget);
	const TSharedRef<SWidget>& GetWidget() const { return Widget; }
	TSharedPtr<SWidget> DetachWidget();
	// The widget whose children this slot belongs to (null until the slot is constructed).
	SWidget* GetOwnerWidget() const;

protected:
	void SetOwner(const FChildren& InChildren);

private:
	void DetachParent();

	const FChildren* Owner = nullptr;
	TSharedRef<SWidget> Widget;
};

// The engine's slot arguments: a slot made by Slot(), the widget given with [ ], and the
// settings chained on it; the panel takes the slot when the arguments are added. Every
// setter returns the most derived arguments type, so settings chain in any order.
template <typename SlotType>
class TSlotBase : public FSlotBase
{
public:
	using FSlotBase::FSlotBase;

	struct FSlotArguments
	{
		explicit FSlotArguments(std::unique_ptr<SlotType> InSlot) : Slot(std::move(InSlot)) {}
		FSlotArguments(FSlotArguments&&) = default;
		FSlotArguments& operator=(FSlotArguments&&) = default;

		typename SlotType::FSlotArguments& operator[](const TSharedRef<SWidget>& InChildWidget)
		{
			ChildWidget = InChildWidget;
			return Me();
		}
		typename SlotType::FSlotArguments& Expose(SlotType*& OutVarToInit)
		{
			OutVarToInit = Slot.get();
			return Me();
		}

		std::unique_ptr<SlotType> StealSlot() { return std::move(Slot); }
		SlotType* GetSlot() const { return Slot.get(); }
		const TSharedPtr<SWidget>& GetAttachedWidget() const { return ChildWidget; }

	protected:
		typename SlotType::FSlotArguments& Me() { return static_cast<typename SlotType::FSlotArguments&>(*this); }

	private:
		std::unique_ptr<SlotType> Slot;
		TSharedPtr<SWidget> ChildWidget;
	};

	void Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs)
	{
		SetOwner(SlotOwner);
		if (InArgs.GetAttachedWidget().IsValid())
		{
			AttachWidget(InArgs.GetAttachedWidget().ToSharedRef());
		}
	}

	SlotType& operator[](const TSharedRef<SWidget>& InChildWidget)
	{
		AttachWidget(InChildWidget);
		return static_cast<SlotType&>(*this);
	}
	SlotType& Expose(SlotType*& OutVarToInit)
	{
		OutVarToInit = static_cast<SlotType*>(this);
		return static_cast<SlotType&>(*this);
	}
};

// Declares a slot's arguments type on top of its parent slot's arguments.
#define SLATE_SLOT_BEGIN_ARGS(SlotType, SlotParentType) \
public: \
	struct FSlotArguments : public SlotParentType::FSlotArguments \
	{ \
		typedef FSlotArguments WidgetArgsType; \
		explicit FSlotArguments(std::unique_ptr<SlotType> InSlot) : SlotParentType::FSlotArguments(std::move(InSlot)) {}

#define SLATE_SLOT_END_ARGS() \
	};
