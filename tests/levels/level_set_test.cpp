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
#include "game/world.h"
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
        mix.huge += level.Cols > 60 || level.Rows > 40 ? 1 : 0;
        const int infotrons = CountTiles(level, tcInfotron);
        mix.spareInfotrons += level.InfotronQuota > 0 && level.InfotronQuota < infotrons ? 1 : 0;
        // Up to 10 rows the view does not scroll down, and the status bar covers rows 9 and 10.
        if (level.Rows <= 10) {
            EXPECT_LE(level.Rows, 8);
        }
    }
    return mix;
}

// The size of the set and its mix of large and small levels: most levels fit a few screens, and
// only a few are large journeys.
TEST(LevelSet, SizesAndQuotas) {
    const BuiltSet set = ReadBuiltSet();
    EXPECT_EQ(set.Index.LevelCount, 40);
    const SetMix mix = MixOf(set);
    EXPECT_LE(mix.huge, 4) << "levels larger than 60 x 40 cells";
    EXPECT_GE(mix.scrolling, 16) << "levels larger than one screen both ways";
    EXPECT_GE(mix.spareInfotrons, 3) << "levels whose quota is below their infotron count";
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

// The second half of the set (levels 23 on) is measured against the rules its levels were
// designed by: no fill of circuits, pieces everywhere, walls built as rooms, quotas that ask for
// nearly everything, proofs that cost no life, and starts and exits placed by each level's idea.
constexpr int kFirstLevelOfSecondHalf = 23;

bool IsObject(int32_t tile) {
    const bool plain = tile == tcFloor || tile == tcEmpty ||
                       (tile >= tcCircuit1 && tile <= tcCircuit3) || tile == tcAnimated;
    return !plain && !IsWall(tile);
}

struct ProofRun {
    int32_t Made = 0;  // infotrons crushed sparks left
    bool LostALife = false;
    std::string Outcome;
};

// Plays the level's proof on the world alone and watches every tick: a spark that disappears was
// crushed where it stood, and the infotrons new around that cell are what it made.
ProofRun WatchProof(int n, const std::string& dataDir) {
    const ReplayScript script = ReadReplayFile(ReplayFolder() + ReplayFileName(n));
    ProofRun run;
    std::vector<int32_t> before;
    std::vector<std::pair<int32_t, int32_t>> sparksBefore;
    int32_t livesBefore = -1;
    auto tileAt = [](const std::vector<int32_t>& tiles, int r, int c) {
        return tiles[static_cast<size_t>(r) * kGridSize + static_cast<size_t>(c)];
    };
    const ReplayResult result = SimulateReplay(script, dataDir, [&](const World& world, int64_t) {
        std::vector<int32_t> now(static_cast<size_t>(kGridSize) * kGridSize);
        for (int r = 0; r < kGridSize; ++r)
            for (int c = 0; c < kGridSize; ++c)
                now[static_cast<size_t>(r) * kGridSize + static_cast<size_t>(c)] =
                    world.level.Cells[r][c].Tile;
        std::vector<std::pair<int32_t, int32_t>> sparks;
        for (int m = 1; m <= world.level.MonsterCount; ++m)
            if (world.level.Monsters[m].Kind == tcMonsterCrawling)
                sparks.emplace_back(world.level.Monsters[m].Row, world.level.Monsters[m].Col);
        if (!before.empty()) {
            for (const auto& [row, col] : sparksBefore) {
                if (std::find(sparks.begin(), sparks.end(), std::pair(row, col)) != sparks.end())
                    continue;
                for (int r = row - 1; r <= row + 1; ++r)
                    for (int c = col - 1; c <= col + 1; ++c)
                        if (tileAt(now, r, c) == tcInfotron && tileAt(before, r, c) != tcInfotron)
                            ++run.Made;
            }
        }
        if (livesBefore >= 0 && world.play.Lives < livesBefore) run.LostALife = true;
        livesBefore = world.play.Lives;
        before = std::move(now);
        sparksBefore = std::move(sparks);
    });
    run.Outcome = result.Outcome;
    return run;
}

TEST(SecondHalf, MeetsTheDesignRules) {
    const BuiltSet set = ReadBuiltSet();
    const BuiltDataFolder data;
    int withinFourScreens = 0;
    for (int n = kFirstLevelOfSecondHalf; n <= set.Index.LevelCount; ++n) {
        const LevelRecord& level = set.Levels[static_cast<size_t>(n - 1)];
        SCOPED_TRACE("level " + std::to_string(n) + " \"" + level.LevelName + "\"");
        const int cells = level.Rows * level.Cols;
        int circuits = 0, objects = 0, infotrons = 0, walls = 0, scattered = 0;
        auto wallAt = [&level](int r, int c) {
            return r >= 1 && c >= 1 && r <= level.Rows && c <= level.Cols &&
                   IsWall(level.CellAt(c, r).Tile);
        };
        for (int r = 1; r <= level.Rows; ++r)
            for (int c = 1; c <= level.Cols; ++c) {
                const int32_t tile = level.CellAt(c, r).Tile;
                circuits += tile >= tcCircuit1 && tile <= tcCircuit3 ? 1 : 0;
                objects += IsObject(tile) ? 1 : 0;
                infotrons += tile == tcInfotron ? 1 : 0;
                if (!IsWall(tile)) continue;
                ++walls;
                const bool alone = !wallAt(r - 1, c) && !wallAt(r + 1, c) && !wallAt(r, c - 1) &&
                                   !wallAt(r, c + 1);
                scattered += alone ? 1 : 0;
            }
        withinFourScreens += level.Cols <= 40 && level.Rows <= 24 ? 1 : 0;
        EXPECT_LE(circuits * 100, cells * 60) << circuits << " circuits in " << cells << " cells";
        // A screen is 16 x 10 cells: at least 8 pieces in every 160 cells.
        EXPECT_GE(objects * 160, cells * 8) << objects << " objects in " << cells << " cells";
        EXPECT_LE(scattered * 20, std::max(walls, 40))
            << scattered << " of " << walls << " walls stand alone";

        const ProofRun proof = WatchProof(n, data.Path());
        EXPECT_EQ(proof.Outcome, "made");
        EXPECT_FALSE(proof.LostALife) << "the intended route costs a life";
        const int held = infotrons + proof.Made;
        const int quota = level.InfotronQuota > 0 ? level.InfotronQuota : infotrons;
        EXPECT_GE(quota * 100, held * 80)
            << "quota " << quota << " of " << held << " infotrons held (" << proof.Made
            << " made by sparks)";
    }
    const int secondHalf = set.Index.LevelCount - kFirstLevelOfSecondHalf + 1;
    EXPECT_GT(withinFourScreens * 2, secondHalf) << "levels within about four screens (40 x 24)";
}

// Where the player starts and where the exit is follow each level's idea: the second half does not
// keep going from the top-left corner to the bottom-right one.
TEST(SecondHalf, StartsAndExitsVary) {
    const BuiltSet set = ReadBuiltSet();
    std::map<std::pair<int, int>, int> starts;
    for (int n = kFirstLevelOfSecondHalf; n <= set.Index.LevelCount; ++n) {
        const LevelRecord& level = set.Levels[static_cast<size_t>(n - 1)];
        SCOPED_TRACE("level " + std::to_string(n) + " \"" + level.LevelName + "\"");
        const int startCol = level.StartX / 40, startRow = level.StartY / 40;
        ++starts[{startRow, startCol}];
        bool exitInBottomRight = false;
        for (int r = 1; r <= level.Rows; ++r)
            for (int c = 1; c <= level.Cols; ++c)
                if (level.CellAt(c, r).Tile == tcExit)
                    exitInBottomRight |= r > level.Rows - 3 && c > level.Cols - 3;
        EXPECT_FALSE(startRow <= 3 && startCol <= 3 && exitInBottomRight)
            << "starts in the top-left corner and leaves by the bottom-right one";
    }
    for (const auto& [cell, count] : starts)
        EXPECT_LE(count, 3) << count << " levels start in row " << cell.first << ", column "
                            << cell.second;
}

}  // namespace
