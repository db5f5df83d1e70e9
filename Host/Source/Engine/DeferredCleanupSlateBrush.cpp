#include "Slate/DeferredCleanupSlateBrush.h"

#include "Engine/Texture2D.h"

FDeferredCleanupSlateBrush::FDeferredCleanupSlateBrush(const FSlateBrush& Brush) : InternalBrush(Brush), ResourceObject(Brush.GetResourceObject())
{
}

TSharedRef<FDeferredCleanupSlateBrush> FDeferredCleanupSlateBrush::CreateBrush(const FSlateBrush& Brush)
{
	return MakeShareable(new FDeferredCleanupSlateBrush(Brush));
}

TSharedRef<FDeferredCleanupSlateBrush> FDeferredCleanupSlateBrush::CreateBrush(UTexture* InTexture, const FLinearColor& InTint,
	ESlateBrushTileType::Type InTiling, ESlateBrushImageType::Type InImageType, ESlateBrushDrawType::Type InDrawType, const FMargin& InMargin)
{
	const UTexture2D* Texture2D = Cast<UTexture2D>(InTexture);
	const FVector2D Size = Texture2D != nullptr ? FVector2D(Texture2D->GetSizeX(), Texture2D->GetSizeY()) : FVector2D(0, 0);
	return CreateBrush(InTexture, Size, InTint, InTiling, InImageType, InDrawType, InMargin);
}

TSharedRef<FDeferredCleanupSlateBrush> FDeferredCleanupSlateBrush::CreateBrush(UObject* InResource, const UE::Slate::FDeprecateVector2DParameter& InImageSize,
	const FLinearColor& InTint, ESlateBrushTileType::Type InTiling, ESlateBrushImageType::Type InImageType, ESlateBrushDrawType::Type InDrawType,
	const FMargin& InMargin)
{
	FSlateBrush Brush;
	Brush.SetResourceObject(InResource);
	Brush.ImageSize = InImageSize;
	Brush.TintColor = FSlateColor(InTint);
	Brush.Tiling = InTiling;
	Brush.ImageType = InImageType;
	Brush.DrawAs = InDrawType;
	Brush.Margin = InMargin;
	return CreateBrush(Brush);
}
