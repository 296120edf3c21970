// Child process modes of the benchmark: window presentation and start-up.
#include "bench_children.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "app/session.h"
#include "bench_ticks.h"
#include "media/display.h"
#include "media/frame_drawing.h"
#include "media/picture.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"

namespace {

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;

// The window the display opened (the display keeps it to itself).
SDL_Window* OpenWindow() {
    for (Uint32 id = 64; id >= 1; --id)
        if (SDL_Window* w = SDL_GetWindowFromID(id)) return w;
    return nullptr;
}

// Two real frames, the main menu and the maker's logo: presenting them in turn changes every
// pixel of the window each time, as a scrolling play field does.
std::array<Surface, 2> Frames(const std::string& dataDir) {
    PictureList menu;
    menu.LoadPictures(dataDir + "meniu.dxg");
    std::array<Surface, 2> frames{Surface(kScreenWidth, kScreenHeight),
                                  Surface(kScreenWidth, kScreenHeight)};
    struct Placed {
        const char* Name;
        int X, Y;
    };
    constexpr Placed kMenu[] = {
        {"background", 0, 0}, {"m2", 37, 20}, {"sm", 30, 20}, {"sg", 235, 270}, {"op", 235, 310}};
    for (const Placed& p : kMenu) menu.FindPicture(p.Name).DrawPattern(frames[0], p.X, p.Y, 0);
    menu.FindPicture("brinloft").DrawPattern(frames[1], 0, 0, 0);
    return frames;
}

// Gives the window its size and lets the renderer see the change before anything is timed.
void SizeWindow(Display& display, const std::array<Surface, 2>& frames) {
    SDL_Window* window = OpenWindow();
    if (window) SDL_SetWindowSize(window, kWindowWidth, kWindowHeight);
    for (int i = 0; i < 10; ++i) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_Delay(20);
        display.ShowFrame(frames[static_cast<size_t>(i % 2)]);
    }
}

// What the display presents through: a renderer, or the window's own pixels; and its size.
std::string PresentedThrough() {
    SDL_Window* window = OpenWindow();
    SDL_Renderer* renderer = window ? SDL_GetRenderer(window) : nullptr;
    SDL_RendererInfo info{};
    info.name = "window-pixels";
    int w = 0, h = 0;
    if (renderer) {
        SDL_GetRendererInfo(renderer, &info);
        SDL_GetRendererOutputSize(renderer, &w, &h);
    } else if (SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr) {
        w = surface->w;
        h = surface->h;
    }
    return std::string(info.name) + " " + std::to_string(w) + "x" + std::to_string(h);
}

// The display sleeps to the refresh rate when frames come faster; one refresh period plus a
// margin between samples keeps that sleep out of the figure.
Uint32 RefreshGap() {
    SDL_DisplayMode dm{};
    const int hz =
        (SDL_GetCurrentDisplayMode(0, &dm) == 0 && dm.refresh_rate > 0) ? dm.refresh_rate : 60;
    return static_cast<Uint32>(1000 / std::max(hz, 1) + 4);
}

void PrintPresent(const char* mode, double us) {
    std::printf("present %s %.1f %s\n", mode, us, PresentedThrough().c_str());
    std::fflush(stdout);
}

// One frame as a picture: drawing it is one opaque drawing call.
Picture FramePicture(const Surface& frame) {
    PictureData data;
    data.Name = "frame";
    data.Transparent = false;
    data.Width = frame.Width;
    data.Height = frame.Height;
    for (uint16_t pixel : frame.Pixels) data.Rgb.push_back(Rgb565ToRgb(pixel));
    return Picture(std::move(data));
}

