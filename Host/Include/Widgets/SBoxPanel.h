#pragma once

#include "CoreTypes.h"
#include "Layout/BasicLayoutWidgetSlot.h"
#include "Layout/Children.h"
#include "Misc/Optional.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SPanel.h"

#include <limits>

// How a box slot takes space along the box: its desired size (auto) or a share of what the
// auto slots leave (stretch, in proportion to the coefficient).
struct FSizeParam
{
	enum ESizeRule
	{
		SizeRule_Auto,
		SizeRule_Stretch,
	};

	FSizeParam(ESizeRule InTypeOfSize, const TAttribute<float>& InValue) : SizeRule(InTypeOfSize), Value(InValue) {}

	ESizeRule SizeRule;
	TAttribute<float> Value;
};

struct FAuto : public FSizeParam
{
	FAuto() : FSizeParam(SizeRule_Auto, 0.0f) {}
};

struct FStretch : public FSizeParam
{
	FStretch(const TAttribute<float>& StretchAmount = 1.0f) : FSizeParam(SizeRule_Stretch, StretchAmount) {}
};

// The base of SHorizontalBox and SVerticalBox: children stacked along one axis.
class SBoxPanel : public SPanel
{
public:
	// What the box's layout reads from one slot.
	struct FSlotLayout
	{
		TSharedRef<SWidget> Widget;
		FMargin Padding;
		EHorizontalAlignment HAlign;
		EVerticalAlignment VAlign;
		FSizeParam::ESizeRule SizeRule;
		float SizeValue;
		float MinSize;
		float MaxSize;
	};

	template <typename SlotType>
	class TSlot : public TBasicLayoutWidgetSlot<SlotType>
	{
	public:
		struct FSlotArguments : public TBasicLayoutWidgetSlot<SlotType>::FSlotArguments
		{
			explicit FSlotArguments(std::unique_ptr<SlotType> InSlot) : TBasicLayoutWidgetSlot<SlotType>::FSlotArguments(std::move(InSlot)) {}

			TOptional<FSizeParam> _SizeParam;
			TAttribute<float> _MinSize;
			TAttribute<float> _MaxSize;
		};

		void Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs)
		{
			TBasicLayoutWidgetSlot<SlotType>::Construct(SlotOwner, std::move(InArgs));
			if (InArgs._SizeParam.IsSet())
			{
				SizeParam = InArgs._SizeParam.GetValue();
			}
			if (InArgs._MinSize.IsSet())
			{
				MinSize = std::move(InArgs._MinSize);
			}
			if (InArgs._MaxSize.IsSet())
			{
				MaxSize = std::move(InArgs._MaxSize);
			}
		}

		void SetSizeParam(const FSizeParam& InSizeParam) { SizeParam = InSizeParam; }
		void SetSizeToAuto() { SizeParam = FAuto(); }
		void SetSizeToStretch(const TAttribute<float>& StretchAmount) { SizeParam = FStretch(StretchAmount); }
		void SetMinSize(const TAttribute<float>& InMinSize) { MinSize = InMinSize; }
		void SetMaxSize(const TAttribute<float>& InMaxSize) { MaxSize = InMaxSize; }
		FSizeParam::ESizeRule GetSizeRule() const { return SizeParam.SizeRule; }
		float GetSizeValue() const { return SizeParam.Value.Get(); }
		float GetMinSize() const { return MinSize.Get(0.0f); }
		float GetMaxSize() const { return MaxSize.Get(0.0f); }

		FSlotLayout Describe() const
		{
			return FSlotLayout{this->GetWidget(), this->GetPadding(), this->GetHorizontalAlignment(), this->GetVerticalAlignment(), GetSizeRule(),
				GetSizeValue(), GetMinSize(), GetMaxSize()};
		}

	private:
		// A new slot stretches with coefficient 1 until it is made automatic.
		FSizeParam SizeParam = FStretch(1.0f);
		TAttribute<float> MinSize;
		TAttribute<float> MaxSize;
	};

	void ClearChildren();
	int32 NumSlots() const;
	int32 RemoveSlot(const TSharedRef<SWidget>& SlotWidget);

protected:
	explicit SBoxPanel(EOrientation InOrientation) : Orientation(InOrientation) {}

	FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

	virtual FSlotLayout DescribeSlot(int32 Index) const = 0;
	virtual void EmptySlots() = 0;
	virtual int32 RemoveSlotWidget(const TSharedRef<SWidget>& SlotWidget) = 0;

	EOrientation Orientation;
};

// The part of a box panel that holds its slots.
template <typename SlotType>
class TBoxPanelWithSlots : public SBoxPanel
{
public:
	typedef typename TPanelChildren<SlotType>::FScopedWidgetSlotArguments FScopedWidgetSlotArguments;

