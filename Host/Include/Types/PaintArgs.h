#pragma once

#include "CoreTypes.h"

class FHittestGrid;
class SWidget;

// What painting hands down besides geometry: the window's hit-test grid, the widget being
// painted as its children's paint parent, the frame time, and whether the pointer may hit
// the children at all.
class FPaintArgs
{
public:
	FPaintArgs(const SWidget* PaintParent, FHittestGrid& InRootHittestGrid, double InCurrentTime, float InDeltaTime)
		: HittestGrid(&InRootHittestGrid), Parent(PaintParent), CurrentTime(InCurrentTime), DeltaTime(InDeltaTime)
	{
	}

	FPaintArgs WithNewParent(const SWidget* InParent) const
	{
		FPaintArgs Args(*this);
		Args.Parent = InParent;
		return Args;
	}
	void SetInheritedHittestability(bool bInInheritedHittestability) { bInheritedHittestability = bInInheritedHittestability; }

	FHittestGrid& GetHittestGrid() const { return *HittestGrid; }
	const SWidget* GetPaintParent() const { return Parent; }
	double GetCurrentTime() const { return CurrentTime; }
	float GetDeltaTime() const { return DeltaTime; }
	bool GetInheritedHittestability() const { return bInheritedHittestability; }

private:
	FHittestGrid* HittestGrid;
	const SWidget* Parent;
	double CurrentTime;
	float DeltaTime;
	bool bInheritedHittestability = true;
};
