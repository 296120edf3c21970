// Presenting only what changed: the window's pixels stay those of a whole presentation, and the
// window is painted whole again after an event that may have spoilt it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/session.h"
#include "media/frame_scaler.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "support/test_support.h"

namespace {

SDL_Surface* WindowPixels() {
    for (Uint32 id = 1; id <= 64; ++id)
        if (SDL_Window* w = SDL_GetWindowFromID(id)) return SDL_GetWindowSurface(w);
    return nullptr;
}

uint32_t* WindowRow(SDL_Surface* s, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
}

// The window's pixels against the frame presented whole (bands included).
testing::AssertionResult ShowsFrame(const Surface& back) {
    SDL_Surface* s = WindowPixels();
    if (!s) return testing::AssertionFailure() << "no window surface";
    std::vector<uint32_t> whole(static_cast<size_t>(s->w) * s->h);
    FrameScaler scaler;
    scaler.Scale(back, whole.data(), s->w * 4, s->w, s->h);
    for (int y = 0; y < s->h; ++y) {
        if (std::memcmp(WindowRow(s, y), whole.data() + static_cast<size_t>(y) * s->w,
                        sizeof(uint32_t) * s->w) != 0)
            return testing::AssertionFailure() << "window row " << y << " differs";
    }
    return testing::AssertionSuccess();
}

std::unique_ptr<Game> ShippedGame() {
    return StartGame(SessionOptions{BuiltGameDir(), false, 1});
}

}  // namespace

TEST(PresentChanges, WindowShowsWhatAWholePresentationShowsThroughMenuAndPlay) {
    auto game = ShippedGame();
    game->media.Screen.SetWindowSize(1280, 960);
    int tick = 0;
    auto run = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            RunTick(*game, 16);
            ++tick;
            ASSERT_TRUE(ShowsFrame(game->media.Back)) << "tick " << tick;
        }
    };
    run(3);  // the logo
    PressKey(*game, vkSpace);
    run(1);
    ReleaseKey(*game, vkSpace);
    run(120);                                     // the menu slides in, its items blink
    game->media.Screen.SetWindowSize(1000, 700);  // another scale, bands left and right
    run(20);
    game->world.play.CurrentLevel = 18;  // larger than the screen: the view scrolls
    SetScreen(*game, Screen::LevelStart);
    run(30);
    PressKey(*game, vkRight);
    run(60);
    ReleaseKey(*game, vkRight);
    PressKey(*game, vkDown);
    run(60);
    ReleaseKey(*game, vkDown);
    run(20);
    EXPECT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
    EXPECT_NE(game->world.play.ViewX, 0);  // the view scrolled
}

TEST(PresentChanges, UnchangedFrameLeavesTheWindowAndAnExposePaintsItWhole) {
    auto game = ShippedGame();
    RunTick(*game, 16);
    SDL_Surface* s = WindowPixels();
    ASSERT_NE(s, nullptr);
    WindowRow(s, 100)[200] = 0xFF123456u;  // what another window left on ours
    game->media.Screen.ShowFrame(game->media.Back);
    EXPECT_EQ(WindowRow(s, 100)[200], 0xFF123456u);  // nothing changed: nothing presented
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&e);
    game->media.Screen.ShowFrame(game->media.Back);
    EXPECT_TRUE(ShowsFrame(game->media.Back));
}
