// The game's own level set as built (Tolmara.lev): every level is made by its recorded replay in
// assets/replays, and the set as a whole has the size, variety and layout rules it promises.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/replay_run.h"
#include "game/replay_simulation.h"
#include "level/level_check.h"
#include "level/level_set_reader.h"
#include "screens/game.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string ReplayFolder() {
    return SourceDir() + "assets/replays/";
}

// The replay of level n is assets/replays/NN.replay.
std::string ReplayFileName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%02d.replay", n);
    return name;
}

// The replay files there, in name order.
std::vector<std::string> ReplayNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(ReplayFolder(), ec))
        if (entry.path().extension() == ".replay") names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

struct BuiltSet {
    LevelSetIndex Index;
    std::vector<LevelRecord> Levels;  // level 1 first
};

BuiltSet ReadBuiltSet() {
    const std::string path = BuiltGameDir() + "Tolmara.lev";
    const Bytes bytes = ReadFileBytes(path);
    ByteReader in(bytes, path);
    BuiltSet set;
    set.Index = ReadLevelSetIndex(in);
    const std::vector<std::string> problems = IndexProblems(set.Index, bytes.size());
    if (!problems.empty()) throw std::runtime_error(path + ": " + problems.front());
    for (int n = 1; n <= set.Index.LevelCount; ++n)
        set.Levels.push_back(ReadLevelRecord(in, set.Index, n));
    return set;
}

int CountTiles(const LevelRecord& level, int32_t tile) {
    int count = 0;
    for (const LevelRecordCell& cell : level.Cells) count += cell.Tile == tile ? 1 : 0;
    return count;
}

// Larger than one screen both ways: the view follows the player in both directions.
bool ScrollsBothWays(const LevelRecord& level) {
    return level.Cols > 14 && level.Rows > 10;
}

class LevelReplays : public ::testing::TestWithParam<std::string> {
  protected:
    static void SetUpTestSuite() { data_ = std::make_unique<BuiltDataFolder>(); }
    static void TearDownTestSuite() { data_.reset(); }
    static std::unique_ptr<BuiltDataFolder> data_;
};

std::unique_ptr<BuiltDataFolder> LevelReplays::data_;

// The replay is played as the runner plays it, on the built level set, and must reach the exit.
// It must play the level its name gives, at the standard speed, mortal, without the cheat mode.
TEST_P(LevelReplays, MakeTheirLevel) {
    const std::string name = GetParam();
    const ReplayScript script = ReadReplayFile(ReplayFolder() + name);
    EXPECT_EQ(ReplayFileName(script.Level), name);
    EXPECT_EQ(script.Levels, "Tolmara.lev");
    EXPECT_EQ(script.Speed, 300);
    EXPECT_EQ(script.Mortal, 1) << "a replay may not use the invincibility";

    std::unique_ptr<Game> game = StartReplayGame(script, data_->Path());
    const ReplayResult result = PlayReplay(*game, script);
    EXPECT_EQ(result.Outcome, "made")
        << name << " ends after " << result.Ticks << " ticks with " << result.InfotronsGot << " of "
        << result.InfotronsNeeded << " infotrons and " << result.Lives << " lives, the player at ("
        << result.PlayerX << ", " << result.PlayerY << ")";
    EXPECT_FALSE(game->input.CheatMode);
    EXPECT_EQ(game->world.play.Mortal, 1);
    // The world alone, without screens, pictures or sound, ends the same way to the last cell.
    EXPECT_EQ(ReplayResultJson(SimulateReplay(script, data_->Path())), ReplayResultJson(result));
}

