#include "SlotBase.h"

#include "Layout/Children.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/SWidget.h"

FSlotBase::FSlotBase() : Widget(SNullWidget::NullWidget) {}

FSlotBase::FSlotBase(const TSharedRef<SWidget>& InWidget) : Widget(InWidget) {}

FSlotBase::~FSlotBase()
{
	DetachParent();
}

void FSlotBase::SetOwner(const FChildren& InChildren)
{
	Owner = &InChildren;
	if (Widget != SNullWidget::NullWidget)
	{
		Owner->AdoptChild(Widget);
	}
}

void FSlotBase::AttachWidget(const TSharedRef<SWidget>& InWidget)
{
	DetachParent();
	Widget = InWidget;
	if (Owner != nullptr && Widget != SNullWidget::NullWidget)
	{
		Owner->AdoptChild(Widget);
	}
}

TSharedPtr<SWidget> FSlotBase::DetachWidget()
{
	if (Widget == SNullWidget::NullWidget)
	{
		return nullptr;
	}
	DetachParent();
	TSharedPtr<SWidget> Detached = Widget.ToSharedPtr();
	Widget = SNullWidget::NullWidget;
	return Detached;
}

SWidget* FSlotBase::GetOwnerWidget() const
{
	return Owner != nullptr ? &Owner->GetOwner() : nullptr;
}

void FSlotBase::DetachParent()
{
	if (Owner != nullptr && Widget != SNullWidget::NullWidget)
	{
		Owner->ReleaseChild(Widget);
	}
}
