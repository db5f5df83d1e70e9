#include "Slate/Rendering/SlateCairoRenderer.h"

#include "Containers/StringConv.h"
#include "SlateCore/Text/ShapedText.h"
#include "Slate/Rendering/TextureSource.h"
#include "Widgets/SWindow.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <numeric>

namespace
{
	struct FRGBA
	{
		double R = 0;
		double G = 0;
		double B = 0;
		double A = 0;
	};

	// Linear colour to the sRGB bytes the editor's renderer writes, as cairo's 0..1 values.
	FRGBA ToSRGB(const FLinearColor& Linear, double AlphaScale)
	{
		const FColor Bytes = Linear.ToFColor(true);
		return FRGBA{Bytes.R / 255.0, Bytes.G / 255.0, Bytes.B / 255.0, Bytes.A / 255.0 * AlphaScale};
	}

	void SetSource(cairo_t* Cairo, const FRGBA& Color)
	{
		cairo_set_source_rgba(Cairo, Color.R, Color.G, Color.B, Color.A);
	}

	// Corner radii (top left, top right, bottom right, bottom left), never more than half the
	// shorter side; half-height rounding makes a pill.
	FVector4 RadiiFor(const FSlateBrushOutlineSettings& Outline, const FVector2D& Size, double Scale)
	{
		const double Limit = std::min(Size.X, Size.Y) * 0.5;
		if (Outline.RoundingType == ESlateBrushRoundingType::HalfHeightRadius)
		{
			const double Half = std::min(Size.Y * 0.5, Limit);
			return FVector4(Half, Half, Half, Half);
		}
		auto Clamp = [Limit, Scale](double Radius) { return std::clamp(Radius * Scale, 0.0, Limit); };
		const FVector4& R = Outline.CornerRadii;
		return FVector4(Clamp(R.X), Clamp(R.Y), Clamp(R.Z), Clamp(R.W));
	}

	void RoundedRectPath(cairo_t* Cairo, double X, double Y, double W, double H, const FVector4& Radii)
	{
		const double Degrees = M_PI / 180.0;
		cairo_new_sub_path(Cairo);
		cairo_arc(Cairo, X + W - Radii.Y, Y + Radii.Y, Radii.Y, -90 * Degrees, 0);
		cairo_arc(Cairo, X + W - Radii.Z, Y + H - Radii.Z, Radii.Z, 0, 90 * Degrees);
		cairo_arc(Cairo, X + Radii.W, Y + H - Radii.W, Radii.W, 90 * Degrees, 180 * Degrees);
		cairo_arc(Cairo, X + Radii.X, Y + Radii.X, Radii.X, 180 * Degrees, 270 * Degrees);
		cairo_close_path(Cairo);
	}

