#pragma once

#include "CoreMinimal.h"
#include "Fonts/SlateFontInfo.h"
#include "Framework/Text/TextLayout.h"

typedef struct _PangoLayout PangoLayout;

// A text laid out by pango in the editor's default family (Roboto), in Slate units: a font of
// Size points is Size * 96 / 72 units high per em. Layouts are shared: the same text, font
// and constraints give the same layout.
class FShapedText
{
public:
	struct FRequest
	{
		FString Text;
		FSlateFontInfo Font;
		// Lines break at words to stay within this width (0: only at line breaks).
		float WrapWidth = 0.0f;
		// Lines longer than this width end in an ellipsis (0: never).
		float EllipsisWidth = 0.0f;
		// The width the lines are justified within (0: their own width).
		float JustifyWidth = 0.0f;
		ETextJustify::Type Justification = ETextJustify::Left;
	};

	static TSharedRef<const FShapedText> Shape(const FRequest& Request);
	// The pixel em size of a font: Slate's rule of 96 units per inch for point sizes.
	static float GetEmSize(const FSlateFontInfo& Font);

	~FShapedText();
	FShapedText(const FShapedText&) = delete;
	FShapedText& operator=(const FShapedText&) = delete;

	// The laid-out size in Slate units: the widest line, and the number of lines times the
	// line height.
	const FVector2D& GetSize() const { return Size; }
	float GetLineHeight() const { return LineHeight; }
	int32 GetNumLines() const { return NumLines; }
	const FString& GetText() const { return Text; }
	// Whether a line was cut short and ends in an ellipsis.
	bool IsEllipsized() const;
	// Where the caret before the character at Index stands (top of its line).
	FVector2D GetCaretPosition(int32 Index) const;
	// The character index nearest to a point in the text's own space.
	int32 FindCaretIndexAt(const FVector2D& LocalPoint) const;
	PangoLayout* GetLayout() const { return Layout; }

private:
	explicit FShapedText(const FRequest& Request);
	int32 ByteIndexOf(int32 Index) const;

	FString Text;
	PangoLayout* Layout = nullptr;
	FVector2D Size;
	float LineHeight = 0.0f;
	int32 NumLines = 0;
	// The UTF-8 byte offset of each UTF-16 code unit, and of the end.
	TArray<int32> ByteOffsets;
};
