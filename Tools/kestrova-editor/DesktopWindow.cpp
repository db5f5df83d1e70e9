#include "DesktopWindow.h"

#include "DesktopInput.h"
#include "EditorSession.h"
#include "LayoutReport.h"
#include "LevelPanel.h"

#include "Client/KestrovaText.h"

#include "Framework/Application/SlateApplication.h"
#include "Misc/Paths.h"
#include "Slate/Rendering/SlateCairoRenderer.h"
#include "SlateTesting/SlateDriver.h"
#include "Widgets/SWindow.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace
{
	// About 60 frames a second while anything moves; when nothing has for a while, a frame
	// every tenth of a second still shows replies from the service, and input wakes it at once.
	constexpr Uint64 FrameMilliseconds = 16;
	constexpr Uint64 IdleFrameMilliseconds = 100;
	constexpr Uint64 StillMilliseconds = 1000;

	// One of the editor's windows shown in the desktop window at its screen position.
	class FShownWindow
	{
	public:
		explicit FShownWindow(const TSharedRef<SWindow>& InWindow) : Window(InWindow) {}
		~FShownWindow()
		{
			if (Texture != nullptr)
			{
				SDL_DestroyTexture(Texture);
			}
		}
		FShownWindow(const FShownWindow&) = delete;
		FShownWindow& operator=(const FShownWindow&) = delete;

		// Draws what the window painted in its last frame into the texture; true when that
		// differs from what the texture held.
		bool Update(SDL_Renderer* Renderer)
		{
			FSlateRenderedImage Image = FSlateCairoRenderer::RenderWindow(*Window);
			if (Texture == nullptr || Image.Width != Width || Image.Height != Height)
			{
				if (Texture != nullptr)
				{
					SDL_DestroyTexture(Texture);
				}
				// FColor lies in memory as blue, green, red, alpha: a little-endian ARGB word.
				Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, Image.Width, Image.Height);
				Width = Image.Width;
				Height = Image.Height;
				Shown.Empty();
			}
			if (Texture == nullptr || (Shown.Num() == Image.Pixels.Num() && std::memcmp(Shown.GetData(), Image.Pixels.GetData(), Image.Pixels.Num() * sizeof(FColor)) == 0))
			{
				return false;
			}
			SDL_UpdateTexture(Texture, nullptr, Image.Pixels.GetData(), Width * int32(sizeof(FColor)));
			Shown = MoveTemp(Image.Pixels);
			return true;
		}

		void Copy(SDL_Renderer* Renderer) const
		{
			const FVector2D Position = Window->GetPositionInScreen();
			const SDL_Rect Target{int(Position.X), int(Position.Y), Width, Height};
			SDL_RenderCopy(Renderer, Texture, nullptr, &Target);
		}

	private:
		TSharedRef<SWindow> Window;
		SDL_Texture* Texture = nullptr;
		int32 Width = 0;
		int32 Height = 0;
		TArray<FColor> Shown;
	};

	// The main window takes what the level panel leaves of the desktop window.
	void Arrange(SWindow& Main, SWindow& Panel, int32 Width, int32 Height)
	{
		const double MainWidth = FMath::Max(double(Width) - SLevelPanel::Width, 320.0);
		Main.Resize(FVector2D(MainWidth, Height));
		Panel.MoveWindowTo(FVector2D(MainWidth, 0.0));
		Panel.Resize(FVector2D(SLevelPanel::Width, Height));
	}
}