	static typename SlotType::FSlotArguments Slot() { return typename SlotType::FSlotArguments(std::make_unique<SlotType>()); }
	FScopedWidgetSlotArguments AddSlot() { return InsertSlot(INDEX_NONE); }
	FScopedWidgetSlotArguments InsertSlot(int32 Index = INDEX_NONE) { return FScopedWidgetSlotArguments(std::make_unique<SlotType>(), Children, Index); }
	SlotType& GetSlot(int32 SlotIndex) { return Children[SlotIndex]; }
	FChildren* GetChildren() override { return &Children; }

protected:
	explicit TBoxPanelWithSlots(EOrientation InOrientation) : SBoxPanel(InOrientation), Children(this) {}

	void ConstructSlots(TArray<typename SlotType::FSlotArguments>& Slots) { Children.AddSlots(std::move(Slots)); }
	FSlotLayout DescribeSlot(int32 Index) const override { return Children[Index].Describe(); }
	void EmptySlots() override { Children.Empty(); }
	int32 RemoveSlotWidget(const TSharedRef<SWidget>& SlotWidget) override { return Children.Remove(SlotWidget); }

private:
	TPanelChildren<SlotType> Children;
};

namespace UE::Slate::Private
{
	class FHorizontalBoxSlot : public SBoxPanel::TSlot<FHorizontalBoxSlot>
	{
	public:
		SLATE_SLOT_BEGIN_ARGS(FHorizontalBoxSlot, SBoxPanel::TSlot<FHorizontalBoxSlot>)
		FSlotArguments& AutoWidth()
		{
			this->_SizeParam = FAuto();
			return *this;
		}
		FSlotArguments& FillWidth(TAttribute<float> InStretchCoefficient)
		{
			this->_SizeParam = FStretch(std::move(InStretchCoefficient));
			return *this;
		}
		FSlotArguments& MinWidth(TAttribute<float> InMinWidth)
		{
			this->_MinSize = std::move(InMinWidth);
			return *this;
		}
		FSlotArguments& MaxWidth(TAttribute<float> InMaxWidth)
		{
			this->_MaxSize = std::move(InMaxWidth);
			return *this;
		}
		SLATE_SLOT_END_ARGS()
	};

	class FVerticalBoxSlot : public SBoxPanel::TSlot<FVerticalBoxSlot>
	{
	public:
		SLATE_SLOT_BEGIN_ARGS(FVerticalBoxSlot, SBoxPanel::TSlot<FVerticalBoxSlot>)
		FSlotArguments& AutoHeight()
		{
			this->_SizeParam = FAuto();
			return *this;
		}
		FSlotArguments& FillHeight(TAttribute<float> InStretchCoefficient)
		{
			this->_SizeParam = FStretch(std::move(InStretchCoefficient));
			return *this;
		}
		FSlotArguments& MinHeight(TAttribute<float> InMinHeight)
		{
			this->_MinSize = std::move(InMinHeight);
			return *this;
		}
		FSlotArguments& MaxHeight(TAttribute<float> InMaxHeight)
		{
			this->_MaxSize = std::move(InMaxHeight);
			return *this;
		}
		SLATE_SLOT_END_ARGS()
	};
}

class SHorizontalBox : public TBoxPanelWithSlots<UE::Slate::Private::FHorizontalBoxSlot>
{
public:
	typedef UE::Slate::Private::FHorizontalBoxSlot FSlot;

	SLATE_BEGIN_ARGS(SHorizontalBox)
	{
		_Visibility = EVisibility::SelfHitTestInvisible;
	}
	SLATE_SLOT_ARGUMENT(SHorizontalBox::FSlot, Slots)
	SLATE_END_ARGS()

	SHorizontalBox() : TBoxPanelWithSlots(Orient_Horizontal) {}
	void Construct(const FArguments& InArgs) { ConstructSlots(const_cast<TArray<FSlot::FSlotArguments>&>(InArgs._Slots)); }
};

class SVerticalBox : public TBoxPanelWithSlots<UE::Slate::Private::FVerticalBoxSlot>
{
public:
	typedef UE::Slate::Private::FVerticalBoxSlot FSlot;

	SLATE_BEGIN_ARGS(SVerticalBox)
	{
		_Visibility = EVisibility::SelfHitTestInvisible;
	}
	SLATE_SLOT_ARGUMENT(SVerticalBox::FSlot, Slots)
	SLATE_END_ARGS()

	SVerticalBox() : TBoxPanelWithSlots(Orient_Vertical) {}
	void Construct(const FArguments& InArgs) { ConstructSlots(const_cast<TArray<FSlot::FSlotArguments>&>(InArgs._Slots)); }
};
