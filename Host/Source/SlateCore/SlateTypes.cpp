#include "Styling/SlateTypes.h"

#include "Styling/CoreStyle.h"

const FName FTextBlockStyle::TypeName(TEXT("FTextBlockStyle"));
const FName FButtonStyle::TypeName(TEXT("FButtonStyle"));
const FName FComboButtonStyle::TypeName(TEXT("FComboButtonStyle"));
const FName FComboBoxStyle::TypeName(TEXT("FComboBoxStyle"));
const FName FCheckBoxStyle::TypeName(TEXT("FCheckBoxStyle"));
const FName FEditableTextStyle::TypeName(TEXT("FEditableTextStyle"));
const FName FScrollBarStyle::TypeName(TEXT("FScrollBarStyle"));
const FName FEditableTextBoxStyle::TypeName(TEXT("FEditableTextBoxStyle"));
const FName FSearchBoxStyle::TypeName(TEXT("FSearchBoxStyle"));
const FName FProgressBarStyle::TypeName(TEXT("FProgressBarStyle"));
const FName FScrollBoxStyle::TypeName(TEXT("FScrollBoxStyle"));
const FName FSplitterStyle::TypeName(TEXT("FSplitterStyle"));
const FName FTableRowStyle::TypeName(TEXT("FTableRowStyle"));
const FName FDockTabStyle::TypeName(TEXT("FDockTabStyle"));
const FName FWindowStyle::TypeName(TEXT("FWindowStyle"));

namespace
{
	// The default font for styles that name none: the default family, Regular.
	FSlateFontInfo DefaultFont(float Size)
	{
		return FCoreStyle::GetDefaultFontStyle("Regular", Size);
	}
}

const FTextBlockStyle& FTextBlockStyle::GetDefault()
{
	static const FTextBlockStyle Default = FTextBlockStyle().SetFont(DefaultFont(10));
	return Default;
}

const FButtonStyle& FButtonStyle::GetDefault()
{
	static const FButtonStyle Default;
	return Default;
}

const FComboButtonStyle& FComboButtonStyle::GetDefault()
{
	static const FComboButtonStyle Default;
	return Default;
}

const FComboBoxStyle& FComboBoxStyle::GetDefault()
{
	static const FComboBoxStyle Default = FComboBoxStyle().SetComboButtonStyle(FComboButtonStyle().SetMenuBorderPadding(FMargin(1.0f)));
	return Default;
}

const FCheckBoxStyle& FCheckBoxStyle::GetDefault()
{
	static const FCheckBoxStyle Default;
	return Default;
}

const FEditableTextStyle& FEditableTextStyle::GetDefault()
{
	static const FEditableTextStyle Default;
	return Default;
}

const FScrollBarStyle& FScrollBarStyle::GetDefault()
{
	static const FScrollBarStyle Default;
	return Default;
}

const FEditableTextBoxStyle& FEditableTextBoxStyle::GetDefault()
{
	static const FEditableTextBoxStyle Default;
	return Default;
}

const FSearchBoxStyle& FSearchBoxStyle::GetDefault()
{
	static const FSearchBoxStyle Default;
	return Default;
}

const FProgressBarStyle& FProgressBarStyle::GetDefault()
{
	static const FProgressBarStyle Default;
	return Default;
}

const FScrollBoxStyle& FScrollBoxStyle::GetDefault()
{
	static const FScrollBoxStyle Default;
	return Default;
}

const FSplitterStyle& FSplitterStyle::GetDefault()
{
	static const FSplitterStyle Default;
	return Default;
}

const FTableRowStyle& FTableRowStyle::GetDefault()
{
	static const FTableRowStyle Default;
	return Default;
}

const FDockTabStyle& FDockTabStyle::GetDefault()
{
	static const FDockTabStyle Default = FDockTabStyle().SetTabTextStyle(FTextBlockStyle::GetDefault());
	return Default;
}

const FWindowStyle& FWindowStyle::GetDefault()
{
	static const FWindowStyle Default;
	return Default;
}

FEditableTextStyle::FEditableTextStyle() : Font(DefaultFont(9)) {}

FEditableTextBoxStyle::FEditableTextBoxStyle() : Font(DefaultFont(9)) {}

// Until a search box style names its own font, it types in its text box's font.
FSearchBoxStyle& FSearchBoxStyle::SetTextBoxStyle(const FEditableTextBoxStyle& InTextBoxStyle)
{
	TextBoxStyle = InTextBoxStyle;
	if (!ActiveFontInfo.HasValidFont())
	{
		ActiveFontInfo = TextBoxStyle.Font;
	}
	return *this;
}
