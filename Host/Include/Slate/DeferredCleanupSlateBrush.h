#pragma once

#include "CoreMinimal.h"
#include "Layout/Margin.h"
#include "Styling/SlateBrush.h"
#include "Types/SlateVector2.h"
#include "UObject/StrongObjectPtr.h"

class UObject;
class UTexture;

// A brush that keeps its texture (or other resource object) alive for as long as anyone holds
// the brush, so that a widget can draw a texture made at run time. The editor frees the
// texture only once rendering is done with it; here it goes when the last holder lets go.
class FDeferredCleanupSlateBrush : public ISlateBrushSource
{
public:
	static TSharedRef<FDeferredCleanupSlateBrush> CreateBrush(const FSlateBrush& Brush);
	// A brush the size of the texture.
	static TSharedRef<FDeferredCleanupSlateBrush> CreateBrush(UTexture* InTexture, const FLinearColor& InTint = FLinearColor(1, 1, 1, 1),
		ESlateBrushTileType::Type InTiling = ESlateBrushTileType::NoTile, ESlateBrushImageType::Type InImageType = ESlateBrushImageType::FullColor,
		ESlateBrushDrawType::Type InDrawType = ESlateBrushDrawType::Image, const FMargin& InMargin = FMargin(0.0f));
	static TSharedRef<FDeferredCleanupSlateBrush> CreateBrush(UObject* InResource, const UE::Slate::FDeprecateVector2DParameter& InImageSize,
		const FLinearColor& InTint = FLinearColor(1, 1, 1, 1), ESlateBrushTileType::Type InTiling = ESlateBrushTileType::NoTile,
		ESlateBrushImageType::Type InImageType = ESlateBrushImageType::FullColor, ESlateBrushDrawType::Type InDrawType = ESlateBrushDrawType::Image,
		const FMargin& InMargin = FMargin(0.0f));

	const FSlateBrush* GetSlateBrush() const override { return &InternalBrush; }
	static const FSlateBrush* TrySlateBrush(const TSharedPtr<FDeferredCleanupSlateBrush>& DeferredSlateBrush)
	{
		return DeferredSlateBrush.IsValid() ? DeferredSlateBrush->GetSlateBrush() : nullptr;
	}

private:
	explicit FDeferredCleanupSlateBrush(const FSlateBrush& Brush);

	FSlateBrush InternalBrush;
	TStrongObjectPtr<UObject> ResourceObject;
};