	// The outline lies inside the box's edge; inside it, the fill replaces the outline colour
	// rather than blending over it, as in the editor's rounded-box shader.
	void DrawRoundedBox(cairo_t* Cairo, const FSlateDrawElement& Element, double AlphaScale)
	{
		const FPaintGeometry& Geometry = Element.GetPaintGeometry();
		const FSlateBrushOutlineSettings& Outline = Element.GetBrush().OutlineSettings;
		const double X = Geometry.DrawPosition.X;
		const double Y = Geometry.DrawPosition.Y;
		const double W = Geometry.DrawSize.X;
		const double H = Geometry.DrawSize.Y;
		const FVector4 Radii = RadiiFor(Outline, Geometry.DrawSize, Geometry.DrawScale);
		const FRGBA Fill = ToSRGB(Element.GetTint(), AlphaScale);
		const double Width = std::min(double(Outline.Width) * Geometry.DrawScale, std::min(W, H) * 0.5);
		FLinearColor OutlineLinear = Outline.Color.GetSpecifiedColor();
		if (Outline.bUseBrushTransparency)
		{
			OutlineLinear.A *= Element.GetTint().A;
		}
		const FRGBA Border = ToSRGB(OutlineLinear, AlphaScale);
		if (Width <= 0.0 || Border.A <= 0.0)
		{
			RoundedRectPath(Cairo, X, Y, W, H, Radii);
			SetSource(Cairo, Fill);
			cairo_fill(Cairo);
			return;
		}
		// The group (outline, then the fill replacing what lies inside it) covers the box only.
		cairo_save(Cairo);
		cairo_rectangle(Cairo, std::floor(X), std::floor(Y), std::ceil(X + W) - std::floor(X), std::ceil(Y + H) - std::floor(Y));
		cairo_clip(Cairo);
		cairo_push_group(Cairo);
		RoundedRectPath(Cairo, X, Y, W, H, Radii);
		SetSource(Cairo, Border);
		cairo_fill(Cairo);
		cairo_set_operator(Cairo, CAIRO_OPERATOR_SOURCE);
		const FVector4 InnerRadii(std::max(Radii.X - Width, 0.0), std::max(Radii.Y - Width, 0.0), std::max(Radii.Z - Width, 0.0), std::max(Radii.W - Width, 0.0));
		RoundedRectPath(Cairo, X + Width, Y + Width, W - 2 * Width, H - 2 * Width, InnerRadii);
		SetSource(Cairo, Fill);
		cairo_fill(Cairo);
		cairo_pop_group_to_source(Cairo);
		cairo_paint(Cairo);
		cairo_restore(Cairo);
	}

	// The editor's image resources the stand-in draws as shapes, in the element's colour.
	bool DrawVectorImage(cairo_t* Cairo, const FSlateDrawElement& Element, double AlphaScale)
	{
		const FString Name = Element.GetBrush().GetResourceName().ToString();
		const FPaintGeometry& Geometry = Element.GetPaintGeometry();
		const double X = Geometry.DrawPosition.X;
		const double Y = Geometry.DrawPosition.Y;
		const double W = Geometry.DrawSize.X;
		const double H = Geometry.DrawSize.Y;
		SetSource(Cairo, ToSRGB(Element.GetTint(), AlphaScale));
		cairo_set_line_width(Cairo, std::max(1.5, 0.12 * std::min(W, H)));
		cairo_set_line_cap(Cairo, CAIRO_LINE_CAP_ROUND);
		cairo_set_line_join(Cairo, CAIRO_LINE_JOIN_ROUND);
		if (Name.EndsWith(TEXT("/check")))
		{
			cairo_move_to(Cairo, X + 0.22 * W, Y + 0.52 * H);
			cairo_line_to(Cairo, X + 0.42 * W, Y + 0.72 * H);
			cairo_line_to(Cairo, X + 0.78 * W, Y + 0.30 * H);
		}
		else if (Name.EndsWith(TEXT("/indeterminate")))
		{
			cairo_move_to(Cairo, X + 0.28 * W, Y + 0.5 * H);
			cairo_line_to(Cairo, X + 0.72 * W, Y + 0.5 * H);
		}
		else if (Name.EndsWith(TEXT("chevron-down")) || Name.EndsWith(TEXT("chevron-up")))
		{
			const double Side = std::min(W, H) * 0.25;
			const double Tip = Name.EndsWith(TEXT("chevron-down")) ? 0.5 : -0.5;
			cairo_move_to(Cairo, X + W * 0.5 - Side, Y + H * 0.5 - Side * Tip);
			cairo_line_to(Cairo, X + W * 0.5, Y + H * 0.5 + Side * Tip);
			cairo_line_to(Cairo, X + W * 0.5 + Side, Y + H * 0.5 - Side * Tip);
		}
		else if (Name.EndsWith(TEXT("/search")))
		{
			cairo_arc(Cairo, X + 0.44 * W, Y + 0.44 * H, 0.25 * std::min(W, H), 0, 2 * M_PI);
			cairo_move_to(Cairo, X + 0.62 * W, Y + 0.62 * H);
			cairo_line_to(Cairo, X + 0.82 * W, Y + 0.82 * H);
		}
		else if (Name.EndsWith(TEXT("/close")) || Name.EndsWith(TEXT("/close-small")))
		{
			const double Inset = Name.EndsWith(TEXT("/close")) ? 0.3 : 0.36;
			cairo_move_to(Cairo, X + Inset * W, Y + Inset * H);
			cairo_line_to(Cairo, X + (1 - Inset) * W, Y + (1 - Inset) * H);
			cairo_move_to(Cairo, X + (1 - Inset) * W, Y + Inset * H);
			cairo_line_to(Cairo, X + Inset * W, Y + (1 - Inset) * H);
		}
		else
		{
			return false;
		}
		cairo_stroke(Cairo);
		return true;
	}