INSTANTIATE_TEST_SUITE_P(Shipped, LevelReplays, ::testing::ValuesIn(ReplayNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "level_" + fs::path(info.param).stem().string();
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(LevelReplays);

TEST(LevelSet, PassesTheCheck) {
    const std::string path = BuiltGameDir() + "Tolmara.lev";
    for (const CheckFinding& finding :
         CheckLevelSet(ReadFileBytes(path), "Tolmara.lev", BuiltGameDir())) {
        EXPECT_TRUE(finding.Warning) << finding.Text;
    }
}

TEST(LevelSet, EveryLevelHasAReplay) {
    const BuiltSet set = ReadBuiltSet();
    for (int n = 1; n <= set.Index.LevelCount; ++n) {
        EXPECT_TRUE(fs::exists(ReplayFolder() + ReplayFileName(n)))
            << "level " << n << " has no replay " << ReplayFileName(n);
    }
}

struct SetMix {
    int scrolling = 0, huge = 0, spareInfotrons = 0;
};

// Counts the set's mix of levels and checks that small levels keep clear of the status bar.
SetMix MixOf(const BuiltSet& set) {
    SetMix mix;
    for (size_t i = 0; i < set.Levels.size(); ++i) {
        const LevelRecord& level = set.Levels[i];
        SCOPED_TRACE("level " + std::to_string(i + 1) + " \"" + level.LevelName + "\"");
        mix.scrolling += ScrollsBothWays(level) ? 1 : 0;
        mix.huge += level.Cols >= 60 && level.Rows >= 40 ? 1 : 0;
        const int infotrons = CountTiles(level, tcInfotron);
        mix.spareInfotrons += level.InfotronQuota > 0 && level.InfotronQuota < infotrons ? 1 : 0;
        // Up to 10 rows the view does not scroll down, and the status bar covers rows 9 and 10.
        if (level.Rows <= 10) {
            EXPECT_LE(level.Rows, 8);
        }
    }
    return mix;
}

// The size of the set and its mix of large and small levels.
TEST(LevelSet, SizesAndQuotas) {
    const BuiltSet set = ReadBuiltSet();
    EXPECT_EQ(set.Index.LevelCount, 40);
    const SetMix mix = MixOf(set);
    EXPECT_GE(mix.huge, 4) << "levels of 60 x 40 cells or more";
    EXPECT_GE(mix.scrolling, 16) << "levels larger than one screen both ways";
    EXPECT_GE(mix.spareInfotrons, 4) << "levels whose quota is below their infotron count";
    EXPECT_TRUE(std::any_of(set.Levels.begin(), set.Levels.end(), [](const LevelRecord& level) {
        return level.Cols == 99 && level.Rows == 99;
    })) << "a showpiece of the largest grid";
}

// A wall of any look: the breakable ceramic and the hard steel tiles without a rule of their own.
bool IsWall(int32_t tile) {
    return (tile >= 27 && tile <= 37) || (tile >= 40 && tile <= 48) || (tile >= 56 && tile <= 62) ||
           tile == 64 || tile == 69;
}

// The space of a level larger than one screen is play: at most a tenth of its cells are dead
// wall, a wall whose eight neighbours are walls too (outside the map counting as wall).
TEST(LevelSet, LargeLevelsAreMostlyPlay) {
    const BuiltSet set = ReadBuiltSet();
    for (size_t i = 0; i < set.Levels.size(); ++i) {
        const LevelRecord& level = set.Levels[i];
        if (level.Cols <= 16 && level.Rows <= 10) continue;
        auto wall = [&level](int r, int c) {
            return r < 1 || c < 1 || r > level.Rows || c > level.Cols ||
                   IsWall(level.CellAt(c, r).Tile);
        };
        int dead = 0;
        for (int r = 1; r <= level.Rows; ++r)
            for (int c = 1; c <= level.Cols; ++c) {
                bool enclosed = true;
                for (int dr = -1; dr <= 1 && enclosed; ++dr)
                    for (int dc = -1; dc <= 1 && enclosed; ++dc) enclosed = wall(r + dr, c + dc);
                dead += enclosed ? 1 : 0;
            }
        EXPECT_LE(dead * 10, level.Rows * level.Cols)
            << "level " << i + 1 << " \"" << level.LevelName << "\": " << dead
            << " dead wall cells of " << level.Rows * level.Cols;
    }
}

// Every tile code with a rule of its own appears in some level.
TEST(LevelSet, UsesEveryRuledTile) {
    const BuiltSet set = ReadBuiltSet();
    std::set<int32_t> used;
    for (const LevelRecord& level : set.Levels)
        for (const LevelRecordCell& cell : level.Cells) used.insert(cell.Tile);
    const std::map<int32_t, const char*> ruled{
        {tcInfotron, "infotron"},
        {tcLife, "life"},
        {tcFloor, "floor"},
        {16, "circuit 16"},
        {17, "circuit 17"},
        {18, "circuit 18"},
        {tcBomb, "bomb"},
        {tcBall, "ball"},
        {tcRedDynamite, "red dynamite"},
        {tcYellowDynamite, "yellow dynamite"},
        {tcTrapLeft, "trap entered moving left"},
        {tcTrapDown, "trap entered moving down"},
        {tcTrapUp, "trap entered moving up"},
        {tcTrapRight, "trap entered moving right"},
        {tcMonsterTurning, "turning monster"},
        {tcMonsterCrawling, "crawling monster"},
        {tcPortRight, "port right"},
        {tcPortDown, "port down"},
        {tcPortLeft, "port left"},
        {tcPortUp, "port up"},
        {tcTerminal, "dynamite terminal"},
        {tcOneShotTerminal, "one-shot terminal"},
        {tcExit, "exit"},
        {tcHazard, "hazard"},
        {tcDriftLeft, "drift left"},
        {tcDriftRight, "drift right"},
        {tcAnimated, "animated tile"},
    };
    for (const auto& [tile, name] : ruled) {
        EXPECT_TRUE(used.count(tile)) << "no level uses the " << name << " (" << tile << ")";
    }
}

}  // namespace
