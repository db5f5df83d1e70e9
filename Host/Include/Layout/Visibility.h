#pragma once

#include "CoreTypes.h"

// Whether a widget is drawn, takes space, and can be hit by the pointer (itself, its children).
struct EVisibility
{
	static const EVisibility Visible;
	static const EVisibility Collapsed;
	static const EVisibility Hidden;
	static const EVisibility HitTestInvisible;
	static const EVisibility SelfHitTestInvisible;
	static const EVisibility All;

	EVisibility() : Value(VIS_Visible) {}

	bool operator==(const EVisibility& Other) const { return Value == Other.Value; }
	bool operator!=(const EVisibility& Other) const { return Value != Other.Value; }
	bool AreChildrenHitTestVisible() const { return (Value & VISPRIVATE_ChildrenHitTestVisible) != 0; }
	bool IsHitTestVisible() const { return (Value & VISPRIVATE_SelfHitTestVisible) != 0; }
	bool IsVisible() const { return (Value & VISPRIVATE_Visible) != 0; }

	static bool DoesVisibilityPassFilter(const EVisibility InVisibility, const EVisibility InVisibilityFilter)
	{
		return (InVisibility.Value & InVisibilityFilter.Value) != 0;
	}

private:
	enum Private
	{
		VISPRIVATE_Visible = 0x1 << 0,
		VISPRIVATE_Collapsed = 0x1 << 1,
		VISPRIVATE_Hidden = 0x1 << 2,
		VISPRIVATE_SelfHitTestVisible = 0x1 << 3,
		VISPRIVATE_ChildrenHitTestVisible = 0x1 << 4,

		VIS_Visible = VISPRIVATE_Visible | VISPRIVATE_SelfHitTestVisible | VISPRIVATE_ChildrenHitTestVisible,
		VIS_Collapsed = VISPRIVATE_Collapsed,
		VIS_Hidden = VISPRIVATE_Hidden,
		VIS_HitTestInvisible = VISPRIVATE_Visible,
		VIS_SelfHitTestInvisible = VISPRIVATE_Visible | VISPRIVATE_ChildrenHitTestVisible,
		VIS_All = VISPRIVATE_Visible | VISPRIVATE_Hidden | VISPRIVATE_Collapsed | VISPRIVATE_SelfHitTestVisible | VISPRIVATE_ChildrenHitTestVisible,
	};
	explicit EVisibility(Private InValue) : Value(InValue) {}

	Private Value;
};

inline const EVisibility EVisibility::Visible(VIS_Visible);
inline const EVisibility EVisibility::Collapsed(VIS_Collapsed);
inline const EVisibility EVisibility::Hidden(VIS_Hidden);
inline const EVisibility EVisibility::HitTestInvisible(VIS_HitTestInvisible);
inline const EVisibility EVisibility::SelfHitTestInvisible(VIS_SelfHitTestInvisible);
inline const EVisibility EVisibility::All(VIS_All);
