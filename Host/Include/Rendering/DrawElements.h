#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Fonts/SlateFontInfo.h"
#include "Layout/Geometry.h"
#include "Layout/PaintGeometry.h"
#include "Layout/SlateRect.h"
#include "Math/Color.h"
#include "Rendering/RenderingCommon.h"
#include "Styling/SlateBrush.h"
#include "Templates/SharedPointer.h"

class FShapedText;
class FSlateWindowElementList;
class SWindow;

// A rectangle that clips what is painted inside it.
struct FSlateClippingZone
{
	explicit FSlateClippingZone(const FGeometry& BoundingGeometry) : Rect(BoundingGeometry.GetLayoutBoundingRect()) {}
	explicit FSlateClippingZone(const FSlateRect& AxisAlignedRect) : Rect(AxisAlignedRect) {}
	explicit FSlateClippingZone(const FPaintGeometry& PaintingGeometry) : Rect(FSlateRect::FromPointAndExtent(PaintingGeometry.DrawPosition, PaintingGeometry.DrawSize)) {}

	FSlateRect Rect;
};

// One thing to draw: a brush, a run of text, or lines. The element keeps copies of what it
// draws, so the list can be drawn after the widgets that made it are gone.
class FSlateDrawElement
{
public:
	enum class EElementType : uint8
	{
		ET_Box,
		ET_Text,
		ET_ShapedText,
		ET_Line,
	};

	static void MakeBox(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry, const FSlateBrush* InBrush,
		ESlateDrawEffect InDrawEffects = ESlateDrawEffect::None, const FLinearColor& InTint = FLinearColor::White);
	static void MakeText(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry, const FString& InText,
		const FSlateFontInfo& InFontInfo, ESlateDrawEffect InDrawEffects = ESlateDrawEffect::None, const FLinearColor& InTint = FLinearColor::White);
	static void MakeShapedText(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry,
		const TSharedRef<const FShapedText>& InShapedText, ESlateDrawEffect InDrawEffects = ESlateDrawEffect::None,
		const FLinearColor& InTint = FLinearColor::White);
	static void MakeLines(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry, TArray<FVector2D> Points,
		ESlateDrawEffect InDrawEffects = ESlateDrawEffect::None, const FLinearColor& InTint = FLinearColor::White, bool bAntialias = true,
		float Thickness = 1.0f);

	EElementType GetElementType() const { return ElementType; }
	int32 GetLayer() const { return Layer; }
	const FPaintGeometry& GetPaintGeometry() const { return Geometry; }
	const FSlateRect& GetClipRect() const { return ClipRect; }
	ESlateDrawEffect GetDrawEffects() const { return DrawEffects; }
	const FLinearColor& GetTint() const { return Tint; }
	const FSlateBrush& GetBrush() const { return Brush; }
	const FString& GetText() const { return Text; }
	const FSlateFontInfo& GetFont() const { return Font; }
	const TSharedPtr<const FShapedText>& GetShapedText() const { return ShapedText; }
	const TArray<FVector2D>& GetPoints() const { return Points; }
	float GetThickness() const { return Thickness; }

private:
	static FSlateDrawElement& Add(FSlateWindowElementList& ElementList, EElementType InType, uint32 InLayer, const FPaintGeometry& PaintGeometry,
		ESlateDrawEffect InDrawEffects, const FLinearColor& InTint);

	EElementType ElementType = EElementType::ET_Box;
	int32 Layer = 0;
	FPaintGeometry Geometry;
	FSlateRect ClipRect;
	ESlateDrawEffect DrawEffects = ESlateDrawEffect::None;
	FLinearColor Tint = FLinearColor::White;
	FSlateBrush Brush;
	FString Text;
	FSlateFontInfo Font;
	TSharedPtr<const FShapedText> ShapedText;
	TArray<FVector2D> Points;
	float Thickness = 1.0f;
};

// Everything one window painted in one frame, with the clipping in force for each element.
class FSlateWindowElementList
{
public:
	explicit FSlateWindowElementList(const TSharedPtr<SWindow>& InPaintWindow);

	SWindow* GetPaintWindow() const { return PaintWindow.Pin().Get(); }
	void PushClip(const FSlateClippingZone& InClipZone);
	void PopClip();
	const FSlateRect& GetCurrentClip() const { return ClipStack.Last(); }

	const TArray<FSlateDrawElement>& GetDrawElements() const { return Elements; }
	TArray<FSlateDrawElement>& GetMutableDrawElements() { return Elements; }
	void ResetElementList();

private:
	TWeakPtr<SWindow> PaintWindow;
	TArray<FSlateDrawElement> Elements;
	TArray<FSlateRect> ClipStack;
};
