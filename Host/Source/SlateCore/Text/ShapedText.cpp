#include "SlateCore/Text/ShapedText.h"

#include "Containers/StringConv.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <cmath>
#include <list>
#include <string>
#include <unordered_map>

#ifndef KVA_ROBOTO_DIR
#define KVA_ROBOTO_DIR "/usr/share/fonts/truetype/roboto/unhinted"
#endif

namespace
{
	// The fonts text may use: exactly the Roboto faces, whatever else the system has.
	class FFontContext
	{
	public:
		static FFontContext& Get()
		{
			static FFontContext Instance;
			return Instance;
		}

		PangoContext* GetContext() const { return Context; }

		// The engine's typeface names of the default family, as fontconfig faces.
		static void DescribeTypeface(PangoFontDescription* Description, const FName& Typeface)
		{
			const FString Name = Typeface.IsNone() ? FString(TEXT("Regular")) : Typeface.ToString();
			const bool bCondensed = Name.Contains(TEXT("Condensed"));
			pango_font_description_set_family(Description, bCondensed ? "Roboto Condensed" : "Roboto");
			PangoWeight Weight = PANGO_WEIGHT_NORMAL;
			if (Name.Contains(TEXT("Bold")))
			{
				Weight = PANGO_WEIGHT_BOLD;
			}
			else if (Name.Contains(TEXT("Light")))
			{
				Weight = PANGO_WEIGHT_LIGHT;
			}
			else if (Name.Contains(TEXT("Medium")))
			{
				Weight = PANGO_WEIGHT_MEDIUM;
			}
			else if (Name.Contains(TEXT("Black")))
			{
				Weight = PANGO_WEIGHT_HEAVY;
			}
			pango_font_description_set_weight(Description, Weight);
			pango_font_description_set_style(Description, Name.Contains(TEXT("Italic")) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
		}

	private:
		FFontContext()
		{
			// A configuration of our own: only the Roboto folder, cached where the user's
			// fonts are cached.
			FcConfig* Config = FcConfigCreate();
			FcConfigParseAndLoadFromMemory(Config, reinterpret_cast<const FcChar8*>("<fontconfig><cachedir prefix=\"xdg\">fontconfig</cachedir></fontconfig>"), FcFalse);
			const std::string Root = KVA_ROBOTO_DIR;
			FcConfigAppFontAddDir(Config, reinterpret_cast<const FcChar8*>((Root + "/RobotoTTF").c_str()));
			FcConfigAppFontAddDir(Config, reinterpret_cast<const FcChar8*>(Root.c_str()));
			FontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
			pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(FontMap), Config);
			FcConfigDestroy(Config);
			Context = pango_font_map_create_context(FontMap);

			// Unhinted outlines and metrics: sizes scale exactly, so layout is the same at
			// every scale and on every machine.
			cairo_font_options_t* Options = cairo_font_options_create();
			cairo_font_options_set_hint_style(Options, CAIRO_HINT_STYLE_NONE);
			cairo_font_options_set_hint_metrics(Options, CAIRO_HINT_METRICS_OFF);
			cairo_font_options_set_antialias(Options, CAIRO_ANTIALIAS_GRAY);
			pango_cairo_context_set_font_options(Context, Options);
			cairo_font_options_destroy(Options);
			pango_context_set_round_glyph_positions(Context, false);
		}

		PangoFontMap* FontMap = nullptr;
		PangoContext* Context = nullptr;
	};

	// Recently shaped texts, by everything that decides their layout.
	class FShapeCache
	{
	public:
		TSharedPtr<const FShapedText> Find(const std::u16string& Key)
		{
			auto It = Index.find(Key);
			if (It == Index.end())
			{
				return nullptr;
			}
			Order.splice(Order.begin(), Order, It->second);
			return It->second->second;
		}
		void Add(const std::u16string& Key, const TSharedRef<const FShapedText>& Shaped)
		{
			Order.emplace_front(Key, Shaped.ToSharedPtr());
			Index[Key] = Order.begin();
			if (Order.size() > MaxEntries)
			{
				Index.erase(Order.back().first);
				Order.pop_back();
			}
		}

	private:
		static constexpr size_t MaxEntries = 4096;
		std::list<std::pair<std::u16string, TSharedPtr<const FShapedText>>> Order;
		std::unordered_map<std::u16string, decltype(Order)::iterator> Index;
	};

	std::u16string CacheKey(const FShapedText::FRequest& Request)
	{
		const std::string Settings = std::to_string(Request.Font.Size) + "|" + std::to_string(Request.Font.LetterSpacing) + "|"
			+ std::to_string(Request.WrapWidth) + "|" + std::to_string(Request.EllipsisWidth) + "|" + std::to_string(Request.JustifyWidth) + "|"
			+ std::to_string(int32(Request.Justification)) + "|";
		return Request.Font.TypefaceFontName.ToString().ToStdString() + u"|" + std::u16string(Settings.begin(), Settings.end()) + Request.Text.ToStdString();
	}

	int32 ToPango(float Units)
	{
		return int32(std::lround(double(Units) * PANGO_SCALE));
	}

	float FromPango(int32 PangoUnits)
	{
		return float(double(PangoUnits) / PANGO_SCALE);
	}
}

float FShapedText::GetEmSize(const FSlateFontInfo& Font)
{
	return Font.Size * 96.0f / 72.0f;
}

