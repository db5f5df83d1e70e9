// Runs the editor's view-state check through the stand-in editor program and compares every
// screenshot it takes with the reference image kept beside this file. A mismatch writes a diff
// image (differing pixels in red over a dimmed copy) and names the state. After an intended
// change of the window's look, scripts/refresh-screenshots takes new references.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace
{
	namespace fs = std::filesystem;

	// A channel may differ this much (anti-aliasing on another machine), and this share of a
	// picture's pixels may differ at all.
	constexpr int ChannelTolerance = 24;
	constexpr double PixelBudget = 0.002;

	struct FSurfaceDeleter
	{
		void operator()(cairo_surface_t* Surface) const { cairo_surface_destroy(Surface); }
	};
	using FSurface = std::unique_ptr<cairo_surface_t, FSurfaceDeleter>;

	FSurface Load(const fs::path& File)
	{
		FSurface Surface(cairo_image_surface_create_from_png(File.c_str()));
		if (cairo_surface_status(Surface.get()) != CAIRO_STATUS_SUCCESS)
		{
			return nullptr;
		}
		// Read as opaque RGB24/ARGB32 pixels either way.
		FSurface Pixels(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(Surface.get()), cairo_image_surface_get_height(Surface.get())));
		cairo_t* Context = cairo_create(Pixels.get());
		cairo_set_source_surface(Context, Surface.get(), 0, 0);
		cairo_paint(Context);
		cairo_destroy(Context);
		cairo_surface_flush(Pixels.get());
		return Pixels;
	}

	struct FComparison
	{
		bool bSameSize = false;
		long Differing = 0;
		long Total = 0;
	};

	// Compares two pictures pixel by pixel and writes the diff image when any pixel differs.
	FComparison Compare(cairo_surface_t* Captured, cairo_surface_t* Reference, const fs::path& DiffFile)
	{
		FComparison Result;
		const int Width = cairo_image_surface_get_width(Captured);
		const int Height = cairo_image_surface_get_height(Captured);
		Result.bSameSize = Width == cairo_image_surface_get_width(Reference) && Height == cairo_image_surface_get_height(Reference);
		if (!Result.bSameSize)
		{
			return Result;
		}
		FSurface Diff(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height));
		const unsigned char* A = cairo_image_surface_get_data(Captured);
		const unsigned char* B = cairo_image_surface_get_data(Reference);
		unsigned char* D = cairo_image_surface_get_data(Diff.get());
		const int Stride = cairo_image_surface_get_stride(Captured);
		for (int Y = 0; Y < Height; ++Y)
		{
			for (int X = 0; X < Width; ++X)
			{
				const int At = Y * Stride + X * 4;
				int Worst = 0;
				for (int Channel = 0; Channel < 4; ++Channel)
				{
					Worst = std::max(Worst, std::abs(int(A[At + Channel]) - int(B[At + Channel])));
				}
				const bool bDiffers = Worst > ChannelTolerance;
				Result.Differing += bDiffers ? 1 : 0;
				D[At + 0] = bDiffers ? 0 : A[At + 0] / 4;
				D[At + 1] = bDiffers ? 0 : A[At + 1] / 4;
				D[At + 2] = bDiffers ? 255 : A[At + 2] / 4;
				D[At + 3] = 255;
			}
		}
		Result.Total = long(Width) * Height;
		if (Result.Differing > 0)
		{
			cairo_surface_mark_dirty(Diff.get());
			cairo_surface_write_to_png(Diff.get(), DiffFile.c_str());
		}
		return Result;
	}

	std::set<std::string> PicturesIn(const fs::path& Folder)
	{
		std::set<std::string> Names;
		for (const fs::directory_entry& Entry : fs::directory_iterator(Folder))
		{
			if (Entry.path().extension() == ".png" && Entry.path().stem() != "contact-sheet")
			{
				Names.insert(Entry.path().stem().string());
			}
		}
		return Names;
	}
}

TEST(Screenshots, EveryViewStateLooksAsItsReference)
{
	const fs::path Output = fs::path(KVA_SCREENSHOT_OUTPUT);
	const fs::path References = fs::path(KVA_SCREENSHOT_REFERENCES);
	fs::remove_all(Output);
	const std::string Command = std::string("'") + KVA_EDITOR + "' --automation Kestrova.Window.ViewStates --output '" + Output.string() + "' >'"
		+ (Output.string() + ".log") + "' 2>&1";
	fs::create_directories(Output.parent_path());
	ASSERT_EQ(std::system(Command.c_str()), 0) << "the view-state check failed; see " << Output.string() << ".log";

	const std::set<std::string> Captured = PicturesIn(Output);
	const std::set<std::string> Expected = PicturesIn(References);
	EXPECT_EQ(Captured, Expected) << "every state has a reference and every reference a state";
	EXPECT_EQ(Captured.size(), 26u);
	fs::create_directories(Output / "diff");
	for (const std::string& State : Captured)
	{
		if (!Expected.count(State))
		{
			continue;
		}
		SCOPED_TRACE(State);
		const FSurface Picture = Load(Output / (State + ".png"));
		const FSurface Reference = Load(References / (State + ".png"));
		ASSERT_TRUE(Picture && Reference);
		const FComparison Result = Compare(Picture.get(), Reference.get(), Output / "diff" / (State + ".png"));
		ASSERT_TRUE(Result.bSameSize) << State << ": the screenshot's size changed";
		EXPECT_LE(double(Result.Differing), PixelBudget * double(Result.Total))
			<< State << ": " << Result.Differing << " of " << Result.Total << " pixels differ; diff image in " << (Output / "diff" / (State + ".png")).string();
	}
}
