#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "SlotBase.h"
#include "Templates/SharedPointer.h"

#include <memory>

class SWidget;

// The children of one widget, as its layout and the application see them.
class FChildren
{
public:
	explicit FChildren(SWidget* InOwner) : Owner(InOwner) {}
	FChildren(const FChildren&) = delete;
	FChildren& operator=(const FChildren&) = delete;
	virtual ~FChildren() = default;

	virtual int32 Num() const = 0;
	virtual TSharedRef<SWidget> GetChildAt(int32 Index) = 0;
	virtual TSharedRef<const SWidget> GetChildAt(int32 Index) const = 0;
	SWidget& GetOwner() const { return *Owner; }

	// Makes the owner the child's parent; releasing undoes it unless another panel took the
	// child since.
	void AdoptChild(const TSharedRef<SWidget>& Child) const;
	void ReleaseChild(const TSharedRef<SWidget>& Child) const;

private:
	SWidget* Owner;
};

// For widgets that never have children.
class FNoChildren : public FChildren
{
public:
	FNoChildren() : FChildren(nullptr) {}
	int32 Num() const override { return 0; }
	TSharedRef<SWidget> GetChildAt(int32) override;
	TSharedRef<const SWidget> GetChildAt(int32) const override;
};

// Children held in slots of one type, in order.
template <typename SlotType>
class TPanelChildren : public FChildren
{
public:
	using FChildren::FChildren;

	int32 Num() const override { return Slots.Num(); }
	TSharedRef<SWidget> GetChildAt(int32 Index) override { return Slots[Index]->GetWidget(); }
	TSharedRef<const SWidget> GetChildAt(int32 Index) const override { return Slots[Index]->GetWidget(); }

	SlotType& operator[](int32 Index) { return *Slots[Index]; }
	const SlotType& operator[](int32 Index) const { return *Slots[Index]; }

	int32 AddSlot(typename SlotType::FSlotArguments&& SlotArgument) { return InsertSlot(std::move(SlotArgument), Num()); }
	void AddSlots(TArray<typename SlotType::FSlotArguments>&& SlotArguments)
	{
		for (typename SlotType::FSlotArguments& Argument : SlotArguments)
		{
			AddSlot(std::move(Argument));
		}
		SlotArguments.Reset();
	}
	int32 InsertSlot(typename SlotType::FSlotArguments&& SlotArgument, int32 Index)
	{
		std::unique_ptr<SlotType> NewSlot = SlotArgument.StealSlot();
		check(NewSlot != nullptr);
		NewSlot->Construct(*this, std::move(SlotArgument));
		Slots.Insert(std::move(NewSlot), Index);
		return Index;
	}
	void RemoveAt(int32 Index) { Slots.RemoveAt(Index); }
	int32 Remove(const TSharedRef<SWidget>& SlotWidget)
	{
		const int32 Index = Slots.IndexOfByPredicate([&SlotWidget](const std::unique_ptr<SlotType>& Slot) { return Slot->GetWidget() == SlotWidget; });
		if (Index != INDEX_NONE)
		{
			Slots.RemoveAt(Index);
		}
		return Index;
	}
	void Empty() { Slots.Empty(); }

	// Adds the slot when the arguments go out of scope: AddSlot().AutoHeight()[ Widget ];
	class FScopedWidgetSlotArguments final : public SlotType::FSlotArguments
	{
	public:
		FScopedWidgetSlotArguments(std::unique_ptr<SlotType> InSlot, TPanelChildren& InChildren, int32 InIndex)
			: SlotType::FSlotArguments(std::move(InSlot)), Children(InChildren), Index(InIndex)
		{
		}
		FScopedWidgetSlotArguments(const FScopedWidgetSlotArguments&) = delete;
		~FScopedWidgetSlotArguments()
		{
			if (this->GetSlot() != nullptr)
			{
				Children.InsertSlot(std::move(*this), Index == INDEX_NONE ? Children.Num() : Index);
			}
		}

	private:
		TPanelChildren& Children;
		int32 Index;
	};

private:
	TArray<std::unique_ptr<SlotType>> Slots;
};

// Children without slots: plain widgets in order (rows of a table view).
template <typename ChildType>
class TSlotlessChildren : public FChildren
{
public:
	using FChildren::FChildren;

	int32 Num() const override { return Widgets.Num(); }
	TSharedRef<SWidget> GetChildAt(int32 Index) override { return Widgets[Index]; }
	TSharedRef<const SWidget> GetChildAt(int32 Index) const override { return Widgets[Index]; }
	const TSharedRef<ChildType>& operator[](int32 Index) const { return Widgets[Index]; }

	~TSlotlessChildren() override { Empty(); }
	int32 Add(const TSharedRef<ChildType>& Child)
	{
		AdoptChild(Child);
		return Widgets.Add(Child);
	}
	void Empty()
	{
		for (const TSharedRef<ChildType>& Child : Widgets)
		{
			ReleaseChild(Child);
		}
		Widgets.Empty();
	}

private:
	TArray<TSharedRef<ChildType>> Widgets;
};