TSharedRef<const FShapedText> FShapedText::Shape(const FRequest& Request)
{
	static FShapeCache Cache;
	const std::u16string Key = CacheKey(Request);
	if (TSharedPtr<const FShapedText> Found = Cache.Find(Key))
	{
		return Found.ToSharedRef();
	}
	TSharedRef<const FShapedText> Shaped(new FShapedText(Request));
	Cache.Add(Key, Shaped);
	return Shaped;
}

FShapedText::FShapedText(const FRequest& Request) : Text(Request.Text)
{
	const FTCHARToUTF8 Utf8(*Text, Text.Len());
	ByteOffsets.Reserve(Text.Len() + 1);
	int32 Byte = 0;
	for (int32 Index = 0; Index < Text.Len(); ++Index)
	{
		ByteOffsets.Add(Byte);
		const TCHAR Unit = Text[Index];
		const bool bHighSurrogate = Unit >= 0xD800 && Unit < 0xDC00;
		if (bHighSurrogate && Index + 1 < Text.Len() && Text[Index + 1] >= 0xDC00 && Text[Index + 1] < 0xE000)
		{
			// A surrogate pair is one four-byte character; both halves start where it does.
			ByteOffsets.Add(Byte);
			++Index;
			Byte += 4;
		}
		else
		{
			Byte += Unit < 0x80 ? 1 : Unit < 0x800 ? 2 : (Unit >= 0xD800 && Unit < 0xE000) ? 1 : 3;
		}
	}
	ByteOffsets.Add(Byte);

	Layout = pango_layout_new(FFontContext::Get().GetContext());
	PangoFontDescription* Description = pango_font_description_new();
	FFontContext::DescribeTypeface(Description, Request.Font.TypefaceFontName);
	pango_font_description_set_absolute_size(Description, double(GetEmSize(Request.Font)) * PANGO_SCALE);
	pango_layout_set_font_description(Layout, Description);
	pango_font_description_free(Description);
	if (Request.Font.LetterSpacing != 0)
	{
		// Letter spacing is in thousandths of the em.
		PangoAttrList* Attributes = pango_attr_list_new();
		pango_attr_list_insert(Attributes, pango_attr_letter_spacing_new(ToPango(GetEmSize(Request.Font) * Request.Font.LetterSpacing / 1000.0f)));
		pango_layout_set_attributes(Layout, Attributes);
		pango_attr_list_unref(Attributes);
	}
	pango_layout_set_text(Layout, Utf8.Get(), Utf8.Length());

	float Width = 0.0f;
	if (Request.WrapWidth > 0.0f)
	{
		Width = Request.WrapWidth;
		pango_layout_set_wrap(Layout, PANGO_WRAP_WORD);
	}
	else if (Request.EllipsisWidth > 0.0f)
	{
		Width = Request.EllipsisWidth;
	}
	if (Request.EllipsisWidth > 0.0f)
	{
		pango_layout_set_ellipsize(Layout, PANGO_ELLIPSIZE_END);
	}
	if (Request.JustifyWidth > 0.0f && Request.Justification != ETextJustify::Left && Request.Justification != ETextJustify::InvariantLeft)
	{
		Width = FMath::Max(Width, Request.JustifyWidth);
		pango_layout_set_alignment(Layout, Request.Justification == ETextJustify::Center ? PANGO_ALIGN_CENTER : PANGO_ALIGN_RIGHT);
	}
	if (Width > 0.0f)
	{
		pango_layout_set_width(Layout, ToPango(Width));
	}

	// A line is as high as the font's ascent plus descent, as the engine measures it; an
	// empty text still has the height of one line.
	PangoLayoutIter* Iterator = pango_layout_get_iter(Layout);
	int32 LineTop = 0;
	int32 LineBottom = 0;
	pango_layout_iter_get_line_yrange(Iterator, &LineTop, &LineBottom);
	pango_layout_iter_free(Iterator);
	LineHeight = FromPango(LineBottom - LineTop);
	NumLines = pango_layout_get_line_count(Layout);
	PangoRectangle Logical;
	pango_layout_get_extents(Layout, nullptr, &Logical);
	const bool bAligned = pango_layout_get_alignment(Layout) != PANGO_ALIGN_LEFT;
	Size = FVector2D(Text.IsEmpty() ? 0.0f : FromPango(bAligned ? Logical.x + Logical.width : Logical.width), LineHeight * NumLines);
}

FShapedText::~FShapedText()
{
	g_object_unref(Layout);
}

bool FShapedText::IsEllipsized() const
{
	return pango_layout_is_ellipsized(Layout);
}

int32 FShapedText::ByteIndexOf(int32 Index) const
{
	return ByteOffsets[FMath::Clamp(Index, 0, ByteOffsets.Num() - 1)];
}

FVector2D FShapedText::GetCaretPosition(int32 Index) const
{
	PangoRectangle Strong;
	pango_layout_get_cursor_pos(Layout, ByteIndexOf(Index), &Strong, nullptr);
	return FVector2D(FromPango(Strong.x), FromPango(Strong.y));
}

int32 FShapedText::FindCaretIndexAt(const FVector2D& LocalPoint) const
{
	int32 ByteIndex = 0;
	int32 Trailing = 0;
	pango_layout_xy_to_index(Layout, ToPango(float(LocalPoint.X)), ToPango(float(LocalPoint.Y)), &ByteIndex, &Trailing);
	int32 Index = ByteOffsets.IndexOfByPredicate([ByteIndex](int32 Offset) { return Offset >= ByteIndex; });
	Index = Index == INDEX_NONE ? Text.Len() : Index;
	return FMath::Min(Index + Trailing, Text.Len());
}
