#pragma once

#include "CoreMinimal.h"
#include "Engine/Texture2D.h"
#include "Styling/SlateBrush.h"
#include "UObject/StrongObjectPtr.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

class AActor;

// The level as a small viewport shows it: the static meshes of its actors, drawn by the
// desktop program's software rasteriser into a texture, with a line saying so when nothing is
// there to see.
class SLevelViewport : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SLevelViewport) : _Width(396), _Height(240) {}
	SLATE_ARGUMENT(int32, Width)
	SLATE_ARGUMENT(int32, Height)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	// Draws the level again when its actors, their meshes or their places changed.
	void Refresh(const TArray<AActor*>& Actors);

	// Shown over the viewport when no actor of the level shows a mesh.
	static const TCHAR* EmptyText();

private:
	int32 Width = 0;
	int32 Height = 0;
	TStrongObjectPtr<UTexture2D> Texture;
	FSlateBrush Brush;
	FString Shown;
	bool bEmpty = true;
};
