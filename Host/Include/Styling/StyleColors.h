#pragma once

#include "CoreTypes.h"
#include "Math/Color.h"
#include "Styling/SlateColor.h"

// The editor theme's named colours.
enum class EStyleColor : uint8
{
	Black,
	Title,
	WindowBorder,
	Foldout,
	Input,
	InputOutline,
	Recessed,
	Background,
	Panel,
	Header,
	Dropdown,
	DropdownOutline,
	Hover,
	Hover2,
	White,
	White25,
	Highlight,
	Primary,
	PrimaryHover,
	PrimaryPress,
	Secondary,
	Foreground,
	ForegroundHover,
	ForegroundInverted,
	ForegroundHeader,
	Select,
	SelectInactive,
	SelectParent,
	SelectHover,
	Notifications,
	AccentBlue,
	AccentPurple,
	AccentPink,
	AccentRed,
	AccentOrange,
	AccentYellow,
	AccentGreen,
	AccentBrown,
	AccentBlack,
	AccentGray,
	AccentWhite,
	AccentFolder,
	Warning,
	Error,
	Success,
	MAX,
};

// The theme's colours as slate colours, each looked up in the active theme when drawn.
struct FStyleColors
{
	static const FSlateColor Transparent;
	static const FSlateColor Black;
	static const FSlateColor Title;
	static const FSlateColor WindowBorder;
	static const FSlateColor Foldout;
	static const FSlateColor Input;
	static const FSlateColor InputOutline;
	static const FSlateColor Recessed;
	static const FSlateColor Background;
	static const FSlateColor Panel;
	static const FSlateColor Header;
	static const FSlateColor Dropdown;
	static const FSlateColor DropdownOutline;
	static const FSlateColor Hover;
	static const FSlateColor Hover2;
	static const FSlateColor White;
	static const FSlateColor White25;
	static const FSlateColor Highlight;
	static const FSlateColor Primary;
	static const FSlateColor PrimaryHover;
	static const FSlateColor PrimaryPress;
	static const FSlateColor Secondary;
	static const FSlateColor Foreground;
	static const FSlateColor ForegroundHover;
	static const FSlateColor ForegroundInverted;
	static const FSlateColor ForegroundHeader;
	static const FSlateColor Select;
	static const FSlateColor SelectInactive;
	static const FSlateColor SelectParent;
	static const FSlateColor SelectHover;
	static const FSlateColor Notifications;
	static const FSlateColor AccentBlue;
	static const FSlateColor AccentPurple;
	static const FSlateColor AccentPink;
	static const FSlateColor AccentRed;
	static const FSlateColor AccentOrange;
	static const FSlateColor AccentYellow;
	static const FSlateColor AccentGreen;
	static const FSlateColor AccentBrown;
	static const FSlateColor AccentBlack;
	static const FSlateColor AccentGray;
	static const FSlateColor AccentWhite;
	static const FSlateColor AccentFolder;
	static const FSlateColor Warning;
	static const FSlateColor Error;
	static const FSlateColor Success;

	// The active theme's value for a colour (the editor's default dark theme).
	static const FLinearColor& GetColor(EStyleColor InColor);
};