namespace KVAEditor
{
	int RunDesktopWindow(FEditorSession& Session)
	{
		// The software renderer draws into the window's own frame buffer, not into an OpenGL one.
		SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
		if (SDL_Init(SDL_INIT_VIDEO) != 0)
		{
			std::fprintf(stderr, "No desktop window: %s\n", SDL_GetError());
			return 1;
		}
		const TSharedRef<SWindow>& Main = Session.GetUI().GetMainWindow();
		const FVector2D MainSize = Main->GetClientSizeInScreen();
		TSharedPtr<SLevelPanel> LevelPanel;
		const TSharedRef<SWindow> Panel = SLevelPanel::MakeWindow(*Main, LevelPanel);
		const FSlateDriver PanelDriver(Panel);

		SDL_Window* Desktop = SDL_CreateWindow(KVAText::Utf8(Main->GetTitle().ToString()).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
			int(MainSize.X + SLevelPanel::Width), int(MainSize.Y), SDL_WINDOW_RESIZABLE);
		// The editor's windows are drawn on the processor already; the software renderer only
		// copies them, and keeps the graphics drivers out of the process.
		SDL_Renderer* Renderer = Desktop != nullptr ? SDL_CreateRenderer(Desktop, -1, SDL_RENDERER_SOFTWARE) : nullptr;
		if (Renderer == nullptr)
		{
			std::fprintf(stderr, "No desktop window: %s\n", SDL_GetError());
			FSlateApplication::Get().DestroyWindowImmediately(Panel);
			if (Desktop != nullptr)
			{
				SDL_DestroyWindow(Desktop);
			}
			SDL_Quit();
			return 1;
		}
		SDL_StartTextInput();
		std::printf("The editor is open: Window > Kestrova opens the library. Local Kestrova service on 127.0.0.1:%d; the project is %s\n",
			int(Session.GetService()->Port()), KVAText::Utf8(FPaths::ProjectDir()).c_str());
		std::fflush(stdout);

		const bool bReport = FLayoutReport::IsWanted();
		FLayoutReport Report;
		{
			FShownWindow ShownMain(Main);
			FShownWindow ShownPanel(Panel);
			int32 BrowserPagesTold = 0;
			Uint64 LastFrame = 0;
			Uint64 LastChange = SDL_GetTicks64();
			bool bQuit = false;
			bool bExposed = true;
			while (!bQuit)
			{
				// Input is handled as it comes until the next frame is due, and whatever is waiting
				// is handled even when the last frame took longer than a frame's time: a slow frame
				// must delay input, never starve it.
				Uint64 Interval = SDL_GetTicks64() - LastChange < StillMilliseconds ? FrameMilliseconds : IdleFrameMilliseconds;
				SDL_Event Event;
				while (!bQuit)
				{
					const Uint64 Now = SDL_GetTicks64();
					const bool bGot = Now < LastFrame + Interval ? SDL_WaitEventTimeout(&Event, int(LastFrame + Interval - Now)) != 0 : SDL_PollEvent(&Event) != 0;
					if (!bGot)
					{
						break;
					}
					if (Event.type == SDL_QUIT)
					{
						bQuit = true;
					}
					else if (Event.type == SDL_WINDOWEVENT && Event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
					{
						Arrange(*Main, *Panel, Event.window.data1, Event.window.data2);
					}
					else if (Event.type == SDL_WINDOWEVENT && Event.window.event == SDL_WINDOWEVENT_EXPOSED)
					{
						bExposed = true;
					}
					if (RouteInput(Event))
					{
						LastChange = SDL_GetTicks64();
						Interval = FrameMilliseconds;
					}
				}
				LastFrame = SDL_GetTicks64();

				LevelPanel->Refresh();
				Session.Frame();
				const bool bMainChanged = ShownMain.Update(Renderer);
				const bool bPanelChanged = ShownPanel.Update(Renderer);
				if (bMainChanged || bPanelChanged || bExposed)
				{
					SDL_RenderClear(Renderer);
					ShownMain.Copy(Renderer);
					ShownPanel.Copy(Renderer);
					SDL_RenderPresent(Renderer);
					bExposed = false;
				}
				if (bMainChanged || bPanelChanged)
				{
					LastChange = LastFrame;
				}
				// The member's browser answers the sign-in page by itself; the person sees where it went.
				for (; BrowserPagesTold < Session.Launched.Num(); ++BrowserPagesTold)
				{
					std::printf("The browser opens %s\n", KVAText::Utf8(Session.Launched[BrowserPagesTold]).c_str());
					std::fflush(stdout);
				}
				if (bReport)
				{
					Report.Update(Session, {&Session.GetDriver(), &PanelDriver});
				}
			}
		}
		// The editor quits: the plug-in's module shuts down while the editor is still whole.
		Session.ShutDownModule();
		FSlateApplication::Get().DestroyWindowImmediately(Panel);
		SDL_DestroyRenderer(Renderer);
		SDL_DestroyWindow(Desktop);
		SDL_Quit();
		std::printf("The editor closed.\n");
		return 0;
	}
}
