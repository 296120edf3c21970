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

// A name the configuration file could not read back is refused with the name and the reason:
// saved by the options it would keep the game from starting again.
TEST(RunLevels, NamesTheConfigurationCannotKeepAreRefused) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    for (const std::string name : {"a;b.lev", "a\nb.lev", "a\rb.lev"}) {
        WriteFileAtomically(dir.File(name), TestLevelSetBytes(TestLevels(), "Odd"));
        try {
            UseLevelsForRun(*game, name);
            FAIL() << "accepted " << name;
        } catch (const FileError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("'" + name + "'"), std::string::npos) << text;
            EXPECT_NE(text.find(name[1] == ';' ? "\";\"" : "control character"), std::string::npos)
                << text;
        }
        EXPECT_EQ(game->settings.LevelsFile, "Tolmara.lev");
    }
}

// Saves apart from the data files (an installed game): the player's own sets in the save folder
// can be played, and the configuration keeps the set the player chose, not the data folder's.
TEST(RunLevels, TheSaveFolderSetsArePlayedAndTheChosenSetIsKept) {
    TempDir data, save;
    WriteTestDataFiles(data.Path());
    WriteTextFile(save.File("tolmarakx.cfg"), TestConfigText("own.lev"));
    WriteFileAtomically(save.File("own.lev"), TestLevelSetBytes(TestLevels(), "Own"));
    WriteFileAtomically(save.File("mine.lev"), TestLevelSetBytes(TestLevels(), "Mine"));
    auto game = StartGame(SessionOptions{data.Path(), true, 7, save.Path()});
    ASSERT_EQ(game->settings.LevelsFile, "own.lev");
    UseLevelsForRun(*game, "mine.lev");
    EXPECT_EQ(game->settings.LevelsFile, "mine.lev");
    EXPECT_EQ(SettingsToStore(*game).LevelsFile, "own.lev");
}
