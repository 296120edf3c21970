// The game's own first levels played through the real screens: each one is made by a recorded
// walk, so a change of a level or of a rule that makes one impossible shows here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/game.h"
#include "app/replay_run.h"
#include "level/level_source.h"
#include "level/level_writer.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

// The shipped sources built into a data folder of test pictures and sounds.
void WriteShippedSet(const std::string& dir) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() + "assets/levels"))
        if (entry.path().extension() == ".lvl") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    std::vector<LevelSourceText> sources;
    for (const std::string& path : paths) {
        Bytes bytes = ReadFileBytes(path);
        sources.push_back({path, std::string(bytes.begin(), bytes.end())});
    }
    WriteFileAtomically(dir + "Tolmara.lev", WriteLevelSet(ParseLevelSources(sources)));
}

struct Walk {
    int Level;
    const char* Steps;  // a cell takes 7 ticks of 20 ms at speed 300; a held key runs to a wall
    int Infotrons;
};

const Walk kWalks[] = {
    // Down two, the middle row, the bottom row there and back, up below the exit.
    {1,
     "10 20 Down\n10 20\n120 20 Right\n100 20 Down\n120 20 Left\n120 20 Right\n120 20 Up\n40 20\n",
     4},
    // The left pit, the middle row, the right pit, the top row through the shaft, then the exit.
    {2,
     "100 20 Down\n60 20 Right\n60 20 Left\n18 20 Up\n10 20\n120 20 Right\n100 20 Down\n"
     "60 20 Left\n60 20 Right\n18 20 Up\n10 20\n39 20 Left\n10 20\n100 20 Up\n60 20 Right\n"
     "32 20 Left\n10 20\n11 20 Down\n10 20\n60 20 Right\n40 20 Up\n40 20\n",
     5},
    // Through the port, round the lower half, and up the right-hand column.
    {3,
     "5 20 Down\n10 20\n120 20 Right\n60 20 Left\n60 20 Up\n60 20 Right\n100 20 Down\n"
     "120 20 Left\n100 20 Down\n60 20 Right\n60 20 Up\n120 20 Right\n100 20 Up\n40 20\n",
     6},
};

class ShippedLevelsPlay : public ::testing::TestWithParam<Walk> {};

TEST_P(ShippedLevelsPlay, LevelIsMadeByItsWalk) {
    const Walk& walk = GetParam();
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    WriteShippedSet(dir.Path());
    std::string text =
        "levels Tolmara.lev\nlevel " + std::to_string(walk.Level) + "\n" + walk.Steps;
    ReplayScript script = ParseReplay(text, "walk.rpl");
    std::unique_ptr<Game> game = StartReplayGame(script, dir.Path());
    ReplayResult result = PlayReplay(*game, script);
    EXPECT_EQ(result.Outcome, "made");
    EXPECT_EQ(result.Lives, 3);
    EXPECT_EQ(result.InfotronsGot, walk.Infotrons);
}

INSTANTIATE_TEST_SUITE_P(FirstLevels, ShippedLevelsPlay, ::testing::ValuesIn(kWalks),
                         [](const auto& info) {
                             return "Level" + std::to_string(info.param.Level);
                         });

}  // namespace
