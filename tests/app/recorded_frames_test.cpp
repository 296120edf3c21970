// The back surface draws each frame again only where its drawing calls changed: after every tick
// it must hold exactly what drawing every call of every frame whole would have left, through the
// menus, the screens and whole levels played by their replays.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/replay_run.h"
#include "app/session.h"
#include "game/replay.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "support/test_support.h"

namespace {

testing::AssertionResult SamePixels(const Surface& drawn, const Surface& whole) {
    if (drawn.Pixels == whole.Pixels) return testing::AssertionSuccess();
    if (drawn.Pixels.size() != whole.Pixels.size())
        return testing::AssertionFailure() << "the drawn whole copy has another size";
    for (int y = 0; y < drawn.Height; ++y)
        for (int x = 0; x < drawn.Width; ++x)
            if (drawn.At(x, y) != whole.At(x, y))
                return testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << drawn.At(x, y)
                       << ", drawn whole " << whole.At(x, y);
    return testing::AssertionSuccess();
}

// Keeps a surface drawn whole beside the game's back surface.
struct WholeFrames {
    explicit WholeFrames(Game& game) : game_(game) {
        game.media.BackDrawing.KeepWholeDrawing(&Whole);
    }
    ~WholeFrames() { game_.media.BackDrawing.KeepWholeDrawing(nullptr); }
    testing::AssertionResult Match() const { return SamePixels(game_.media.Back, Whole); }

    Surface Whole;

  private:
    Game& game_;
};

}  // namespace

TEST(RecordedFrames, DrawWhatWholeFramesDrawThroughTheScreens) {
    auto game = StartGame(SessionOptions{BuiltGameDir(), false, 1});
    WholeFrames whole(*game);
    int tick = 0;
    auto run = [&](int ticks, const char* what) {
        for (int i = 0; i < ticks && !testing::Test::HasFailure(); ++i) {
            RunTick(*game, 16);
            ++tick;
            ASSERT_TRUE(whole.Match()) << what << ", tick " << tick;
        }
    };
    auto press = [&](int key, const char* what) {
        PressKey(*game, key);
        run(1, what);
        ReleaseKey(*game, key);
        run(1, what);
    };
    run(40, "the logo fading in");
    press(vkSpace, "the logo skipped");
    run(150, "the menu sliding in and blinking");
    press(vkDown, "the menu's selection moved");
    for (Screen screen : {Screen::PlayersLevels, Screen::CharacterSelect, Screen::Options,
                          Screen::Information, Screen::Credits, Screen::GameFinished}) {
        SetScreen(*game, screen);
        run(90, "a screen sliding in");
        press(vkDown, "a key on the screen");
        press(vkUp, "a key on the screen");
    }
    game->world.play.CurrentLevel = 18;  // larger than the screen: the view scrolls
    SetScreen(*game, Screen::LevelStart);
    run(30, "the level's start");
    PressKey(*game, vkRight);
    run(60, "walking right");
    ReleaseKey(*game, vkRight);
    TypeChar(*game, 'p');
    run(10, "paused");
    TypeChar(*game, 'p');
    run(2, "going on");
    PressKey(*game, vkDown);
    run(60, "walking down");
    ReleaseKey(*game, vkDown);
    press(vkF1, "help over the play");
    run(20, "help over the play");
}

TEST(RecordedFrames, DrawWhatWholeFramesDrawThroughWholeLevels) {
    BuiltDataFolder data;
    for (int level : {9, 11, 18, 23, 31, 33}) {
        char name[32];
        std::snprintf(name, sizeof name, "assets/replays/%02d.replay", level);
        const ReplayScript script = ReadReplayFile(SourceDir() + name);
        auto game = StartReplayGame(script, data.Path());
        WholeFrames whole(*game);
        const ReplayResult result = PlayReplay(*game, script, [&](Game&, int64_t tick, int32_t) {
            const testing::AssertionResult same = whole.Match();
            EXPECT_TRUE(same) << name << ", tick " << tick;
            return static_cast<bool>(same);
        });
        EXPECT_EQ(result.Outcome, "made") << name;
    }
}
