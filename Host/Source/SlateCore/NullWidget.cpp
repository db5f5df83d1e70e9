#include "Widgets/SNullWidget.h"

#include "Widgets/SLeafWidget.h"

namespace
{
	// Takes no space, draws nothing and cannot be hit.
	class SNullWidgetContent : public SLeafWidget
	{
	public:
		SNullWidgetContent()
		{
			SetVisibility(EVisibility::SelfHitTestInvisible);
			SetDebugInfo("SNullWidget", __FILE__, __LINE__, sizeof(*this));
		}

	protected:
		FVector2D ComputeDesiredSize(float) const override { return FVector2D(0, 0); }
		int32 OnPaint(const FPaintArgs&, const FGeometry&, const FSlateRect&, FSlateWindowElementList&, int32 LayerId, const FWidgetStyle&, bool) const override
		{
			return LayerId;
		}
	};
}

TSharedRef<SWidget> SNullWidget::NullWidget = MakeShared<SNullWidgetContent>();
