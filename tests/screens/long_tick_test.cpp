// A long tick (the window held still, a busy machine) plays out as the same time in short ticks:
// nothing moves through a cell in one jump that a rule would have stopped at.
#include <gtest/gtest.h>

#include <memory>

#include "app/session.h"
#include "media/byte_io.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "store/atomic_write.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

// One row on a floor: the start, a ball, room to push it into, then a wall.
TestLevel BallRow() {
    TestLevel level;
    level.Name = "Ball row";
    level.Cells = {{15, 20, 15, 15, 45}, {45, 45, 45, 45, 45}};
    return level;
}

std::unique_ptr<Game> StartBallRow(const TempDir& dir, int32_t speed) {
    WriteTestDataFiles(dir.Path());
    WriteFileAtomically(dir.File("Tolmara.lev"), TestLevelSetBytes({BallRow()}));
    SessionOptions options;
    options.ProgramDir = dir.Path();
    options.ReadSettings = false;
    options.Seed = 1;
    std::unique_ptr<Game> game = StartGame(options);
    game->players.PlayerCount = 1;
    game->players.PlayerNames[1] = "Ann";
    game->world.play.CurrentLevel = 1;
    game->settings.Speed = speed;
    SetScreen(*game, Screen::LevelStart);
    RunTick(*game, 17);
    return game;
}

// Where the ball and the player end up after Right is held for `held` ms in ticks of `lag`.
struct PushResult {
    int BallCol = -1, PlayerCol = -1;
};
PushResult PushRight(int32_t held, int32_t lag) {
    TempDir dir;
    std::unique_ptr<Game> game = StartBallRow(dir, 400);
    EXPECT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
    PressKey(*game, vkRight);
    for (int32_t t = 0; t < held; t += lag) RunTick(*game, lag);
    ReleaseKey(*game, vkRight);
    for (int i = 0; i < 60; ++i) RunTick(*game, 16);
    PushResult r;
    for (int col = 1; col <= 5; ++col)
        if (game->world.level.Cells[1][col].Tile == tcBall) r.BallCol = col;
    r.PlayerCol = game->world.play.PlayerX / 40;
    EXPECT_EQ(game->world.play.MoveState, msRest);
    return r;
}

TEST(LongTicks, APushBegunInOneLongTickEndsAsInShortTicks) {
    for (int32_t held : {80, 160, 480}) {
        const PushResult shortTicks = PushRight(held, 16);
        const PushResult oneTick = PushRight(held, held);
        EXPECT_GE(shortTicks.BallCol, 3) << held;  // the ball was pushed, not walked over
        EXPECT_EQ(oneTick.BallCol, shortTicks.BallCol) << held;
        EXPECT_EQ(oneTick.PlayerCol, shortTicks.PlayerCol) << held;
    }
}

}  // namespace