// Whole changed frames (the two frames in turn) and, with `unchangedMode`, the same frame
// again. Before each present the frame is drawn, untimed, on a back surface that records its
// drawing as the game's does, as the game's tick draws the frame just before showing it. The
// unchanged frame is also timed as pixels copied in from elsewhere, which the display has to
// compare whole (`unchangedMode` with "_compared").
void PresentWith(const char* mode, const char* unchangedMode, const std::array<Surface, 2>& frames,
                 const Repetitions& reps) {
    Display display;
    display.StartDisplay(false, "Tolmara Deepgrid benchmark");
    SizeWindow(display, frames);
    const Uint32 gap = RefreshGap();
    const std::array<Picture, 2> pictures{FramePicture(frames[0]), FramePicture(frames[1])};
    Surface back(kScreenWidth, kScreenHeight);
    FrameDrawing drawing;
    drawing.Attach(back);
    size_t shown = 0;
    auto draw = [&](size_t frame) {
        SDL_PumpEvents();
        SDL_Delay(gap);
        drawing.StartFrame();
        pictures[frame].DrawPattern(back, 0, 0, 0);
        drawing.FinishFrame();
    };
    auto present = [&] { display.ShowFrame(back); };
    PrintPresent(mode, MedianMicroseconds(
                           reps.Samples, 1, [&] { draw(shown++ % 2); }, present));
    if (unchangedMode) {
        draw(0);
        present();
        PrintPresent(unchangedMode, MedianMicroseconds(
                                        reps.Samples, 1, [&] { draw(0); }, present));
        const std::string compared = std::string(unchangedMode) + "_compared";
        Surface copied(kScreenWidth, kScreenHeight);
        auto copy = [&] {
            SDL_PumpEvents();
            SDL_Delay(gap);
            copied.Pixels = frames[0].Pixels;
        };
        copy();
        display.ShowFrame(copied);
        PrintPresent(compared.c_str(),
                     MedianMicroseconds(reps.Samples, 1, copy, [&] { display.ShowFrame(copied); }));
    }
    display.StopDisplay();
}

// The main menu at rest, each of its successive frames drawn untimed and then presented.
void PresentMenu(const std::string& dataDir, const Repetitions& reps) {
    std::unique_ptr<Game> game = StartMainMenuAtRest(dataDir);
    Display& display = game->media.Screen;
    display.SetWindowSize(kWindowWidth, kWindowHeight);
    for (int i = 0; i < 10; ++i) {
        SDL_PumpEvents();
        SDL_Delay(20);
        DrawTick(*game);
        display.ShowFrame(game->media.Back);
    }
    const Uint32 gap = RefreshGap();
    const double us = MedianMicroseconds(
        reps.Samples, 1,
        [&] {
            SDL_PumpEvents();
            SDL_Delay(gap);
            DrawTick(*game);
        },
        [&] { display.ShowFrame(game->media.Back); });
    PrintPresent("menu", us);
    display.StopDisplay();
}

}  // namespace

int RunPresentChild(const std::string& dataDir, const Repetitions& reps) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "tolmara-bench: no X display: %s\n", SDL_GetError());
        return 1;
    }
    const std::array<Surface, 2> frames = Frames(dataDir);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    PresentWith("software", "unchanged", frames, reps);
    PresentMenu(dataDir, reps);
    SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
    PresentWith("default", nullptr, frames, reps);
    SDL_Quit();
    return 0;
}

int RunStartupChild(const std::string& dataDir) {
    SessionOptions options;
    options.ProgramDir = dataDir;
    std::unique_ptr<Game> game = StartGame(options);
    RunTick(*game, 1);
    std::printf("first_frame_ns %lld\n", static_cast<long long>(MonotonicNs()));
    std::fflush(stdout);
    PressKey(*game, vkSpace);
    RunTick(*game, 16);
    ReleaseKey(*game, vkSpace);
    for (int i = 0; i < 60; ++i) {
        RunTick(*game, 16);
        SDL_Delay(16);
    }
    std::printf("screen %d music %d\n", static_cast<int>(game->screens.CurrentScreen),
                game->audio.MusicPlaying);
    return 0;
}
