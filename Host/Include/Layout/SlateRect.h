#pragma once

#include "CoreTypes.h"
#include "Math/Vector2D.h"

#include <algorithm>

// An axis-aligned rectangle by its edges.
class FSlateRect
{
public:
	float Left = -1;
	float Top = -1;
	float Right = -1;
	float Bottom = -1;

	FSlateRect() = default;
	FSlateRect(float InLeft, float InTop, float InRight, float InBottom) : Left(InLeft), Top(InTop), Right(InRight), Bottom(InBottom) {}
	FSlateRect(const FVector2D& InStartPos, const FVector2D& InEndPos)
		: Left(float(InStartPos.X)), Top(float(InStartPos.Y)), Right(float(InEndPos.X)), Bottom(float(InEndPos.Y))
	{
	}
	static FSlateRect FromPointAndExtent(const FVector2D& TopLeft, const FVector2D& Size) { return FSlateRect(TopLeft, TopLeft + Size); }

	FVector2D GetTopLeft() const { return FVector2D(Left, Top); }
	FVector2D GetBottomRight() const { return FVector2D(Right, Bottom); }
	FVector2D GetSize() const { return FVector2D(Right - Left, Bottom - Top); }
	FVector2D GetCenter() const { return FVector2D((Left + Right) * 0.5, (Top + Bottom) * 0.5); }
	bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
	bool ContainsPoint(const FVector2D& Point) const { return Point.X >= Left && Point.X < Right && Point.Y >= Top && Point.Y < Bottom; }
	FSlateRect IntersectionWith(const FSlateRect& Other) const
	{
		FSlateRect Result(std::max(Left, Other.Left), std::max(Top, Other.Top), std::min(Right, Other.Right), std::min(Bottom, Other.Bottom));
		return Result.IsEmpty() ? FSlateRect(0, 0, 0, 0) : Result;
	}
	static bool DoRectanglesIntersect(const FSlateRect& A, const FSlateRect& B)
	{
		return !(A.Left > B.Right || A.Right < B.Left || A.Top > B.Bottom || A.Bottom < B.Top);
	}
	bool operator==(const FSlateRect& Other) const { return Left == Other.Left && Top == Other.Top && Right == Other.Right && Bottom == Other.Bottom; }
};
