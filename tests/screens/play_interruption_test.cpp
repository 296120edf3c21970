// A level interrupted in the middle of a step: by Alt+Enter (the display restarts and the screen
// state is reset), or by F1 or C and the way back into the level. The step ends in the cell it
// was heading for, and what that cell held is taken once.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/session.h"
#include "media/byte_io.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "store/atomic_write.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

// One row: the start, an infotron, an empty cell, a circuit, the exit.
TestLevel Corridor() {
    TestLevel level;
    level.Name = "Corridor";
    level.Cells = {{15, 12, 15, 16, 63}, {45, 45, 45, 45, 45}};  // the start is row 1, column 1
    return level;
}

class PlayInterruption : public ::testing::Test {
  protected:
    void SetUp() override { StartLevel(); }
    // A fresh game on the folder, playing the corridor from its first tick.
    void StartLevel() {
        game.reset();
        WriteTestDataFiles(dir.Path());
        WriteFileAtomically(dir.File("Tolmara.lev"), TestLevelSetBytes({Corridor()}));
        SessionOptions options;
        options.ProgramDir = dir.Path();
        options.ReadSettings = false;
        options.Seed = 1;
        game = StartGame(options);
        game->players.PlayerCount = 1;
        game->players.PlayerNames[1] = "Ann";
        game->world.play.CurrentLevel = 1;
        SetScreen(*game, Screen::LevelStart);
        RunTick(*game, 20);
        ASSERT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
    }
    // Holds the key for one tick: at rest, the step starts and advances 6 pixels.
    void StartStep(int vk) {
        PressKey(*game, vk);
        RunTick(*game, 20);
        ReleaseKey(*game, vk);
    }
    void TicksUntilRest() {
        for (int i = 0; i < 20 && game->world.play.MoveState != msRest; ++i) RunTick(*game, 20);
    }
    int32_t Tile(int row, int col) const { return game->world.level.Cells[row][col].Tile; }

    TempDir dir;
    std::unique_ptr<Game> game;
};

void AltEnter(Game& game) {
    PressKey(game, vkReturn, ShiftState{false, true, false});
    ReleaseKey(game, vkReturn, ShiftState{false, true, false});
}

// The three ways a running level is left for a moment and taken up again.
const std::vector<std::pair<const char*, std::function<void(Game&)>>>& Interruptions() {
    static const std::vector<std::pair<const char*, std::function<void(Game&)>>> ways = {
        {"Alt+Enter", AltEnter},
        {"F1, Escape",
         [](Game& game) {
             PressKey(game, vkF1);
             RunTick(game, 20);
             ASSERT_EQ(game.screens.CurrentScreen, Screen::Information);
             PressKey(game, vkEscape);
             RunTick(game, 20);
         }},
        {"C, Escape",
         [](Game& game) {
             TypeChar(game, 'c');
             RunTick(game, 20);
             ASSERT_EQ(game.screens.CurrentScreen, Screen::CharacterSelect);
             for (int i = 0; i < 15; ++i) RunTick(game, 20);  // the pictures arrive
             PressKey(game, vkEscape);
             for (int i = 0; i < 40 && game.screens.CurrentScreen != Screen::GamePlay; ++i)
                 RunTick(game, 20);
         }},
    };
    return ways;
}

TEST_F(PlayInterruption, AStepCutShortEndsInTheNextCellAndItsInfotronCountsOnce) {
    for (const auto& [name, interrupt] : Interruptions()) {
        SCOPED_TRACE(name);
        StartLevel();
        StartStep(vkRight);
        ASSERT_EQ(game->world.play.MoveState, msRight);
        ASSERT_LT(game->world.play.PlayerPosX, 80.0);  // still in the start cell
        EXPECT_EQ(game->world.play.InfotronsGot, 1);   // counted when the step began
        interrupt(*game);
        ASSERT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
        EXPECT_EQ(game->world.play.MoveState, msRest);
        EXPECT_EQ(game->world.play.PlayerPosX, 100.0);  // centre of column 2
        EXPECT_EQ(game->world.play.PlayerPosY, 60.0);
        RunTick(*game, 20);
        EXPECT_EQ(Tile(1, 2), tcEmpty);  // taken by the player standing in it
        StartStep(vkRight);
        TicksUntilRest();
        EXPECT_EQ(game->world.play.PlayerPosX, 140.0);
        EXPECT_EQ(game->world.play.InfotronsGot, 1);
    }
}

TEST_F(PlayInterruption, EatingInPlaceCutShortLeavesTheCellEmpty) {
    for (const auto& [name, interrupt] : Interruptions()) {
        SCOPED_TRACE(name);
        StartLevel();
        for (int step = 0; step < 2; ++step) {
            StartStep(vkRight);
            TicksUntilRest();
        }
        ASSERT_EQ(game->world.play.PlayerPosX, 140.0);  // beside the circuit
        PressKey(*game, vkSpace);
        StartStep(vkRight);
        ReleaseKey(*game, vkSpace);
        ASSERT_EQ(game->world.play.MoveState, msSnap);
        interrupt(*game);
        ASSERT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
        EXPECT_EQ(game->world.play.MoveState, msRest);
        EXPECT_EQ(Tile(1, 4), tcEmpty);
        EXPECT_EQ(game->world.play.PlayerPosX, 140.0);  // eating in place never moves the player
    }
}

TEST_F(PlayInterruption, AltEnterTwiceReturnsToTheWindowAndTheLevelGoesOn) {
    const bool fullScreen = game->media.Screen.FullScreen();
    AltEnter(*game);
    EXPECT_NE(game->media.Screen.FullScreen(), fullScreen);
    AltEnter(*game);
    EXPECT_EQ(game->media.Screen.FullScreen(), fullScreen);
    EXPECT_TRUE(game->timer.Enabled);
    StartStep(vkRight);
    TicksUntilRest();
    EXPECT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
    EXPECT_EQ(game->world.play.PlayerPosX, 100.0);
}

}  // namespace
