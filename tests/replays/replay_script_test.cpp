// The replay text: header defaults, steps and keys, and errors that name the line.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/replay_run.h"
#include "game/replay_simulation.h"
#include "game/world.h"
#include "media/byte_io.h"
#include "screens/game.h"
#include "support/test_support.h"

namespace {

std::string ErrorOf(const std::string& text) {
    try {
        ParseReplay(text, "t.rpl");
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(ReplayScript, ReadsHeaderStepsAndComments) {
    const ReplayScript s = ParseReplay(
        "# a comment\n"
        "levels Tolmara.lev   # the standard set\n"
        "level 3\n"
        "\n"
        "20 17 Right\n"
        "5 17\r\n"
        "1 17 Space Up\n",
        "t.rpl");
    EXPECT_EQ(s.Levels, "Tolmara.lev");
    EXPECT_EQ(s.Level, 3);
    EXPECT_EQ(s.Speed, 300);
    EXPECT_EQ(s.Seed, 1u);
    EXPECT_EQ(s.Character, 1);
    EXPECT_EQ(s.Mortal, 1);
    ASSERT_EQ(s.Steps.size(), 3u);
    EXPECT_EQ(s.Steps[0].Count, 20);
    EXPECT_EQ(s.Steps[0].Lag, 17);
    EXPECT_EQ(s.Steps[0].Keys, std::vector<ReplayKey>{ReplayKey::Right});
    EXPECT_TRUE(s.Steps[1].Keys.empty());
    EXPECT_EQ(s.Steps[2].Keys, (std::vector<ReplayKey>{ReplayKey::Space, ReplayKey::Up}));
    EXPECT_EQ(s.Steps[2].Line, 7);
}

TEST(ReplayScript, ReadsOptionalSettingsAndEveryKeyName) {
    const ReplayScript s = ParseReplay(
        "levels ../x/set.lev\nlevel 1\nspeed 200\nseed 18446744073709551615\ncharacter 0\n"
        "mortal 0\n1 1 Up Down Left Right Space Ctrl Escape Enter P C F1\n",
        "t.rpl");
    EXPECT_EQ(s.Levels, "../x/set.lev");
    EXPECT_EQ(s.Speed, 200);
    EXPECT_EQ(s.Seed, 18446744073709551615u);
    EXPECT_EQ(s.Character, 0);
    EXPECT_EQ(s.Mortal, 0);
    ASSERT_EQ(s.Steps.size(), 1u);
    EXPECT_EQ(s.Steps[0].Keys.size(), 11u);
}

TEST(ReplayScript, ErrorsNameTheLineAndTheFault) {
    const std::string head = "levels a.lev\nlevel 1\n";
    EXPECT_EQ(ErrorOf(head + "3 17 Jump\n"), "t.rpl, line 3: unknown key 'Jump'");
    EXPECT_EQ(ErrorOf(head + "3 17 up\n"), "t.rpl, line 3: unknown key 'up'");
    EXPECT_EQ(ErrorOf(head + "5\n"), "t.rpl, line 3: a step is COUNT LAG KEY...");
    EXPECT_EQ(ErrorOf(head + "\n5 0\n"), "t.rpl, line 4: lag 0 out of range 1..100000");
    EXPECT_EQ(ErrorOf(head + "5x 17\n"), "t.rpl, line 3: '5x' is not a valid tick count");
    EXPECT_EQ(ErrorOf(head + "-1 17\n"), "t.rpl, line 3: tick count -1 out of range 0..100000000");
    EXPECT_EQ(ErrorOf(head + "1 17 Up Up\n"), "t.rpl, line 3: key 'Up' listed twice");
    EXPECT_EQ(ErrorOf(head + "jump 3\n"), "t.rpl, line 3: unknown word 'jump'");
    EXPECT_EQ(ErrorOf(head + "speed 500\n"), "t.rpl, line 3: speed 500 out of range 200..400");
    EXPECT_EQ(ErrorOf(head + "character 2\n"), "t.rpl, line 3: character 2 out of range 0..1");
    EXPECT_EQ(ErrorOf(head + "level\n"), "t.rpl, line 3: 'level' takes one value");
    EXPECT_EQ(ErrorOf(head + "1 17\nseed 4\n"), "t.rpl, line 4: 'seed' after the steps");
    EXPECT_EQ(ErrorOf("level 1\n1 17\n"), "t.rpl: no 'levels' line");
    EXPECT_EQ(ErrorOf("levels a.lev\n1 17\n"), "t.rpl: no 'level' line");
    EXPECT_EQ(ErrorOf(head + "level 2\n"), "t.rpl, line 3: 'level' given twice");
    EXPECT_EQ(ErrorOf(head + "levels b.lev\n"), "t.rpl, line 3: 'levels' given twice");
    EXPECT_EQ(
        ErrorOf(head + std::string(10'000'000, 'w') + "\n"),
        "t.rpl, line 3: unknown word '" + std::string(40, 'w') + "...' (10000000 characters)");
    // More than 24 hours of game time, in one step or over several.
    EXPECT_EQ(ErrorOf(head + "100000000 1\n"),
              "t.rpl, line 3: the replay runs past 24 hours of game time");
    EXPECT_EQ(ErrorOf(head + "80000000 1\n400000 17\n"),
              "t.rpl, line 4: the replay runs past 24 hours of game time");
    EXPECT_TRUE(ErrorOf(head + "86400000 1\n").empty());
}

// The file's bytes reach a message written out: a zero byte does not cut it short and a terminal
// gets no escape sequence to act on.
TEST(ReplayScript, ErrorsWriteOutControlBytes) {
    const std::string head = "levels a.lev\nlevel 1\n";
    EXPECT_EQ(ErrorOf(head + std::string("3 17 Up\0\x1b[2J\n", 13)),
              "t.rpl, line 3: unknown key 'Up\\x00\\x1b[2J'");
    EXPECT_EQ(ErrorOf(std::string("levels a\x1b]0;x\x07.lev\nlevel 1\n")),
              "t.rpl, line 1: the level set name 'a\\x1b]0;x\\x07.lev' holds a control character");
}

TEST(ReplayScript, AFolderGivenAsTheReplayIsNoFile) {
    TempDir dir;
    try {
        ReadReplayFile(dir.Path());
        FAIL() << "a folder was read as a replay";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), dir.Path() + ": cannot open file (a folder)");
    }
}

TEST(ReplayScript, ResultIsOneJsonObjectInAFixedOrder) {
    ReplayResult r;
    r.Outcome = "made";
    r.Ticks = 12;
    r.LevelTimeMs = 220;
    r.Lives = -1;
    r.Bombs = 2;
    r.InfotronsGot = 3;
    r.InfotronsNeeded = 4;
    r.PlayerX = 60;
    r.PlayerY = 100;
    r.Monsters = 1;
    r.Moving = 0;
    r.Grid = {{1, 3, 2}, {4, 15, 4}, {5, 3, 6}};
    EXPECT_EQ(ReplayResultJson(r),
              "{\n  \"outcome\": \"made\",\n  \"ticks\": 12,\n  \"level_time_ms\": 220,\n"
              "  \"lives\": -1,\n  \"bombs\": 2,\n  \"infotrons_got\": 3,\n"
              "  \"infotrons_needed\": 4,\n  \"player\": {\"x\": 60, \"y\": 100},\n"
              "  \"monsters\": 1,\n  \"moving\": 0,\n  \"grid\": [\n    [1,3,2],\n"
              "    [4,15,4],\n    [5,3,6]\n  ]\n}\n");
}

}  // namespace

