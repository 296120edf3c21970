// The play screens around a level: the level-end screen with the player's progress, the end
// checks of the play screen, and what a level start resets so that a level plays the same
// whatever came before it.
#include <gtest/gtest.h>

#include "app/replay_run.h"
#include "app/session.h"
#include "game/level_start.h"
#include "replays/replay_rig.h"
#include "screens/game.h"
#include "screens/level_start.h"
#include "screens/screen_dispatch.h"
#include "support/test_data.h"

namespace {

class LevelFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDataFiles(dir.Path());  // "Tolmara.lev" with 3 levels
        SessionOptions options;
        options.ProgramDir = dir.Path();
        options.ReadSettings = false;
        options.Seed = 1;
        game = StartGame(options);
        game->players.PlayerCount = 1;
        game->players.PlayerNames[1] = "Ann";
        game->players.CurrentPlayer = 1;
    }
    void StartLevel(int level) {
        game->world.play.CurrentLevel = level;
        SetScreen(*game, Screen::LevelStart);
        RunTick(*game, 20);
        ASSERT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
    }
    // Ends the level as `outcome` and runs the level-end screen until it has shown for 2000 ms,
    // checking that it is still there then.
    void EndLevel(int32_t outcome) {
        game->world.play.LevelOutcome = outcome;
        SetScreen(*game, Screen::LevelEnd);
        for (int i = 0; i < 100; ++i) RunTick(*game, 20);
        ASSERT_EQ(game->screens.CurrentScreen, Screen::LevelEnd);
    }
    uint16_t Pixel(int x, int y) const { return game->media.Back.At(x, y); }

    TempDir dir;
    std::unique_ptr<Game> game;
};

TEST_F(LevelFlow, MakingTheNewestLevelOpensTheNextOneAfterTwoSecondsAndSavesIt) {
    game->PlayersFileFollows = true;  // as in a game that read its players file
    game->players.PlayerLevels[1] = 2;
    StartLevel(2);
    EndLevel(1);
    EXPECT_EQ(Pixel(210, 180), RgbTo565(0x20C020));  // "youmadeit" at (206, 173)
    EXPECT_EQ(game->players.PlayerLevels[1], 2);
    RunTick(*game, 20);  // 2020 ms
    EXPECT_EQ(game->screens.CurrentScreen, Screen::PlayersLevels);
    EXPECT_EQ(game->players.PlayerLevels[1], 3);
    PlayerTable saved;
    int32_t speed = 0;
    ReadPlayerNames(saved, speed, dir.Path());
    EXPECT_EQ(saved.PlayerNames[1], "Ann");
    EXPECT_EQ(saved.PlayerLevels[1], 3);
    EXPECT_EQ(game->world.play.CurrentLevel, 3);
    EXPECT_EQ(game->world.play.EndScreenTime, 0);
}

TEST_F(LevelFlow, MakingAnOlderLevelOnlyPreselectsTheNextOne) {
    game->players.PlayerLevels[1] = 3;
    StartLevel(1);
    EndLevel(1);
    RunTick(*game, 20);
    EXPECT_EQ(game->screens.CurrentScreen, Screen::PlayersLevels);
    EXPECT_EQ(game->players.PlayerLevels[1], 3);
    EXPECT_EQ(game->world.play.CurrentLevel, 2);
}

TEST_F(LevelFlow, MakingTheLastLevelFinishesTheGame) {
    game->players.PlayerLevels[1] = 3;
    StartLevel(3);
    EndLevel(1);
    RunTick(*game, 20);
    EXPECT_EQ(game->screens.CurrentScreen, Screen::GameFinished);
    EXPECT_EQ(game->players.PlayerLevels[1], 4);
    EXPECT_EQ(game->world.play.CurrentLevel, 4);
}

TEST_F(LevelFlow, LosingOrGivingUpChangesNoProgress) {
    for (int32_t outcome : {2, 3}) {
        game->players.PlayerLevels[1] = 2;
        StartLevel(2);
        EndLevel(outcome);
        EXPECT_EQ(Pixel(210, 180), RgbTo565(outcome == 2 ? 0xC02020 : 0xC0C020)) << outcome;
        RunTick(*game, 20);
        EXPECT_EQ(game->screens.CurrentScreen, Screen::PlayersLevels);
        EXPECT_EQ(game->players.PlayerLevels[1], 2);
        EXPECT_EQ(game->world.play.CurrentLevel, 2);
    }
}

