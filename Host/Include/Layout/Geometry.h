#pragma once

#include "CoreTypes.h"
#include "Layout/PaintGeometry.h"
#include "Layout/SlateLayoutTransform.h"
#include "Layout/SlateRect.h"
#include "Math/Vector2D.h"

// A widget's place: its local size, where its local origin lies in the window (absolute
// position) and the scale from local units to window pixels.
struct FGeometry
{
	// Local size, position relative to the parent, accumulated scale and window position.
	FVector2D Size;
	FVector2D Position;
	float Scale = 1.0f;
	FVector2D AbsolutePosition;

	FGeometry() = default;

	static FGeometry MakeRoot(const FVector2D& LocalSize, const FSlateLayoutTransform& LayoutTransform)
	{
		FGeometry Root;
		Root.Size = LocalSize;
		Root.Scale = LayoutTransform.GetScale();
		Root.Position = LayoutTransform.GetTranslation();
		Root.AbsolutePosition = LayoutTransform.GetTranslation();
		return Root;
	}

	FGeometry MakeChild(const FVector2D& InLocalSize, const FSlateLayoutTransform& LayoutTransform) const
	{
		FGeometry Child;
		Child.Size = InLocalSize;
		Child.Position = LayoutTransform.GetTranslation();
		Child.Scale = Scale * LayoutTransform.GetScale();
		Child.AbsolutePosition = AbsolutePosition + LayoutTransform.GetTranslation() * double(Scale);
		return Child;
	}
	FGeometry MakeChild(const FVector2D& ChildOffset, const FVector2D& InLocalSize, float ChildScale = 1.0f) const
	{
		return MakeChild(InLocalSize, FSlateLayoutTransform(ChildScale, ChildOffset));
	}

	FPaintGeometry ToPaintGeometry() const { return FPaintGeometry(AbsolutePosition, GetAbsoluteSize(), Scale); }
	FPaintGeometry ToPaintGeometry(const FVector2D& InLocalSize, const FSlateLayoutTransform& InLayoutTransform) const
	{
		return MakeChild(InLocalSize, InLayoutTransform).ToPaintGeometry();
	}
	FPaintGeometry ToPaintGeometry(const FVector2D& InLocalOffset, const FVector2D& InLocalSize, float InLocalScale = 1.0f) const
	{
		return MakeChild(InLocalOffset, InLocalSize, InLocalScale).ToPaintGeometry();
	}

	const FVector2D& GetLocalSize() const { return Size; }
	const FVector2D& GetAbsolutePosition() const { return AbsolutePosition; }
	FVector2D GetAbsoluteSize() const { return Size * double(Scale); }
	FVector2D GetAbsolutePositionAtCoordinates(const FVector2D& NormalCoordinates) const { return AbsolutePosition + GetAbsoluteSize() * NormalCoordinates; }
	FVector2D LocalToAbsolute(const FVector2D& LocalCoordinate) const { return AbsolutePosition + LocalCoordinate * double(Scale); }
	FVector2D AbsoluteToLocal(const FVector2D& AbsoluteCoordinate) const { return (AbsoluteCoordinate - AbsolutePosition) / double(Scale); }
	FSlateRect GetLayoutBoundingRect() const { return FSlateRect::FromPointAndExtent(AbsolutePosition, GetAbsoluteSize()); }
	bool IsUnderLocation(const FVector2D& AbsoluteCoordinate) const { return GetLayoutBoundingRect().ContainsPoint(AbsoluteCoordinate); }

	bool operator==(const FGeometry& Other) const
	{
		return Size == Other.Size && Scale == Other.Scale && AbsolutePosition == Other.AbsolutePosition;
	}
	bool operator!=(const FGeometry& Other) const { return !(*this == Other); }
};
