#include "Styling/StyleColors.h"

#include "Containers/Array.h"

namespace
{
	FLinearColor FromHex(uint32 RGBA)
	{
		return FLinearColor::FromSRGBColor(FColor(uint8(RGBA >> 24), uint8(RGBA >> 16), uint8(RGBA >> 8), uint8(RGBA)));
	}

	// The editor's default dark theme (sRGB hex, as the theme defines them).
	FLinearColor DefaultColor(EStyleColor Color)
	{
		switch (Color)
		{
		case EStyleColor::Black: return FromHex(0x000000FF);
		case EStyleColor::Title: return FromHex(0x151515FF);
		case EStyleColor::WindowBorder: return FromHex(0x0F0F0FFF);
		case EStyleColor::Foldout: return FromHex(0x0F0F0FFF);
		case EStyleColor::Input: return FromHex(0x0F0F0FFF);
		case EStyleColor::InputOutline: return FromHex(0x383838FF);
		case EStyleColor::Recessed: return FromHex(0x1A1A1AFF);
		case EStyleColor::Background: return FromHex(0x151515FF);
		case EStyleColor::Panel: return FromHex(0x242424FF);
		case EStyleColor::Header: return FromHex(0x2F2F2FFF);
		case EStyleColor::Dropdown: return FromHex(0x383838FF);
		case EStyleColor::DropdownOutline: return FromHex(0x4C4C4CFF);
		case EStyleColor::Hover: return FromHex(0x575757FF);
		case EStyleColor::Hover2: return FromHex(0x808080FF);
		case EStyleColor::White: return FromHex(0xFFFFFFFF);
		case EStyleColor::White25: return FromHex(0xFFFFFF40);
		case EStyleColor::Highlight: return FromHex(0x0070E0FF);
		case EStyleColor::Primary: return FromHex(0x0070E0FF);
		case EStyleColor::PrimaryHover: return FromHex(0x0E86FFFF);
		case EStyleColor::PrimaryPress: return FromHex(0x0050A0FF);
		case EStyleColor::Secondary: return FromHex(0x383838FF);
		case EStyleColor::Foreground: return FromHex(0xC0C0C0FF);
		case EStyleColor::ForegroundHover: return FromHex(0xFFFFFFFF);
		case EStyleColor::ForegroundInverted: return FromHex(0x0F0F0FFF);
		case EStyleColor::ForegroundHeader: return FromHex(0xC8C8C8FF);
		case EStyleColor::Select: return FromHex(0x0070E0FF);
		case EStyleColor::SelectInactive: return FromHex(0x40576FFF);
		case EStyleColor::SelectParent: return FromHex(0x2C323AFF);
		case EStyleColor::SelectHover: return FromHex(0x242424FF);
		case EStyleColor::Notifications: return FromHex(0x464B50FF);
		case EStyleColor::AccentBlue: return FromHex(0x26BBFFFF);
		case EStyleColor::AccentPurple: return FromHex(0xA139BFFF);
		case EStyleColor::AccentPink: return FromHex(0xFF729CFF);
		case EStyleColor::AccentRed: return FromHex(0xFF4040FF);
		case EStyleColor::AccentOrange: return FromHex(0xFE9B07FF);
		case EStyleColor::AccentYellow: return FromHex(0xFFDC1AFF);
		case EStyleColor::AccentGreen: return FromHex(0x8BC24AFF);
		case EStyleColor::AccentBrown: return FromHex(0x804D39FF);
		case EStyleColor::AccentBlack: return FromHex(0x242424FF);
		case EStyleColor::AccentGray: return FromHex(0x808080FF);
		case EStyleColor::AccentWhite: return FromHex(0xFFFFFFFF);
		case EStyleColor::AccentFolder: return FromHex(0xB68F55FF);
		case EStyleColor::Warning: return FromHex(0xFFB800FF);
		case EStyleColor::Error: return FromHex(0xEF3535FF);
		case EStyleColor::Success: return FromHex(0x1FE44BFF);
		default: return FLinearColor(1.0f, 0.0f, 1.0f);
		}
	}
}

