// Runs made through the game's own screens become records: the run is recorded as it is played
// (pauses included), played again headless, kept when it is the player's best, and every attempt
// adds to the player's statistics.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/import_run.h"
#include "app/replay_run.h"
#include "app/session.h"
#include "game/replay_simulation.h"
#include "game/world_hash.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "store/atomic_write.h"
#include "store/records.h"
#include "support/test_support.h"

namespace {

class RecordsInPlay : public ::testing::Test {
  protected:
    // A game on the built data folder, to play `script` as player Ann with the records of a
    // temporary folder.
    std::unique_ptr<Game> StartAsAnn(const ReplayScript& script) {
        std::unique_ptr<Game> game = StartReplayGame(script, data.Path());
        game->players.PlayerCount = 1;
        game->players.CurrentPlayer = 1;
        game->players.PlayerNames[1] = "Ann";
        std::string notice;
        game->records = RecordStore::Open(records.File(kRecordsFile), notice);
        return game;
    }
    // Plays `script` through the screens as player Ann, with the records of a temporary folder.
    RunOutcome Play(const ReplayScript& script) {
        std::unique_ptr<Game> game = StartAsAnn(script);
        PlayReplay(*game, script);
        return game->run.Last;
    }
    std::unique_ptr<RecordStore> Records() {
        std::string notice;
        return RecordStore::Open(records.File(kRecordsFile), notice);
    }

    BuiltDataFolder data;
    TempDir records;
};

ReplayScript LevelOneWith(int64_t waitTicks, bool pause) {
    ReplayScript script = ReadReplayFile(SourceDir() + "assets/replays/01.replay");
    std::vector<ReplayStep> steps;
    for (const ReplayStep& step : script.Steps) {
        steps.push_back(step);
        if (steps.size() != 2) continue;
        // After the first walk: a wait, and a pause that the cells animate through.
        if (waitTicks > 0) steps.push_back(ReplayStep{waitTicks, 17, {}, 0});
        if (pause) {
            steps.push_back(ReplayStep{1, 17, {ReplayKey::P}, 0});
            steps.push_back(ReplayStep{23, 17, {}, 0});
            steps.push_back(ReplayStep{1, 17, {ReplayKey::P, ReplayKey::Down}, 0});
        }
    }
    script.Steps = steps;
    return script;
}

TEST_F(RecordsInPlay, TheBestVerifiedRunIsKeptWithItsReplay) {
    const RunOutcome first = Play(LevelOneWith(60, true));
    ASSERT_TRUE(first.Timed);
    EXPECT_TRUE(first.NewBest) << first.NotKept;
    EXPECT_EQ(first.BestMs, -1);

    const RunOutcome faster = Play(LevelOneWith(0, false));
    EXPECT_TRUE(faster.NewBest) << faster.NotKept;
    EXPECT_EQ(faster.BestMs, first.TimeMs);
    EXPECT_LT(faster.TimeMs + 1000, first.TimeMs);

    const RunOutcome slower = Play(LevelOneWith(10, false));
    EXPECT_FALSE(slower.NewBest);
    EXPECT_EQ(slower.BestMs, faster.TimeMs);

    auto store = Records();
    const std::vector<RunRecord> board = store->Board("Tolmara.lev", 1, 300);
    ASSERT_EQ(board.size(), 1u);
    EXPECT_EQ(board[0].Player, "Ann");
    EXPECT_EQ(board[0].TimeMs, faster.TimeMs);
    EXPECT_TRUE(board[0].Verified);
    // The kept replay makes the level on the rules alone, every check agreeing.
    const ReplayScript kept = ParseReplay(board[0].Replay, "kept.replay");
    EXPECT_FALSE(kept.Checks.empty());
    const ReplayResult again = SimulateReplay(kept, data.Path());
    EXPECT_EQ(again.Outcome, "made");
    EXPECT_EQ(again.DivergedAtTick, 0);

    EXPECT_EQ(store->Choice("last player", ""), "Ann") << "the game starts with her next time";
    const LevelStats stats = store->StatsOf("Tolmara.lev", 1, "Ann");
    EXPECT_EQ(stats.Attempts, 3);
    EXPECT_EQ(stats.TimesMade, 3);
    EXPECT_EQ(stats.LivesLost, 0);
    EXPECT_GE(stats.TimePlayedMs, first.TimeMs + faster.TimeMs + slower.TimeMs);
}

// A level given up counts as an attempt with its time, and sets nothing.
TEST_F(RecordsInPlay, AGivenUpLevelCountsOnlyInTheStatistics) {
    ReplayScript script = LevelOneWith(0, false);
    script.Steps.resize(3);
    script.Steps.push_back(ReplayStep{1, 17, {ReplayKey::Escape}, 0});
    script.Steps.push_back(ReplayStep{200, 17, {}, 0});
    const RunOutcome run = Play(script);
    EXPECT_FALSE(run.Timed);
    auto store = Records();
    EXPECT_TRUE(store->Board("Tolmara.lev", 1, 300).empty());
    const LevelStats stats = store->StatsOf("Tolmara.lev", 1, "Ann");
    EXPECT_EQ(stats.Attempts, 1);
    EXPECT_EQ(stats.TimesMade, 0);
    EXPECT_EQ(stats.LivesLost, 0) << "giving up takes no life of the level's";
    EXPECT_GT(stats.TimePlayedMs, 0);
}

}  // namespace

