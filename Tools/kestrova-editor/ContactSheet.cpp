#include "ContactSheet.h"

#include "Client/KestrovaText.h"

#include <cairo.h>

namespace
{
	constexpr double Scale = 0.25;
	constexpr double Margin = 16.0;
	constexpr double CaptionHeight = 28.0;
}

namespace KVAEditor
{
	bool WriteContactSheet(const TArray<FSheetPicture>& Pictures, int32 Columns, const FString& Target)
	{
		if (Pictures.IsEmpty() || Columns < 1)
		{
			return false;
		}
		// Every cell is as large as the largest picture, shrunk.
		TArray<cairo_surface_t*> Surfaces;
		double CellWidth = 0.0;
		double CellHeight = 0.0;
		for (const FSheetPicture& Picture : Pictures)
		{
			cairo_surface_t* Surface = cairo_image_surface_create_from_png(KVAText::Utf8(Picture.File).c_str());
			Surfaces.Add(Surface);
			if (cairo_surface_status(Surface) == CAIRO_STATUS_SUCCESS)
			{
				CellWidth = FMath::Max(CellWidth, cairo_image_surface_get_width(Surface) * Scale);
				CellHeight = FMath::Max(CellHeight, cairo_image_surface_get_height(Surface) * Scale);
			}
		}
		const int32 Rows = (Pictures.Num() + Columns - 1) / Columns;
		const int32 Width = int32(Margin + Columns * (CellWidth + Margin));
		const int32 Height = int32(Margin + Rows * (CellHeight + CaptionHeight + Margin));
		cairo_surface_t* Sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
		cairo_t* Context = cairo_create(Sheet);
		cairo_set_source_rgb(Context, 0.1, 0.1, 0.11);
		cairo_paint(Context);
		cairo_select_font_face(Context, "Roboto", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
		cairo_set_font_size(Context, 14.0);
		for (int32 Index = 0; Index < Pictures.Num(); ++Index)
		{
			const double X = Margin + (Index % Columns) * (CellWidth + Margin);
			const double Y = Margin + (Index / Columns) * (CellHeight + CaptionHeight + Margin);
			if (cairo_surface_status(Surfaces[Index]) == CAIRO_STATUS_SUCCESS)
			{
				cairo_save(Context);
				cairo_translate(Context, X, Y);
				cairo_scale(Context, Scale, Scale);
				cairo_set_source_surface(Context, Surfaces[Index], 0, 0);
				cairo_pattern_set_filter(cairo_get_source(Context), CAIRO_FILTER_GOOD);
				cairo_paint(Context);
				cairo_restore(Context);
			}
			cairo_set_source_rgb(Context, 0.9, 0.9, 0.88);
			cairo_move_to(Context, X, Y + CellHeight + 19.0);
			cairo_show_text(Context, KVAText::Utf8(Pictures[Index].Caption).c_str());
			cairo_surface_destroy(Surfaces[Index]);
		}
		cairo_destroy(Context);
		const bool bWritten = cairo_surface_write_to_png(Sheet, KVAText::Utf8(Target).c_str()) == CAIRO_STATUS_SUCCESS;
		cairo_surface_destroy(Sheet);
		return bWritten;
	}
}
