#pragma once

#include "CoreTypes.h"

enum EHorizontalAlignment : int
{
	HAlign_Fill,
	HAlign_Left,
	HAlign_Center,
	HAlign_Right,
};

enum EVerticalAlignment : int
{
	VAlign_Fill,
	VAlign_Top,
	VAlign_Center,
	VAlign_Bottom,
};

enum EOrientation : int
{
	Orient_Horizontal,
	Orient_Vertical,
};

namespace ESelectInfo
{
	enum Type : int
	{
		OnKeyPress,
		OnNavigation,
		OnMouseClick,
		Direct,
	};
}

namespace ETextCommit
{
	enum Type : int
	{
		Default,
		OnEnter,
		OnUserMovedFocus,
		OnCleared,
	};
}

namespace EButtonClickMethod
{
	enum Type : int
	{
		DownAndUp,
		MouseDown,
		MouseUp,
		PreciseClick,
	};
}

namespace EButtonTouchMethod
{
	enum Type : int
	{
		DownAndUp,
		Down,
		PreciseTap,
	};
}

namespace EButtonPressMethod
{
	enum Type : int
	{
		DownAndUp,
		ButtonPress,
		ButtonRelease,
	};
}

enum EMenuPlacement : int
{
	MenuPlacement_BelowAnchor,
	MenuPlacement_CenteredBelowAnchor,
	MenuPlacement_BelowRightAnchor,
	MenuPlacement_ComboBox,
	MenuPlacement_ComboBoxRight,
	MenuPlacement_MenuRight,
	MenuPlacement_AboveAnchor,
	MenuPlacement_CenteredAboveAnchor,
	MenuPlacement_AboveRightAnchor,
	MenuPlacement_MenuLeft,
	MenuPlacement_Center,
	MenuPlacement_RightLeftCenter,
	MenuPlacement_MatchBottomLeft,
};

enum class EScrollDirection : uint8
{
	Scroll_Down,
	Scroll_Up,
};

enum class EAllowOverscroll : uint8
{
	Yes,
	No,
};

enum class EConsumeMouseWheel : uint8
{
	WhenScrollingPossible,
	Always,
	Never,
};
