// The stored files' readers at their edges: the configuration's value after "=;", and negative
// counts of songs, levels and players, which read no entries instead of failing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/byte_io.h"
#include "store/player_table.h"
#include "store/settings.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

// A file of the current layout with one song and one level; each test edits single lines.
std::vector<std::string> BaseLines() {
    return {"- Tolmara 2.1 internal configuration file ------------------------",
            "---------------------- Please do not modify! -----------------------",
            "",
            "Character = Vivuz;",
            "Show tips = true;",
            "Music enabled = false;",
            "Sounds enabled = true;",
            "Music Volume = 80;",
            "Sounds Volume = 60;",
            "Speed = 300;",
            "Levels File = Tolmara.lev;",
            "",
            "------------------------ Music configuration -----------------------",
            "",
            "Number of songs = 1;",
            "",
            "Song1 = one.mid;",
            "",
            "------------------------ Levels songs ------------------------------",
            "------------- At every level will be a song number -----------------",
            "----- 0 means random, the game will choose one of the songs --------",
            "",
            "Number of levels = 1;",
            "",
            "Menu = 1;",
            "Level1 = 1;",
            "",
            "--------------------- End of configuration file --------------------"};
}

class ConfigurationEdges : public ::testing::Test {
  protected:
    Settings Read(const std::vector<std::string>& lines, Settings start = Settings{}) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        WriteTextFile(dir.File("tolmarakx.cfg"), text);
        ReadConfiguration(start, dir.Path());
        return start;
    }
    TempDir dir;
};

// The character after "=" starts the value unless it is a space, and a ";" there is no
// exception: "=;" reads ";", while " = ;" reads an empty value.
TEST_F(ConfigurationEdges, ASemicolonRightAfterTheEqualsSignIsTheValue) {
    std::vector<std::string> lines = BaseLines();
    lines[10] = "Levels File =;";
    lines[16] = "Song1 = ;";
    Settings s = Read(lines);
    EXPECT_EQ(s.LevelsFile, ";");
    EXPECT_EQ(s.Songs[0], "");
    EXPECT_EQ(s.Speed, 300);  // the next values are read in step
    EXPECT_EQ(s.LevelSongs[1], 1);

    lines = BaseLines();
    lines[9] = "Speed =;";
    try {
        Read(lines);
        ADD_FAILURE() << "a speed of \";\" was read";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "tolmarakx.cfg, line 10: ';' is not a valid integer value");
    }
}

// A negative level count reads nothing, not even the menu's song; a negative song count reads
// no song. The values after them are then taken from where the reader stands.
TEST_F(ConfigurationEdges, NegativeCountsReadNoEntries) {
    std::vector<std::string> lines = BaseLines();
    lines[22] = "Number of levels = -1;";
    Settings start;
    start.LevelSongs[0] = 7;
    start.LevelSongs[1] = 8;
    Settings s = Read(lines, start);
    EXPECT_EQ(s.LevelSongCount, 0);
    EXPECT_EQ(s.LevelSongs[0], 7);  // "Menu = 1" is not read
    EXPECT_EQ(s.LevelSongs[1], 8);
    EXPECT_EQ(s.SongCount, 1);

    lines = BaseLines();
    lines[14] = "Number of songs = -3;";
    lines.erase(lines.begin() + 16);  // no song line; the level values follow as usual
    s = Read(lines);
    EXPECT_EQ(s.SongCount, 0);
    EXPECT_EQ(s.LevelSongCount, 1);
    EXPECT_EQ(s.LevelSongs[0], 1);
    EXPECT_EQ(s.LevelSongs[1], 1);

    // Written back, the file holds counts of 0 and reads the same again.
    WriteConfiguration(s, dir.Path());
    Settings again;
    ReadConfiguration(again, dir.Path());
    EXPECT_EQ(again.SongCount, 0);
    EXPECT_EQ(again.LevelSongCount, 1);
    EXPECT_EQ(again.LevelSongs[0], 1);
}

// A negative player count reads no record: the game starts with no players, but the spare
// value and the speed before the records are still taken.
TEST(PlayerNamesEdges, ANegativeCountReadsNoPlayer) {
    TempDir dir;
    const Bytes bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x00, 0x00, 0x00, 0x5E, 0x01, 0x00,
                         0x00, 0x03, 0x41, 0x6E, 0x6E, 0x04, 0x00, 0x00, 0x00, 0x01};
    WriteFileAtomically(dir.File("playersnames.grf"), bytes);
    PlayerTable players;
    int32_t speed = 0;
    ReadPlayerNames(players, speed, dir.Path());
    EXPECT_EQ(players.PlayerCount, 0);
    EXPECT_EQ(players.PlayerNames[1], kNoName);
    EXPECT_EQ(players.NamesFileSpare, 9);
    EXPECT_EQ(speed, 350);
}

}  // namespace