// A replay carries the world's fingerprint every second of game time: played again unchanged,
// on the rules alone or through the game's screens, every check agrees; with one key changed
// the first check after the change names the tick where the play went another way.
TEST(ReplayScript, WorldChecksShowWhereAPlayWentAnotherWay) {
    const BuiltDataFolder data;
    ReplayScript recorded = ReadReplayFile(SourceDir() + "assets/replays/11.replay");
    ASSERT_TRUE(recorded.Checks.empty());
    ReplayScript withChecks = recorded;
    int64_t lastLag = 17;
    SimulateReplay(recorded, data.Path(), [&](const World& world, int64_t tick) {
        RecordWorldCheck(withChecks, world, tick, lastLag);
    });
    ASSERT_GT(withChecks.Checks.size(), 20u) << "one a second of a 25 s run";

    const std::string text = ReplayScriptText(withChecks, "with checks\nevery second");
    const ReplayScript read = ParseReplay(text, "checked.replay");
    ASSERT_EQ(read.Checks.size(), withChecks.Checks.size());
    EXPECT_EQ(read.Checks.back().Hash, withChecks.Checks.back().Hash);
    const ReplayResult again = SimulateReplay(read, data.Path());
    EXPECT_TRUE(again.Checked);
    EXPECT_EQ(again.DivergedAtTick, 0);
    EXPECT_EQ(again.LastAgreedTick, read.Checks.back().Tick);
    std::unique_ptr<Game> game = StartReplayGame(read, data.Path());
    EXPECT_EQ(ReplayResultJson(PlayReplay(*game, read)), ReplayResultJson(again));

    // The first walk goes left instead of right: nothing before it differs.
    ReplayScript changed = read;
    int64_t firstTick = 1;
    for (ReplayStep& step : changed.Steps) {
        if (!step.Keys.empty()) {
            step.Keys = {ReplayKey::Down};
            break;
        }
        firstTick += step.Count;
    }
    const ReplayResult other = SimulateReplay(changed, data.Path());
    int64_t firstCheckAfter = 0;
    for (const WorldCheck& check : read.Checks)
        if (check.Tick > firstTick && firstCheckAfter == 0) firstCheckAfter = check.Tick;
    EXPECT_EQ(other.DivergedAtTick, firstCheckAfter);
    EXPECT_NE(
        ReplayResultJson(other).find("\"diverged_at_tick\": " + std::to_string(firstCheckAfter)),
        std::string::npos);

    EXPECT_NE(ErrorOf("levels a.lev\nlevel 1\ncheck 5 xyz\n").find("line 3: a fingerprint"),
              std::string::npos);
    EXPECT_NE(ErrorOf("levels a.lev\nlevel 1\ncheck 5 1\ncheck 5 2\n").find("line 4: checks"),
              std::string::npos);
}