	// A texture, tinted and scaled to the element's rectangle snapped to whole pixels (as the
	// editor snaps elements), at the tint's opacity.
	void DrawTexture(cairo_t* Cairo, const FSlateDrawElement& Element, double AlphaScale)
	{
		const FPaintGeometry& Geometry = Element.GetPaintGeometry();
		const double Left = std::round(Geometry.DrawPosition.X);
		const double Top = std::round(Geometry.DrawPosition.Y);
		const int32 Width = int32(std::round(Geometry.DrawPosition.X + Geometry.DrawSize.X) - Left);
		const int32 Height = int32(std::round(Geometry.DrawPosition.Y + Geometry.DrawSize.Y) - Top);
		const FLinearColor& Tint = Element.GetTint();
		cairo_surface_t* Surface =
			UE::Slate::GetTextureSurface(Element.GetBrush().GetResourceObject(), FLinearColor(Tint.R, Tint.G, Tint.B, 1.0f).ToFColor(true), Width, Height);
		if (Surface == nullptr)
		{
			return;
		}
		cairo_save(Cairo);
		cairo_rectangle(Cairo, Left, Top, Width, Height);
		cairo_clip(Cairo);
		cairo_set_source_surface(Cairo, Surface, Left, Top);
		cairo_paint_with_alpha(Cairo, Tint.A * AlphaScale);
		cairo_restore(Cairo);
	}

	// The surface's premultiplied pixels as straight-alpha colours (opaque without alpha).
	// FColor keeps its bytes in cairo's order (B, G, R, A), so opaque pixels copy as they are.
	FSlateRenderedImage ImageOfSurface(cairo_surface_t* Surface)
	{
		static_assert(sizeof(FColor) == 4 && offsetof(FColor, B) == 0 && offsetof(FColor, A) == 3);
		const bool bOpaque = cairo_image_surface_get_format(Surface) == CAIRO_FORMAT_RGB24;
		FSlateRenderedImage Image;
		Image.Width = cairo_image_surface_get_width(Surface);
		Image.Height = cairo_image_surface_get_height(Surface);
		const uint8* Data = cairo_image_surface_get_data(Surface);
		const int32 Stride = cairo_image_surface_get_stride(Surface);
		Image.Pixels.SetNumUninitialized(Image.Width * Image.Height);
		for (int32 Row = 0; Row < Image.Height; ++Row)
		{
			const uint32* In = reinterpret_cast<const uint32*>(Data + Row * Stride);
			uint32* Out = reinterpret_cast<uint32*>(Image.Pixels.GetData() + Row * Image.Width);
			for (int32 Column = 0; Column < Image.Width; ++Column)
			{
				const uint32 Pixel = In[Column];
				const uint32 A = bOpaque ? 255u : Pixel >> 24;
				if (A == 255)
				{
					Out[Column] = Pixel | 0xFF000000u;
					continue;
				}
				auto Straight = [A](uint32 Value) { return A == 0 ? 0u : std::min<uint32>(255, (Value * 255 + A / 2) / A); };
				Out[Column] = (A << 24) | (Straight((Pixel >> 16) & 0xFF) << 16) | (Straight((Pixel >> 8) & 0xFF) << 8) | Straight(Pixel & 0xFF);
			}
		}
		return Image;
	}

