#include "Layout/Children.h"

#include "Widgets/SNullWidget.h"
#include "Widgets/SWidget.h"

void FChildren::AdoptChild(const TSharedRef<SWidget>& Child) const
{
	// The null widget is shared by every empty slot and belongs to none.
	if (Owner != nullptr && Child != SNullWidget::NullWidget)
	{
		Child->AssignParentWidget(Owner->AsShared());
	}
}

void FChildren::ReleaseChild(const TSharedRef<SWidget>& Child) const
{
	if (Owner != nullptr)
	{
		Child->ConditionallyDetatchParentWidget(Owner);
	}
}

TSharedRef<SWidget> FNoChildren::GetChildAt(int32)
{
	checkNoEntry();
}

TSharedRef<const SWidget> FNoChildren::GetChildAt(int32) const
{
	checkNoEntry();
}
