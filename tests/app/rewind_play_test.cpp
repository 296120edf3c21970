// Rewind in the game's own play screen: Backspace tapped, held and pressed while paused steps the
// run back; the run's replay is its kept timeline, marked as practice, and plays headless to the
// same end as the live run.
#include <gtest/gtest.h>

#include "app/replay_run.h"
#include "app/session.h"
#include "game/replay_simulation.h"
#include "screens/game.h"
#include "screens/input_flags.h"
#include "screens/screen_dispatch.h"
#include "store/records.h"
#include "support/test_support.h"

namespace {

class RewindInPlay : public ::testing::Test {
  protected:
    void SetUp() override {
        const ReplayScript script = ReadReplayFile(SourceDir() + "assets/replays/01.replay");
        game_ = StartReplayGame(script, data_.Path());
        game_->players.PlayerCount = 1;
        game_->players.CurrentPlayer = 1;
        game_->players.PlayerNames[1] = "Ann";
        std::string notice;
        game_->records = RecordStore::Open(records_.File(kRecordsFile), notice);
        game_->world.play.CurrentLevel = 1;
        SetScreen(*game_, Screen::LevelStart);
        Ticks(2);
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) RunTick(*game_, 17);
    }
    void Hold(int vk, int ticks) {
        PressKey(*game_, vk);
        Ticks(ticks);
        ReleaseKey(*game_, vk);
    }
    void Type(char c) {
        TypeChar(*game_, static_cast<uint8_t>(c));
        Ticks(1);
    }

    BuiltDataFolder data_;
    TempDir records_;
    std::unique_ptr<Game> game_;
};

TEST_F(RewindInPlay, ARewoundRunPlaysAgainToTheSameEnd) {
    Game& game = *game_;
    Hold(vkRight, 150);
    const double before = game.world.play.LevelTime;
    PressKey(game, vkBack);  // a tap, repeated by the system while held: one second back
    Ticks(1);
    PressKey(game, vkBack);
    Ticks(1);
    ReleaseKey(game, vkBack);
    EXPECT_NEAR(game.world.play.LevelTime, before - 1000, 40);
    EXPECT_TRUE(game.run.Script.Practice);
    Hold(vkRight, 130);
    const double held = game.world.play.LevelTime;
    Hold(vkBack, 40);  // held: on going back after a moment
    EXPECT_LT(game.world.play.LevelTime, held - 1500);
    EXPECT_GT(game.world.play.LevelTime, 0);
    Hold(vkRight, 70);
    Type('p');
    ASSERT_TRUE(game.input.Paused);
    const int64_t pausedAt = game.run.Ticks;
    for (int i = 0; i < 3; ++i) Hold(vkBack, 1);  // paused: one tick each
    EXPECT_EQ(game.run.Ticks, pausedAt - 3);
    EXPECT_TRUE(game.input.Paused);
    Type('p');
    // The rest of the winding corridor to the exit.
    Hold(vkRight, 130);
    Hold(vkDown, 20);
    Hold(vkLeft, 130);
    Hold(vkDown, 20);
    Hold(vkRight, 130);
    Hold(vkDown, 30);
    Hold(vkLeft, 130);
    Ticks(60);
    ASSERT_EQ(game.screens.CurrentScreen, Screen::LevelEnd);
    ASSERT_EQ(game.world.play.LevelOutcome, kOutcomeMade);
    EXPECT_FALSE(game.run.Last.NewBest) << "practice sets no record";
    EXPECT_NE(game.run.Last.NotKept.find("practice"), std::string::npos);
    EXPECT_TRUE(game.records->Board("Tolmara.lev", 1, 300).empty());

    const ReplayScript kept =
        ParseReplay(ReplayScriptText(game.run.Script, "a rewound run"), "rewound.replay");
    EXPECT_TRUE(kept.Practice);
    const ReplayResult again = SimulateReplay(kept, data_.Path());
    const ReplayResult live = ResultOfWorld(game.world, true, game.run.Ticks);
    EXPECT_EQ(again.Outcome, "made");
    EXPECT_EQ(again.DivergedAtTick, 0);
    EXPECT_EQ(again.Ticks, live.Ticks);
    EXPECT_EQ(again.Grid, live.Grid);
    EXPECT_EQ(again.LevelTimeMs, live.LevelTimeMs);
}

}  // namespace