	void DrawBox(cairo_t* Cairo, const FSlateDrawElement& Element, double AlphaScale)
	{
		const FSlateBrush& Brush = Element.GetBrush();
		if (Brush.DrawAs == ESlateBrushDrawType::RoundedBox)
		{
			DrawRoundedBox(Cairo, Element, AlphaScale);
			return;
		}
		if (Brush.GetResourceObject() != nullptr)
		{
			DrawTexture(Cairo, Element, AlphaScale);
			return;
		}
		if (!Brush.GetResourceName().IsNone())
		{
			DrawVectorImage(Cairo, Element, AlphaScale);
			return;
		}
		// A brush without an image draws a solid rectangle of its colour.
		const FPaintGeometry& Geometry = Element.GetPaintGeometry();
		cairo_rectangle(Cairo, Geometry.DrawPosition.X, Geometry.DrawPosition.Y, Geometry.DrawSize.X, Geometry.DrawSize.Y);
		SetSource(Cairo, ToSRGB(Element.GetTint(), AlphaScale));
		cairo_fill(Cairo);
	}

	void DrawShapedText(cairo_t* Cairo, const FSlateDrawElement& Element, const FShapedText& Shaped, double AlphaScale)
	{
		const FPaintGeometry& Geometry = Element.GetPaintGeometry();
		cairo_save(Cairo);
		cairo_translate(Cairo, Geometry.DrawPosition.X, Geometry.DrawPosition.Y);
		cairo_scale(Cairo, Geometry.DrawScale, Geometry.DrawScale);
		SetSource(Cairo, ToSRGB(Element.GetTint(), AlphaScale));
		pango_cairo_show_layout(Cairo, Shaped.GetLayout());
		cairo_restore(Cairo);
	}

	void DrawLines(cairo_t* Cairo, const FSlateDrawElement& Element, double AlphaScale)
	{
		const FPaintGeometry& Geometry = Element.GetPaintGeometry();
		const TArray<FVector2D>& Points = Element.GetPoints();
		if (Points.Num() < 2)
		{
			return;
		}
		for (int32 Index = 0; Index < Points.Num(); ++Index)
		{
			const FVector2D Point = Geometry.DrawPosition + Points[Index] * double(Geometry.DrawScale);
			(Index == 0 ? cairo_move_to : cairo_line_to)(Cairo, Point.X, Point.Y);
		}
		cairo_set_line_width(Cairo, Element.GetThickness() * Geometry.DrawScale);
		SetSource(Cairo, ToSRGB(Element.GetTint(), AlphaScale));
		cairo_stroke(Cairo);
	}

	void DrawElement(cairo_t* Cairo, const FSlateDrawElement& Element)
	{
		const double AlphaScale = EnumHasAnyFlags(Element.GetDrawEffects(), ESlateDrawEffect::DisabledEffect) ? 0.45 : 1.0;
		switch (Element.GetElementType())
		{
		case FSlateDrawElement::EElementType::ET_Box:
			DrawBox(Cairo, Element, AlphaScale);
			break;
		case FSlateDrawElement::EElementType::ET_Text:
		{
			FShapedText::FRequest Request;
			Request.Text = Element.GetText();
			Request.Font = Element.GetFont();
			DrawShapedText(Cairo, Element, *FShapedText::Shape(Request), AlphaScale);
			break;
		}
		case FSlateDrawElement::EElementType::ET_ShapedText:
			DrawShapedText(Cairo, Element, *Element.GetShapedText(), AlphaScale);
			break;
		case FSlateDrawElement::EElementType::ET_Line:
			DrawLines(Cairo, Element, AlphaScale);
			break;
		}
	}
}

