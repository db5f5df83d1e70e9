#pragma once

#include "CoreTypes.h"
#include "Layout/Children.h"
#include "Layout/Margin.h"
#include "Misc/Attribute.h"
#include "Misc/Optional.h"
#include "SlotBase.h"
#include "Types/SlateEnums.h"

// Padding for a slot: set with .Padding(...) on the slot's arguments or on the slot itself.
template <typename SlotType>
class TPaddingWidgetSlotMixin
{
public:
	template <typename WidgetArgsType>
	struct FSlotArgumentsMixin
	{
		WidgetArgsType& Padding(TAttribute<FMargin> InPadding)
		{
			_Padding = std::move(InPadding);
			return static_cast<WidgetArgsType&>(*this);
		}
		WidgetArgsType& Padding(float Uniform) { return Padding(TAttribute<FMargin>(FMargin(Uniform))); }
		WidgetArgsType& Padding(float Horizontal, float Vertical) { return Padding(TAttribute<FMargin>(FMargin(Horizontal, Vertical))); }
		WidgetArgsType& Padding(float Left, float Top, float Right, float Bottom) { return Padding(TAttribute<FMargin>(FMargin(Left, Top, Right, Bottom))); }

		TAttribute<FMargin> _Padding;
	};

	template <typename WidgetArgsType>
	void ConstructMixin(FSlotArgumentsMixin<WidgetArgsType>&& InArgs)
	{
		if (InArgs._Padding.IsSet())
		{
			SlotPaddingAttribute = std::move(InArgs._Padding);
		}
	}

	void SetPadding(TAttribute<FMargin> InPadding) { SlotPaddingAttribute = std::move(InPadding); }
	FMargin GetPadding() const { return SlotPaddingAttribute.Get(FMargin()); }

protected:
	TAttribute<FMargin> SlotPaddingAttribute = FMargin();
};

// Horizontal and vertical alignment for a slot (Fill unless told otherwise).
template <typename SlotType>
class TAlignmentWidgetSlotMixin
{
public:
	TAlignmentWidgetSlotMixin(EHorizontalAlignment InHAlign = HAlign_Fill, EVerticalAlignment InVAlign = VAlign_Fill) : HAlignment(InHAlign), VAlignment(InVAlign) {}

	template <typename WidgetArgsType>
	struct FSlotArgumentsMixin
	{
		WidgetArgsType& HAlign(EHorizontalAlignment InHAlignment)
		{
			_HAlignment = InHAlignment;
			return static_cast<WidgetArgsType&>(*this);
		}
		WidgetArgsType& VAlign(EVerticalAlignment InVAlignment)
		{
			_VAlignment = InVAlignment;
			return static_cast<WidgetArgsType&>(*this);
		}

		TOptional<EHorizontalAlignment> _HAlignment;
		TOptional<EVerticalAlignment> _VAlignment;
	};

	template <typename WidgetArgsType>
	void ConstructMixin(FSlotArgumentsMixin<WidgetArgsType>&& InArgs)
	{
		HAlignment = InArgs._HAlignment.Get(HAlignment);
		VAlignment = InArgs._VAlignment.Get(VAlignment);
	}

	void SetHorizontalAlignment(EHorizontalAlignment Alignment) { HAlignment = Alignment; }
	EHorizontalAlignment GetHorizontalAlignment() const { return HAlignment; }
	void SetVerticalAlignment(EVerticalAlignment Alignment) { VAlignment = Alignment; }
	EVerticalAlignment GetVerticalAlignment() const { return VAlignment; }

protected:
	EHorizontalAlignment HAlignment;
	EVerticalAlignment VAlignment;
};

// A slot with padding and alignment, the base of the box panel, overlay and scroll box slots.
template <typename SlotType>
class TBasicLayoutWidgetSlot : public TSlotBase<SlotType>, public TPaddingWidgetSlotMixin<SlotType>, public TAlignmentWidgetSlotMixin<SlotType>
{
public:
	TBasicLayoutWidgetSlot(EHorizontalAlignment InHAlign = HAlign_Fill, EVerticalAlignment InVAlign = VAlign_Fill)
		: TAlignmentWidgetSlotMixin<SlotType>(InHAlign, InVAlign)
	{
	}

	struct FSlotArguments : public TSlotBase<SlotType>::FSlotArguments,
							public TPaddingWidgetSlotMixin<SlotType>::template FSlotArgumentsMixin<typename SlotType::FSlotArguments>,
							public TAlignmentWidgetSlotMixin<SlotType>::template FSlotArgumentsMixin<typename SlotType::FSlotArguments>
	{
		explicit FSlotArguments(std::unique_ptr<SlotType> InSlot) : TSlotBase<SlotType>::FSlotArguments(std::move(InSlot)) {}
	};

	void Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs)
	{
		TSlotBase<SlotType>::Construct(SlotOwner, std::move(InArgs));
		TPaddingWidgetSlotMixin<SlotType>::ConstructMixin(std::move(InArgs));
		TAlignmentWidgetSlotMixin<SlotType>::ConstructMixin(std::move(InArgs));
	}
};

// The children of a one-child widget, which are also its slot: ChildSlot.Padding(...)[ Widget ].
class FSingleWidgetChildrenWithBasicLayoutSlot final : public FChildren, public FSlotBase,
	public TPaddingWidgetSlotMixin<FSingleWidgetChildrenWithBasicLayoutSlot>, public TAlignmentWidgetSlotMixin<FSingleWidgetChildrenWithBasicLayoutSlot>
{
public:
	explicit FSingleWidgetChildrenWithBasicLayoutSlot(SWidget* InOwner, EHorizontalAlignment InHAlign = HAlign_Fill, EVerticalAlignment InVAlign = VAlign_Fill)
		: FChildren(InOwner), TAlignmentWidgetSlotMixin<FSingleWidgetChildrenWithBasicLayoutSlot>(InHAlign, InVAlign)
	{
		SetOwner(*this);
	}

	int32 Num() const override { return 1; }
	TSharedRef<SWidget> GetChildAt(int32) override { return GetWidget(); }
	TSharedRef<const SWidget> GetChildAt(int32) const override { return GetWidget(); }

	FSingleWidgetChildrenWithBasicLayoutSlot& operator[](const TSharedRef<SWidget>& InChildWidget)
	{
		AttachWidget(InChildWidget);
		return *this;
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(TAttribute<FMargin> InPadding)
	{
		SetPadding(std::move(InPadding));
		return *this;
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(float Uniform) { return Padding(TAttribute<FMargin>(FMargin(Uniform))); }
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(float Horizontal, float Vertical) { return Padding(TAttribute<FMargin>(FMargin(Horizontal, Vertical))); }
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(float Left, float Top, float Right, float Bottom)
	{
		return Padding(TAttribute<FMargin>(FMargin(Left, Top, Right, Bottom)));
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& HAlign(EHorizontalAlignment InHAlignment)
	{
		SetHorizontalAlignment(InHAlignment);
		return *this;
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& VAlign(EVerticalAlignment InVAlignment)
	{
		SetVerticalAlignment(InVAlignment);
		return *this;
	}
};

typedef FSingleWidgetChildrenWithBasicLayoutSlot FCompoundWidgetOneChildSlot;