const FLinearColor& FStyleColors::GetColor(EStyleColor InColor)
{
	static const TArray<FLinearColor> Theme = []
	{
		TArray<FLinearColor> Colors;
		for (int32 Index = 0; Index < int32(EStyleColor::MAX); ++Index)
		{
			Colors.Add(DefaultColor(EStyleColor(Index)));
		}
		return Colors;
	}();
	return Theme[int32(InColor)];
}

const FSlateColor FStyleColors::Transparent = FSlateColor(FLinearColor::Transparent);
const FSlateColor FStyleColors::Black = EStyleColor::Black;
const FSlateColor FStyleColors::Title = EStyleColor::Title;
const FSlateColor FStyleColors::WindowBorder = EStyleColor::WindowBorder;
const FSlateColor FStyleColors::Foldout = EStyleColor::Foldout;
const FSlateColor FStyleColors::Input = EStyleColor::Input;
const FSlateColor FStyleColors::InputOutline = EStyleColor::InputOutline;
const FSlateColor FStyleColors::Recessed = EStyleColor::Recessed;
const FSlateColor FStyleColors::Background = EStyleColor::Background;
const FSlateColor FStyleColors::Panel = EStyleColor::Panel;
const FSlateColor FStyleColors::Header = EStyleColor::Header;
const FSlateColor FStyleColors::Dropdown = EStyleColor::Dropdown;
const FSlateColor FStyleColors::DropdownOutline = EStyleColor::DropdownOutline;
const FSlateColor FStyleColors::Hover = EStyleColor::Hover;
const FSlateColor FStyleColors::Hover2 = EStyleColor::Hover2;
const FSlateColor FStyleColors::White = EStyleColor::White;
const FSlateColor FStyleColors::White25 = EStyleColor::White25;
const FSlateColor FStyleColors::Highlight = EStyleColor::Highlight;
const FSlateColor FStyleColors::Primary = EStyleColor::Primary;
const FSlateColor FStyleColors::PrimaryHover = EStyleColor::PrimaryHover;
const FSlateColor FStyleColors::PrimaryPress = EStyleColor::PrimaryPress;
const FSlateColor FStyleColors::Secondary = EStyleColor::Secondary;
const FSlateColor FStyleColors::Foreground = EStyleColor::Foreground;
const FSlateColor FStyleColors::ForegroundHover = EStyleColor::ForegroundHover;
const FSlateColor FStyleColors::ForegroundInverted = EStyleColor::ForegroundInverted;
const FSlateColor FStyleColors::ForegroundHeader = EStyleColor::ForegroundHeader;
const FSlateColor FStyleColors::Select = EStyleColor::Select;
const FSlateColor FStyleColors::SelectInactive = EStyleColor::SelectInactive;
const FSlateColor FStyleColors::SelectParent = EStyleColor::SelectParent;
const FSlateColor FStyleColors::SelectHover = EStyleColor::SelectHover;
const FSlateColor FStyleColors::Notifications = EStyleColor::Notifications;
const FSlateColor FStyleColors::AccentBlue = EStyleColor::AccentBlue;
const FSlateColor FStyleColors::AccentPurple = EStyleColor::AccentPurple;
const FSlateColor FStyleColors::AccentPink = EStyleColor::AccentPink;
const FSlateColor FStyleColors::AccentRed = EStyleColor::AccentRed;
const FSlateColor FStyleColors::AccentOrange = EStyleColor::AccentOrange;
const FSlateColor FStyleColors::AccentYellow = EStyleColor::AccentYellow;
const FSlateColor FStyleColors::AccentGreen = EStyleColor::AccentGreen;
const FSlateColor FStyleColors::AccentBrown = EStyleColor::AccentBrown;
const FSlateColor FStyleColors::AccentBlack = EStyleColor::AccentBlack;
const FSlateColor FStyleColors::AccentGray = EStyleColor::AccentGray;
const FSlateColor FStyleColors::AccentWhite = EStyleColor::AccentWhite;
const FSlateColor FStyleColors::AccentFolder = EStyleColor::AccentFolder;
const FSlateColor FStyleColors::Warning = EStyleColor::Warning;
const FSlateColor FStyleColors::Error = EStyleColor::Error;
const FSlateColor FStyleColors::Success = EStyleColor::Success;
