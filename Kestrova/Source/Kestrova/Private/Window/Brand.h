#pragma once

#include "Brushes/SlateRoundedBoxBrush.h"
#include "CoreMinimal.h"
#include "Styling/SlateTypes.h"

// The library's own dark look, the same whatever the editor theme. Colours are linear.
namespace KVABrand
{
	inline const FLinearColor Accent(0.0742136f, 0.768151f, 1.0f, 1.0f);
	inline const FLinearColor Violet(0.473531f, 0.323143f, 1.0f, 1.0f);
	inline const FLinearColor Lime(0.679542f, 1.0f, 0.043735f, 1.0f);
	inline const FLinearColor HoverOutline(0.896269f, 0.896269f, 0.879622f, 1.0f);
	inline const FLinearColor Disabled(0.0231534f, 0.0231534f, 0.0295568f, 1.0f);
	inline const FLinearColor TextPrimary(0.896269f, 0.896269f, 0.879622f, 1.0f);
	inline const FLinearColor TextMuted(0.386429f, 0.386429f, 0.417885f, 1.0f);
	inline const FLinearColor Warning(0.896269f, 0.55834f, 0.147027f, 1.0f);
	inline const FLinearColor Error(1.0f, 0.254152f, 0.215861f, 1.0f);
	inline const FLinearColor OnPrimary(0.00121411f, 0.00749903f, 0.0103298f, 1.0f);
	inline const FLinearColor OnMembership(0.00913406f, 0.00439144f, 0.0241576f, 1.0f);
	inline const FLinearColor OnScene(0.00402472f, 0.00477695f, 0.00121411f, 1.0f);

	// The brushes and styles of one window. Widgets keep plain pointers into it, so it lives
	// exactly as long as the window that builds them.
	class Styles
	{
	public:
		Styles();
		~Styles();

		// Normal, hovered, pressed and disabled looks of a button in one base colour.
		static FButtonStyle Button(FLinearColor Colour);

		FSlateRoundedBoxBrush Background;
		FSlateRoundedBoxBrush Panel;
		FSlateRoundedBoxBrush Selection;
		FButtonStyle SecondaryButton;
		FButtonStyle PrimaryButton;
		FButtonStyle MembershipButton;
		FButtonStyle SceneButton;
		FTableRowStyle TileRow;
	};
}