TEST_F(LevelFlow, LevelEndResetsThePlayStateButNotTheBlastsOrTheGuard) {
    StartLevel(1);
    PlayState& p = game->world.play;
    p.ExitReached = p.LevelLost = p.LevelAborted = true;
    p.ExitTime = p.LostTime = p.AbortTime = 300;
    p.PlayerDying = true;
    p.MoveState = msRight;
    p.IdleAnimating = true;
    p.BlastGuard = true;
    p.ExplosionCount = 1;
    p.Explosions[1] = Explosion{0, 0, 1, 1, 0.0};
    game->messages.MessageShown[103] = true;
    EndLevel(1);
    RunTick(*game, 20);
    EXPECT_FALSE(p.ExitReached || p.LevelLost || p.LevelAborted || p.PlayerDying ||
                 p.IdleAnimating);
    EXPECT_EQ(p.ExitTime + p.LostTime + p.AbortTime, 0);
    EXPECT_EQ(p.MoveState, msRest);
    EXPECT_FALSE(game->messages.MessageShown[103]);  // tips show again in the next level
    EXPECT_TRUE(p.BlastGuard);
    EXPECT_EQ(p.ExplosionCount, 1);
}

TEST_F(LevelFlow, ExitReachedThenLastLifeLostEndsAsMade) {
    StartLevel(1);
    game->world.play.ExitReached = true;
    game->world.play.LevelOutcome = 1;
    game->world.play.Lives = 0;
    for (int i = 0; i < 24; ++i) RunTick(*game, 20);
    EXPECT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
    EXPECT_TRUE(game->world.play.LevelLost);
    RunTick(*game, 20);  // 500 ms after the exit
    EXPECT_EQ(game->screens.CurrentScreen, Screen::LevelEnd);
    EXPECT_EQ(game->world.play.LevelOutcome, 1);
}

TEST(PrepareLevelStart, EmptiesTheBlastListsAndGivesTheLevelsMonstersAFreshStart) {
    auto game = std::make_unique<Game>();
    PlayState& p = game->world.play;
    p.ExplosionCount = 3;
    p.PlacedBombCount = 2;
    p.BlastGuard = true;
    LevelGrid& level = game->world.level;
    level.MonsterCount = 2;
    for (int i = 1; i <= 3; ++i) {
        Monster& m = level.Monsters[i];
        m.Heading = 3;
        m.TargetX = m.TargetY = 120;
        m.FromCol = m.FromRow = 4;
        m.PosX = 80;
        level.Turn[i] = -1;
    }
    PrepareLevelStart(game->world);
    EXPECT_EQ(p.ExplosionCount, 0);
    EXPECT_EQ(p.PlacedBombCount, 0);
    EXPECT_FALSE(p.BlastGuard);
    for (int i = 1; i <= 2; ++i) {
        const Monster& m = level.Monsters[i];
        EXPECT_EQ(m.Heading + m.FromCol + m.FromRow + level.Turn[i], 0) << i;
        EXPECT_EQ(m.TargetX + m.TargetY, 0.0) << i;
        EXPECT_EQ(m.PosX, 80.0) << i;  // the loader's own fields stay
    }
    EXPECT_EQ(level.Turn[3], -1);  // an entry the level did not fill is left alone
}

// The same replay gives the same result in a fresh game, again in a fresh game, and in a game
// that played the level before and left its monster half-way through a move with blasts pending
// and the player idle for nearly long enough to start the idle animation (which draws random
// numbers, and the monsters choose their turns by them).
TEST(LevelStart, ALevelPlaysTheSameWhateverWasPlayedBefore) {
    const std::string name = "monster-corridor.rpl";
    const ReplayScript script = ParseReplay(ReadText(ReplayDataDir() + name), name);
    ReplayFolder folder(script);
    auto run = [&](Game& game) { return ReplayResultJson(PlayReplay(game, script)); };
    const std::string first = run(*StartReplayGame(script, folder.Path()));
    EXPECT_EQ(run(*StartReplayGame(script, folder.Path())), first);

    std::unique_ptr<Game> game = StartReplayGame(script, folder.Path());
    ReplayScript part = script;
    part.Steps = {ReplayStep{12, 20, {}, 0}};  // moving down: heading 3
    PlayReplay(*game, part);
    ASSERT_EQ(game->world.level.Monsters[1].Heading, 3);
    game->world.play.ExplosionCount = 1;
    game->world.play.Explosions[1] = Explosion{0, 0, 1, 1, 0.0};
    game->world.play.BlastGuard = true;
    game->world.play.PlacedBombCount = 1;
    game->world.play.PlacedBombs[1] = PlacedBomb{3, 3, 0.0};
    game->world.play.IdleTime = 1999;
    game->world.play.IdleAnimTime = 300;
    ResetScreenState(*game);
    const std::string again =
        ReplayResultJson(PlayReplay(*game, script, [](Game& g, int64_t tick, int32_t) {
            if (tick == 1) {
                EXPECT_EQ(g.world.play.ExplosionCount, 0);
                EXPECT_EQ(g.world.play.PlacedBombCount, 0);
                EXPECT_FALSE(g.world.play.BlastGuard);
                EXPECT_EQ(g.world.play.IdleTime, 0);
            }
            return true;
        }));
    EXPECT_EQ(again, first);
}

}  // namespace
