#include "Rendering/DrawElements.h"

FSlateDrawElement& FSlateDrawElement::Add(FSlateWindowElementList& ElementList, EElementType InType, uint32 InLayer, const FPaintGeometry& PaintGeometry,
	ESlateDrawEffect InDrawEffects, const FLinearColor& InTint)
{
	FSlateDrawElement& Element = ElementList.GetMutableDrawElements().Emplace_GetRef();
	Element.ElementType = InType;
	Element.Layer = int32(InLayer);
	Element.Geometry = PaintGeometry;
	Element.ClipRect = ElementList.GetCurrentClip();
	Element.DrawEffects = InDrawEffects;
	Element.Tint = InTint;
	return Element;
}

void FSlateDrawElement::MakeBox(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry, const FSlateBrush* InBrush,
	ESlateDrawEffect InDrawEffects, const FLinearColor& InTint)
{
	if (InBrush == nullptr || InBrush->DrawAs == ESlateBrushDrawType::NoDrawType)
	{
		return;
	}
	Add(ElementList, EElementType::ET_Box, InLayer, PaintGeometry, InDrawEffects, InTint).Brush = *InBrush;
}

void FSlateDrawElement::MakeText(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry, const FString& InText,
	const FSlateFontInfo& InFontInfo, ESlateDrawEffect InDrawEffects, const FLinearColor& InTint)
{
	if (InText.IsEmpty())
	{
		return;
	}
	FSlateDrawElement& Element = Add(ElementList, EElementType::ET_Text, InLayer, PaintGeometry, InDrawEffects, InTint);
	Element.Text = InText;
	Element.Font = InFontInfo;
}

void FSlateDrawElement::MakeShapedText(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry,
	const TSharedRef<const FShapedText>& InShapedText, ESlateDrawEffect InDrawEffects, const FLinearColor& InTint)
{
	Add(ElementList, EElementType::ET_ShapedText, InLayer, PaintGeometry, InDrawEffects, InTint).ShapedText = InShapedText;
}

void FSlateDrawElement::MakeLines(FSlateWindowElementList& ElementList, uint32 InLayer, const FPaintGeometry& PaintGeometry, TArray<FVector2D> Points,
	ESlateDrawEffect InDrawEffects, const FLinearColor& InTint, bool, float Thickness)
{
	FSlateDrawElement& Element = Add(ElementList, EElementType::ET_Line, InLayer, PaintGeometry, InDrawEffects, InTint);
	Element.Points = std::move(Points);
	Element.Thickness = Thickness;
}

FSlateWindowElementList::FSlateWindowElementList(const TSharedPtr<SWindow>& InPaintWindow) : PaintWindow(InPaintWindow)
{
	ResetElementList();
}

void FSlateWindowElementList::ResetElementList()
{
	Elements.Reset();
	ClipStack.Reset();
	// Nothing clips until a widget asks to.
	ClipStack.Add(FSlateRect(-1.0e9f, -1.0e9f, 1.0e9f, 1.0e9f));
}

void FSlateWindowElementList::PushClip(const FSlateClippingZone& InClipZone)
{
	ClipStack.Add(ClipStack.Last().IntersectionWith(InClipZone.Rect));
}

void FSlateWindowElementList::PopClip()
{
	check(ClipStack.Num() > 1);
	ClipStack.Pop();
}