namespace {

// The board lists the kept run, verified; Enter plays it on the play screen to its exit, and the
// board comes back; a run whose replay no longer makes the level is shown as unverified.
TEST_F(RecordsInPlay, TheBoardListsAndPlaysTheKeptRun) {
    const ReplayScript script = LevelOneWith(0, false);
    std::unique_ptr<Game> game = StartAsAnn(script);
    PlayReplay(*game, script);
    ASSERT_TRUE(game->run.Last.NewBest);
    EXPECT_EQ(ShownBestTime(*game, 1), game->run.Last.TimeMs);
    EXPECT_EQ(ShownBestTime(*game, 2), -1);

    game->screens.board.Level = 1;
    SetScreen(*game, Screen::RecordsBoard);
    RunTick(*game, 17);
    const BoardState& board = game->screens.board;
    ASSERT_EQ(board.Runs.size(), 1u);
    EXPECT_TRUE(board.Runs[0].Verified);
    EXPECT_EQ(board.StatsOf, "Ann");
    EXPECT_EQ(board.Stats.TimesMade, 1);

    game->input.EnterPressed = true;
    RunTick(*game, 17);
    ASSERT_EQ(game->screens.CurrentScreen, Screen::RunWatch);
    bool reachedTheExit = false;
    for (int tick = 0; tick < 5000 && game->screens.CurrentScreen == Screen::RunWatch; ++tick) {
        RunTick(*game, 17);
        reachedTheExit |= game->world.play.ExitReached;
    }
    EXPECT_TRUE(reachedTheExit);
    EXPECT_EQ(game->screens.CurrentScreen, Screen::RecordsBoard);

    // The run's replay no longer makes its time (as after a change of the level): unverified,
    // and still listed.
    RunRecord kept = board.Runs[0];
    auto store = Records();
    RunRecord slower = kept;
    slower.Player = "Bo";
    slower.Replay = ReplayScriptText(LevelOneWith(5, false), "Bo's run, stored with Ann's time");
    ASSERT_TRUE(store->OfferRun(slower));
    SetScreen(*game, Screen::RecordsBoard);
    RunTick(*game, 17);
    ASSERT_EQ(board.Runs.size(), 2u);
    EXPECT_FALSE(board.Runs[1].Verified);
    EXPECT_FALSE(store->Board("Tolmara.lev", 1, 300)[1].Verified);
}

}  // namespace