FSlateRenderedImage FSlateCairoRenderer::RenderWindow(const SWindow& Window)
{
	const int32 Width = FMath::Max(1, FMath::CeilToInt(float(Window.GetClientSizeInScreen().X)));
	const int32 Height = FMath::Max(1, FMath::CeilToInt(float(Window.GetClientSizeInScreen().Y)));
	// One surface serves frame after frame while the size stays.
	static cairo_surface_t* Surface = nullptr;
	if (Surface == nullptr || cairo_image_surface_get_width(Surface) != Width || cairo_image_surface_get_height(Surface) != Height)
	{
		cairo_surface_destroy(Surface);
		Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
	}
	cairo_t* Cairo = cairo_create(Surface);
	cairo_save(Cairo);
	cairo_set_operator(Cairo, CAIRO_OPERATOR_CLEAR);
	cairo_paint(Cairo);
	cairo_restore(Cairo);
	const FVector2D Origin = Window.GetPositionInScreen();
	cairo_translate(Cairo, -Origin.X, -Origin.Y);

	// Lower layers first; within a layer, in the order painted.
	const TArray<FSlateDrawElement>& Elements = Window.GetElementList().GetDrawElements();
	TArray<int32> Order;
	Order.SetNum(Elements.Num());
	std::iota(Order.begin(), Order.end(), 0);
	Order.StableSort([&Elements](int32 A, int32 B) { return Elements[A].GetLayer() < Elements[B].GetLayer(); });
	for (int32 Index : Order)
	{
		const FSlateDrawElement& Element = Elements[Index];
		// Clipping is by whole pixels, as a scissor rectangle is.
		const FSlateRect& Clip = Element.GetClipRect();
		const double ClipLeft = std::round(Clip.Left);
		const double ClipTop = std::round(Clip.Top);
		cairo_save(Cairo);
		cairo_rectangle(Cairo, ClipLeft, ClipTop, std::round(Clip.Right) - ClipLeft, std::round(Clip.Bottom) - ClipTop);
		cairo_clip(Cairo);
		DrawElement(Cairo, Element);
		cairo_restore(Cairo);
	}
	cairo_destroy(Cairo);
	cairo_surface_flush(Surface);
	return ImageOfSurface(Surface);
}

bool FSlateCairoRenderer::SavePNG(const FSlateRenderedImage& Image, const FString& Filename)
{
	cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Image.Width, Image.Height);
	cairo_surface_flush(Surface);
	uint8* Data = cairo_image_surface_get_data(Surface);
	const int32 Stride = cairo_image_surface_get_stride(Surface);
	for (int32 Row = 0; Row < Image.Height; ++Row)
	{
		uint32* Out = reinterpret_cast<uint32*>(Data + Row * Stride);
		for (int32 Column = 0; Column < Image.Width; ++Column)
		{
			const FColor& In = Image.At(Column, Row);
			auto Premultiplied = [&In](uint8 Value) { return uint32((uint32(Value) * In.A + 127) / 255); };
			Out[Column] = (uint32(In.A) << 24) | (Premultiplied(In.R) << 16) | (Premultiplied(In.G) << 8) | Premultiplied(In.B);
		}
	}
	cairo_surface_mark_dirty(Surface);
	const cairo_status_t Status = cairo_surface_write_to_png(Surface, FTCHARToUTF8(*Filename).Get());
	cairo_surface_destroy(Surface);
	return Status == CAIRO_STATUS_SUCCESS;
}

bool FSlateCairoRenderer::LoadPNG(const FString& Filename, FSlateRenderedImage& OutImage)
{
	cairo_surface_t* Surface = cairo_image_surface_create_from_png(FTCHARToUTF8(*Filename).Get());
	const cairo_format_t Format = cairo_image_surface_get_format(Surface);
	const bool bRead = cairo_surface_status(Surface) == CAIRO_STATUS_SUCCESS && (Format == CAIRO_FORMAT_ARGB32 || Format == CAIRO_FORMAT_RGB24);
	if (bRead)
	{
		cairo_surface_flush(Surface);
		OutImage = ImageOfSurface(Surface);
	}
	cairo_surface_destroy(Surface);
	return bRead;
}
