// `tolmara --levels NAME.lev`: the set is played for the run; the configuration file keeps its
// own "Levels File" line unless the options were saved with the run's set.
#include "app/run_levels.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "screens/game.h"
#include "store/atomic_write.h"
#include "support/test_data.h"
#include "support/test_support.h"

TEST(RunLevels, TheConfigurationKeepsItsSetUnlessTheOptionsAreSaved) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    WriteFileAtomically(dir.File("mine.lev"), TestLevelSetBytes(TestLevels(), "Mine"));
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    EXPECT_THROW(UseLevelsForRun(*game, "../mine.lev"), FileError);
    EXPECT_THROW(UseLevelsForRun(*game, "missing.lev"), FileError);
    UseLevelsForRun(*game, "mine.lev");
    EXPECT_EQ(game->settings.LevelsFile, "mine.lev");
    EXPECT_EQ(SettingsToStore(*game).LevelsFile, "Tolmara.lev");
    WriteConfiguration(game->settings, dir.Path());  // as the options screen saves them
    EXPECT_EQ(SettingsToStore(*game).LevelsFile, "mine.lev");
}