namespace {

// With the ghost shown, a later run sees the best run's figure where that run stood at the same
// game time; the world plays exactly as without it, only the picture differs.
TEST_F(RecordsInPlay, TheGhostFollowsTheBestRunAndChangesNothingElse) {
    std::map<int64_t, std::pair<double, double>> bestPlaces;  // game time -> centre
    auto start = [&](const ReplayScript& script, bool ghost) {
        std::unique_ptr<Game> game = StartAsAnn(script);
        SetGhostShown(*game, ghost);
        return game;
    };
    const ReplayScript best = LevelOneWith(0, false);
    {
        std::unique_ptr<Game> game = start(best, false);
        PlayReplay(*game, best, [&](Game& g, int64_t, int32_t) {
            const PlayState& p = g.world.play;
            bestPlaces[static_cast<int64_t>(p.LevelTime)] = {p.PlayerPosX, p.PlayerPosY};
            return true;
        });
        ASSERT_TRUE(game->run.Last.NewBest);
    }

    const ReplayScript later = LevelOneWith(40, true);
    std::vector<uint64_t> plainWorlds;
    std::vector<std::vector<uint16_t>> plainFrames;
    {
        std::unique_ptr<Game> game = start(later, false);
        PlayReplay(*game, later, [&](Game& g, int64_t, int32_t) {
            plainWorlds.push_back(WorldHash(g.world));
            plainFrames.push_back(g.media.Back.Pixels);
            return true;
        });
    }
    std::unique_ptr<Game> game = start(later, true);
    size_t tick = 0, followed = 0, framesDiffering = 0;
    PlayReplay(*game, later, [&](Game& g, int64_t, int32_t) {
        EXPECT_EQ(WorldHash(g.world), plainWorlds[tick]) << "tick " << tick;
        framesDiffering += g.media.Back.Pixels != plainFrames[tick] ? 1 : 0;
        ++tick;
        const GhostSample* ghost = GhostNow(g);
        const auto at = bestPlaces.find(static_cast<int64_t>(g.world.play.LevelTime));
        if (ghost && at != bestPlaces.end() && tick % 7 == 0) {
            EXPECT_EQ(ghost->X, at->second.first) << "tick " << tick;
            EXPECT_EQ(ghost->Y, at->second.second) << "tick " << tick;
            ++followed;
        }
        return true;
    });
    EXPECT_EQ(tick, plainWorlds.size());
    EXPECT_GT(followed, 10u);
    EXPECT_GT(framesDiffering, tick / 2) << "the ghost is drawn";
}

}  // namespace

namespace {

// A run exported as a replay file can be imported for another player: checked by playing it,
// then kept like a run made in the game; a file whose run does not make its level is refused
// with the file named.
TEST_F(RecordsInPlay, ARunFileIsCheckedBeforeItIsImported) {
    ASSERT_TRUE(Play(LevelOneWith(0, false)).NewBest);
    const RunRecord ann = *Records()->BestOf("Tolmara.lev", 1, "Ann", 300);
    const std::string file = records.File("ann-01.replay");
    WriteFileAtomically(file, Bytes(ann.Replay.begin(), ann.Replay.end()));
    const GameFolders folders{data.Path(), records.Path()};
    EXPECT_EQ(ImportRun(folders, file, "Cy"), 0);
    const auto cy = Records()->BestOf("Tolmara.lev", 1, "Cy", 300);
    ASSERT_TRUE(cy);
    EXPECT_EQ(cy->TimeMs, ann.TimeMs);
    EXPECT_EQ(ImportRun(folders, file, "Cy"), 0) << "checked, not kept: no faster";

    ReplayScript cut = ParseReplay(ann.Replay, "ann");
    cut.Steps.resize(3);
    cut.Checks.clear();
    const std::string text = ReplayScriptText(cut, "cut short");
    const std::string shortFile = records.File("short.replay");
    WriteFileAtomically(shortFile, Bytes(text.begin(), text.end()));
    testing::internal::CaptureStderr();
    EXPECT_EQ(ImportRun(folders, shortFile, "Di"), 1);
    EXPECT_EQ(ImportRun(folders, records.File("missing.replay"), "Di"), 1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(shortFile + ": the run does not make level 1 of Tolmara.lev"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("missing.replay"), std::string::npos) << errors;
    EXPECT_FALSE(Records()->BestOf("Tolmara.lev", 1, "Di", 300));
}

}  // namespace

namespace {

// As in a real session: the second run is played in the same game after the first one ended,
// and it plays again headless (from a fresh world) exactly as it went.
TEST_F(RecordsInPlay, ASecondRunInTheSameGameIsKeptToo) {
    const ReplayScript slower = LevelOneWith(60, false), faster = LevelOneWith(0, false);
    std::unique_ptr<Game> game = StartAsAnn(slower);
    PlayReplay(*game, slower);
    ASSERT_TRUE(game->run.Last.NewBest);
    for (int tick = 0; tick < 200; ++tick) RunTick(*game, 17);  // the level end, the players
    PlayReplay(*game, faster);
    EXPECT_TRUE(game->run.Last.NewBest) << game->run.Last.NotKept;
}

}  // namespace
